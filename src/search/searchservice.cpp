#include "searchservice.h"

#include "apiservices.h"
#include "chunked.h"
#include "diagnostics/guard.h"
#include "hostport.h"
#include "jsonservices.h"
#include "pageservices.h"
#include "replyhead.h"

#include <QUrl>

using namespace Qt::Literals::StringLiterals;

QString ServiceReply::header(QStringView name) const
{
    return headervalue(headers, name).toString();
}

ServiceReply splitreply(const QString &raw, bool withtext)
{
    ServiceReply reply;
    guard("Fetcher", "Function splitreply", [&] {
        const QStringView view(raw);
        reply.status = statuscode(view);
        const qsizetype start = reply.status != 0 ? bodystart(view) : -1;
        if (start >= 0) {
            const qsizetype firstline = view.indexOf(u'\n');
            reply.headers = view.sliced(firstline + 1, start - firstline - 1).toString();
        }
        const QString decoded = dechunk(raw);
        // Undecoded, the text is the reply itself; decoded, it is the body alone.
        // The text comes back shared when there was nothing to decode; comparing it would cost
        // a pass over the whole reply.
        const bool chunked = !decoded.isSharedWith(raw) && (decoded.size() != raw.size() || decoded != raw);
        reply.source = decoded;
        if (!chunked)
            reply.bodyfrom = start >= 0 ? start : (reply.status != 0 ? raw.size() : 0);
        if (withtext)
            reply.text = addcr(decoded);
    });
    return reply;
}

QStringList enginenames()
{
    return {engines::html, engines::soap, engines::searxng, engines::serpapi, engines::brave, engines::serper};
}

QString enginename(const Settings &settings)
{
    const QString name = settings.engine.trimmed().toLower();
    return enginenames().contains(name) ? name : engines::html;
}

bool isjsonengine(const QString &engine)
{
    return engine == engines::searxng || needsenginekey(engine);
}

bool needsenginekey(const QString &engine)
{
    return engine == engines::serpapi || engine == engines::brave || engine == engines::serper;
}

bool usesoap(const Settings &settings)
{
    return settings.useapi || enginename(settings) == engines::soap;
}

std::unique_ptr<SearchService> makeservice(const Settings &settings, bool useapi)
{
    const QString name = enginename(settings);
    if (name == engines::searxng)
        return std::make_unique<SearxngService>(settings);
    if (name == engines::serpapi)
        return std::make_unique<SerpApiService>(settings);
    if (name == engines::brave)
        return std::make_unique<BraveService>(settings);
    if (name == engines::serper)
        return std::make_unique<SerperService>(settings);
    if (useapi)
        return std::make_unique<SoapService>(settings);
    return std::make_unique<HtmlService>(settings);
}

ServiceTarget parseengineurl(const QString &text)
{
    ServiceTarget target;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        target.problem = u"no service address is set"_s;
        return target;
    }
    const QUrl url(trimmed.contains(u"://"_s) ? trimmed : u"http://"_s + trimmed, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != u"http" && scheme != u"https") || url.hasQuery() ||
        url.hasFragment() || !url.userInfo().isEmpty()) {
        target.problem = u"the service address \""_s + trimmed + u"\" is not an http:// or https:// address"_s;
        return target;
    }
    target.tls = scheme == u"https";
    const int defaultport = target.tls ? 443 : 80;
    const int port = url.port(defaultport);
    target.port = QString::number(port);
    const QString name = url.host().contains(u':') ? u'[' + url.host() + u']' : url.host();
    target.host = (target.tls ? u"https://"_s : QString()) + name;
    if (port != defaultport)
        target.host += u':' + target.port;
    target.prefix = url.path(QUrl::FullyEncoded);
    while (target.prefix.endsWith(u'/'))
        target.prefix.chop(1);
    return target;
}

QString HttpRequest::text() const
{
    QString out = method + u' ' + path + u" HTTP/1.1\r\n"_s;
    for (const auto &[name, value] : headers)
        out += name + u": "_s + value + u"\r\n"_s;
    if (!body.isEmpty())
        out += u"Content-Length: "_s + QString::number(body.size()) + u"\r\n"_s;
    out += u"\r\n"_s + QString::fromLatin1(body);
    return out;
}

ServicePage verdictpage(Verdict verdict, const QString &detail)
{
    ServicePage page;
    page.verdict = verdict;
    page.status = verdictstatus(verdict, detail);
    return page;
}

ServicePage statusverdict(int status)
{
    if (status == 407)
        return verdictpage(Verdict::Blocked, u"proxy authentication failed"_s);
    // A redirect leads away from the results, to a consent or a "sorry" page.
    if ((status >= 300 && status <= 399) || status == 403 || status == 429 || status == 503)
        return verdictpage(Verdict::Blocked, u"HTTP "_s + QString::number(status));
    return {};
}
