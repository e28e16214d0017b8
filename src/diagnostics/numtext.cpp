#include "numtext.h"

#include <cmath>

double numvalue(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\n' || text[i] == u'\r'))
        ++i;
    double sign = 1.0;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        sign = text[i] == u'-' ? -1.0 : 1.0;
        ++i;
    }
    double value = 0.0;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
        value = value * 10.0 + (text[i].unicode() - u'0');
        ++i;
    }
    if (i < n && text[i] == u'.') {
        double scale = 0.1;
        for (++i; i < n && text[i].unicode() >= u'0' && text[i].unicode() <= u'9'; ++i, scale /= 10.0)
            value += (text[i].unicode() - u'0') * scale;
    }
    return sign * value;
}

Int16 int16value(QStringView text)
{
    const double value = std::nearbyint(numvalue(text)); // the default rounding mode sends halves to even
    if (!(value >= -32768.0 && value <= 32767.0))
        throw Failure::overflow();
    return Int16(static_cast<long long>(value));
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
