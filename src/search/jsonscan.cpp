#include "jsonscan.h"

#include <QByteArray>
#include <QVarLengthArray>

#include <bit>
#include <cmath>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Characters a string can hold as they are: printable ASCII other than the quote and the
// backslash. Anything else needs a closer look (escape, end, UTF-8 sequence, fault).
bool isplain(char16_t c)
{
    return c >= 0x20 && c < 0x80 && c != u'"' && c != u'\\';
}

// The first character from p on that is not plain; end when there is none. Long runs of
// plain text are the bulk of a reply, so they are looked at eight characters at a time.
const char16_t *plainend(const char16_t *p, const char16_t *end)
{
#if defined(__SSE2__)
    const __m128i quote = _mm_set1_epi16(u'"');
    const __m128i backslash = _mm_set1_epi16(u'\\');
    const __m128i control = _mm_set1_epi16(0x20);
    const __m128i ascii = _mm_set1_epi16(0x7f);
    for (; end - p >= 8; p += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        // Signed compares: a character of 0x8000 or above counts as below 0x20, still caught.
        const __m128i stop = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(v, quote), _mm_cmpeq_epi16(v, backslash)),
                                          _mm_or_si128(_mm_cmplt_epi16(v, control), _mm_cmpgt_epi16(v, ascii)));
        const unsigned mask = unsigned(_mm_movemask_epi8(stop));
        if (mask != 0)
            return p + std::countr_zero(mask) / 2;
    }
#endif
    while (p < end && isplain(*p))
        ++p;
    return p;
}

