#pragma once

#include "array1.h"
#include "session.h"

#include <QString>

// Marker scanners over a complete response (headers included). Element 0 of the result is
// never a hit; only its `fault` carries the SOAP fault text.
Array1<SearchHit> geturls_google(const QString &page);
Array1<SearchHit> geturls_googleapi(const QString &page);
// Decodes the "lt" and "gt" entities and drops every other one.
QString addtags(const QString &text);
// Removes all markup; a plain line-break tag becomes "\r\n".
QString remtags(const QString &text);
