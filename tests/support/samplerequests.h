#pragma once

#include <QString>

// Request texts written out in full, to compare with what goes on the wire.
namespace samplerequests {

// The lines of the HTML-page request after the request line (and any proxy line), up to the
// Host line.
inline const QString htmlheaders =
    QStringLiteral("Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
                   "application/vnd.ms-powerpoint, application/vnd.ms-excel, application/msword, */*\r\n"
                   "Accept-Language: en, *\r\n"
                   "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1; .NET CLR 1.0.3705)\r\n"
                   "Connection: close\r\n");

// The SOAP request after the request line (and any proxy line) to host api.google.com, with the
// API key "KEY", for page 3 of the keyword `say "hi" &amp; <b>`.
inline const QString soaptail = QStringLiteral(
    "Accept: text/html, image/gif, image/jpeg, */*\r\n"
    "Accept-Language: en, *\r\n"
    "Accept-Charset: iso-8859-1, utf-8, *\r\n"
    "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1; .NET CLR 1.0.3705)\r\n"
    "Content-Type: text/xml\r\n"
    "Connection: close\r\n"
    "Host: api.google.com\r\n"
    "Content-Length:806\r\n"
    "\r\n"
    "<?xml version='1.0' encoding='UTF-8'?><SOAP-ENV:Envelope "
    "xmlns:SOAP-ENV=\"http://schemas.xmlsoap.org/soap/envelope/\" "
    "xmlns:xsi=\"http://www.w3.org/1999/XMLSchema-instance\" xmlns:xsd=\"http://www.w3.org/1999/XMLSchema\">"
    "<SOAP-ENV:Body><ns1:doGoogleSearch xmlns:ns1=\"urn:GoogleSearch\" "
    "SOAP-ENV:encodingStyle=\"http://schemas.xmlsoap.org/soap/encoding/\">"
    "<key xsi:type=\"xsd:string\">KEY</key><q xsi:type=\"xsd:string\">say+%22hi%22+&amp;+<b></q>"
    "<start xsi:type=\"xsd:int\">30</start><maxResults xsi:type=\"xsd:int\">10</maxResults>"
    "<filter xsi:type=\"xsd:boolean\">false</filter><restrict xsi:type=\"xsd:string\"></restrict>"
    "<safeSearch xsi:type=\"xsd:boolean\">false</safeSearch><lr xsi:type=\"xsd:string\"></lr>"
    "<ie xsi:type=\"xsd:string\"></ie><oe xsi:type=\"xsd:string\"></oe></ns1:doGoogleSearch>"
    "</SOAP-ENV:Body></SOAP-ENV:Envelope>");

} // namespace samplerequests
