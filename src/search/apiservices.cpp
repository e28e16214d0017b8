#include "apiservices.h"

#include "diagnostics/guard.h"
#include "jsonreply.h"

#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int HitsPerPage = 10;

// Brave searches in the languages of its own list, a few spelled its own way ("jp", "zh-hant",
// "pt-br"), and refuses any other code with 422, failing every keyword: a language it lacks is
// left out, so the search still runs. A region in the code, else the searched country, picks the
// script of Chinese and the Portuguese and English of a country.
QString bravelanguage(const SearchLocale &locale)
{
    static const QStringList plain = {u"ar"_s, u"eu"_s, u"bn"_s, u"bg"_s, u"ca"_s, u"hr"_s, u"cs"_s, u"da"_s, u"nl"_s,
                                      u"et"_s, u"fi"_s, u"fr"_s, u"gl"_s, u"de"_s, u"gu"_s, u"he"_s, u"hi"_s, u"hu"_s,
                                      u"is"_s, u"it"_s, u"kn"_s, u"ko"_s, u"lv"_s, u"lt"_s, u"ms"_s, u"ml"_s, u"mr"_s,
                                      u"nb"_s, u"pl"_s, u"pa"_s, u"ro"_s, u"ru"_s, u"sr"_s, u"sk"_s, u"sl"_s, u"es"_s,
                                      u"sv"_s, u"ta"_s, u"te"_s, u"th"_s, u"tr"_s, u"uk"_s, u"vi"_s};
    const searchlocale::LanguageParts parts = searchlocale::languageparts(locale);
    const QString &base = parts.language;
    if (base == u"zh")
        return parts.traditional() ? u"zh-hant"_s : u"zh-hans"_s;
    if (base == u"pt")
        return parts.region == u"br" ? u"pt-br"_s : u"pt-pt"_s;
    if (base == u"en")
        return parts.region == u"gb" || parts.region == u"uk" ? u"en-gb"_s : u"en"_s;
    if (base == u"ja" || base == u"jp")
        return u"jp"_s;
    if (base == u"no" || base == u"nn")
        return u"nb"_s;
    return plain.contains(base) ? base : QString();
}

// Brave searches in the countries of its own list and refuses any other with 422: a country it
// lacks is searched as all of them, and "uk" is Great Britain's "GB".
QString bravecountry(const SearchLocale &locale)
{
    static const QStringList known = {u"AR"_s, u"AU"_s, u"AT"_s, u"BE"_s, u"BR"_s, u"CA"_s, u"CL"_s, u"DK"_s, u"FI"_s,
                                      u"FR"_s, u"DE"_s, u"HK"_s, u"IN"_s, u"ID"_s, u"IT"_s, u"JP"_s, u"KR"_s, u"MY"_s,
                                      u"MX"_s, u"NL"_s, u"NZ"_s, u"NO"_s, u"CN"_s, u"PL"_s, u"PT"_s, u"PH"_s, u"RU"_s,
                                      u"SA"_s, u"ZA"_s, u"ES"_s, u"SE"_s, u"CH"_s, u"TW"_s, u"TR"_s, u"GB"_s, u"US"_s};
    const QString country = locale.country.toUpper();
    if (country.isEmpty() || known.contains(country))
        return country;
    return country == u"UK" ? u"GB"_s : u"ALL"_s;
}

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
            localequery({{u"country"_s, bravecountry(locale)}, {u"search_lang"_s, bravelanguage(locale)}});
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
