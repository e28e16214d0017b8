#include "htmlout.h"

#include "diagnostics/failure.h"
#include "platform/codepage.h"

#include <QHash>
#include <QIODevice>

#include <algorithm>
#include <array>
#include <optional>

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

// The character the reference at `at` ("&#58;", "&#x3A", "&colon;" ...) stands for, with `end`
// just past it; none when no reference starts there. Numbers decode with or without their ";";
// of the names, those of the characters that can make up a scheme, with or without it too.
std::optional<char32_t> reference(QStringView text, qsizetype at, qsizetype &end)
{
    qsizetype i = at + 1;
    if (i < text.size() && text[i] == u'#') {
        const bool hex = i + 1 < text.size() && (text[i + 1] == u'x' || text[i + 1] == u'X');
        i += hex ? 2 : 1;
        const qsizetype digits = i;
        char32_t value = 0;
        for (; i < text.size(); ++i) {
            const char16_t c = text[i].unicode();
            int digit = -1;
            if (c >= u'0' && c <= u'9')
                digit = c - u'0';
            else if (hex && (c | 0x20) >= u'a' && (c | 0x20) <= u'f')
                digit = (c | 0x20) - u'a' + 10;
            if (digit < 0)
                break;
            value = qMin<char32_t>(value * (hex ? 16 : 10) + char32_t(digit), 0x110000);
        }
        if (i == digits)
            return std::nullopt;
        end = i < text.size() && text[i] == u';' ? i + 1 : i;
        const bool invalid = value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF);
        return invalid ? char32_t(0xFFFD) : value;
    }
    static const QHash<QString, char32_t> names{
        {u"colon"_s, U':'}, {u"Tab"_s, U'\t'}, {u"NewLine"_s, U'\n'}, {u"plus"_s, U'+'}, {u"period"_s, U'.'}};
    while (i < text.size() && i - at <= 8 && text[i].isLetterOrNumber() && text[i].unicode() < 0x80)
        ++i;
    const auto found = names.constFind(text.sliced(at + 1, i - at - 1).toString());
    if (found == names.constEnd())
        return std::nullopt;
    end = i < text.size() && text[i] == u';' ? i + 1 : i;
    return *found;
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
    if (foreignscheme(decodereferences(url)))
        return u"#"_s;
    if (std::none_of(url.begin(), url.end(), [](QChar c) { return breaksout(c) || c == u'&'; }))
        return url;
    QString safe;
    safe.reserve(url.size() + 16);
    for (const QChar c : url) {
        if (breaksout(c))
            safe += u'%' + QString::number(c.unicode(), 16).toUpper().rightJustified(2, u'0');
        else if (c == u'&')
            safe += u"&amp;"_s;
        else
            safe += c;
    }
    return safe;
}

QString decodereferences(QStringView text)
{
    QString decoded;
    decoded.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype end = i;
        const std::optional<char32_t> c = text[i] == u'&' ? reference(text, i, end) : std::nullopt;
        if (!c) {
            decoded += text[i];
            continue;
        }
        decoded += QString::fromUcs4(&*c, 1);
        i = end - 1;
    }
    return decoded;
}

} // namespace reports
