#include "historyindex.h"

#include "diagnostics/guard.h"
#include "historyindexer.h"
#include "historyindexstore.h"
#include "historylines.h"
#include "platform/codepage.h"
#include "savemark.h"
#include "search/searchlocale.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <exception>

using namespace Qt::Literals::StringLiterals;
using namespace historyindex;

namespace {

// How much of the start and of the end of the indexed bytes the checksums cover.
constexpr qint64 Checked = 4096;

QByteArray checksum(QFile &file, qint64 from, qint64 length)
{
    if (!file.seek(from))
        throw Failure::cannotRead(file.fileName(), file.errorString());
    const QByteArray bytes = file.read(length);
    if (bytes.size() != length)
        throw Failure::cannotRead(file.fileName(), file.errorString());
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
}

// The file as far as its records go (size bytes): checksums of its first and last bytes.
FileState stateof(QFile &file, qint64 size)
{
    const qint64 head = std::min(size, Checked);
    return {size, file.fileTime(QFileDevice::FileModificationTime).toMSecsSinceEpoch(), checksum(file, 0, head),
            checksum(file, size - std::min(size, Checked), std::min(size, Checked))};
}

// Whether the file only grew since the index read it: its size is larger, and what the index
// read still begins and ends as it did (an edit or a deletion moves the bytes after it).
bool onlygrew(QFile &file, const FileState &known, const FileState &now)
{
    if (known.size < 0 || known.size >= now.size)
        return false;
    const qint64 head = std::min(known.size, Checked);
    return checksum(file, 0, head) == known.head &&
           checksum(file, known.size - std::min(known.size, Checked), std::min(known.size, Checked)) == known.tail;
}

void readfrom(Catalogue &catalogue, QFile &file, qint64 start, qint64 size, const std::function<void()> &started)
{
    if (!file.seek(start))
        throw Failure::cannotRead(file.fileName(), file.errorString());
    readrecords(catalogue, file, start, size - start, started);
    catalogue.end = size;
}

} // namespace

HistoryIndex HistoryIndex::open(const QString &filename, const std::function<void()> &started)
{
    HistoryIndex index;
    guard("Historyindex", "Sub openindex", [&] {
        // A file that cannot be read to its end still shows the records read before it failed,
        // as a plain reading does, and the failure is said after theirs.
        std::exception_ptr failure;
        try {
            index.refresh(QFileInfo(filename).absoluteFilePath(), started);
        } catch (...) {
            failure = std::current_exception();
        }
        index.prepare();
        index.reportfaults();
        if (failure)
            std::rethrow_exception(failure);
    });
    return index;
}

// The failures met while the records were read, as a reading of the file reports them.
void HistoryIndex::reportfaults() const
{
    for (const IndexedRecord &record : m_catalogue.records) {
        if (!record.faulty)
            continue;
        errorreports::addtrace("Historyfile", "Function readhistory");
        errorreports::errortrap(record.fault.description, record.fault.number, record.fault.source, u"Historyfile"_s);
    }
}

void HistoryIndex::refresh(const QString &filename, const std::function<void()> &started)
{
    QFile file(filename);
    // Held while the file is read, so that no save or delete changes it meanwhile.
    const qint64 committed = historyfile::openlocked(file, QIODevice::ReadOnly, false);
    const qint64 size = committed >= 0 ? std::min(committed, file.size()) : file.size();
    const FileState now = stateof(file, size);
    m_indexfile = indexpath(filename);
    const IndexStore store(m_indexfile);
    FileState known;
    const bool loaded = store.load(filename, m_catalogue, known);
    bool stored = true;
    if (loaded && known == now) {
        m_refresh = Refresh::Current;
        if (count() > 0 && started)
            started();
    } else if (loaded && onlygrew(file, known, now)) {
        // The last record is read again: another program may have added lines to it.
        m_refresh = Refresh::Appended;
        const int from = std::max(1, count());
        const quint32 texts = m_catalogue.texts.count();
        const qint64 start = count() > 0 ? m_catalogue.records.back().offset : 0;
        if (count() > 0 && started)
            started();
        m_catalogue.truncate(from);
        readfrom(m_catalogue, file, start, size, count() > 0 ? std::function<void()>() : started);
        stored = store.update(filename, m_catalogue, from, texts, known, now);
    } else {
        m_refresh = Refresh::Rebuilt;
        m_catalogue = Catalogue();
        readfrom(m_catalogue, file, 0, size, started);
        stored = store.create(filename, m_catalogue, now);
    }
    if (stored)
        store.limitpermissions(filename);
    else
        m_indexfile.clear();
}

void HistoryIndex::prepare()
{
    m_whens.clear();
    m_whens.reserve(m_catalogue.records.size());
    for (const IndexedRecord &record : m_catalogue.records)
        m_whens.push_back(codepage::toText(record.when));
    m_first.assign(m_catalogue.records.size() + 1, 0);
    for (const IndexedDomain &domain : m_catalogue.domains)
        ++m_first[size_t(domain.record)];
    for (size_t n = 1; n < m_first.size(); ++n)
        m_first[n] += m_first[n - 1];
    m_texts.assign(size_t(m_catalogue.texts.count()) + 1, QString());
}

const QString &HistoryIndex::text(quint32 id) const
{
    QString &cached = m_texts[id];
    if (cached.isNull() && id != 0)
        cached = codepage::toText(m_catalogue.texts.bytes(id));
    return cached;
}

SearchLocale HistoryIndex::locale(int n, int d) const
{
    SearchLocale locale;
    const std::array<quint32, 4> &ids = domain(n, d).locale;
    for (qsizetype i = 0; i < searchlocale::fields().size(); ++i)
        locale.*searchlocale::fields()[i].member = text(ids.at(size_t(i)));
    return locale;
}

void HistoryIndex::keywords(int n, int d, int parts, const std::function<void(const KeywordResult &)> &visit) const
{
    KeywordReader reader(domain(n, d).keywords, m_catalogue.texts.count());
    PackedKeyword packed;
    KeywordResult keyword;
    const int read = (parts & Tops)              ? KeywordReader::Everything
                     : (parts & (Hits | Status)) ? KeywordReader::HitsOnly
                                                 : KeywordReader::KeyOnly;
    while (reader.next(packed, read)) {
        keyword.key = text(packed.key);
        keyword.action = (parts & Status) ? text(packed.status) : QString();
        keyword.positions.clear();
        keyword.urls.clear();
        keyword.titles.clear();
        if (parts & Hits) {
            for (const PackedKeyword::Hit &hit : packed.hits)
                keyword.positions.append({text(hit.url), text(hit.title), {}, Int16(hit.position), {}});
        }
        if (parts & Tops) {
            for (const quint32 url : packed.urls)
                keyword.urls.append(text(url));
            for (const quint32 title : packed.titles)
                keyword.titles.append(text(title));
        }
        visit(keyword);
    }
}
