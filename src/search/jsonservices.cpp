#include "jsonservices.h"

#include "base64.h"
#include "diagnostics/guard.h"
#include "platform/codepage.h"
#include "requests.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

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
    if (proxied && settings.useproxy && !settings.proxyuser.isEmpty())
        request.headers.append(
            {u"Proxy-Authorization"_s, u"Basic "_s + encode(settings.proxyuser + u':' + settings.proxypass)});
    request.headers.append({u"Accept"_s, u"application/json"_s});
    request.headers.append({u"Accept-Language"_s, u"en, *"_s});
    request.headers.append({u"User-Agent"_s, useragent().sliced(12)});
    request.headers.append({u"Connection"_s, u"close"_s});
    request.headers.append({u"Host"_s, name});
    return request;
}

// The reply's JSON object; false (with the reason in `problem`) when it holds none.
bool readobject(const ServiceReply &reply, QJsonObject &object, QString &problem)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(codepage::toBytes(reply.body()), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        problem = reply.status >= 400 ? u"HTTP "_s + QString::number(reply.status) : u"unreadable reply"_s;
        return false;
    }
    object = document.object();
    return true;
}

QString text(const QJsonObject &object, QLatin1StringView key)
{
    return object.value(key).toString();
}

// Why an upstream engine of a metasearch gave nothing, when that is a refusal; "" otherwise.
QString refusal(const QJsonValue &entry)
{
    // Listed as [name, reason]; older instances list the name alone.
    const QJsonArray pair = entry.toArray();
    const QString name = pair.isEmpty() ? entry.toString() : pair.at(0).toString();
    const QString reason = pair.size() > 1 ? pair.at(1).toString() : QString();
    for (const QString &marker : {u"captcha"_s, u"access denied"_s, u"too many requests"_s}) {
        if (reason.contains(marker, Qt::CaseInsensitive))
            return name + u": "_s + reason;
    }
    return {};
}

// The position a hit takes: the one the service gives, unless it does not count on from the
// hits before (a service that numbers each page from 1, or none at all).
qint64 nextposition(const QJsonValue &given, qint64 last)
{
    const qint64 position = given.toInteger(0);
    return position > last ? position : last + 1;
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
        QJsonObject object;
        QString problem;
        if (!readobject(reply, object, problem) || reply.status >= 400) {
            result =
                verdictpage(Verdict::Failed, problem.isEmpty() ? u"HTTP "_s + QString::number(reply.status) : problem);
            return;
        }
        // One refusing upstream engine makes the whole ranking doubtful.
        for (const QJsonValue &entry : object.value("unresponsive_engines"_L1).toArray()) {
            const QString refused = refusal(entry);
            if (!refused.isEmpty()) {
                result = verdictpage(Verdict::Blocked, u"blocked ("_s + refused + u')');
                return;
            }
        }
        const QJsonValue results = object.value("results"_L1);
        if (!results.isArray()) {
            result = verdictpage(Verdict::Failed, u"reply without results"_s);
            return;
        }
        qint64 position = hitsbefore;
        for (const QJsonValue &value : results.toArray()) {
            const QJsonObject hit = value.toObject();
            const QString url = text(hit, "url"_L1);
            if (!url.isEmpty())
                result.hits.append({url, text(hit, "title"_L1), text(hit, "content"_L1), ++position});
        }
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
        QJsonObject object;
        QString problem;
        if (!readobject(reply, object, problem)) {
            result = verdictpage(Verdict::Failed, problem);
            return;
        }
        const QString error = text(object, "error"_L1);
        if (!error.isEmpty()) {
            result = errorverdict(error);
            return;
        }
        const QString state = text(object.value("search_metadata"_L1).toObject(), "status"_L1);
        if (reply.status >= 400 || state.compare(u"error"_s, Qt::CaseInsensitive) == 0) {
            result = verdictpage(Verdict::Failed,
                                 reply.status >= 400 ? u"HTTP "_s + QString::number(reply.status) : u"search failed"_s);
            return;
        }
        qint64 position = hitsbefore;
        for (const QJsonValue &value : object.value("organic_results"_L1).toArray()) {
            const QJsonObject hit = value.toObject();
            const QString link = text(hit, "link"_L1);
            if (link.isEmpty())
                continue;
            position = nextposition(hit.value("position"_L1), position);
            result.hits.append({link, text(hit, "title"_L1), text(hit, "snippet"_L1), position});
        }
        if (result.hits.isEmpty())
            result.verdict = Verdict::NoResults;
    });
    return result;
}
