#include "htmlout.h"

#include "diagnostics/failure.h"
#include "platform/codepage.h"

#include <QIODevice>

#include <algorithm>
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
        throw Failure::cannotWrite(*m_device);
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

// Whether a browser would read a scheme other than http or https: it drops leading blanks and
// control characters and ignores tabs and line breaks before it looks for "letters:".
bool foreignscheme(QStringView url)
{
    qsizetype i = 0;
    while (i < url.size() && url[i].unicode() <= 0x20)
        ++i;
    char scheme[6] = {};
    qsizetype length = 0;
    for (; i < url.size(); ++i) {
        char16_t c = url[i].unicode();
        if (c == u'\t' || c == u'\n' || c == u'\r')
            continue;
        if (c == u':')
            return length == 0 ? false : !(qstrcmp(scheme, "http") == 0 || qstrcmp(scheme, "https") == 0);
        if (c >= u'A' && c <= u'Z')
            c += u'a' - u'A';
        const bool letter = c >= u'a' && c <= u'z';
        if (!letter && (length == 0 || !((c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.')))
            return false; // not a scheme: a relative address
        if (length < 5)
            scheme[length] = char(c);
        else
            scheme[0] = '!'; // longer than "https"
        ++length;
    }
    return false;
}

bool breaksout(QChar c)
{
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
        return true;
    default:
        return false;
    }
}

} // namespace

QString safehref(const QString &url)
{
    if (foreignscheme(url))
        return u"#"_s;
    if (std::none_of(url.begin(), url.end(), breaksout))
        return url;
    QString safe;
    safe.reserve(url.size() + 16);
    for (const QChar c : url) {
        if (breaksout(c))
            safe += u'%' + QString::number(c.unicode(), 16).toUpper().rightJustified(2, u'0');
        else
            safe += c;
    }
    return safe;
}

} // namespace reports
