#include "chunked.h"

#include "diagnostics/guard.h"

#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr QStringView kChunkedHeader = u"Transfer-Encoding: chunked";
// Only the start of the reply is searched for the header.
constexpr qsizetype kHeaderWindow = 512;

// Position of the carriage return of the empty line that ends the headers, or -1.
qsizetype headerend(QStringView text, qsizetype from)
{
    qsizetype previous = -1;
    for (qsizetype pos = text.indexOf(u'\r', from); pos >= 0; pos = text.indexOf(u'\r', pos + 1)) {
        if (previous >= 0 && pos - previous == 2)
            return pos;
        previous = pos;
    }
    return -1;
}

// The digit value of one size character. No validation: extensions and stray characters
// corrupt the size, exactly as the arithmetic gives.
inline qint64 hexdigit(char16_t c)
{
    if (c < 58)
        return qint64(c) - 48;
    if (c <= 70)
        return qint64(c) - 55;
    return qint64(c) - 87;
}

// Reads the chunk-size line starting at pos. Sets `cr` to its carriage return; returns false
// when the size runs past the end of the text or the text ends before the carriage return.
bool readsize(QStringView text, qsizetype pos, qint64 &size, qsizetype &cr)
{
    size = 0;
    for (; pos < text.size(); ++pos) {
        const char16_t c = text[pos].unicode();
        if (c == u'\r') {
            cr = pos;
            return true;
        }
        if (c == u'\n')
            continue;
        size = size * 16 + hexdigit(c);
        // The size is a 32-bit number.
        if (size > std::numeric_limits<qint32>::max() || size < std::numeric_limits<qint32>::min())
            throw Failure::overflow();
        if (size + pos + 1 > text.size())
            return false;
    }
    return false;
}

} // namespace

QString dechunk(const QString &text)
{
    QString result;
    guard("Chunked", "Function dechunk", [&] {
        const QStringView view(text);
        const qsizetype window = qMin(view.size(), kHeaderWindow) - 1;
        const qsizetype header = window > 0 ? view.first(window).indexOf(kChunkedHeader) : -1;
        if (header < 0) {
            result = text;
            return;
        }
        const qsizetype end = headerend(view, header + kChunkedHeader.size());
        if (end < 0)
            return;
        QString out;
        out.reserve(view.size());
        qsizetype pos = end + 2;
        while (pos < view.size()) {
            qint64 size = 0;
            qsizetype cr = 0;
            if (!readsize(view, pos, size, cr))
                return;
            pos = cr + 2;
            if (size + pos >= view.size())
                return;
            if (size < 0)
                throw Failure::invalidCall(u"negative chunk size"_s);
            out += view.sliced(pos, size);
            pos += size + 2;
        }
        result = out;
    });
    return result;
}

QString addcr(const QString &text)
{
    QString result;
    guard("Chunked", "Function addcr", [&] {
        const QStringView view(text);
        result.reserve(text.size() + text.size() / 16);
        qsizetype pos = 0;
        for (qsizetype lf = view.indexOf(u'\n'); lf >= 0; lf = view.indexOf(u'\n', pos)) {
            result += view.sliced(pos, lf - pos);
            result += u"\r\n"_s;
            pos = lf + 1;
        }
        result += view.sliced(pos);
    });
    return result;
}

QString addlf(const QString &text)
{
    QString result;
    guard("Chunked", "Function addlf", [&] {
        const QStringView view(text);
        if (!view.contains(u'\r') && !view.contains(u'\n')) {
            result = text;
            return;
        }
        result.reserve(text.size() + text.size() / 16);
        // Line by line, each line's runs between carriage returns copied whole.
        for (qsizetype pos = 0; pos < view.size();) {
            const qsizetype lf = view.indexOf(u'\n', pos);
            const QStringView line = view.sliced(pos, (lf < 0 ? view.size() : lf) - pos);
            qsizetype from = 0;
            for (qsizetype cr = line.indexOf(u'\r'); cr >= 0; cr = line.indexOf(u'\r', from)) {
                result += line.sliced(from, cr - from);
                from = cr + 1;
            }
            result += line.sliced(from);
            if (lf < 0)
                break;
            result += u"\r\n"_s;
            pos = lf + 1;
        }
    });
    return result;
}
