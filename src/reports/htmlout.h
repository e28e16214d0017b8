#pragma once

#include <QString>
#include <QStringView>

#include <initializer_list>

class QIODevice;

// The text stream of a report: pieces run on, lines end in "\r\n", and everything goes out as
// 8-bit text in large blocks. A device that takes less than it is given fails the report.
class HtmlOut final
{
public:
    explicit HtmlOut(QIODevice *device);

    // A piece without a line break.
    HtmlOut &operator<<(QStringView text)
    {
        m_text += text;
        return *this;
    }
    HtmlOut &operator<<(int number)
    {
        m_text += QString::number(number);
        return *this;
    }
    // Ends the current line.
    void endl();
    void lines(std::initializer_list<QStringView> texts);
    // Hands everything to the device; throws when the device does not take it all.
    void flush();

private:
    QIODevice *m_device;
    QString m_text;
};

namespace reports {

// A title, snippet or URL text from a result page, made safe to show: the "<" of any tag but
// <b>, </b>, <i>, </i>, <em>, </em>, <strong>, </strong>, <br> and <wbr> becomes "&lt;".
QString safetext(const QString &text);
// A URL from a result page as the value of a href in double quotes: white space, quotes, "<" and
// ">" in percent form, "&" as "&amp;", and "#" for a URL whose scheme, read as a browser reads it
// (character references decoded, tabs and line breaks dropped), is not http or https.
QString safehref(const QString &url);
// The text with its character references decoded, as a browser decodes an attribute's value.
QString decodereferences(QStringView text);

} // namespace reports
