#include "jsonservices.h"

#include "diagnostics/guard.h"
#include "requests.h"
#include "requesttarget.h"

#include "jsonscan.h"

#include <QUrl>

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

using Verdict = ServicePage::Verdict;

QString encoded(const QString &text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

// The request line's target and the lines every JSON request carries. Through a plain-HTTP
// proxy the target is the absolute address; over TLS the proxy only tunnels, so it is not.
HttpRequest jsonrequest(const Settings &settings, const ServiceTarget &target, const QString &server,
                        const QString &host, const QString &pathquery)
{
    HttpRequest request;
    const QString name = target.tls ? target.host.sliced(8) : target.host;
    const bool proxied = server != host && !target.tls;
    request.path = (proxied ? u"http://"_s + name : QString()) + target.prefix + pathquery;
    const QString credentials = proxied ? proxycredentials(settings) : QString();
    if (!credentials.isEmpty())
        request.headers.append({u"Proxy-Authorization"_s, credentials});
    request.headers.append({u"Accept"_s, u"application/json"_s});
    request.headers.append({u"Accept-Language"_s, u"en, *"_s});
    request.headers.append({u"User-Agent"_s, useragent().sliced(12)});
    request.headers.append({u"Connection"_s, u"close"_s});
    request.headers.append({u"Host"_s, name});
    return request;
}

// The members of a reply's JSON object that the services read. Of a repeated member the last
// counts, as in any JSON object.
struct ReplyFields
{
    bool hasresults = false; // the hit list is there and is an array
    QList<ServiceHit> hits;  // those with an address, positioned
    QString refused;         // SearXNG: the first upstream engine that refused, as "name: reason"
    QString error;           // SERP API: the error object's text
    QString state;           // SERP API: search_metadata.status
};

// Where a service keeps its hits and the members of each.
struct HitKeys
{
    QStringView list;
    QStringView url;
    QStringView abstract;
    bool numbered; // the service gives each hit its position
};

// The position a hit takes: the one the service gives, unless it does not count on from the
// hits before (a service that numbers each page from 1, or none at all).
qint64 nextposition(std::optional<qint64> given, qint64 last)
{
    const qint64 position = given.value_or(0);
    return position > last ? position : last + 1;
}

// One hit object; a member that is not text reads as "".
ServiceHit readhit(JsonScan &scan, const HitKeys &keys, qint64 last)
{
    ServiceHit hit;
    std::optional<qint64> given;
    if (scan.enterobject()) {
        while (scan.nextkey()) {
            const QStringView key = scan.key();
            if (key == keys.url)
                hit.url = scan.string();
            else if (key == u"title")
                hit.title = scan.string();
            else if (key == keys.abstract)
                hit.abstract = scan.string();
            else if (keys.numbered && key == u"position")
                given = scan.integer();
            else
                scan.skip();
        }
    }
    hit.position = keys.numbered ? nextposition(given, last) : last + 1;
    return hit;
}

void readhits(JsonScan &scan, const HitKeys &keys, qint64 hitsbefore, ReplyFields &fields)
{
    fields.hits.clear();
    fields.hasresults = scan.enterarray();
    qint64 position = hitsbefore;
    while (fields.hasresults && scan.nextitem()) {
        ServiceHit hit = readhit(scan, keys, position);
        if (hit.url.isEmpty())
            continue;
        position = hit.position;
        fields.hits.append(std::move(hit));
    }
}

// Why an upstream engine of a metasearch gave nothing, when that is a refusal; "" otherwise.
QString refusal(JsonScan &scan)
{
    // Listed as [name, reason]; older instances list the name alone, which gives no reason.
    QString name, reason;
    if (!scan.enterarray())
        return {};
    for (int item = 0; scan.nextitem(); ++item) {
        if (item == 0)
            name = scan.string();
        else if (item == 1)
            reason = scan.string();
        else
            scan.skip();
    }
    for (const QString &marker : {u"captcha"_s, u"access denied"_s, u"too many requests"_s}) {
        if (reason.contains(marker, Qt::CaseInsensitive))
            return name + u": "_s + reason;
    }
    return {};
}

void readrefusals(JsonScan &scan, ReplyFields &fields)
{
    fields.refused.clear();
    if (!scan.enterarray())
        return;
    while (scan.nextitem()) {
        const QString refused = refusal(scan);
        if (fields.refused.isEmpty())
            fields.refused = refused;
    }
}

QString metadatastate(JsonScan &scan)
{
    QString state;
    if (!scan.enterobject())
        return state;
    while (scan.nextkey())
        scan.key() == u"status" ? void(state = scan.string()) : scan.skip();
    return state;
}

// Reads the members both services look at, straight off the reply's bytes, skipping the rest
// unbuilt. False, with the reason in `problem`, when the body is not one well-formed object.
bool readfields(const ServiceReply &reply, const HitKeys &keys, int hitsbefore, ReplyFields &fields, QString &problem)
{
    JsonScan scan(reply.body());
    const bool isobject = scan.enterobject();
    while (isobject && scan.nextkey()) {
        const QStringView key = scan.key();
        if (key == keys.list)
            readhits(scan, keys, hitsbefore, fields);
        else if (key == u"unresponsive_engines")
            readrefusals(scan, fields);
        else if (key == u"error")
            fields.error = scan.string();
        else if (key == u"search_metadata")
            fields.state = metadatastate(scan);
        else
            scan.skip();
    }
    if (!scan.finish() || !isobject) {
        problem = reply.status >= 400 ? u"HTTP "_s + QString::number(reply.status) : u"unreadable reply"_s;
        return false;
    }
    return true;
}

// A service error object's text as a verdict.
ServicePage errorverdict(const QString &error)
{
    const QString lower = error.toLower();
    if (lower.contains(u"api key") || lower.contains(u"api_key") || lower.contains(u"invalid key"))
        return verdictpage(Verdict::KeyRejected, error);
    if (lower.contains(u"run out of searches") || lower.contains(u"limit") || lower.contains(u"quota"))
        return verdictpage(Verdict::Quota, error);
    if (lower.contains(u"returned any results") || lower.contains(u"no results"))
        return verdictpage(Verdict::NoResults, {});
    return verdictpage(Verdict::Failed, error);
}

} // namespace

