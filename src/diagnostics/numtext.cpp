#include "numtext.h"

#include "guard.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

// The character's code, from 8-bit text (Latin-1) as from text.
char16_t code(QChar c)
{
    return c.unicode();
}

char16_t code(QLatin1Char c)
{
    return c.unicode();
}

char16_t code(char c)
{
    return static_cast<unsigned char>(c);
}

bool blank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

bool digit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// The number at the beginning of text, without the blanks before it: an optional sign,
// digits and, with fraction, a "." and more digits.
template <typename View> View leading(View text, bool fraction)
{
    qsizetype begin = 0;
    while (begin < text.size() && blank(code(text[begin])))
        ++begin;
    qsizetype end = begin;
    if (end < text.size() && (code(text[end]) == u'-' || code(text[end]) == u'+'))
        ++end;
    while (end < text.size() && digit(code(text[end])))
        ++end;
    if (fraction && end < text.size() && code(text[end]) == u'.') {
        for (++end; end < text.size() && digit(code(text[end]));)
            ++end;
    }
    return text.sliced(begin, end - begin);
}

template <typename View> long long wholenumber(View text)
{
    long long result = 0;
    guard("Numtext", "Function leadingnumber", [&] {
        const View number = leading(text, false);
        for (const auto c : number) {
            if (digit(code(c)) && result < 1000000000000LL)
                result = result * 10 + (code(c) - u'0');
        }
        if (number.startsWith(u'-'))
            result = -result;
    });
    return result;
}

} // namespace

double numvalue(QStringView text)
{
    const QStringView number = leading(text, true);
    // from_chars rounds the decimal text correctly but takes no "+".
    std::string ascii;
    ascii.reserve(number.size());
    for (const QChar c : number) {
        if (c != u'+')
            ascii += char(c.unicode());
    }
    double value = 0.0;
    const std::from_chars_result parsed = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (parsed.ec == std::errc::result_out_of_range) {
        // Too large, or so small that it is 0: only a non-zero digit before the point is large.
        const std::string whole = ascii.substr(0, ascii.find('.'));
        if (whole.find_first_of("123456789") == std::string::npos)
            return 0.0;
        return ascii.front() == '-' ? -HUGE_VAL : HUGE_VAL;
    }
    return parsed.ec == std::errc() ? value : 0.0;
}

Int16 int16value(QStringView text)
{
    const double value = std::nearbyint(numvalue(text)); // the default rounding mode sends halves to even
    if (!(value >= -32768.0 && value <= 32767.0))
        throw Failure::overflow();
    return Int16(static_cast<long long>(value));
}

long long leadingnumber(QStringView text)
{
    return wholenumber(text);
}

long long leadingnumber(QLatin1StringView text)
{
    return wholenumber(text);
}

Int16 cint(QStringView text)
{
    const QStringView number = text.trimmed();
    qsizetype i = 0;
    if (i < number.size() && (number[i] == u'-' || number[i] == u'+'))
        ++i;
    qsizetype digits = 0;
    bool point = false;
    for (; i < number.size(); ++i) {
        const char16_t c = number[i].unicode();
        if (c >= u'0' && c <= u'9')
            ++digits;
        else if (c == u'.' && !point)
            point = true;
        else
            break;
    }
    if (digits == 0 || i != number.size())
        throw Failure::typeMismatch();
    return int16value(number);
}
