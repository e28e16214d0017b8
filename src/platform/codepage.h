#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <QVarLengthArray>

// Files and the wire carry 8-bit text. Each byte maps to the character of the same code
// (ISO 8859-1), so any byte sequence read in is written out again unchanged; characters
// above 255 cannot be represented and are written as "?".
namespace codepage {

QString toText(QByteArrayView bytes);
// Appends the bytes' characters to `text` without an intermediate copy.
void appendText(QString &text, QByteArrayView bytes);
QByteArray toBytes(QStringView text);
// The same into a buffer that holds a short text, such as a key name, without the heap.
using ShortBytes = QVarLengthArray<char, 128>;
void toBytes(QStringView text, ShortBytes &bytes);

} // namespace codepage
