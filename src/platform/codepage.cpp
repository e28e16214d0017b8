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

} // namespace codepage
