#include "samplepages.h"

using namespace Qt::Literals::StringLiterals;

namespace samplepages {

QString htmlhit(const Hit &hit)
{
    return u"<p class=g><a href="_s + hit.url + u" onmousedown=\"return clk(this.href,'','','res','1','')\">"_s +
           hit.title + u"</a><br><font size=-1>"_s + hit.snippet + u"<br><font color=#008000>"_s + hit.url.mid(7) +
           u" - 12k - </font><nobr><a class=fl href=\"http://64.233.183.104/search?q=cache:x:"_s + hit.url.mid(7) +
           u"\">Cached</a> - <a class=fl href=\"/search?hl=en&lr=&q=related:"_s + hit.url.mid(7) +
           u"\">Similar&nbsp;pages</a></nobr></font>\n"_s;
}

QString htmlbody(const QList<Hit> &hits)
{
    QString body = u"<html><head><meta http-equiv=\"content-type\" content=\"text/html; charset=ISO-8859-1\">"
                   "<title>blue widgets - Google Search</title><style><!--\nbody,td,div,.p,a{font-family:arial,"
                   "sans-serif}\n.g{margin-top:1em;margin-bottom:1em}\n//--></style></head>\n<body bgcolor=#ffffff>"
                   "<table border=0 cellpadding=0 cellspacing=0 width=100%><tr><td><font size=-1>Results <b>1</b> - "
                   "<b>10</b> of about <b>2,340,000</b> for <b>blue widgets</b>.</font></td></tr></table>\n<div>"_s;
    for (const Hit &hit : hits)
        body += htmlhit(hit);
    return body + u"</div>\n<br clear=all><center><font size=-1>&copy;2005 Google</font></center></body></html>\n"_s;
}

QString soapitem(const Hit &hit)
{
    return u"<item xsi:type=\"ns1:ResultElement\"><URL xsi:type=\"xsd:string\">"_s + hit.url +
           u"</URL><cachedSize xsi:type=\"xsd:string\">12k</cachedSize><directoryCategory "
           "xsi:type=\"ns1:DirectoryCategory\"><fullViewableName xsi:type=\"xsd:string\"></fullViewableName>"
           "<specialEncoding xsi:type=\"xsd:string\"></specialEncoding></directoryCategory><directoryTitle "
           "xsi:type=\"xsd:string\"></directoryTitle><hostName xsi:type=\"xsd:string\"></hostName>"
           "<relatedInformationPresent xsi:type=\"xsd:boolean\">true</relatedInformationPresent><snippet "
           "xsi:type=\"xsd:string\">"_s +
           hit.snippet + u"</snippet><summary xsi:type=\"xsd:string\"></summary><title xsi:type=\"xsd:string\">"_s +
           hit.title + u"</title></item>\n"_s;
}

static QString envelope(const QString &inner)
{
    return u"<?xml version='1.0' encoding='UTF-8'?>\n<SOAP-ENV:Envelope "
           "xmlns:SOAP-ENV=\"http://schemas.xmlsoap.org/soap/envelope/\" "
           "xmlns:xsi=\"http://www.w3.org/1999/XMLSchema-instance\" xmlns:xsd=\"http://www.w3.org/1999/XMLSchema\">\n"
           "<SOAP-ENV:Body>\n"_s +
           inner + u"</SOAP-ENV:Body>\n</SOAP-ENV:Envelope>\n"_s;
}

QString soapbody(const QList<Hit> &hits)
{
    QString items;
    for (const Hit &hit : hits)
        items += soapitem(hit);
    return envelope(u"<ns1:doGoogleSearchResponse xmlns:ns1=\"urn:GoogleSearch\" "
                    "SOAP-ENV:encodingStyle=\"http://schemas.xmlsoap.org/soap/encoding/\">\n<return "
                    "xsi:type=\"ns1:GoogleSearchResult\">\n<directoryCategories "
                    "xmlns:ns2=\"http://schemas.xmlsoap.org/soap/encoding/\" xsi:type=\"ns2:Array\" "
                    "ns2:arrayType=\"ns1:DirectoryCategory[0]\"></directoryCategories>\n<documentFiltering "
                    "xsi:type=\"xsd:boolean\">true</documentFiltering>\n<endIndex xsi:type=\"xsd:int\">10</endIndex>\n"
                    "<estimateIsExact xsi:type=\"xsd:boolean\">false</estimateIsExact>\n<resultElements "
                    "xmlns:ns3=\"http://schemas.xmlsoap.org/soap/encoding/\" xsi:type=\"ns3:Array\" "
                    "ns3:arrayType=\"ns1:ResultElement["_s +
                    QString::number(hits.size()) + u"]\">\n"_s + items +
                    u"</resultElements>\n<searchComments xsi:type=\"xsd:string\"></searchComments>\n<searchQuery "
                    "xsi:type=\"xsd:string\">blue widgets</searchQuery>\n</return>\n"
                    "</ns1:doGoogleSearchResponse>\n"_s);
}

QString soapfault(const QString &faultstring)
{
    return envelope(u"<SOAP-ENV:Fault>\n<faultcode>SOAP-ENV:Server.Exception:</faultcode>\n<faultstring>"_s +
                    faultstring +
                    u"</faultstring>\n<faultactor>/search/beta2</faultactor>\n<detail><stackTrace>"
                    "com.google.soap.search.GoogleSearchFault</stackTrace></detail>\n</SOAP-ENV:Fault>\n"_s);
}

static QString statusandheaders(const QString &contentType)
{
    return u"HTTP/1.1 200 OK\r\nCache-Control: private\r\nContent-Type: "_s + contentType +
           u"\r\nServer: GWS/2.1\r\nDate: Tue, 14 Jun 2005 09:12:44 GMT\r\nConnection: Close\r\n"_s;
}

QString response(const QString &body, const QString &contentType)
{
    return statusandheaders(contentType) + u"\r\n"_s + body;
}

QString chunkedresponse(const QString &body, int chunksize, bool uppercase)
{
    QString out = statusandheaders(u"text/html; charset=ISO-8859-1"_s) + u"Transfer-Encoding: chunked\r\n\r\n"_s;
    for (qsizetype pos = 0; pos < body.size(); pos += chunksize) {
        const QString chunk = body.mid(pos, chunksize);
        QString size = QString::number(chunk.size(), 16);
        out += (uppercase ? size.toUpper() : size) + u"\r\n"_s + chunk + u"\r\n"_s;
    }
    return out + u"0\r\n\r\n"_s;
}

QList<Hit> widgethits()
{
    return {
        {u"http://www.bluewidgets.com/"_s, u"<b>Blue Widgets</b> Inc. - Home"_s,
         u"Makers of fine <b>blue widgets</b> since 1987.\nFree shipping on all orders ..."_s},
        {u"http://en.example.org/wiki/Widget"_s, u"Widget - Wikipedia"_s,
         u"A <b>widget</b> is a small gadget. <b>...</b> <br>Not to be confused with gizmo."_s},
        {u"http://shop.example.net/widgets?colour=blue&size=2"_s, u"Cheap <b>blue</b> widgets"_s,
         u"Compare prices on <b>blue widgets</b> &amp; more"_s},
    };
}

} // namespace samplepages