int hexdigit(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

// The four hex digits of a \u escape starting at p; -1 when they are not there.
int hex4(const char16_t *p, const char16_t *end)
{
    if (end - p < 4)
        return -1;
    int value = 0;
    for (int i = 0; i < 4; ++i) {
        const int digit = hexdigit(p[i]);
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

bool isdigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool iscontinuation(char16_t c)
{
    return c >= 0x80 && c <= 0xbf;
}

} // namespace

JsonScan::JsonScan(QStringView text)
    : m_begin(reinterpret_cast<const char16_t *>(text.data())), m_pos(m_begin), m_end(m_begin + text.size())
{
    // A byte-order mark is no part of the document.
    if (text.startsWith(u"\u00ef\u00bb\u00bf"))
        m_pos += 3;
}

bool JsonScan::fail(const char *what)
{
    if (m_error.isEmpty()) {
        const qsizetype at = m_pos - m_begin;
        m_error = QString::fromLatin1(what) + (m_pos == m_end ? QStringLiteral(" at the end (byte %1)").arg(at)
                                                              : QStringLiteral(" at byte %1").arg(at));
    }
    m_pos = m_end;
    return false;
}

char16_t JsonScan::peek()
{
    if (m_pos != m_end && *m_pos > u' ')
        return *m_pos;
    while (m_pos < m_end && (*m_pos == u' ' || *m_pos == u'\n' || *m_pos == u'\r' || *m_pos == u'\t'))
        ++m_pos;
    return m_pos < m_end ? *m_pos : char16_t(0);
}

bool JsonScan::expect(char16_t c, const char *what)
{
    if (peek() != c)
        return fail(what);
    ++m_pos;
    return true;
}

bool JsonScan::opencontainer(char16_t open)
{
    m_started = true;
    if (peek() != open)
        return false;
    if (m_depth >= kMaxDepth)
        return fail("nested too deeply");
    ++m_depth;
    ++m_pos;
    m_fresh = true;
    return true;
}

bool JsonScan::enterobject()
{
    if (opencontainer(u'{'))
        return true;
    skip();
    return false;
}

bool JsonScan::enterarray()
{
    if (opencontainer(u'['))
        return true;
    skip();
    return false;
}

bool JsonScan::nextmember(Close kind)
{
    if (failed())
        return false;
    const char16_t c = peek();
    if (c == (kind == Close::Object ? u'}' : u']')) {
        ++m_pos;
        --m_depth;
        m_fresh = false;
        return false;
    }
    if (!m_fresh) {
        if (c != u',')
            return fail(kind == Close::Object ? "expected ',' or '}'" : "expected ',' or ']'");
        ++m_pos;
    }
    m_fresh = false;
    return kind == Close::Array || readkey();
}

bool JsonScan::nextkey()
{
    return nextmember(Close::Object);
}

bool JsonScan::nextitem()
{
    return nextmember(Close::Array);
}

bool JsonScan::readkey()
{
    if (peek() != u'"')
        return fail("expected a key");
    if (!scanstring(&m_keybuffer))
        return false;
    m_key = m_plain.isNull() ? QStringView(m_keybuffer) : m_plain;
    return expect(u':', "expected ':'");
}

QString JsonScan::string()
{
    m_started = true;
    if (peek() != u'"') {
        skip();
        return {};
    }
    QString decoded;
    if (!scanstring(&decoded))
        return {};
    return m_plain.isNull() ? decoded : m_plain.toString();
}

std::optional<qint64> JsonScan::integer()
{
    m_started = true;
    const char16_t c = peek();
    if (c != u'-' && !isdigit(c)) {
        skip();
        return std::nullopt;
    }
    std::optional<qint64> value;
    number(&value);
    return value;
}

// Skips one value of any kind. Containers are walked with a stack of their own instead of
// recursion; the depth bound covers them too.
void JsonScan::skip()
{
    m_started = true;
    QVarLengthArray<Close, 32> open;
    for (;;) {
        if (failed())
            return;
        const char16_t c = peek();
        if (c == u'{' || c == u'[') {
            opencontainer(c);
            open.append(c == u'{' ? Close::Object : Close::Array);
        } else if (!scalar()) {
            return;
        }
        // Close what ends here; stop once the value is done or another element follows.
        while (!open.isEmpty() && !nextmember(open.last()))
            open.removeLast();
        if (open.isEmpty() || failed())
            return;
    }
}

bool JsonScan::scalar()
{
    switch (peek()) {
    case u'"':
        return scanstring(nullptr);
    case u't':
        return literal(u"true");
    case u'f':
        return literal(u"false");
    case u'n':
        return literal(u"null");
    case u'-':
    case u'0':
    case u'1':
    case u'2':
    case u'3':
    case u'4':
    case u'5':
    case u'6':
    case u'7':
    case u'8':
    case u'9':
        return number(nullptr);
    default:
        return fail(m_pos == m_end ? "unexpected end, expected a value" : "expected a value");
    }
}

bool JsonScan::literal(QStringView word)
{
    if (QStringView(m_pos, m_end).startsWith(word)) {
        m_pos += word.size();
        return true;
    }
    return fail("bad literal");
}

bool JsonScan::number(std::optional<qint64> *value)
{
    const char16_t *start = m_pos;
    const char16_t *p = m_pos;
    if (p < m_end && *p == u'-')
        ++p;
    bool whole = true;
    quint64 magnitude = 0;
    if (p < m_end && *p == u'0') {
        ++p;
    } else if (p < m_end && isdigit(*p)) {
        // Past 19 digits the sum may wrap; such a number is read as a double below.
        for (int count = 0; p < m_end && isdigit(*p); ++p, ++count) {
            whole = whole && count < 19;
            magnitude = magnitude * 10 + (*p - u'0');
        }
    } else {
        m_pos = p;
        return fail("bad number");
    }
    const auto digits = [&] {
        const char16_t *from = p;
        while (p < m_end && isdigit(*p))
            ++p;
        return p > from;
    };
    if (p < m_end && *p == u'.') {
        ++p;
        whole = false;
        if (!digits()) {
            m_pos = p;
            return fail("bad number");
        }
    }
    if (p < m_end && (*p == u'e' || *p == u'E')) {
        ++p;
        whole = false;
        if (p < m_end && (*p == u'+' || *p == u'-'))
            ++p;
        if (!digits()) {
            m_pos = p;
            return fail("bad number");
        }
    }
    m_pos = p;
    if (!value)
        return true;
    const bool negative = *start == u'-';
    if (whole && magnitude <= quint64(std::numeric_limits<qint64>::max())) {
        *value = negative ? -qint64(magnitude) : qint64(magnitude);
        return true;
    }
    // A fraction, an exponent or many digits: whole only when the double says so.
    const double number = QStringView(start, p).toLatin1().toDouble();
    constexpr double limit = 9223372036854775808.0; // 2^63
    if (std::isfinite(number) && std::trunc(number) == number && number >= -limit && number < limit)
        *value = qint64(number);
    return true;
}

// Reads the string whose opening quote is at m_pos. When it needs no decoding, m_plain views
// it in the text; otherwise m_plain is null and *out gets the decoded text (when there is an
// out: a skipped string is only checked).
bool JsonScan::scanstring(QString *out)
{
    const char16_t *p = m_pos + 1;
    const char16_t *const first = p;
    m_plain = QStringView();
    QVarLengthArray<char16_t, 256> decoded;
    for (const char16_t *run = p;;) {
        p = plainend(p, m_end);
        if (p == m_end) {
            m_pos = p;
            return fail("unterminated string");
        }
        if (*p == u'"' && run == first) {
            m_plain = QStringView(first, p);
            m_pos = p + 1;
            return true;
        }
        if (out)
            decoded.append(run, p - run);
        if (*p == u'"') {
            if (out)
                *out = QString(reinterpret_cast<const QChar *>(decoded.constData()), decoded.size());
            m_pos = p + 1;
            return true;
        }
        char16_t unit[2];
        char16_t *w = unit;
        m_pos = p;
        if (*p < 0x20)
            return fail("control character in a string");
        if (*p == u'\\' ? !decodeescape(p, w) : !decodeutf8(p, w))
            return false;
        if (out)
            decoded.append(unit, w - unit);
        run = p;
    }
}

bool JsonScan::decodeescape(const char16_t *&p, char16_t *&out)
{
    if (m_end - p < 2)
        return fail("unterminated string");
    const char16_t c = p[1];
    p += 2;
    switch (c) {
    case u'"':
    case u'\\':
    case u'/':
        *out++ = c;
        return true;
    case u'b':
        *out++ = u'\b';
        return true;
    case u'f':
        *out++ = u'\f';
        return true;
    case u'n':
        *out++ = u'\n';
        return true;
    case u'r':
        *out++ = u'\r';
        return true;
    case u't':
        *out++ = u'\t';
        return true;
    case u'u':
        break;
    default:
        return fail("bad escape");
    }
    const int unit = hex4(p, m_end);
    if (unit < 0)
        return fail("bad \\u escape");
    p += 4;
    if (QChar::isLowSurrogate(char32_t(unit)))
        return fail("lone low surrogate");
    *out++ = char16_t(unit);
    if (!QChar::isHighSurrogate(char32_t(unit)))
        return true;
    // A high surrogate is only half a character; the low half must follow at once.
    const int low = m_end - p >= 2 && p[0] == u'\\' && p[1] == u'u' ? hex4(p + 2, m_end) : -1;
    if (low < 0 || !QChar::isLowSurrogate(char32_t(low)))
        return fail("lone high surrogate");
    p += 6;
    *out++ = char16_t(low);
    return true;
}

// One UTF-8 sequence at p, checked as strictly as the standard asks: no overlong forms, no
// surrogates, nothing above U+10FFFF.
bool JsonScan::decodeutf8(const char16_t *&p, char16_t *&out)
{
    const char16_t lead = *p;
    if (lead > 0xff) {
        // Not a byte: the text was not read off the wire. It goes as "?", as written out.
        *out++ = u'?';
        ++p;
        return true;
    }
    int length = 0;
    char32_t code = 0;
    char16_t low = 0x80, high = 0xbf; // the bounds of the second byte
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
        code = lead & 0x1f;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        code = lead & 0x0f;
        low = lead == 0xe0 ? 0xa0 : 0x80;
        high = lead == 0xed ? 0x9f : 0xbf;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        code = lead & 0x07;
        low = lead == 0xf0 ? 0x90 : 0x80;
        high = lead == 0xf4 ? 0x8f : 0xbf;
    } else {
        return fail("invalid UTF-8");
    }
    if (m_end - p < length || p[1] < low || p[1] > high)
        return fail("invalid UTF-8");
    for (int i = 1; i < length; ++i) {
        if (!iscontinuation(p[i]))
            return fail("invalid UTF-8");
        code = (code << 6) | (p[i] & 0x3f);
    }
    p += length;
    if (QChar::requiresSurrogates(code)) {
        *out++ = QChar::highSurrogate(code);
        *out++ = QChar::lowSurrogate(code);
    } else {
        *out++ = char16_t(code);
    }
    return true;
}

bool JsonScan::finish()
{
    if (!m_started)
        skip();
    if (failed())
        return false;
    if (m_depth != 0)
        return fail("document not read to its end");
    peek();
    if (m_pos != m_end)
        return fail("text after the document");
    return true;
}
