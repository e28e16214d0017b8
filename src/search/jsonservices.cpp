#include "jsonservices.h"

#include "diagnostics/guard.h"
#include "jsonreply.h"

using namespace Qt::Literals::StringLiterals;

namespace {

using Verdict = ServicePage::Verdict;

// SearXNG takes a language, or a language of one country ("de-CH"), and answers anything else
// ("pt-br-BR", "zh-hans") with 400 (its VALID_LANGUAGE_CODE, ^[a-z]{2,3}(-[a-zA-Z]{2})?$). The
// searched country names the region; without one, a region the language carries does.
QString searxnglanguage(const SearchLocale &locale)
{
    const QStringList parts = locale.language.toLower().split(u'-');
    QString region = locale.country;
    if (region.isEmpty() && parts.size() > 1 && parts[1].size() == 2)
        region = parts[1];
    return region.isEmpty() ? parts[0] : parts[0] + u'-' + region.toUpper();
}

// The SERP API takes Google's interface languages, and answers any other ("Unsupported `en-US`
// interface language - hl parameter.") with an error for every keyword. Google names a region
// only for Chinese, Portuguese and Latin American Spanish; any other code goes without it. The
// code's region, else the searched country, picks the script of Chinese and the Portuguese.
QString serpapilanguage(const SearchLocale &locale)
{
    const searchlocale::LanguageParts parts = searchlocale::languageparts(locale);
    if (parts.language == u"zh")
        return parts.traditional() ? u"zh-tw"_s : u"zh-cn"_s;
    if (parts.language == u"pt")
        return parts.region == u"br" ? u"pt-br"_s : u"pt-pt"_s;
    return locale.language.compare(u"es-419"_s, Qt::CaseInsensitive) == 0 ? u"es-419"_s : parts.language;
}

} // namespace

// Every answer lists the upstream engines that gave nothing, if only as an empty list.
SearxngService::SearxngService(const Settings &settings)
    : JsonService(settings, {{u"results"_s}, u"url"_s, u"content"_s, false, u"unresponsive_engines"_s, false})
{}

SerpApiService::SerpApiService(const Settings &settings)
    : JsonService(settings, {{u"organic_results"_s}, u"link"_s, u"snippet"_s, true, u"search_metadata"_s, true})
{}

QString SearxngService::request(const QString &server, const QString &host, const QString &key, Int16 page,
                                const SearchLocale &locale) const
{
    QString result;
    guard("Requests", "Function searxngrequest", [&] {
        QString query = u"/search?q="_s + percent(key) + u"&format=json&pageno="_s + QString::number(page + 1LL);
        // Positions from one upstream engine are that engine's ranking, not a blend.
        const QString engines = m_settings.searxngengines.trimmed();
        if (!engines.isEmpty())
            query += u"&engines="_s + percent(engines);
        if (!locale.language.isEmpty())
            query += u"&language="_s + percent(searxnglanguage(locale));
        result = jsonrequest(m_settings, target(), server, host, query).text();
    });
    return result;
}

ServicePage SearxngService::read(const ServiceReply &reply, Int16 page, int hitsbefore) const
{
    Q_UNUSED(page)
    Upstreams upstreams;
    ServicePage result = readjsonpage(reply, m_shape, hitsbefore, &upstreams);
    // Results with a refusing engine are still the others' ranking; only an empty page is refused.
    // An empty page while engines timed out or failed, whatever the words and the language the
    // instance gives for it, says nothing about the ranking either.
    if (result.verdict == Verdict::NoResults && !upstreams.refused.isEmpty())
        result = verdictpage(Verdict::Blocked, upstreams.refused.join(u", "_s));
    else if (result.verdict == Verdict::NoResults && !upstreams.silent.isEmpty())
        result = verdictpage(Verdict::Failed, upstreams.silent.join(u", "_s));
    else if (result.verdict == Verdict::Results)
        result.note = upstreams.refused.join(u", "_s);
    return result;
}

QString SerpApiService::request(const QString &server, const QString &host, const QString &key, Int16 page,
                                const SearchLocale &locale) const
{
    QString result;
    guard("Requests", "Function serpapirequest", [&] {
        QString query = u"/search.json?engine=google&q="_s + percent(key) + u"&start="_s +
                        QString::number(page * 10LL) + u"&num=10"_s;
        query += localequery({{u"gl"_s, locale.country},
                              {u"hl"_s, serpapilanguage(locale)},
                              {u"device"_s, locale.device},
                              {u"location"_s, locale.location}});
        query += u"&api_key="_s + percent(m_settings.enginekey);
        result = jsonrequest(m_settings, target(), server, host, query).text();
    });
    return result;
}
