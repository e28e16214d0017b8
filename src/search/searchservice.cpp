#include "searchservice.h"

#include "apiservices.h"
#include "chunked.h"
#include "diagnostics/guard.h"
#include "hostport.h"
#include "jsonservices.h"
#include "pageservices.h"

#include <QUrl>

using namespace Qt::Literals::StringLiterals;

namespace {

// The end of the header block: the position after its empty line, or -1.
qsizetype bodystart(QStringView raw)
{
    // Only a bare "\n\n" before the first "\r\n\r\n" can end the block; looking for one in a
    // large body after it would cost a pass over the whole reply.
    const qsizetype crlf = raw.indexOf(u"\r\n\r\n");
    const qsizetype lf = (crlf >= 0 ? raw.first(crlf) : raw).indexOf(u"\n\n");
    if (crlf >= 0 && (lf < 0 || crlf < lf))
        return crlf + 4;
    return lf >= 0 ? lf + 2 : -1;
}

int statuscode(QStringView raw)
{
    // "HTTP/1.1 429 Too Many Requests"
    if (!raw.startsWith(u"HTTP/"))
        return 0;
    const qsizetype space = raw.indexOf(u' ');
    if (space < 0 || space + 4 > raw.size())
        return 0;
    bool ok = false;
    const int code = raw.sliced(space + 1, 3).toInt(&ok);
    return ok ? code : 0;
}

} // namespace

QString ServiceReply::header(QStringView name) const
{
    for (QStringView line : QStringView(headers).split(u'\n')) {
        const qsizetype colon = line.indexOf(u':');
        if (colon > 0 && line.first(colon).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return line.sliced(colon + 1).trimmed().toString();
    }
    return {};
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
