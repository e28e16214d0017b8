#include "pageservices.h"

#include "diagnostics/guard.h"
#include "hostport.h"
#include "parsers.h"
#include "refusalpage.h"
#include "requests.h"

using namespace Qt::Literals::StringLiterals;

namespace {

using Verdict = ServicePage::Verdict;

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

// The markup the HTML result page was read in: each hit begins "<p class=g><a href=" followed
// by the unquoted link (the scan of geturls_google), and a page without hits says "did not match
// any documents" ("Your search - <b>...</b> - did not match any documents."). A page of that
// markup keeps its reading: hits as found, and no hits as a page received empty.
bool noresultspage(const QString &text)
{
    return text.contains(u"did not match any documents");
}

// A complete reply without hits that is not the service's own empty page: a refusal page, an
// error the server names by its status, or a page this service cannot read.
ServicePage pagewithouthits(const ServiceReply &reply, const Settings &settings, const QString &what = {})
{
    // The engine's pages ask nobody for credentials; some proxies refuse theirs with 401.
    if (reply.status == 401 && settings.useproxy)
        return verdictpage(Verdict::Blocked, u"proxy authentication failed"_s);
    const QString refusal = refusalpage(reply.body());
    if (!refusal.isEmpty())
        return verdictpage(Verdict::Blocked, refusal);
    if (reply.status >= 400)
        return verdictpage(Verdict::Failed, u"HTTP "_s + QString::number(reply.status));
    if (reply.body().trimmed().isEmpty())
        return verdictpage(Verdict::Unrecognised, u"empty reply"_s);
    return verdictpage(Verdict::Unrecognised, what);
}

} // namespace

ServiceTarget HtmlService::target() const
{
    return hosttarget(m_settings.searchhost);
}

QString HtmlService::request(const QString &server, const QString &host, const QString &key, Int16 page,
                             const SearchLocale &locale) const
{
    return getgoogle(m_settings, server, host, key, page, locale);
}

ServicePage HtmlService::read(const ServiceReply &reply, Int16 page, int hitsbefore) const
{
    Q_UNUSED(hitsbefore)
    ServicePage result = statusverdict(reply.status);
    if (result.verdict != Verdict::Results)
        return result;
    result.hits = numbered(geturls_google(reply.text), page);
    // A page with hits is a result page whatever words its snippets hold.
    if (!result.hits.isEmpty() || noresultspage(reply.text))
        return result;
    return pagewithouthits(reply, m_settings);
}

ServiceTarget SoapService::target() const
{
    return hosttarget(m_settings.apihost);
}

QString SoapService::request(const QString &server, const QString &host, const QString &key, Int16 page,
                             const SearchLocale &locale) const
{
    return getgoogleapi(m_settings, server, host, key, page, locale);
}

ServicePage SoapService::read(const ServiceReply &reply, Int16 page, int hitsbefore) const
{
    Q_UNUSED(hitsbefore)
    ServicePage result = statusverdict(reply.status);
    if (result.verdict != Verdict::Results)
        return result;
    const Array1<SearchHit> found = geturls_googleapi(reply.text);
    if (!found[0].fault.isEmpty())
        return verdictpage(Verdict::Fault, found[0].fault);
    result.hits = numbered(found, page);
    // The service's answer to a search, with or without result elements.
    if (!result.hits.isEmpty() || reply.text.contains(u"doGoogleSearchResponse"))
        return result;
    return pagewithouthits(reply, m_settings, u"not a reply of the SOAP service"_s);
}
