#pragma once

#include <QString>

class QIODevice;

// A history file as daily checks of many keywords write it, through the history writer: the
// domain mysite.example with `keywords` keywords and othersite.example with a few, one record a
// day from 1 January 2025. Each keyword's top ten comes from pages of 2,000 other sites that
// change places a little from day to day, some of them a site's root URL; mysite.example is
// found for about half the keywords, rarely in the top ten. The same seed gives the same bytes.
namespace samplehistory {

inline const QString Domain = QStringLiteral("mysite.example");

// Days `first` to `first` + days - 1 (0 is 1 January 2025).
void write(QIODevice &out, int days, int keywords, unsigned seed = 1, int first = 0);
// The text of keyword k (from 1).
QString keyword(int k);

} // namespace samplehistory
