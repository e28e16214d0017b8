// Throughput of the reply decoders and scanners on a large synthetic reply, best of five runs.
// Build with -DCMAKE_BUILD_TYPE=Release for figures worth quoting.
#include "search/chunked.h"
#include "search/parsers.h"

#include <QElapsedTimer>
#include <QTextStream>

#include <functional>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr qsizetype kLarge = 20'000'000;
// What one result page of ten hits weighs, give or take.
constexpr qsizetype kPage = 30'000;

// Result pages carry a lot of markup between hits (ads, scripts, navigation); about 2 KB per
// hit also keeps a 20 MB page below the 32767 hits a parse result can hold.
QString filler(int n)
{
    return u"<table cellpadding=0 cellspacing=0 border=0><tr><td class=j><font size=-1><a href=\"/aclk?sa=l&ai=B"_s +
           QString::number(n) + u"\" id=an"_s + QString::number(n % 10) +
           u">Sponsored link</a></font></td></tr></table><script>window.gbar={qs:function(){}};</script>\n"_s;
}

QString htmlpage(qsizetype target)
{
    QString page = u"HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=ISO-8859-1\r\nServer: GWS/2.1\r\n\r\n"_s;
    for (int n = 0; page.size() < target; ++n) {
        const QString host = u"www.site"_s + QString::number(n) + u".example.com"_s;
        page +=
            u"<p class=g><a href=http://"_s + host +
            u"/blue/widgets.html onmousedown=\"return clk(this.href,'','','res','"_s + QString::number(n % 10 + 1) +
            u"','')\"><b>Blue widgets</b> and gadgets - "_s + host +
            u"</a><br><font size=-1>Buy <b>blue widgets</b> online. Free shipping on orders over $25.\n"
            "Compare prices, read reviews <b>...</b> Widgets in every colour since 1987.<br><font "
            "color=#008000>"_s +
            host +
            u"/blue/widgets.html - 12k - </font><nobr><a class=fl href=\"http://64.233.183.104/search?q=cache:x:"_s +
            host + u"\">Cached</a> - <a class=fl href=\"/search?hl=en&lr=&q=related:"_s + host +
            u"\">Similar&nbsp;pages</a></nobr></font>\n"_s;
        for (int k = 0; k < 6; ++k)
            page += filler(n * 6 + k);
    }
    return page;
}

QString soappage(qsizetype target)
{
    QString page = u"HTTP/1.1 200 OK\r\nContent-Type: text/xml; charset=utf-8\r\n\r\n<?xml version='1.0' "
                   "encoding='UTF-8'?>\n<SOAP-ENV:Envelope><SOAP-ENV:Body><resultElements>\n"_s;
    for (int n = 0; page.size() < target; ++n) {
        const QString host = u"www.site"_s + QString::number(n) + u".example.com"_s;
        page += u"<item xsi:type=\"ns1:ResultElement\"><URL xsi:type=\"xsd:string\">http://"_s + host +
                u"/blue/widgets.html</URL><cachedSize xsi:type=\"xsd:string\">12k</cachedSize><directoryCategory "
                "xsi:type=\"ns1:DirectoryCategory\"><fullViewableName xsi:type=\"xsd:string\">Top/Shopping/Widgets"
                "</fullViewableName><specialEncoding xsi:type=\"xsd:string\"></specialEncoding></directoryCategory>"
                "<directoryTitle xsi:type=\"xsd:string\">Blue Widgets</directoryTitle><hostName "
                "xsi:type=\"xsd:string\"></hostName><relatedInformationPresent xsi:type=\"xsd:boolean\">true"
                "</relatedInformationPresent><snippet xsi:type=\"xsd:string\">Buy &lt;b&gt;blue widgets&lt;/b&gt; "
                "online &amp; save. Free shipping on orders over $25.&lt;br&gt; Compare prices, read reviews "
                "&lt;b&gt;...&lt;/b&gt;</snippet><summary xsi:type=\"xsd:string\">Makers of widgets in every "
                "colour since 1987, with stores in forty countries and a catalogue of more than a thousand "
                "widgets, gadgets and gizmos.</summary><title xsi:type=\"xsd:string\">&lt;b&gt;Blue "
                "widgets&lt;/b&gt; and gadgets</title></item>\n"_s;
    }
    return page + u"</resultElements></SOAP-ENV:Body></SOAP-ENV:Envelope>\n"_s;
}

QString chunked(const QString &page)
{
    const qsizetype bodystart = page.indexOf(u"\r\n\r\n") + 4;
    QString out = page.left(bodystart - 2) + u"Transfer-Encoding: chunked\r\n\r\n"_s;
    for (qsizetype pos = bodystart; pos < page.size(); pos += 4096) {
        const QStringView chunk = QStringView(page).sliced(pos, qMin<qsizetype>(4096, page.size() - pos));
        out += QString::number(chunk.size(), 16) + u"\r\n"_s + chunk + u"\r\n"_s;
    }
    return out + u"0\r\n\r\n"_s;
}

void measure(const char *name, qsizetype chars, const std::function<qsizetype()> &run)
{
    qint64 best = std::numeric_limits<qint64>::max();
    qsizetype check = 0;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer timer;
        timer.start();
        check = run();
        best = qMin(best, timer.nsecsElapsed());
    }
    const double mbps = double(chars) / 1e6 / (double(best) / 1e9);
    QTextStream out(stdout);
    out << qSetFieldWidth(18) << Qt::left << name << qSetFieldWidth(0) << QString::number(mbps, 'f', 0) << " MB/s  ("
        << QString::number(double(chars) / 1e6, 'f', 1) << " MB, " << check << ")\n";
}

} // namespace

// The same work on many page-sized replies, totalling as much as one large reply.
template <typename Run> qsizetype repeated(const QString &page, Run run)
{
    qsizetype check = 0;
    for (qsizetype done = 0; done < kLarge; done += page.size())
        check += run(page);
    return check;
}

int main()
{
    const QString html = htmlpage(kLarge);
    const QString soap = soappage(kLarge);
    const QString wire = chunked(html);
    QTextStream(stdout) << "One reply of 20 MB:\n";
    measure("geturls_google", html.size(), [&] { return qsizetype(geturls_google(html).ubound()); });
    measure("geturls_googleapi", soap.size(), [&] { return qsizetype(geturls_googleapi(soap).ubound()); });
    measure("dechunk", wire.size(), [&] { return dechunk(wire).size(); });
    measure("addcr", html.size(), [&] { return addcr(html).size(); });

    const QString smallhtml = htmlpage(kPage);
    const QString smallsoap = soappage(kPage);
    const QString smallwire = chunked(smallhtml);
    const auto total = [](const QString &page) { return (kLarge + page.size() - 1) / page.size() * page.size(); };
    QTextStream(stdout) << "Replies of " << smallhtml.size() / 1000 << " KB, 20 MB in all:\n";
    measure("geturls_google", total(smallhtml), [&] {
        return repeated(smallhtml, [](const QString &p) { return qsizetype(geturls_google(p).ubound()); });
    });
    measure("geturls_googleapi", total(smallsoap), [&] {
        return repeated(smallsoap, [](const QString &p) { return qsizetype(geturls_googleapi(p).ubound()); });
    });
    measure("dechunk", total(smallwire),
            [&] { return repeated(smallwire, [](const QString &p) { return dechunk(p).size(); }); });
    measure("addcr", total(smallhtml),
            [&] { return repeated(smallhtml, [](const QString &p) { return addcr(p).size(); }); });
    return 0;
}
