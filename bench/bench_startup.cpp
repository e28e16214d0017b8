// The desktop program with a settings file of 100 domains: start-up until the window is shown,
// the resident memory of the idle program, and the processor time of an hour of idle ticks
// with the scheduler counting down (720 ticks of 5 seconds, driven by hand). Run with
// QT_QPA_PLATFORM=offscreen and build with -DCMAKE_BUILD_TYPE=Release for figures worth quoting.
#include "app/appstate.h"
#include "app/mainwindow.h"
#include "diagnostics/datetext.h"
#include "platform/programfolder.h"
#include "reports/browser.h"
#include "search/searchrun.h"
#include "storage/inistore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <algorithm>
#include <csignal>
#include <ctime>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int Domains = 100;
constexpr int Rounds = 5;
constexpr int TicksPerHour = 3600 / 5;

// Each domain with five keywords, two hits each and the top ten, as a daily user's file holds.
void writesettings()
{
    SearchState state;
    WindowSettings windowsettings;
    for (int d = 1; d <= Domains; ++d) {
        SearchSession &session = state.urldata.append(SearchSession());
        session.url = u"site%1.example"_s.arg(d);
        session.pagedepth = u"3"_s;
        session.resulttime = u"05-Dec-2026 12:00:00"_s;
        for (int k = 1; k <= 5; ++k) {
            KeywordResult &keyword = session.keys.append(KeywordResult());
            keyword.key = u"keyword %1 of %2"_s.arg(k).arg(d);
            keyword.action = u"Finished search"_s;
            for (int h = 1; h <= 2; ++h)
                keyword.positions.append(SearchHit{u"http://www.%1/page%2.html"_s.arg(session.url).arg(h),
                                                   u"Title %1"_s.arg(h),
                                                   u"Snippet of the page"_s,
                                                   h * 7,
                                                   {}});
            for (int t = 1; t <= 10; ++t) {
                keyword.urls.append(u"http://rival%1.example/"_s.arg(t));
                keyword.titles.append(u"Rival %1"_s.arg(t));
            }
        }
    }
    state.txturl = state.urldata[1].url;
    writei(state, windowsettings, WindowPlacement{}, {});
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

double cpums()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

// The program itself in the folder, idle for a few seconds: its resident set in MB.
double programrss(const QString &folder)
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!environment.contains(u"QT_QPA_PLATFORM"_s) && !environment.contains(u"DISPLAY"_s))
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(ZORVANE_GUI_PATH), {u"--dir"_s, folder});
    if (!program.waitForStarted())
        return -1;
    QTest::qWait(4000);
    QFile status(u"/proc/%1/status"_s.arg(program.processId()));
    double rss = -1;
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:"))
                rss = line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
        }
    }
    ::kill(pid_t(program.processId()), SIGTERM);
    program.waitForFinished();
    return rss;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir folder;
    programfolder::setPath(folder.path());
    writesettings();
    QTextStream out(stdout);
    out << "settings file: " << QFile(folder.filePath(u"zorvane.ini"_s)).size() / 1024 << " KB, " << Domains
        << " domains\n";

    QList<double> startups;
    for (int round = 0; round < Rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        AppState state;
        MainWindow window(state);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            return 1;
        startups.append(timer.nsecsElapsed() / 1e6);
        window.close();
    }
    QElapsedTimer lookup;
    lookup.start();
    reports::browserexe();
    out << "start-up to the window shown: " << median(startups) << " ms (median of " << Rounds
        << "), of which the browser look-up " << lookup.nsecsElapsed() / 1e6 << " ms\n";

    AppState state;
    MainWindow window(state);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    // Every domain searched a moment ago: each tick walks all of them and shows the count-down.
    state.settings.schedulerunning = true;
    state.settings.schedulefile = folder.filePath(u"cycle.sav"_s);
    for (SearchSession &session : state.urldata)
        session.lastscheduletime = GetDateFormat();
    window.searchrun().stoptimer();
    const double before = cpums();
    for (int tick = 0; tick < TicksPerHour; ++tick) {
        window.searchrun().Timer1_Timer();
        window.searchrun().stoptimer();
        QCoreApplication::processEvents();
    }
    const double hour = cpums() - before;
    out << "an hour of idle ticks (" << TicksPerHour << "): " << hour << " ms of processor time, "
        << hour / TicksPerHour << " ms a tick\n";
    window.close();

    out << "resident memory of the idle program: " << programrss(folder.path()) << " MB\n";
    return 0;
}
