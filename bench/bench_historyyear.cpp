// A year of daily checks of 1,000 keywords (365 records, about 500 MB) in the history view and
// on the command line. Writes the file through the history writer (to the file named by the
// first argument unless it exists, so that later runs reuse it), then times: the first open of the history view (index
// built), later opens (index read), an open after one more day was saved (index brought up to date), each with its
// filters and first fill of the lines (no widget), and the resident memory of the opened view; then runs zorvane-cli
// under /usr/bin/time -v for `history show` (without and with a keyword), `history csv`, `history chart` and the
// grouped `analysis --history`, printing each one's exit status, output, times and peak memory. Build with
// -DCMAKE_BUILD_TYPE=Release.
#include "diagnostics/errorreports.h"
#include "procstatus.h"
#include "storage/historyindex.h"
#include "support/samplehistory.h"
#include "views/historyrows.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>

#include <ctime>
#include <malloc.h>

using namespace Qt::Literals::StringLiterals;

namespace {

QTextStream out(stdout);

// The machine is shared: CPU time is the figure that does not depend on the other processes.
double cpums()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Opens the history view on path as the History command does, without the widget.
void openview(const QString &path, const QString &label)
{
    errorreports::reset();
    QElapsedTimer wall;
    wall.start();
    const double cpu = cpums();
    const HistoryIndex index = HistoryIndex::open(path);
    const double indexed = cpums() - cpu;
    HistoryLists lists;
    historyrows::setuphistory(index, samplehistory::Domain, lists);
    const double total = cpums() - cpu;
    const char *how[] = {"index current", "index appended", "index built"};
    out << label << ": " << qRound(total) << " ms CPU (" << wall.elapsed() << " ms wall; " << qRound(indexed)
        << " ms CPU for the index, " << how[int(index.refreshed())] << "), " << lists.listed.ubound() << " lines, "
        << lists.historykeys.items.size() - 1 << " keywords"
        << (errorreports::errortext().isEmpty() ? "" : ", FAILURES REPORTED") << "\n";
    out.flush();
}

void heldmemory(const QString &path)
{
    malloc_trim(0);
    const double before = residentmb("VmRSS:");
    {
        const HistoryIndex index = HistoryIndex::open(path);
        HistoryLists lists;
        historyrows::setuphistory(index, samplehistory::Domain, lists);
        malloc_trim(0);
        out << "resident memory of the opened view: " << QString::number(residentmb("VmRSS:"), 'f', 1) << " MB ("
            << QString::number(residentmb("VmRSS:") - before, 'f', 1) << " MB more than before opening it)\n";
    }
}

void cli(const QString &dir, const QString &name, const QStringList &args)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    QTemporaryDir scratch;
    const QString output = scratch.filePath(u"out"_s);
    process.setStandardOutputFile(output);
    process.start(u"/usr/bin/time"_s, QStringList{u"-v"_s, QStringLiteral(ZORVANE_CLI_PATH), u"--dir"_s, dir} + args);
    process.waitForFinished(-1);
    const QString report = QString::fromLocal8Bit(process.readAllStandardError());
    const auto field = [&](const QString &label) {
        const QRegularExpressionMatch match = QRegularExpression(label + u": ([^\\n]+)"_s).match(report);
        return match.hasMatch() ? match.captured(1).trimmed() : u"?"_s;
    };
    QFile written(output);
    written.open(QIODevice::ReadOnly);
    const QByteArray bytes = written.readAll();
    const QString status = field(u"Exit status"_s);
    out << name << ": exit " << status << ", " << bytes.count('\n') << " lines (" << bytes.size() / 1024
        << " KiB), user " << field(u"User time \\(seconds\\)"_s) << " s, system "
        << field(u"System time \\(seconds\\)"_s) << " s, wall "
        << field(u"Elapsed \\(wall clock\\) time \\(h:mm:ss or m:ss\\)"_s) << ", peak "
        << field(u"Maximum resident set size \\(kbytes\\)"_s).toLongLong() / 1024 << " MB\n";
    if (status != u"0")
        out << "  " << report.section(u"\tCommand being timed"_s, 0, 0).trimmed().left(400) << "\n";
    out.flush();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path =
        argc > 1 ? QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath() : dir.filePath(u"year.sav"_s);
    if (!QFileInfo::exists(path)) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        samplehistory::write(file, 365, 1000);
    }
    QFile::remove(path + u".idx"_s);
    out << "history file: " << QString::number(QFileInfo(path).size() / 1048576.0, 'f', 1) << " MB\n";

    openview(path, u"first open"_s);
    for (int round = 1; round <= 3; ++round)
        openview(path, u"later open "_s + QString::number(round));
    {
        QFile file(path);
        if (!file.open(QIODevice::Append))
            qFatal("cannot append to %s", qPrintable(path));
        samplehistory::write(file, 1, 1000, 366, 365);
    }
    openview(path, u"open after one more day was saved"_s);
    openview(path, u"and the next open"_s);
    heldmemory(path);

    const QString keyword = samplehistory::keyword(7);
    cli(dir.path(), u"history show"_s, {u"history"_s, u"show"_s, path});
    cli(dir.path(), u"history show --keyword K"_s, {u"history"_s, u"show"_s, path, u"--keyword"_s, keyword});
    cli(dir.path(), u"history csv"_s, {u"history"_s, u"csv"_s, path});
    cli(dir.path(), u"history chart --keyword K"_s, {u"history"_s, u"chart"_s, path, u"--keyword"_s, keyword});
    cli(dir.path(), u"analysis --history --group"_s, {u"analysis"_s, u"--history"_s, path, u"--group"_s});
    QFile::remove(path + u".idx"_s);
    cli(dir.path(), u"history show, index built first"_s, {u"history"_s, u"show"_s, path});
    return 0;
}
