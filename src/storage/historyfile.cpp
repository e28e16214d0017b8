#include "historyfile.h"

#include "diagnostics/datetext.h"
#include "diagnostics/guard.h"
#include "historylines.h"
#include "platform/checkedfile.h"
#include "platform/codepage.h"
#include "platform/prompts.h"
#include "recordoptions.h"
#include "savemark.h"
#include "search/searchstate.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <exception>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace historyfile {

namespace {

const QString FileMissing = u"File doesn't exist! "_s;

// One record's lines, built in memory so that a save reaches the file in one write.
class RecordText final
{
public:
    void line(QByteArrayView prefix, QStringView value)
    {
        m_bytes += prefix;
        m_bytes += codepage::toBytes(value);
        m_bytes += "\r\n";
    }
    void number(QByteArrayView prefix, double value)
    {
        line(prefix, QString::number(static_cast<long long>(std::trunc(value))));
    }
    const QByteArray &bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

QByteArray prefix(const RecordOption &option)
{
    return QByteArray(option.name) + ": ";
}

void writeoptions(RecordText &out, const Settings &s, const WindowSettings &windowsettings)
{
    // The set flags first, then the cleared ones.
    for (const bool set : {true, false}) {
        for (const RecordOption &option : recordoptions()) {
            if (option.flag && s.*option.flag == set)
                out.line(prefix(option), set ? u"1" : u"0");
        }
    }
    for (const RecordOption &option : recordoptions()) {
        if (option.text)
            out.line(prefix(option), option.secret ? QString() : s.*option.text);
        else if (option.windowtext)
            out.line(prefix(option), windowsettings.*option.windowtext);
        else if (option.number)
            out.number(prefix(option), s.*option.number);
    }
}

void writewindow(RecordText &out, const RecordWindow &window)
{
    out.number("metop: ", window.metop);
    out.number("meleft: ", window.meleft);
    out.number("mewidth: ", window.mewidth);
    out.number("meheight: ", window.meheight);
    const char *heads[] = {"head1w: ", "head2w: ", "head3w: ", "head4w: ", "head5w: "};
    for (int i = 0; i < 5; ++i)
        out.number(heads[i], window.headw[i]);
    out.line("TXTURL: ", window.txturls);
}

void writedomain(RecordText &out, const SearchSession &domain)
{
    out.line("URL: ", domain.url);
    out.line("DATETIME: ", domain.resulttime);
    out.line("PAGEDEPTH: ", domain.pagedepth);
    out.line("CHECKSTOP: ", domain.checkstop);
    out.line("CHECKFIRST: ", domain.checkfirst);
    // Only where set: a record without a place is the one every reader knows, and a reader
    // from before places passes over these lines.
    for (const LocaleField &field : searchlocale::fields()) {
        if (!(domain.locale.*field.member).isEmpty())
            out.line(QByteArray(field.name.toUpper().toLatin1() + ": "), domain.locale.*field.member);
    }
    for (const KeywordResult &keyword : domain.keys) {
        out.line("KEY: ", keyword.key);
        out.line("act: ", keyword.action);
        for (const SearchHit &hit : keyword.positions) {
            out.number("pos: ", hit.position);
            out.line("url: ", hit.url);
            out.line("title: ", hit.title);
            out.line("abstract: ", hit.abstract);
        }
        for (int i = 1; i <= keyword.urls.ubound(); ++i) {
            out.line("urls: ", keyword.urls[i]);
            out.line("titles: ", keyword.titles[i]); // fewer titles than URLs fails here
        }
    }
}

void writeall(QIODevice &out, const QByteArray &bytes)
{
    if (out.write(bytes) != bytes.size())
        throw Failure::cannotWrite(out);
}

// A file whose last line has no line end (a save cut short, or an edit by hand) would glue the
// next separator to that line and merge two records.
bool endsinline(QFile &file)
{
    if (file.size() == 0)
        return true;
    char last = 0;
    if (!file.seek(file.size() - 1) || file.read(&last, 1) != 1)
        throw Failure::cannotRead(file.fileName(), file.errorString());
    return last == '\n';
}

} // namespace

void writerecord(QIODevice &out, const QString &when, const SearchState &state, const WindowSettings &windowsettings,
                 const RecordWindow &window)
{
    RecordText text;
    try {
        text.line("----------", when);
        writeoptions(text, state.settings, windowsettings);
        writewindow(text, window);
        for (const SearchSession &domain : state.urldata)
            writedomain(text, domain);
    } catch (...) {
        writeall(out, text.bytes());
        throw;
    }
    writeall(out, text.bytes());
}

namespace {

Array1<HistoryEntry> readentries(QIODevice &in, qint64 limit, const std::function<void()> &started)
{
    Array1<HistoryEntry> entries;
    guard("Historyfile", "Function readhistory", [&] {
        TextPool pool;
        LineReader lines(in, limit);
        // Each record's options are read as the loader reads them, then dropped: only its
        // domains are kept.
        Settings settings;
        WindowSettings windowsettings;
        std::optional<RecordBuilder> record;
        QByteArrayView line;
        while (lines.next(line)) {
            if (isseparator(line)) {
                if (entries.isEmpty() && started)
                    started();
                HistoryEntry &entry = entries.append({pool.text(line.sliced(10)), {}});
                record.emplace(RecordSink{settings, windowsettings, entry.urldata}, pool);
                record->start();
                errorreports::addtrace("Historyfile", "Sub readall");
                continue;
            }
            if (!record)
                continue;
            try {
                record->apply(line);
            } catch (...) {
                // The record keeps what was read; the next one starts afresh.
                errorreports::trapcurrent("Historyfile");
                record.reset();
            }
        }
    });
    return entries;
}

} // namespace

Array1<HistoryEntry> readhistory(QIODevice &in, const std::function<void()> &started)
{
    return readentries(in, -1, started);
}

Array1<HistoryEntry> readhistory(const QString &filename, const std::function<void()> &started)
{
    Array1<HistoryEntry> entries;
    guard("Historyfile", "Function readhistory", [&] {
        QFile file(filename);
        const qint64 size = openlocked(file, QIODevice::ReadOnly, false);
        entries = readentries(file, size, started);
    });
    return entries;
}

void deleterecords(const QString &filename, const QString &when, const QString &tempfile)
{
    QFile in(filename);
    // Held until the new file has replaced this one, so no save lands in the old file.
    const qint64 size = openlocked(in, QIODevice::ReadOnly, true);
    CheckedFile temp(tempfile);
    CheckedFile out(filename);
    for (CheckedFile *file : {&temp, &out}) {
        if (!file->open())
            throw Failure::cannotWrite(*file);
    }
    const QByteArray date = codepage::toBytes(when);
    LineReader lines(in, size);
    QByteArray kept;
    bool dropping = false;
    QByteArrayView line;
    const auto flush = [&] {
        writeall(temp, kept);
        writeall(out, kept);
        kept.clear();
    };
    while (lines.next(line)) {
        if (isseparator(line))
            dropping = line.sliced(10) == date;
        if (dropping)
            continue;
        kept += line;
        kept += "\r\n";
        if (kept.size() >= (1 << 20))
            flush();
    }
    flush();
    // Until the new file is complete on the disk, the old one stays as it was.
    for (CheckedFile *file : {&temp, &out}) {
        if (!file->commit())
            throw Failure::cannotWrite(*file);
    }
    finishsave(in); // the new file holds none of a killed save's bytes
}

} // namespace historyfile

