#include "parsers.h"

#include "diagnostics/guard.h"

using namespace Qt::Literals::StringLiterals;

// Both scanners walk the reply once, looking for fixed markers; they are deliberately not HTML
// or XML parsers, so a reply that is not what we expect simply yields fewer hits.
//
// Positions below are 0-based. An inner walk examines the characters after its start up to and
// including the last one of the text; when it runs out, nothing is stored for the marker at
// hand and the scan is over. The outer scan only looks at positions before size - 20 (so a
// reply of 20 characters or fewer has no hits).

namespace {

constexpr QStringView kHitMarker = u"<p class=g><a href=";
constexpr qsizetype kTail = 20;

// In-place comparison; never builds a substring.
inline bool at(QStringView text, qsizetype pos, QStringView marker)
{
    return pos + marker.size() <= text.size() && text.sliced(pos, marker.size()) == marker;
}

// The first position after `from` holding c, or -1 when the text ends first.
inline qsizetype after(QStringView text, qsizetype from, QChar c)
{
    return from + 1 < text.size() ? text.indexOf(c, from + 1) : -1;
}

// The snippet of an HTML hit, starting inside a tag; -1 when the text ends before the next
// "<font" that follows some collected text.
qsizetype collectabstract(QStringView text, qsizetype pos, QString &abstract)
{
    bool intag = true;
    const qsizetype last = text.size() - 1;
    while (pos < last) {
        ++pos;
        const char16_t c = text[pos].unicode();
        if (c == u'<' && !abstract.isEmpty() && at(text, pos, u"<font"))
            return pos;
        if (c == u'\n' || c == u'\r')
            continue;
        if (c == u'<')
            intag = true;
        else if (c == u'>')
            intag = false;
        else if (!intag)
            abstract += QChar(c);
    }
    return -1;
}

// One organic hit from its marker at `pos`. Returns where the scan goes on, or -1 when the text
// ended inside the hit (a hit whose link was complete is kept with what was found).
qsizetype scanhit(QStringView text, qsizetype pos, Array1<SearchHit> &result)
{
    const qsizetype linkstart = pos + kHitMarker.size();
    const qsizetype space = after(text, linkstart - 1, u' ');
    if (space < 0)
        return -1;
    SearchHit &hit = result.append(SearchHit{});
    hit.url = text.sliced(linkstart, space - linkstart).toString();
    // The end of the anchor tag is looked for from the third character after the space on.
    const qsizetype tagend = after(text, space + 2, u'>');
    if (tagend < 0)
        return -1;
    const qsizetype close = tagend + 1 < text.size() ? text.indexOf(u"</a>", tagend + 1) : -1;
    if (close < 0)
        return -1;
    hit.title = text.sliced(tagend + 1, close - tagend - 1).toString();
    QString abstract;
    const qsizetype next = collectabstract(text, close + 3, abstract);
    if (next < 0)
        return -1;
    hit.abstract = abstract;
    return next;
}

// Cuts the text after the next ">" (looked for from pos + 1 on) up to the next "<".
// Returns the position after that "<", or -1 when the text ends first.
qsizetype elementtext(QStringView text, qsizetype pos, bool skiptag, QString &value)
{
    if (skiptag) {
        pos = after(text, pos, u'>');
        if (pos < 0)
            return -1;
    }
    const qsizetype end = after(text, pos, u'<');
    if (end < 0)
        return -1;
    value = text.sliced(pos + 1, end - pos - 1).toString();
    return end + 1;
}

// Handles a SOAP marker at `pos`. Returns where the scan goes on (pos itself when no marker
// matches there), or -1 when the text ended inside the element.
qsizetype scanelement(QStringView text, qsizetype pos, Array1<SearchHit> &result)
{
    QString value;
    if (at(text, pos, u"<faultstring>")) {
        pos = elementtext(text, pos + 12, false, value);
        if (pos >= 0)
            result[0].fault = value;
    } else if (at(text, pos, u"<URL")) {
        // The character right after "<URL" is never taken as the end of the tag.
        pos = elementtext(text, pos + 4, true, value);
        if (pos >= 0)
            result.append(SearchHit{}).url = value;
    } else if (at(text, pos, u"<snip")) {
        pos = elementtext(text, pos + 4, true, value);
        if (pos >= 0)
            result[result.ubound()].abstract = addtags(value);
    } else if (at(text, pos, u"<title")) {
        pos = elementtext(text, pos + 4, true, value);
        if (pos >= 0)
            result[result.ubound()].title = addtags(value);
    } else {
        return pos + 1;
    }
    return pos;
}

} // namespace

Array1<SearchHit> geturls_google(const QString &page)
{
    Array1<SearchHit> result;
    guard("Parsers", "Function geturls_google", [&] {
        const QStringView text(page);
        const qsizetype stop = text.size() - kTail;
        qsizetype pos = 0;
        while (pos < stop) {
            pos = text.indexOf(kHitMarker, pos);
            if (pos < 0 || pos >= stop)
                break;
            pos = scanhit(text, pos, result);
            if (pos < 0)
                break;
        }
    });
    return result;
}

Array1<SearchHit> geturls_googleapi(const QString &page)
{
    Array1<SearchHit> result;
    guard("Parsers", "Function geturls_googleapi", [&] {
        const QStringView text(page);
        const qsizetype stop = text.size() - kTail;
        qsizetype pos = 0;
        while (pos < stop) {
            // Every marker begins with "<": jump from one to the next.
            if (text[pos] != u'<') {
                pos = text.indexOf(u'<', pos);
                if (pos < 0 || pos >= stop)
                    break;
            }
            pos = scanelement(text, pos, result);
            if (pos < 0)
                break;
        }
    });
    return result;
}

QString addtags(const QString &text)
{
    QString result;
    guard("Parsers", "Function addtags", [&] {
        const QStringView view(text);
        result.reserve(text.size());
        qsizetype pos = 0;
        while (pos < view.size()) {
            const qsizetype amp = view.indexOf(u'&', pos);
            if (amp < 0) {
                result += view.sliced(pos);
                break;
            }
            result += view.sliced(pos, amp - pos);
            const qsizetype semi = view.indexOf(u';', amp + 1);
            if (semi < 0)
                break; // an unterminated entity swallows the rest
            const QStringView name = view.sliced(amp + 1, semi - amp - 1);
            if (name == u"lt")
                result += u'<';
            else if (name == u"gt")
                result += u'>';
            pos = semi + 1;
        }
    });
    return result;
}

QString remtags(const QString &text)
{
    QString result;
    guard("Parsers", "Function remtags", [&] {
        result.reserve(text.size());
        QString tag;
        bool intag = false;
        for (qsizetype i = 0; i < text.size(); ++i) {
            // The index is a 16-bit counter: a text longer than 32767 characters overflows.
            Int16::checked(i + 1);
            const QChar c = text[i];
            if (c == u'<') {
                intag = true;
            } else if (c == u'>') {
                if (tag == u"br")
                    result += u"\r\n"_s;
                tag.clear();
                intag = false;
            } else if (intag) {
                tag += c;
            } else {
                result += c;
            }
        }
    });
    return result;
}
