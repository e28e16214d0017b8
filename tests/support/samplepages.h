#pragma once

#include <QList>
#include <QString>

// Replies shaped like the search engine's, for tests, the fuzz corpus and benchmarks.
namespace samplepages {

struct Hit
{
    QString url;
    QString title;   // as the page carries it (HTML markup, or escaped once for SOAP)
    QString snippet; // likewise
};

// The organic hit markup of the mid-2000s result page.
QString htmlhit(const Hit &hit);
// A complete result page body around the given hits.
QString htmlbody(const QList<Hit> &hits);
// One item of a SOAP resultElements array.
QString soapitem(const Hit &hit);
QString soapbody(const QList<Hit> &hits);
QString soapfault(const QString &faultstring);

// Status line and headers ending in the empty line, then the body as it is.
QString response(const QString &body, const QString &contentType = QStringLiteral("text/html; charset=ISO-8859-1"));
// The same with chunked transfer coding, split into chunks of at most `chunksize` characters
// whose sizes are written in upper or lower-case hexadecimal.
QString chunkedresponse(const QString &body, int chunksize, bool uppercase = false);

// Three ordinary hits with bold words, as a page for "blue widgets" would show them.
QList<Hit> widgethits();

} // namespace samplepages