namespace historyfile {

namespace {

// The bytes of one record dated now. A failure while building it (fewer titles than top URLs)
// is kept in failure, with the lines before it in the bytes, as they are to be written.
QByteArray recordbytes(const SearchState &state, const WindowSettings &windowsettings, const RecordWindow &window,
                       std::exception_ptr &failure)
{
    QByteArray bytes;
    QBuffer record(&bytes);
    record.open(QIODevice::WriteOnly);
    try {
        writerecord(record, GetDateFormat(), state, windowsettings, window);
    } catch (...) {
        failure = std::current_exception();
    }
    return bytes;
}

// One write after the earlier records, so a process killed while saving leaves them untouched;
// whatever part of this one it wrote is dropped by the mark.
void appendrecord(QFile &file, const QByteArray &record)
{
    dropunfinished(file);
    const QByteArray bytes = endsinline(file) ? record : "\r\n" + record;
    const qint64 start = file.size();
    startsave(file, bytes);
    const QString reason = appendchecked(file, bytes, true);
    // A write that failed was cut off again; if even that failed, the mark keeps it hidden.
    if (reason.isEmpty() || file.size() == start)
        finishsave(file);
    if (!reason.isEmpty())
        throw Failure::cannotWrite(file.fileName(), reason);
}

// The file replaced by one that holds only the record; until it is complete, the old one stays.
void replacewith(QFile &file, const QByteArray &record)
{
    CheckedFile out(file.fileName());
    if (!out.open() || out.write(record) != record.size() || !out.commit())
        throw Failure::cannotWrite(out);
    finishsave(file);
}

} // namespace

} // namespace historyfile

