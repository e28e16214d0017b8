// The cost of one tick of a search run of 2,000 keywords, and the memory of the finished run
// at page depth 5, against the fake engine on 127.0.0.1. The engine serves from a thread of its
// own, as a real server would from another process, so the ticks measure only our side. Build with
// -DCMAKE_BUILD_TYPE=Release for figures worth quoting.
#include "cli/headlesswindow.h"
#include "search/searchrun.h"
#include "search/searchstate.h"
#include "support/fakeconnection.h"
#include "support/fakeengine.h"
#include "support/testprompts.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>
#include <QThread>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int Keywords = 2000;
constexpr int Depth = 5;

// Resident memory of this process in KiB.
long residentkib()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

QString keywordtext()
{
    QStringList keys;
    for (int k = 1; k <= Keywords; ++k)
        keys << u"keyword number "_s + QString::number(k);
    return keys.join(u"\r\n"_s);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QThread serverthread;
    serverthread.start();
    QObject servercontext;
    servercontext.moveToThread(&serverthread);
    const auto inserver = [&](auto &&work) {
        QMetaObject::invokeMethod(&servercontext, work, Qt::BlockingQueuedConnection);
    };
    FakeEngine *engine = nullptr;
    QString hostport;
    inserver([&] {
        engine = new FakeEngine;
        engine->listen();
        engine->setChunked(true);
        for (int k = 1; k <= Keywords; k += 7)
            engine->place(u"keyword number "_s + QString::number(k), k % 50 + 1, u"http://www.mysite.example/"_s);
        hostport = engine->hostport();
    });

    const long before = residentkib();
    SearchState state;
    state.settings.searchhost = hostport;
    state.settings.maxconnections = 20;
    HeadlessWindow window(state);
    TestPrompts prompts;
    FakeConnection connection;
    SearchRun run(state, window, prompts, connection);
    run.setTickLength(1'000'000); // ticks are driven by hand below
    window.setTxturlsText(u"mysite.example"_s);
    window.setTxtkeysText(keywordtext());
    window.setPagedepthText(QString::number(Depth));
    QElapsedTimer clock;
    clock.start();
    run.mnusearch_Click();
    out << "start of a run of " << Keywords << " keywords: " << clock.elapsed() << " ms\n";

    QList<double> ticks;
    QElapsedTimer total;
    total.start();
    while (state.searching) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
        clock.restart();
        run.Timer1_Timer();
        ticks << clock.nsecsElapsed() / 1e6;
    }
    std::sort(ticks.begin(), ticks.end());
    double sum = 0;
    for (double t : ticks)
        sum += t;
    qsizetype pages = 0;
    inserver([&] { pages = engine->requests().size(); });
    out << "ticks: " << ticks.size() << ", whole run " << total.elapsed() << " ms for " << pages << " pages\n";
    out << "per tick: mean " << sum / ticks.size() << " ms, median " << ticks[ticks.size() / 2] << " ms, 95th "
        << ticks[ticks.size() * 95 / 100] << " ms, max " << ticks.last() << " ms (target: under 20 ms)\n";
    out << "resident memory of the finished run (" << Keywords << " keywords, depth " << Depth
        << "): " << (residentkib() - before) / 1024.0 << " MiB above the start\n";
    qsizetype buffers = 0;
    int hits = 0;
    for (const FetchJob &job : state.jobs) {
        buffers += job.buffer.size();
        hits += job.hits.ubound();
    }
    out << "  of which the last reply of each job: " << buffers * 2 / 1048576.0 << " MiB; hits held: " << hits << "\n";
    inserver([&] { delete engine; });
    serverthread.quit();
    serverthread.wait();
    return 0;
}
