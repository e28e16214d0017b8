// Opening a year of hourly saves in the history view: 8,760 records of one domain with three
// keywords, two hits and ten top URLs each (about 50 MB). Times the file read with every record
// built, the filters and the first fill of the rows (no widget), the same for twice the records,
// the resident memory of the opened history against the file's size, and `zorvane-cli history
// show` on the same file. Build with -DCMAKE_BUILD_TYPE=Release for figures worth quoting.
#include "diagnostics/errorreports.h"
#include "procstatus.h"
#include "search/searchstate.h"
#include "storage/historyfile.h"
#include "views/historyrows.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

#include <ctime>
#include <malloc.h>
#include <sys/resource.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// What a search engine gives for a keyword hour after hour: mostly the same pages, in an order
// that moves a little, with the own site's pages somewhere between 3 and 40.
SearchState hour(int keywordsSeed, QRandomGenerator &random)
{
    SearchState state;
    SearchSession domain;
    domain.url = u"mysite.example"_s;
    domain.pagedepth = u"5"_s;
    domain.checkstop = u"0"_s;
    domain.checkfirst = u"0"_s;
    for (int k = 1; k <= 3; ++k) {
        KeywordResult keyword;
        keyword.key = u"keyword phrase number "_s + QString::number(k + keywordsSeed);
        keyword.action = u"Complete after 5 pages"_s;
        for (int h = 1; h <= 2; ++h) {
            const int page = int(random.bounded(6)) + 1;
            keyword.positions.append(
                {u"http://www.mysite.example/section/page-"_s + QString::number(page) + u".html"_s,
                 u"My site: a page about keyword phrase "_s + QString::number(k) + u" and more"_s,
                 u"This is the snippet the search engine shows for page "_s + QString::number(page) +
                     u" of my site, with the words of the keyword phrase in bold and some more text around them."_s,
                 Int16(3 + 18 * (h - 1) + int(random.bounded(18))),
                 {}});
        }
        for (int i = 1; i <= 10; ++i) {
            const int rank = i + int(random.bounded(3));
            keyword.urls.append(u"http://www.competitor"_s + QString::number(rank) + u".example/keyword-"_s +
                                QString::number(k) + u".html"_s);
            keyword.titles.append(u"Competitor "_s + QString::number(rank) + u" - everything about keyword phrase "_s +
                                  QString::number(k));
        }
        domain.keys.append(keyword);
    }
    state.urldata.append(domain);
    state.txturl = domain.url;
    return state;
}

void generate(const QString &path, int records)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    QRandomGenerator random(8760);
    QDateTime when(QDate(2025, 1, 1), QTime(0, 0, 0));
    RecordWindow window{1200, 2400, 12000, 11520, {1980, 1738, 735, 3330, 2145}, u"mysite.example"_s};
    WindowSettings windowsettings;
    for (int n = 0; n < records; ++n) {
        const SearchState state = hour(0, random);
        historyfile::writerecord(file, QLocale::c().toString(when, u"dd-MMM-yyyy hh:mm:ss"_s), state, windowsettings,
                                 window);
        when = when.addSecs(3600);
    }
}

// The machine is shared: CPU time is the figure that does not depend on the other processes.
class Stopwatch
{
public:
    Stopwatch() { restart(); }
    void restart()
    {
        m_wall.start();
        m_cpu = cpu();
    }
    std::pair<double, double> elapsed() const { return {m_wall.nsecsElapsed() / 1e6, (cpu() - m_cpu) * 1e3}; }

private:
    static double cpu()
    {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
    }
    QElapsedTimer m_wall;
    double m_cpu = 0;
};

QString ms(const std::pair<double, double> &figure)
{
    return QString::number(qRound(figure.second)) + u" ms CPU ("_s + QString::number(qRound(figure.first)) +
           u" ms wall)"_s;
}

struct Figures
{
    std::pair<double, double> read;  // file read and records built
    std::pair<double, double> setup; // filters and the first fill of the rows
    std::pair<double, double> keyword;
    int rows = 0;
    int keywordrows = 0;
    bool trapped = false;
};

Figures open(const QString &path, Array1<HistoryEntry> &historydata)
{
    Figures f;
    errorreports::reset();
    Stopwatch timer;
    historydata = historyfile::readhistory(path);
    f.read = timer.elapsed();
    timer.restart();
    HistoryLists lists;
    historyrows::setuphistory(historydata, u"mysite.example"_s, lists);
    f.setup = timer.elapsed();
    f.rows = lists.listed.ubound();
    f.trapped = errorreports::errortext().contains(u"Sub dishis"_s);
    timer.restart();
    lists.historykeys.text = lists.historykeys.items.value(1);
    historyrows::dishis(historydata, lists);
    f.keyword = timer.elapsed();
    f.keywordrows = lists.listed.ubound();
    return f;
}

std::pair<double, double> total(const Figures &f)
{
    return {f.read.first + f.setup.first, f.read.second + f.setup.second};
}

double childcpu()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

std::pair<double, double> showtime(const QString &path, const QStringList &options, int *lines)
{
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    const double before = childcpu();
    process.start(QStringLiteral(ZORVANE_CLI_PATH), QStringList{u"history"_s, u"show"_s, path} + options);
    QByteArray out;
    while (process.state() != QProcess::NotRunning || process.bytesAvailable() > 0) {
        process.waitForReadyRead(100);
        out += process.readAllStandardOutput();
    }
    process.waitForFinished(-1);
    *lines = int(out.count('\n'));
    return {timer.nsecsElapsed() / 1e6, childcpu() - before};
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    const QString year = dir.filePath(u"year.sav"_s);
    const QString two = dir.filePath(u"two.sav"_s);
    generate(year, 8760);
    generate(two, 2 * 8760);
    const double filemb = QFileInfo(year).size() / 1048576.0;
    out << "history file: 8,760 records, " << QString::number(filemb, 'f', 1) << " MB\n";

    for (int round = 1; round <= 3; ++round) {
        Array1<HistoryEntry> historydata;
        malloc_trim(0);
        const double before = residentmb("VmRSS:");
        const Figures f = open(year, historydata);
        malloc_trim(0);
        const double held = residentmb("VmRSS:") - before;
        out << "round " << round << ": read + records built " << ms(f.read) << ", filters + first fill " << ms(f.setup)
            << " (" << f.rows << " rows" << (f.trapped ? ", row index overflow trapped" : "") << "), one keyword "
            << ms(f.keyword) << " (" << f.keywordrows << " rows); total " << ms(total(f)) << "\n";
        out << "  resident memory of the opened history: " << QString::number(held, 'f', 1)
            << " MB = " << QString::number(held / filemb, 'f', 2) << " x the file\n";
        Array1<HistoryEntry> twice;
        const Figures t = open(two, twice);
        out << "  twice the records: read + records built " << ms(t.read) << ", filters + first fill " << ms(t.setup)
            << "; total " << ms(total(t)) << " = " << QString::number(total(t).second / total(f).second, 'f', 2)
            << " x in CPU time\n";
    }
    out << "peak resident memory: " << QString::number(residentmb("VmHWM:"), 'f', 1) << " MB\n";
    for (const QStringList &options : {QStringList(), QStringList{u"--keyword"_s, u"keyword phrase number 1"_s}}) {
        int lines = 0;
        const auto figure = showtime(year, options, &lines);
        out << "zorvane-cli history show " << options.join(u' ') << ": " << ms(figure) << ", " << lines << " lines\n";
    }
    return 0;
}
