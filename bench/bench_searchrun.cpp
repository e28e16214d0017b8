// A search run of N keywords (the arguments; 1000 and 10000 when none) at depth 1 over 200
// connections against the demo engine with no delay, in a process of its own, with the ticks
// driven back to back: the start of the run, each tick's cost, the whole run's wall and CPU time
// and its peak memory beside the size of its results; then a plain asyncio client fetching the
// same pages with the same requests, 200 at a time. Build with -DCMAKE_BUILD_TYPE=Release for
// figures worth quoting.
#include "cli/headlesswindow.h"
#include "procstatus.h"
#include "search/requesttarget.h"
#include "search/searchrun.h"
#include "search/searchservice.h"
#include "search/searchstate.h"
#include "support/fakeconnection.h"
#include "support/testprompts.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int Connections = 200;

double cpuseconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void resetpeak()
{
    QFile refs(u"/proc/self/clear_refs"_s);
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

QStringList keywords(int count)
{
    QStringList keys;
    for (int k = 1; k <= count; ++k)
        keys << u"keyword number "_s + QString::number(k);
    return keys;
}

// The demo engine on a free port; its host:port, or "" when it did not start.
QString startengine(QProcess &engine)
{
    engine.start(QStringLiteral(ZORVANE_DEMO_ENGINE_PATH), {u"--port"_s, u"0"_s, u"--delay"_s, u"0"_s});
    if (!engine.waitForReadyRead(10000))
        return {};
    const auto found = QRegularExpression(u"127\\.0\\.0\\.1:(\\d+)"_s).match(QString::fromLatin1(engine.readLine()));
    return found.hasMatch() ? u"127.0.0.1:"_s + found.captured(1) : QString();
}

struct RunFigures
{
    double wall = 0, cpu = 0, peak = 0, results = 0;
};

RunFigures zorvanerun(QTextStream &out, const QString &hostport, const QStringList &keys)
{
    SearchState state;
    state.settings.searchhost = hostport;
    state.settings.maxconnections = Connections;
    state.settings.inettimeout = 32767; // time-outs count ticks, and these come back to back
    HeadlessWindow window(state);
    TestPrompts prompts;
    FakeConnection connection;
    SearchRun run(state, window, prompts, connection);
    run.setTickLength(1'000'000); // ticks are driven by hand below
    window.setTxturlsText(u"example.com"_s);
    window.setTxtkeysText(keys.join(u"\r\n"_s));
    window.setPagedepthText(u"1"_s);
    const double rss = residentmb("VmRSS:");
    resetpeak();
    QElapsedTimer wall;
    wall.start();
    const double cpu = cpuseconds();
    run.mnusearch_Click();
    const double start = wall.nsecsElapsed() / 1e6;
    QList<double> ticks;
    QElapsedTimer tick;
    // Between ticks the loop waits for the sockets, but never longer than this: a retry's wait
    // has no event to wake it.
    QTimer wake;
    wake.start(5);
    while (state.searching) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        tick.restart();
        run.Timer1_Timer();
        ticks << tick.nsecsElapsed() / 1e6;
    }
    RunFigures figures{wall.nsecsElapsed() / 1e9, cpuseconds() - cpu, residentmb("VmHWM:") - rss, 0};
    qsizetype bytes = 0; // as held: UTF-16
    int hits = 0;
    for (const FetchJob &job : state.jobs) {
        for (const SearchHit &hit : job.hits)
            bytes += 2 * (hit.url.size() + hit.title.size() + hit.abstract.size());
        hits += job.hits.ubound();
    }
    figures.results = bytes / 1048576.0;
    std::sort(ticks.begin(), ticks.end());
    double sum = 0;
    for (const double t : ticks)
        sum += t;
    out << "zorvane, " << keys.size() << " keywords: start " << start << " ms; " << ticks.size() << " ticks, mean "
        << sum / ticks.size() << " ms, median " << ticks[ticks.size() / 2] << " ms, max " << ticks.last()
        << " ms; ticks per page " << sum / keys.size() << " ms\n"
        << "  wall " << figures.wall << " s, CPU " << figures.cpu << " s, peak memory " << figures.peak
        << " MiB above the start for " << hits << " hits (" << figures.results << " MiB of results), "
        << run.unanswered() << " unanswered\n";
    return figures;
}

// The same first pages as the run asked for, written for the plain client.
bool writerequests(const QString &path, const QString &hostport, const QStringList &keys)
{
    Settings settings;
    settings.searchhost = hostport;
    const RequestTarget target = searchtarget(settings, false);
    const auto service = makeservice(settings, false);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const QString &key : keys)
        file.write(service->request(target.requestserver(), target.host, key, 0, {}).toLatin1());
    return true;
}

void plainrun(QTextStream &out, const QString &hostport, const QStringList &keys, const RunFigures &ours)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"requests"_s);
    if (!writerequests(path, hostport, keys)) {
        out << "cannot write the requests\n";
        return;
    }
    QProcess client;
    client.start(u"python3"_s, {QStringLiteral(ZORVANE_PLAIN_CLIENT), hostport.section(u':', 0, 0),
                                hostport.section(u':', 1), path, QString::number(Connections)});
    client.waitForFinished(-1);
    const QStringList f = QString::fromLatin1(client.readAllStandardOutput()).split(u' ');
    if (f.size() < 5) {
        out << "the plain client failed: " << client.readAllStandardError() << "\n";
        return;
    }
    const double wall = f[2].toDouble(), cpu = f[3].toDouble();
    out << "plain asyncio client: " << f[0] << " pages, " << f[1].toLongLong() / 1048576.0 << " MiB, wall " << wall
        << " s, CPU " << cpu << " s, peak memory " << f[4].trimmed() << " MiB\n"
        << "  zorvane / plain: wall " << ours.wall / wall << "x, CPU " << ours.cpu / cpu << "x; zorvane's peak is "
        << ours.peak / ours.results << " times its results\n";
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QStringList counts = app.arguments().mid(1);
    if (counts.isEmpty())
        counts = {u"1000"_s, u"10000"_s};
    if (counts.size() > 1) {
        // One process a run, so each run's peak memory is its own.
        for (const QString &count : std::as_const(counts)) {
            QProcess one;
            one.setProcessChannelMode(QProcess::ForwardedChannels);
            one.start(app.applicationFilePath(), {count});
            one.waitForFinished(-1);
        }
        return 0;
    }
    {
        const int count = counts.first().toInt();
        QProcess engine;
        const QString hostport = startengine(engine);
        if (hostport.isEmpty()) {
            out << "the demo engine did not start\n";
            return 1;
        }
        const QStringList keys = keywords(count);
        const RunFigures ours = zorvanerun(out, hostport, keys);
        plainrun(out, hostport, keys, ours);
        out.flush();
        engine.kill();
        engine.waitForFinished();
    }
    return 0;
}
