#pragma once

// The reading side of history files, shared by the loader, the one-pass reader of the history
// view and Delete Selected. Not part of the storage layer's interface.

#include "search/array1.h"
#include "search/session.h"
#include "search/settings.h"
#include "storage/windowplacement.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <array>
#include <bitset>

class QIODevice;
class RecordControls;
struct FetchJob;

namespace historyfile {

struct RecordOption;

// The lines of a device as the text stream reads them: a line ends at a line feed, a carriage
// return just before it belongs to the line end, and the last line may end without one.
class LineReader final
{
public:
    // Reads no further than limit bytes, unless limit is negative.
    explicit LineReader(QIODevice &in, qint64 limit = -1) : m_in(in), m_left(limit) {}
    // The next line without its end, valid until the next call; false after the last line.
    bool next(QByteArrayView &line);
    // Where the line last returned begins, in bytes from where reading started.
    qint64 linestart() const { return m_linestart; }

private:
    bool fill();

    QIODevice &m_in;
    qint64 m_left;
    qint64 m_base = 0; // where the buffer's first byte was read
    qint64 m_linestart = 0;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    qsizetype m_scanned = 0; // the part of an unfinished line already searched for its end
    bool m_end = false;
};

// Longer than ten characters, and the first ten are hyphens.
bool isseparator(QByteArrayView line);

// Texts read from a file, each distinct one stored once: an hourly history repeats the same
// domains, keywords, URLs and titles in every record.
class TextPool final
{
public:
    QString text(QByteArrayView bytes);

private:
    QHash<QByteArray, QString> m_texts;
};

// Where the lines of one record go. Without controls or txturl, those lines only count as read.
struct RecordSink
{
    Settings &settings;
    WindowSettings &windowsettings;
    Array1<SearchSession> &urldata;
    QString *txturl = nullptr;
    List1<FetchJob> *jobs = nullptr;
    RecordControls *controls = nullptr;
    bool restorewindow = false;
};

// Applies the field lines of one record, each by its prefix; a line with any other beginning,
// or one whose parent line (domain, keyword, hit) is missing from the record, is dropped.
class RecordBuilder final
{
public:
    RecordBuilder(const RecordSink &sink, TextPool &pool) : m_sink(sink), m_pool(pool) {}

    // The reset at the record's separator line.
    void start();
    // Throws on a "pos: " that is not a 16-bit number and on a number setting out of range.
    void apply(QByteArrayView line);

    // Top, left, width and height of the window, then the five column widths.
    bool windowcomplete() const { return m_seen.all(); }
    const std::array<Int16, 9> &windowvalues() const { return m_window; }

private:
    SearchSession *lastdomain();
    KeywordResult *lastkeyword();
    SearchHit *lasthit();
    QString *fieldtarget(int kind);
    void applyoption(const RecordOption &option, QByteArrayView bytes);

    RecordSink m_sink;
    TextPool &m_pool;
    std::array<Int16, 9> m_window{};
    std::bitset<9> m_seen;
};

} // namespace historyfile
