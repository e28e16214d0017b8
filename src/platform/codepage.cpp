#include "codepage.h"

namespace codepage {

QString toText(QByteArrayView bytes)
{
    return QString::fromLatin1(bytes.data(), bytes.size());
}

void appendText(QString &text, QByteArrayView bytes)
{
    text.append(QLatin1StringView(bytes.data(), bytes.size()));
}

QByteArray toBytes(QStringView text)
{
    return text.toLatin1();
}

void toBytes(QStringView text, ShortBytes &bytes)
{
    bytes.resize(text.size());
    const char16_t *from = text.utf16();
    char *to = bytes.data();
    for (const char16_t *end = from + text.size(); from != end; ++from, ++to)
        *to = *from > 0xFF ? '?' : char(*from);
}

} // namespace codepage
