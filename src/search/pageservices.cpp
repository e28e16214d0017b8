#include "pageservices.h"

#include "diagnostics/guard.h"
#include "hostport.h"
#include "parsers.h"
#include "requests.h"

using namespace Qt::Literals::StringLiterals;

namespace {

ServiceTarget hosttarget(const QString &host)
{
    ServiceTarget target;
    target.host = host;
    target.port = portpart(host);
    return target;
}

// Hits of a page scanner's result, numbered by page as the engine showed ten a page.
QList<ServiceHit> numbered(const Array1<SearchHit> &found, Int16 page)
{
    QList<ServiceHit> hits;
    hits.reserve(found.ubound());
    for (int h = 1; h <= found.ubound(); ++h)
        hits.append({found[h].url, found[h].title, found[h].abstract, page * 10LL + h});
    return hits;
}

} // namespace

ServiceTarget HtmlService::target() const
{
    return hosttarget(m_settings.searchhost);
}

QString HtmlService::request(const QString &server, const QString &host, const QString &key, Int16 page) const
{
    return getgoogle(m_settings, server, host, key, page);
}

ServicePage HtmlService::read(const ServiceReply &reply, Int16 page, int hitsbefore) const
{
    Q_UNUSED(hitsbefore)
    ServicePage result = statusverdict(reply.status);
    if (result.verdict != ServicePage::Verdict::Results)
        return result;
    result.hits = numbered(geturls_google(reply.text), page);
    // A page with hits is a result page whatever words its snippets hold.
    const QString refusal = result.hits.isEmpty() ? refusalpage(reply.text) : QString();
    if (!refusal.isEmpty())
        return verdictpage(ServicePage::Verdict::Blocked, u"blocked ("_s + refusal + u')');
    return result;
}

ServiceTarget SoapService::target() const
{
    return hosttarget(m_settings.apihost);
}

QString SoapService::request(const QString &server, const QString &host, const QString &key, Int16 page) const
{
    return getgoogleapi(m_settings, server, host, key, page);
}

ServicePage SoapService::read(const ServiceReply &reply, Int16 page, int hitsbefore) const
{
    Q_UNUSED(hitsbefore)
    ServicePage result = statusverdict(reply.status);
    if (result.verdict != ServicePage::Verdict::Results)
        return result;
    const Array1<SearchHit> found = geturls_googleapi(reply.text);
    if (!found[0].fault.isEmpty())
        return verdictpage(ServicePage::Verdict::Fault, found[0].fault);
    result.hits = numbered(found, page);
    return result;
}

QString refusalpage(const QString &text)
{
    QString kind;
    guard("Fetcher", "Function refusalpage", [&] {
        // What the engines' "prove you are human" and cookie-consent interstitials say.
        static const std::pair<QString, QString> markers[] = {
            {u"captcha"_s, u"captcha page"_s},  {u"unusual traffic"_s, u"captcha page"_s},
            {u"/sorry/"_s, u"captcha page"_s},  {u"automated queries"_s, u"captcha page"_s},
            {u"consent."_s, u"consent page"_s}, {u"before you continue"_s, u"consent page"_s},
        };
        for (const auto &[marker, what] : markers) {
            if (text.contains(marker, Qt::CaseInsensitive)) {
                kind = what;
                return;
            }
        }
    });
    return kind;
}
