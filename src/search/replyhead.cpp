#include "replyhead.h"

#include <QList>

namespace {

bool isdigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

int statuscode(QStringView reply)
{
    // "HTTP/1.1 200 OK": the version, one space, three digits, then the reason or the line's end.
    const qsizetype lf = reply.indexOf(u'\n');
    QStringView line = lf >= 0 ? reply.first(lf) : reply;
    if (line.endsWith(u'\r'))
        line.chop(1);
    const qsizetype space = line.indexOf(u' ');
    if (!line.startsWith(u"HTTP/") || space <= 5 || line.size() < space + 4)
        return 0;
    const QStringView code = line.sliced(space + 1, 3);
    if (!isdigit(code[0]) || !isdigit(code[1]) || !isdigit(code[2]))
        return 0;
    return line.size() == space + 4 || line[space + 4] == u' ' ? code.toInt() : 0;
}

qsizetype bodystart(QStringView reply)
{
    // Only a bare "\n\n" before the first "\r\n\r\n" can end the head; looking for one in a
    // large body after it would cost a pass over the whole reply.
    const qsizetype crlf = reply.indexOf(u"\r\n\r\n");
    const qsizetype lf = (crlf >= 0 ? reply.first(crlf) : reply).indexOf(u"\n\n");
    if (crlf >= 0 && (lf < 0 || crlf < lf))
        return crlf + 4;
    return lf >= 0 ? lf + 2 : -1;
}

QStringView headervalue(QStringView head, QStringView name)
{
    for (const QStringView line : head.split(u'\n')) {
        if (line.size() > name.size() && line[name.size()] == u':' && line.startsWith(name, Qt::CaseInsensitive))
            return line.sliced(name.size() + 1).trimmed();
    }
    return {};
}
