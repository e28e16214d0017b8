#pragma once

#include "diagnostics/int16.h"

#include <QLatin1StringView>
#include <QStringView>

// The program's one reading of numbers from text, for the numbers typed into boxes and those
// stored in files. Every reader starts at the beginning of the text: leading blanks (spaces
// and tabs) skipped, an optional sign, then decimal digits; a text that does not begin with a
// number has the value 0. There is no exponent and no group separator: "1e2" is 1, "1,5" is 1.

// The value with an optional fraction after a ".": "12abc" is 12, " -3.5x" is -3.5, "x" is 0.
double numvalue(QStringView text);

// The value rounded to the nearest whole number, halves to even, as a 16-bit value: a value
// outside -32768..32767 is an Overflow failure. The page depth box is read this way.
Int16 int16value(QStringView text);

// The whole number of the digits up to the first non-digit, a fraction ignored ("12.7" is
// 12): how stored integers are read. Very long digit runs stay far out of the 16-bit range
// instead of wrapping.
long long leadingnumber(QStringView text);
// The same of 8-bit text, such as a value as a file stores it.
long long leadingnumber(QLatin1StringView text);

// A number that must be the whole text, as a stored count or position is: blanks around it, an
// optional sign, digits and an optional fraction, rounded halves to even. Anything else is a
// Type mismatch failure; a value outside -32768..32767 is an Overflow failure.
Int16 cint(QStringView text);
