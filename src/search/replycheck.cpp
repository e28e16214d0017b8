#include "replycheck.h"

#include <QList>

namespace {

struct Header
{
    qsizetype end = -1; // where the body starts
    QStringView block;  // the status line and the header lines
};

Header header(QStringView reply)
{
    const qsizetype crlf = reply.indexOf(u"\r\n\r\n");
    const qsizetype lf = reply.indexOf(u"\n\n");
    if (crlf >= 0 && (lf < 0 || crlf < lf))
        return {crlf + 4, reply.first(crlf)};
    if (lf >= 0)
        return {lf + 2, reply.first(lf)};
    return {};
}

// The value of the first header line named `name` (case-insensitive), or a null view.
QStringView headervalue(QStringView block, QStringView name)
{
    for (QStringView line : block.split(u'\n')) {
        line = line.trimmed();
        if (line.size() > name.size() && line[name.size()] == u':' && line.startsWith(name, Qt::CaseInsensitive))
            return line.sliced(name.size() + 1).trimmed();
    }
    return {};
}

enum class Chunks
{
    Whole,
    Short,
    Broken,
};

// Walks the chunks from `pos` to the last (zero-size) one.
Chunks walkchunks(QStringView reply, qsizetype pos, qsizetype limit)
{
    while (true) {
        const qsizetype lf = reply.indexOf(u'\n', pos);
        if (lf < 0)
            return Chunks::Short;
        // Extensions after ";" say nothing about the size.
        QStringView sizetext = reply.sliced(pos, lf - pos);
        sizetext = sizetext.first(sizetext.indexOf(u';') < 0 ? sizetext.size() : sizetext.indexOf(u';')).trimmed();
        bool hex = false;
        const qlonglong size = sizetext.size() <= 16 ? sizetext.toLongLong(&hex, 16) : -1;
        if (!hex || size < 0 || size > limit)
            return Chunks::Broken;
        if (size == 0)
            return Chunks::Whole;
        pos = lf + 1 + size;
        if (pos >= reply.size())
            return Chunks::Short;
        // The data's own line end.
        pos += reply.sliced(pos).startsWith(u"\r\n") ? 2 : 1;
    }
}

} // namespace

int httpstatus(QStringView reply)
{
    if (!reply.startsWith(u"HTTP/"))
        return 0;
    const QList<QStringView> words = reply.first(qMin<qsizetype>(reply.size(), 64)).split(u' ');
    return words.size() > 1 ? words[1].left(3).toInt() : 0;
}

bool cutshort(QStringView reply, qsizetype limit)
{
    if (reply.isEmpty())
        return true;
    const Header head = header(reply);
    if (head.end < 0)
        return reply.startsWith(u"HTTP/");
    const QStringView coding = headervalue(head.block, u"Transfer-Encoding");
    if (coding.contains(u"chunked", Qt::CaseInsensitive))
        return walkchunks(reply, head.end, limit) == Chunks::Short;
    bool numeric = false;
    const qlonglong length = headervalue(head.block, u"Content-Length").toLongLong(&numeric);
    return numeric && reply.size() - head.end < length;
}
