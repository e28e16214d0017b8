#include "htmlout.h"

#include "diagnostics/failure.h"
#include "platform/codepage.h"

#include <QIODevice>

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr qsizetype BlockSize = 1 << 16;

} // namespace

HtmlOut::HtmlOut(QIODevice *device) : m_device(device)
{
    m_text.reserve(BlockSize + 4096);
}

void HtmlOut::endl()
{
    m_text += u"\r\n";
    if (m_text.size() >= BlockSize)
        flush();
}

void HtmlOut::lines(std::initializer_list<QStringView> texts)
{
    for (const QStringView text : texts) {
        m_text += text;
        m_text += u"\r\n";
    }
    if (m_text.size() >= BlockSize)
        flush();
}

void HtmlOut::flush()
{
    const QByteArray bytes = codepage::toBytes(m_text);
    m_text.clear();
    if (m_device->write(bytes) != bytes.size())
        throw Failure::fileError(m_device->errorString());
}

namespace reports {

QString safetext(const QString &text)
{
    if (!text.contains(u'<'))
        return text;
    static constexpr std::array<QStringView, 10> harmless{u"<b>",   u"</b>",     u"<i>",       u"</i>", u"<em>",
                                                          u"</em>", u"<strong>", u"</strong>", u"<br>", u"<wbr>"};
    QString safe;
    safe.reserve(text.size() + 16);
    const QStringView view(text);
    for (qsizetype i = 0; i < view.size(); ++i) {
        if (view[i] != u'<') {
            safe += view[i];
            continue;
        }
        const QStringView rest = view.sliced(i);
        const bool keep =
            std::any_of(harmless.begin(), harmless.end(), [&](QStringView tag) { return rest.startsWith(tag); });
        safe += keep ? u"<"_s : u"&lt;"_s;
    }
    return safe;
}

namespace {

// The scheme a browser would read: leading and trailing blanks and control characters are
// dropped and tabs and line breaks inside ignored before it looks for "letters:".
QString schemeof(const QString &url)
{
    QString bare = url;
    bare.remove(u'\t').remove(u'\n').remove(u'\r');
    qsizetype start = 0;
    while (start < bare.size() && bare[start].unicode() <= 0x20)
        ++start;
    const QStringView view = QStringView(bare).sliced(start);
    if (view.isEmpty() || !(view[0].isLetter() && view[0].unicode() < 0x80))
        return {};
    for (qsizetype i = 1; i < view.size(); ++i) {
        const char16_t c = view[i].unicode();
        if (c == u':')
            return view.first(i).toString().toLower();
        const bool schemechar = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
                                c == u'+' || c == u'-' || c == u'.';
        if (!schemechar)
            return {};
    }
    return {};
}

} // namespace

QString safehref(const QString &url)
{
    const QString scheme = schemeof(url);
    if (!scheme.isEmpty() && scheme != u"http" && scheme != u"https")
        return u"#"_s;
    QString safe;
    safe.reserve(url.size());
    for (const QChar c : url) {
        switch (c.unicode()) {
        case u' ':
        case u'"':
        case u'\'':
        case u'<':
        case u'>':
        case u'\t':
        case u'\n':
        case u'\f':
        case u'\r':
            safe += u'%' + QString::number(c.unicode(), 16).toUpper().rightJustified(2, u'0');
            break;
        default:
            safe += c;
        }
    }
    return safe;
}

} // namespace reports