bool saveall(const QString &filename, const SearchState &state, const WindowSettings &windowsettings,
             const RecordWindow &window, bool replace)
{
    bool saved = false;
    guard("Historyfile", "Sub saveall", [&] {
        QFile file(filename);
        const bool append = !replace || !QFileInfo::exists(filename);
        if (append)
            historyfile::openlocked(file, QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered, true);
        else
            historyfile::openlocked(file, QIODevice::ReadOnly, true); // held until the new file is in place
        std::exception_ptr failure;
        const QByteArray record = historyfile::recordbytes(state, windowsettings, window, failure);
        if (append)
            historyfile::appendrecord(file, record);
        else
            historyfile::replacewith(file, record);
        if (failure)
            std::rethrow_exception(failure);
        saved = true;
    });
    return saved;
}

Int16 checkreadall(const QString &filename, Prompts &prompts, Array1<QString> &recorddates)
{
    Int16 count;
    guard("Historyfile", "Function checkreadall", [&] {
        if (!QFileInfo::exists(filename)) {
            prompts.message(historyfile::FileMissing);
            return;
        }
        recorddates.clear();
        QFile file(filename);
        historyfile::LineReader lines(file, historyfile::openlocked(file, QIODevice::ReadOnly, false));
        QByteArrayView line;
        while (lines.next(line)) {
            if (historyfile::isseparator(line))
                recorddates.append(codepage::toText(line.sliced(10)));
        }
        count = recorddates.ubound();
    });
    return count;
}

bool readall(const QString &filename, int recordnumber, bool restorewindow, const RecordTarget &target,
             Prompts &prompts)
{
    bool placed = false;
    guard("Historyfile", "Sub readall", [&] {
        if (!QFileInfo::exists(filename)) {
            prompts.message(historyfile::FileMissing);
            return;
        }
        QFile file(filename);
        const qint64 size = historyfile::openlocked(file, QIODevice::ReadOnly, false);
        target.controls.cleardomains();
        historyfile::TextPool pool;
        historyfile::RecordBuilder record({target.state.settings, target.windowsettings, target.state.urldata,
                                           &target.state.txturl, &target.state.jobs, &target.controls, restorewindow},
                                          pool);
        historyfile::LineReader lines(file, size);
        Int16 count;
        bool inside = false;
        QByteArrayView line;
        while (lines.next(line)) {
            if (historyfile::isseparator(line)) {
                ++count;
                if (count == recordnumber) {
                    record.start();
                    inside = true;
                } else if (inside) {
                    break;
                }
            } else if (inside) {
                record.apply(line);
            }
        }
        file.close();
        if (!restorewindow || !record.windowcomplete())
            return;
        const std::array<Int16, 9> &values = record.windowvalues();
        for (int i = 1; i <= 5; ++i)
            target.windowsettings.reswid[i] = values[3 + i];
        placewindow(target.window, values[1], values[0], values[2], values[3], true);
        placed = true;
    });
    return placed;
}
