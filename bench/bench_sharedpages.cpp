// Requests and time of one scheduled cycle of 10 domains that all search the same 100 keywords,
// two pages deep, against the fake engine on 127.0.0.1, with pages shared between the domains
// and without (the figures before sharing). The engine serves from a thread of its own and
// answers each page after DELAY ms (first argument, default 50), as a distant server would.
#include "cli/headlesswindow.h"
#include "enginethread.h"
#include "scheduler/scheduler.h"
#include "search/searchrun.h"
#include "search/searchstate.h"
#include "support/fakeconnection.h"
#include "support/fakeengine.h"
#include "support/recordingdialup.h"
#include "support/testprompts.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int Domains = 10;
constexpr int Keywords = 100;
constexpr int Depth = 2;

struct Cycle
{
    qint64 ms = 0;
    qsizetype requests = 0;
    int saved = 0;
};

Cycle runcycle(const QString &hostport, bool sharing, const std::function<qsizetype()> &requests)
{
    SearchState state;
    state.settings.searchhost = hostport;
    state.settings.maxconnections = 20;
    state.settings.inettimeout = 32767; // ticks are driven as fast as they go
    state.settings.schedulerunning = true;
    state.settings.schedulefile = u"unused.sav"_s;
    state.pages.sharing = sharing;
    for (int d = 1; d <= Domains; ++d) {
        SearchSession &session = state.urldata.append(SearchSession());
        session.url = u"site"_s + QString::number(d) + u".example"_s;
        session.pagedepth = QString::number(Depth);
        for (int k = 1; k <= Keywords; ++k)
            session.keys.append(KeywordResult{u"shared keyword "_s + QString::number(k), {}, {}, {}, {}});
    }
    Cycle cycle;
    // The cycle's own count, as its last line tells it.
    HeadlessWindow window(state, [&cycle](const QString &line) {
        if (line.contains(u"saved in this cycle"_s))
            cycle.saved = line.section(u'-', -1).section(u' ', 0, 0).toInt();
    });
    TestPrompts prompts;
    FakeConnection connection;
    SearchRun run(state, window, prompts, connection);
    run.setTickLength(1'000'000);
    RecordingDialup dialup;
    Scheduler scheduler(state, window, run, dialup);
    bool saved = false;
    scheduler.setsave([&] {
        saved = true;
        return true;
    });
    const qsizetype before = requests();
    QElapsedTimer clock;
    clock.start();
    while (!saved || state.searching) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
        run.Timer1_Timer();
    }
    cycle.ms = clock.elapsed();
    cycle.requests = requests() - before;
    return cycle;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const int delayms = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 50;
    EngineThread server;
    QString hostport;
    server.in([&] {
        FakeEngine &engine = server.engine();
        engine.listen();
        engine.setDefaultBehaviour(FakeEngine::Behaviour{FakeEngine::Reply::Page, delayms, {}, {}, 0, 0});
        for (int k = 1; k <= Keywords; ++k) {
            for (int d = 1; d <= Domains; ++d)
                engine.place(u"shared keyword "_s + QString::number(k), (k * d) % 20 + 1,
                             u"http://site"_s + QString::number(d) + u".example/"_s);
        }
        hostport = engine.hostport();
    });
    const auto requests = [&] {
        qsizetype n = 0;
        server.in([&] { n = server.engine().requests().size(); });
        return n;
    };
    out << "a scheduled cycle of " << Domains << " domains sharing " << Keywords << " keywords, depth " << Depth
        << ", 20 connections, each page answered after " << delayms << " ms\n";
    for (const bool sharing : {false, true}) {
        const Cycle cycle = runcycle(hostport, sharing, requests);
        out << (sharing ? "pages shared:     " : "nothing shared:   ") << cycle.requests << " requests, " << cycle.ms
            << " ms, " << cycle.saved << " requests saved by the cycle's own count\n";
        out.flush();
    }
    return 0;
}
