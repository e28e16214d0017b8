#include "jsonreply.h"

#include "diagnostics/guard.h"
#include "jsonscan.h"
#include "refusalpage.h"
#include "requests.h"
#include "requesttarget.h"

#include <QUrl>

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

// The members of a reply's JSON object that the services read. Of a repeated member the last
// counts, as in any JSON object.
struct ReplyFields
{
    bool hasresults = false; // the hit list is there and is an array
    bool haslandmark = false;
    QList<ServiceHit> hits; // those with an address, positioned
    Upstreams upstreams;    // SearXNG: the upstream engines that gave nothing
    QString error;          // the error object's text
    QString message;        // a bare "message" member, which some services answer errors with
    QString state;          // SERP API: search_metadata.status
};

// The position a hit takes: the one the service gives, unless it does not count on from the
// hits before (a service that numbers each page from 1, or none at all).
qint64 nextposition(std::optional<qint64> given, qint64 last)
{
    const qint64 position = given.value_or(0);
    return position > last ? position : last + 1;
}

// One hit object; a member that is not text reads as "".
ServiceHit readhit(JsonScan &scan, const JsonShape &shape, qint64 last)
{
    ServiceHit hit;
    std::optional<qint64> given;
    if (scan.enterobject()) {
        while (scan.nextkey()) {
            const QStringView key = scan.key();
            if (key == shape.url)
                hit.url = scan.string();
            else if (key == u"title")
                hit.title = scan.string();
            else if (key == shape.abstract)
                hit.abstract = scan.string();
            else if (shape.numbered && key == u"position")
                given = scan.integer();
            else
                scan.skip();
        }
    }
    hit.position = shape.numbered ? nextposition(given, last) : last + 1;
    return hit;
}

void readhits(JsonScan &scan, const JsonShape &shape, qint64 hitsbefore, ReplyFields &fields)
{
    fields.hits.clear();
    fields.hasresults = scan.enterarray();
    qint64 position = hitsbefore;
    while (fields.hasresults && scan.nextitem()) {
        ServiceHit hit = readhit(scan, shape, position);
        if (hit.url.isEmpty())
            continue;
        position = hit.position;
        fields.hits.append(std::move(hit));
    }
}

// Walks down the list's path from member `depth` on; the hits are at its end.
void readlist(JsonScan &scan, const JsonShape &shape, int depth, qint64 hitsbefore, ReplyFields &fields)
{
    if (depth == shape.list.size()) {
        readhits(scan, shape, hitsbefore, fields);
        return;
    }
    if (!scan.enterobject())
        return;
    while (scan.nextkey())
        scan.key() == shape.list[depth] ? readlist(scan, shape, depth + 1, hitsbefore, fields) : scan.skip();
}

bool anyof(const QString &text, std::initializer_list<QStringView> words)
{
    return std::any_of(words.begin(), words.end(), [&](QStringView word) { return text.contains(word); });
}

// An upstream engine of a metasearch that gave nothing: "name: reason", or the name alone as
// older instances list it; and whether the reason is a refusal.
struct Upstream
{
    QString text;
    bool refusal = false;
};

Upstream upstream(JsonScan &scan)
{
    if (scan.atstring())
        return {scan.string()};
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
    return {reason.isEmpty() ? name : name + u": "_s + reason,
            anyof(reason.toLower(), {u"captcha", u"access denied", u"too many requests"})};
}

