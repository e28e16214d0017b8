#include "codepage.h"

#include <QStringEncoder>

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
    // Qt's encoder writes the same bytes as toLatin1, without a string of its own.
    bytes.resize(text.size());
    QStringEncoder encoder(QStringEncoder::Latin1);
    bytes.resize(encoder.appendToBuffer(bytes.data(), text) - bytes.data());
}

} // namespace codepage
