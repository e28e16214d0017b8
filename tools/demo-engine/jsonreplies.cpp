// The fake engine's JSON services and its refusals: what a SearXNG instance and a SERP API
// answer, and the pages a search host sends an automated client it does not want.
#include "fakeengine.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray reply(int status, const QByteArray &reason, const QByteArray &contentType, const QByteArray &body,
                 const QByteArray &extra = {})
{
    return "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason + "\r\nContent-Type: " + contentType + "\r\n" +
           extra + "Content-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

QByteArray json(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

// Titles of the HTML page carry markup; the JSON services send plain text.
QString plain(QString text)
{
    return text.remove(u"<b>"_s).remove(u"</b>"_s);
}

} // namespace

QByteArray FakeEngine::pageReply(const Request &request, const Behaviour &how) const
{
    Q_UNUSED(how)
    const QList<Hit> page = hits(request.keyword, request.page);
    if (request.update)
        return updateReply();
    if (request.format == u"searxng")
        return searxngReply(request.keyword, request.page, page);
    if (request.format == u"serpapi")
        return serpapiReply(request.keyword, request.page, page);
    if (request.format == u"brave")
        return braveReply(request.keyword, request.page, page);
    if (request.format == u"serper")
        return serperReply(request.keyword, request.page, page);
    return request.soap ? soapReply(page) : htmlReply(page);
}

QByteArray FakeEngine::searxngReply(const QString &keyword, int page, const QList<Hit> &hits, bool captcha) const
{
    QJsonArray results;
    for (int i = 0; i < hits.size(); ++i) {
        const Hit &hit = hits[i];
        results.append(QJsonObject{{u"url"_s, hit.url},
                                   {u"title"_s, plain(hit.title)},
                                   {u"content"_s, plain(hit.snippet)},
                                   {u"engine"_s, u"demo"_s},
                                   {u"engines"_s, QJsonArray{u"demo"_s}},
                                   {u"positions"_s, QJsonArray{i + 1}},
                                   {u"score"_s, 1.0 / (i + 1)},
                                   {u"category"_s, u"general"_s}});
    }
    QJsonArray unresponsive;
    if (captcha)
        unresponsive.append(QJsonArray{u"demo"_s, u"CAPTCHA"_s});
    const QJsonObject object{{u"query"_s, keyword},
                             {u"number_of_results"_s, 0},
                             {u"results"_s, results},
                             {u"answers"_s, QJsonArray{}},
                             {u"corrections"_s, QJsonArray{}},
                             {u"infoboxes"_s, QJsonArray{}},
                             {u"suggestions"_s, QJsonArray{}},
                             {u"unresponsive_engines"_s, unresponsive}};
    Q_UNUSED(page)
    return reply(200, "OK", "application/json", json(object));
}

QByteArray FakeEngine::serpapiReply(const QString &keyword, int page, const QList<Hit> &hits) const
{
    QJsonArray organic;
    for (int i = 0; i < hits.size(); ++i) {
        const Hit &hit = hits[i];
        organic.append(QJsonObject{{u"position"_s, page * 10 + i + 1},
                                   {u"title"_s, plain(hit.title)},
                                   {u"link"_s, hit.url},
                                   {u"displayed_link"_s, hit.url},
                                   {u"snippet"_s, plain(hit.snippet)}});
    }
    QJsonObject object{{u"search_metadata"_s, QJsonObject{{u"id"_s, u"fake"_s}, {u"status"_s, u"Success"_s}}},
                       {u"search_parameters"_s, QJsonObject{{u"q"_s, keyword}, {u"start"_s, page * 10}}}};
    if (organic.isEmpty())
        object.insert(u"error"_s, u"Google hasn't returned any results for this query."_s);
    else
        object.insert(u"organic_results"_s, organic);
    return reply(200, "OK", "application/json; charset=utf-8", json(object));
}

QByteArray FakeEngine::braveReply(const QString &keyword, int page, const QList<Hit> &hits) const
{
    QJsonArray results;
    for (const Hit &hit : hits) {
        results.append(QJsonObject{{u"title"_s, plain(hit.title)},
                                   {u"url"_s, hit.url},
                                   {u"is_source_local"_s, false},
                                   {u"description"_s, plain(hit.snippet)},
                                   {u"type"_s, u"search_result"_s},
                                   {u"subtype"_s, u"generic"_s}});
    }
    QJsonObject object{{u"type"_s, u"search"_s},
                       {u"query"_s, QJsonObject{{u"original"_s, keyword}, {u"more_results_available"_s, page < 9}}}};
    // Nothing found: the answer has no "web" at all.
    if (!results.isEmpty())
        object.insert(u"web"_s, QJsonObject{{u"type"_s, u"search"_s}, {u"results"_s, results}});
    return reply(200, "OK", "application/json", json(object));
}

QByteArray FakeEngine::serperReply(const QString &keyword, int page, const QList<Hit> &hits) const
{
    QJsonArray organic;
    for (int i = 0; i < hits.size(); ++i) {
        organic.append(QJsonObject{{u"title"_s, plain(hits[i].title)},
                                   {u"link"_s, hits[i].url},
                                   {u"snippet"_s, plain(hits[i].snippet)},
                                   {u"position"_s, i + 1}});
    }
    const QJsonObject parameters{{u"q"_s, keyword}, {u"type"_s, u"search"_s}, {u"num"_s, 10}, {u"page"_s, page + 1}};
    return reply(200, "OK", "application/json; charset=utf-8",
                 json(QJsonObject{{u"searchParameters"_s, parameters}, {u"organic"_s, organic}, {u"credits"_s, 1}}));
}

QByteArray FakeEngine::apiError(const QString &format, const QString &error) const
{
    // Each service's own error object: a text, an object with code and detail, or a message.
    if (format == u"brave") {
        const QJsonObject detail{{u"id"_s, u"fake"_s}, {u"status"_s, 422}, {u"detail"_s, error}};
        return reply(422, "Unprocessable Entity", "application/json",
                     json(QJsonObject{{u"type"_s, u"ErrorResponse"_s}, {u"error"_s, detail}}));
    }
    if (format == u"serper")
        return reply(400, "Bad Request", "application/json",
                     json(QJsonObject{{u"message"_s, error}, {u"statusCode"_s, 400}}));
    return reply(200, "OK", "application/json; charset=utf-8", json(QJsonObject{{u"error"_s, error}}));
}

QByteArray FakeEngine::statusReply(int status) const
{
    const QByteArray code = QByteArray::number(status);
    if (status >= 300 && status <= 399)
        return reply(status, "Found", "text/html", "<html><body>Moved</body></html>\n",
                     "Location: http://consent.example/ml?continue=/search\r\n");
    return reply(status, "Refused", "text/html", "<html><body>Error " + code + "</body></html>\n");
}

QByteArray FakeEngine::captchaReply() const
{
    return reply(200, "OK", "text/html",
                 "<html><head><title>Sorry...</title></head><body><div>Our systems have detected unusual traffic "
                 "from your computer network.</div><form action=\"/sorry/index\"><div class=\"g-recaptcha\">"
                 "</div></form></body></html>\n");
}
