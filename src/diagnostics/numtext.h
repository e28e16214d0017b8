#pragma once

#include "diagnostics/int16.h"

#include <QStringView>

// Numbers typed into boxes and stored in files are read from the beginning of the text:
// leading blanks skipped, an optional sign, digits and an optional fraction; a text that does
// not begin with a number has the value 0. "12abc" is 12, "x" is 0, " -3.5" is -3.5.
double numvalue(QStringView text);

// The numeric value rounded to the nearest whole number, halves to even, as a 16-bit value:
// a value outside -32768..32767 is an Overflow failure.
Int16 int16value(QStringView text);

// A number that must be the whole text, as a stored count or position is: blanks around it, an
// optional sign, digits and an optional fraction, rounded halves to even. Anything else is a
// Type mismatch failure; a value outside -32768..32767 is an Overflow failure.
Int16 cint(QStringView text);
