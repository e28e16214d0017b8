#pragma once

#include <QString>

// Undoes chunked transfer coding; returns the body without headers, the text unchanged when
// it is not chunked, or the empty text when it cannot be decoded.
QString dechunk(const QString &text);
// Every line feed becomes carriage return + line feed.
QString addcr(const QString &text);
// Uniform "\r\n" line ends: line feeds become "\r\n", carriage returns are dropped.
QString addlf(const QString &text);
