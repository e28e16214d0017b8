#include "replycheck.h"

#include "replyhead.h"

namespace {

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

bool cutshort(QStringView reply, qsizetype limit)
{
    if (reply.isEmpty())
        return true;
    const qsizetype body = bodystart(reply);
    if (body < 0)
        return reply.startsWith(u"HTTP/");
    const QStringView head = reply.first(body);
    const QStringView coding = headervalue(head, u"Transfer-Encoding");
    if (coding.contains(u"chunked", Qt::CaseInsensitive))
        return walkchunks(reply, body, limit) == Chunks::Short;
    bool numeric = false;
    const qlonglong length = headervalue(head, u"Content-Length").toLongLong(&numeric);
    return numeric && reply.size() - body < length;
}
