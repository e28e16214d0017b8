#include "jsonline.h"

using namespace Qt::Literals::StringLiterals;

QString JsonLine::quote(QStringView text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += u'"';
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'"':
            out += u"\\\""_s;
            break;
        case u'\\':
            out += u"\\\\"_s;
            break;
        case u'\n':
            out += u"\\n"_s;
            break;
        case u'\r':
            out += u"\\r"_s;
            break;
        case u'\t':
            out += u"\\t"_s;
            break;
        default:
            if (c.unicode() < 0x20)
                out += u"\\u"_s + QString::number(c.unicode(), 16).rightJustified(4, u'0');
            else
                out += c;
        }
    }
    out += u'"';
    return out;
}

JsonLine &JsonLine::addRaw(QStringView key, const QString &json)
{
    if (!m_body.isEmpty())
        m_body += u',';
    m_body += quote(key) + u':' + json;
    return *this;
}

JsonLine &JsonLine::add(QStringView key, const QString &value)
{
    return addRaw(key, quote(value));
}

JsonLine &JsonLine::add(QStringView key, qint64 value)
{
    return addRaw(key, QString::number(value));
}

JsonLine &JsonLine::add(QStringView key, const QStringList &values)
{
    QString array = u"["_s;
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i > 0)
            array += u',';
        array += quote(values.at(i));
    }
    return addRaw(key, array + u']');
}

QString JsonLine::text() const
{
    return u'{' + m_body + u'}';
}
