#include "requests.h"

#include "diagnostics/guard.h"
#include "requesttarget.h"

#include <QUrl>

using namespace Qt::Literals::StringLiterals;

// The helpers below are not guarded on purpose: a failure in them (the start value's
// overflow) belongs to the builder that called them, which then returns what it had.
namespace {

const QString crlf = u"\r\n"_s;

// The result offset of the page, in 16-bit arithmetic as the page counter itself.
QString startvalue(Int16 page)
{
    if (page == 0)
        return u"0"_s;
    Int16 start = page;
    start *= 10;
    return strip(QString::number(int(start)));
}

bool proxyform(const QString &server, const QString &host)
{
    return server != host;
}

// The Proxy-Authorization line goes only to the proxy itself.
QString proxyline(const Settings &settings, const QString &server, const QString &host)
{
    return proxyform(server, host) ? proxyauthorization(proxycredentials(settings)) : QString();
}

// The page's language and country: "hl=en" as always, or the locale's.
QString pagelocale(const SearchLocale &locale)
{
    const auto encoded = [](const QString &text) { return QString::fromLatin1(QUrl::toPercentEncoding(text)); };
    QString parameters = u"hl="_s + (locale.language.isEmpty() ? u"en"_s : encoded(locale.language));
    if (!locale.country.isEmpty())
        parameters += u"&gl="_s + encoded(locale.country);
    return parameters;
}

QString soapbody(const QString &apikey, const QString &query, const QString &start, const SearchLocale &locale)
{
    // The SOAP service restricts language and country by its own values: "lang_de", "countryDE".
    const QString lr = locale.language.isEmpty() ? QString() : u"lang_"_s + locale.language;
    const QString restrict = locale.country.isEmpty() ? QString() : u"country"_s + locale.country.toUpper();
    return u"<?xml version='1.0' encoding='UTF-8'?>"
           u"<SOAP-ENV:Envelope xmlns:SOAP-ENV=\"http://schemas.xmlsoap.org/soap/envelope/\""
           u" xmlns:xsi=\"http://www.w3.org/1999/XMLSchema-instance\""
           u" xmlns:xsd=\"http://www.w3.org/1999/XMLSchema\">"
           u"<SOAP-ENV:Body>"
           u"<ns1:doGoogleSearch xmlns:ns1=\"urn:GoogleSearch\""
           u" SOAP-ENV:encodingStyle=\"http://schemas.xmlsoap.org/soap/encoding/\">"
           u"<key xsi:type=\"xsd:string\">"_s +
           apikey + u"</key><q xsi:type=\"xsd:string\">"_s + query + u"</q><start xsi:type=\"xsd:int\">"_s + start +
           u"</start>"
           u"<maxResults xsi:type=\"xsd:int\">10</maxResults>"
           u"<filter xsi:type=\"xsd:boolean\">false</filter>"
           u"<restrict xsi:type=\"xsd:string\">"_s +
           restrict +
           u"</restrict>"
           u"<safeSearch xsi:type=\"xsd:boolean\">false</safeSearch>"
           u"<lr xsi:type=\"xsd:string\">"_s +
           lr +
           u"</lr>"
           u"<ie xsi:type=\"xsd:string\"></ie>"
           u"<oe xsi:type=\"xsd:string\"></oe>"
           u"</ns1:doGoogleSearch>"
           u"</SOAP-ENV:Body>"
           u"</SOAP-ENV:Envelope>"_s;
}

} // namespace

QString getgoogle(const Settings &settings, const QString &server, const QString &host, const QString &key, Int16 page,
                  const SearchLocale &locale)
{
    QString result;
    guard("Requests", "Function getgoogle", [&] {
        const QString start = startvalue(page);
        QString query = key;
        query.replace(u' ', u'+');
        const QString path = u"/search?"_s + pagelocale(locale) + u"&ie=UTF-8&start="_s + start + u"&q="_s + query;
        if (proxyform(server, host))
            result = u"GET http://"_s + host + path + u" HTTP/1.1"_s + crlf;
        else
            result = u"GET "_s + path + u" HTTP/1.1"_s + crlf;
        result += proxyline(settings, server, host);
        result += u"Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
                  u"application/vnd.ms-powerpoint, application/vnd.ms-excel, application/msword, */*"_s +
                  crlf;
        result += u"Accept-Language: en, *"_s + crlf;
        result += useragent() + crlf;
        result += u"Connection: close"_s + crlf;
        result += u"Host: "_s + host + crlf;
        result += crlf;
    });
    return result;
}

QString getgoogleapi(const Settings &settings, const QString &server, const QString &host, const QString &key,
                     Int16 page, const SearchLocale &locale)
{
    QString result;
    guard("Requests", "Function getgoogleapi", [&] {
        const QString start = startvalue(page);
        QString query = key;
        query.replace(u' ', u'+');
        query.replace(u'"', u"%22"_s);
        const QString body = soapbody(settings.apikey, query, start, locale);
        // Through a proxy the SOAP call goes out as HTTP/1.0.
        if (proxyform(server, host))
            result = u"POST http://"_s + host + u"/search/beta2 HTTP/1.0"_s + crlf;
        else
            result = u"POST /search/beta2 HTTP/1.1"_s + crlf;
        result += proxyline(settings, server, host);
        result += u"Accept: text/html, image/gif, image/jpeg, */*"_s + crlf;
        result += u"Accept-Language: en, *"_s + crlf;
        result += u"Accept-Charset: iso-8859-1, utf-8, *"_s + crlf;
        result += useragent() + crlf;
        result += u"Content-Type: text/xml"_s + crlf;
        result += u"Connection: close"_s + crlf;
        result += u"Host: "_s + host + crlf;
        // One byte per character on the wire, so the character count is the byte count.
        result += u"Content-Length:"_s + QString::number(body.size()) + crlf;
        result += crlf + body;
    });
    return result;
}

QString useragent()
{
    return u"User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1; .NET CLR 1.0.3705)"_s;
}

QString strip(const QString &text)
{
    QString result;
    guard("Requests", "Function strip", [&] { result = text.startsWith(u' ') ? text.mid(1) : text; });
    return result;
}
