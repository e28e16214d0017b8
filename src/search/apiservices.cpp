#include "apiservices.h"

#include "diagnostics/guard.h"
#include "jsonreply.h"

#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int HitsPerPage = 10;

} // namespace

// "query" comes with every answer; "web" is left out when nothing was found.
BraveService::BraveService(const Settings &settings)
    : JsonService(settings, {{u"web"_s, u"results"_s}, u"url"_s, u"description"_s, false, u"query"_s, true})
{}

SerperService::SerperService(const Settings &settings)
    : JsonService(settings, {{u"organic"_s}, u"link"_s, u"snippet"_s, true, u"searchParameters"_s, true})
{}

QString BraveService::request(const QString &server, const QString &host, const QString &key, Int16 page,
                              const SearchLocale &locale) const
{
    QString result;
    guard("Requests", "Function braverequest", [&] {
        // Brave's offset counts pages, not results.
        const QString query =
            u"/res/v1/web/search?q="_s + percent(key) + u"&count="_s + QString::number(HitsPerPage) + u"&offset="_s +
            QString::number(int(page)) +
            localequery({{u"country"_s, locale.country.toUpper()}, {u"search_lang"_s, locale.language}});
        HttpRequest request = jsonrequest(m_settings, target(), server, host, query);
        request.headers.append({u"X-Subscription-Token"_s, m_settings.enginekey});
        result = request.text();
    });
    return result;
}

QString SerperService::request(const QString &server, const QString &host, const QString &key, Int16 page,
                               const SearchLocale &locale) const
{
    QString result;
    guard("Requests", "Function serperrequest", [&] {
        QJsonObject body{{u"q"_s, key}, {u"num"_s, HitsPerPage}, {u"page"_s, page + 1}};
        for (const auto &[name, value] : {std::pair{u"gl"_s, locale.country}, std::pair{u"hl"_s, locale.language},
                                          std::pair{u"location"_s, locale.location}}) {
            if (!value.isEmpty())
                body.insert(name, value);
        }
        HttpRequest request = jsonrequest(m_settings, target(), server, host, u"/search"_s);
        request.method = u"POST"_s;
        request.headers.append({u"Content-Type"_s, u"application/json"_s});
        request.headers.append({u"X-API-KEY"_s, m_settings.enginekey});
        request.body = QJsonDocument(body).toJson(QJsonDocument::Compact);
        result = request.text();
    });
    return result;
}