ServiceTarget SearxngService::target() const
{
    return parseengineurl(m_settings.engineurl);
}

QString SearxngService::request(const QString &server, const QString &host, const QString &key, Int16 page) const
{
    QString result;
    guard("Requests", "Function searxngrequest", [&] {
        const QString query = u"/search?q="_s + encoded(key) + u"&format=json&pageno="_s + QString::number(page + 1LL);
        result = jsonrequest(m_settings, target(), server, host, query).text();
    });
    return result;
}

ServicePage SearxngService::read(const ServiceReply &reply, Int16 page, int hitsbefore) const
{
    Q_UNUSED(page)
    ServicePage result = statusverdict(reply.status);
    guard("Parsers", "Function searxngpage", [&] {
        if (result.verdict != Verdict::Results)
            return;
        ReplyFields fields;
        QString problem;
        if (!readfields(reply, {u"results", u"url", u"content", false}, hitsbefore, fields, problem) ||
            reply.status >= 400) {
            result =
                verdictpage(Verdict::Failed, problem.isEmpty() ? u"HTTP "_s + QString::number(reply.status) : problem);
            return;
        }
        // One refusing upstream engine makes the whole ranking doubtful.
        if (!fields.refused.isEmpty()) {
            result = verdictpage(Verdict::Blocked, u"blocked ("_s + fields.refused + u')');
            return;
        }
        if (!fields.hasresults) {
            result = verdictpage(Verdict::Failed, u"reply without results"_s);
            return;
        }
        result.hits = std::move(fields.hits);
        if (result.hits.isEmpty())
            result.verdict = Verdict::NoResults;
    });
    return result;
}

ServiceTarget SerpApiService::target() const
{
    return parseengineurl(m_settings.engineurl);
}

QString SerpApiService::request(const QString &server, const QString &host, const QString &key, Int16 page) const
{
    QString result;
    guard("Requests", "Function serpapirequest", [&] {
        const QString query = u"/search.json?engine=google&q="_s + encoded(key) + u"&start="_s +
                              QString::number(page * 10LL) + u"&num=10&api_key="_s + encoded(m_settings.enginekey);
        result = jsonrequest(m_settings, target(), server, host, query).text();
    });
    return result;
}

ServicePage SerpApiService::read(const ServiceReply &reply, Int16 page, int hitsbefore) const
{
    Q_UNUSED(page)
    ServicePage result;
    guard("Parsers", "Function serpapipage", [&] {
        if (reply.status == 401 || reply.status == 429) {
            result = verdictpage(reply.status == 401 ? Verdict::KeyRejected : Verdict::Quota, {});
            return;
        }
        result = statusverdict(reply.status);
        if (result.verdict != Verdict::Results)
            return;
        ReplyFields fields;
        QString problem;
        if (!readfields(reply, {u"organic_results", u"link", u"snippet", true}, hitsbefore, fields, problem)) {
            result = verdictpage(Verdict::Failed, problem);
            return;
        }
        if (!fields.error.isEmpty()) {
            result = errorverdict(fields.error);
            return;
        }
        if (reply.status >= 400 || fields.state.compare(u"error"_s, Qt::CaseInsensitive) == 0) {
            result = verdictpage(Verdict::Failed,
                                 reply.status >= 400 ? u"HTTP "_s + QString::number(reply.status) : u"search failed"_s);
            return;
        }
        result.hits = std::move(fields.hits);
        if (result.hits.isEmpty())
            result.verdict = Verdict::NoResults;
    });
    return result;
}