void readupstreams(JsonScan &scan, ReplyFields &fields)
{
    fields.upstreams = {};
    if (!scan.enterarray())
        return;
    while (scan.nextitem()) {
        const Upstream engine = upstream(scan);
        if (engine.text.isEmpty())
            continue;
        fields.upstreams.silent.append(engine.text);
        if (engine.refusal)
            fields.upstreams.refused.append(engine.text);
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

// An error member: a text, or an object whose code, detail and message say what went wrong.
QString errortext(JsonScan &scan)
{
    if (scan.atstring())
        return scan.string();
    QStringList parts;
    if (!scan.enterobject())
        return {};
    while (scan.nextkey()) {
        const QStringView key = scan.key();
        if (key != u"code" && key != u"detail" && key != u"message") {
            scan.skip();
            continue;
        }
        const QString text = scan.string();
        if (!text.isEmpty())
            parts.append(text);
    }
    return parts.join(u": "_s);
}

void readmember(JsonScan &scan, const JsonShape &shape, int hitsbefore, ReplyFields &fields)
{
    const QStringView key = scan.key();
    if (key == shape.landmark)
        fields.haslandmark = true;
    if (key == shape.list.first())
        readlist(scan, shape, 1, hitsbefore, fields);
    else if (key == u"unresponsive_engines")
        readupstreams(scan, fields);
    else if (key == u"error")
        fields.error = errortext(scan);
    else if (key == u"message")
        fields.message = scan.string();
    else if (key == u"search_metadata")
        fields.state = metadatastate(scan);
    else
        scan.skip();
}

// Reads the members the services look at, straight off the reply's bytes, skipping the rest
// unbuilt. False when the body is not one well-formed object.
bool readfields(const ServiceReply &reply, const JsonShape &shape, int hitsbefore, ReplyFields &fields)
{
    JsonScan scan(reply.body());
    const bool isobject = scan.enterobject();
    while (isobject && scan.nextkey())
        readmember(scan, shape, hitsbefore, fields);
    if (fields.error.isEmpty() && !fields.hasresults)
        fields.error = fields.message;
    return scan.finish() && isobject;
}

// A reply that is not JSON: a refusal page of a proxy or CDN in front of the service, an error
// page, or something the service would never send.
ServicePage notjson(const ServiceReply &reply)
{
    const QString refusal = refusalpage(reply.body());
    if (!refusal.isEmpty())
        return verdictpage(Verdict::Blocked, refusal);
    if (reply.status >= 400)
        return verdictpage(Verdict::Failed, u"HTTP "_s + QString::number(reply.status));
    return verdictpage(Verdict::Unrecognised, u"not a JSON reply of this service"_s);
}

// A key service's own refusal comes as its JSON. A proxy or CDN in front of it answers 429 with
// a page of its own, about its own limit and not the user's allowance: a refusal like any other.
ServicePage apistatus(int status, bool json)
{
    if (status == 401)
        return verdictpage(Verdict::KeyRejected, {});
    if (json && (status == 402 || status == 429))
        return verdictpage(Verdict::Quota, {});
    return statusverdict(status);
}

} // namespace

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

QString percent(const QString &text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

QString localequery(const QList<std::pair<QString, QString>> &parameters)
{
    QString query;
    for (const auto &[name, value] : parameters) {
        if (!value.isEmpty())
            query += u'&' + name + u'=' + percent(value);
    }
    return query;
}

ServicePage readjsonpage(const ServiceReply &reply, const JsonShape &shape, int hitsbefore, Upstreams *upstreams)
{
    ServicePage result;
    guard("Parsers", "Function readjsonpage", [&] {
        ReplyFields fields;
        const bool json = readfields(reply, shape, hitsbefore, fields);
        if (upstreams != nullptr)
            *upstreams = fields.upstreams;
        if (json && !fields.error.isEmpty()) {
            result = errorverdict(fields.error);
            return;
        }
        result = shape.apistatuses ? apistatus(reply.status, json) : statusverdict(reply.status);
        if (result.verdict != Verdict::Results)
            return;
        if (!json)
            result = notjson(reply);
        else if (reply.status >= 400)
            result = verdictpage(Verdict::Failed, u"HTTP "_s + QString::number(reply.status));
        else if (fields.state.compare(u"error"_s, Qt::CaseInsensitive) == 0)
            result = verdictpage(Verdict::Failed, u"search failed"_s);
        else if (!fields.hasresults && !fields.haslandmark)
            result = verdictpage(Verdict::Unrecognised, u"a JSON reply without results"_s);
        else
            result.hits = std::move(fields.hits);
        if (result.verdict == Verdict::Results && result.hits.isEmpty())
            result.verdict = Verdict::NoResults;
    });
    return result;
}

ServiceTarget JsonService::target() const
{
    return parseengineurl(m_settings.engineurl);
}

ServicePage JsonService::read(const ServiceReply &reply, Int16 page, int hitsbefore) const
{
    Q_UNUSED(page)
    return readjsonpage(reply, m_shape, hitsbefore);
}

ServicePage errorverdict(const QString &error)
{
    const QString lower = error.toLower();
    // Codes some services put before the text.
    if (anyof(lower, {u"subscription_token_invalid", u"invalid_api_key"}))
        return verdictpage(Verdict::KeyRejected, error);
    // A rate limit (Brave's free plan takes one search a second) passes within seconds, with the
    // allowance still there: a refusal for now, as a 429 without such a word is.
    if (anyof(lower, {u"rate_limited", u"rate limit", u"too many requests"}))
        return verdictpage(Verdict::Blocked, error);
    if (lower.contains(u"quota_limited"))
        return verdictpage(Verdict::Quota, error);
    // The allowance first: "exceeded the limit for your API key" is about the allowance.
    if (anyof(lower, {u"credit", u"searches", u"quota", u"plan", u"limit", u"exhausted", u"exceeded"}))
        return verdictpage(Verdict::Quota, error);
    if (anyof(lower, {u"api key", u"api_key", u"apikey", u"invalid key", u"missing key", u"subscription token",
                      u"unauthorized", u"unauthorised", u"forbidden"}))
        return verdictpage(Verdict::KeyRejected, error);
    if (anyof(lower, {u"returned any results", u"no results"}))
        return verdictpage(Verdict::NoResults, {});
    return verdictpage(Verdict::Failed, error);
}
