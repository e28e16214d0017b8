#include "cliparser.h"
#include "commands.h"

#include "cli/clialerts.h"
#include "cli/headlesswindow.h"
#include "cli/secrets.h"
#include "cli/stderrprompts.h"
#include "diagnostics/datetext.h"
#include "foldersession.h"
#include "platform/connection.h"
#include "platform/dialup.h"
#include "platform/programfolder.h"
#include "platform/stopsignals.h"
#include "scheduler/scheduler.h"
#include "search/localconnection.h"
#include "search/searchrun.h"
#include "search/searchstate.h"
#include "storage/historyfile.h"

#include <QCoreApplication>
#include <QTextStream>

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

struct ScheduleArgs
{
    bool once = false;
    std::optional<QString> file;
    std::optional<QString> interval;
};

int scheduleusage(const QString &problem)
{
    QTextStream(stderr) << "zorvane-cli schedule: " << problem << '\n' << scheduleUsageText();
    return 2;
}

QString parseargs(const QStringList &args, ScheduleArgs &parsed)
{
    QCommandLineParser parser;
    const QCommandLineOption once(u"once"_s), file(u"file"_s, {}, u"F"_s), interval(u"interval"_s, {}, u"I"_s);
    const QString problem = readarguments(parser, args, {once, file, interval});
    if (!problem.isEmpty())
        return problem;
    parsed.once = parser.isSet(once);
    if (parser.isSet(file))
        parsed.file = parser.value(file);
    if (parser.isSet(interval))
        parsed.interval = parser.value(interval);
    if (parsed.interval && !QStringList{u"hour"_s, u"day"_s, u"week"_s}.contains(*parsed.interval))
        return u"--interval takes hour, day or week"_s;
    return {};
}

// The options of this run only: the results file, the interval and the environment's secrets.
void applyargs(const ScheduleArgs &args, Settings &settings)
{
    secrets::fromenvironment(settings);
    if (args.file)
        settings.schedulefile = *args.file;
    if (args.interval) {
        settings.searchhour = *args.interval == u"hour";
        settings.searchday = *args.interval == u"day";
        settings.searchweek = *args.interval == u"week";
    }
}

// The scheduler of the desktop program without its window: the run's timer ticks, the
// scheduler starts each due domain on an idle tick, the settings file is stored after every
// domain and the cycle is appended to the results file after the last one.
class HeadlessScheduler final : public QObject
{
public:
    HeadlessScheduler(SearchState &state, FolderSession &folder, bool once)
        : m_state(state), m_folder(folder), m_once(once),
          m_window(state, [](const QString &line) { QTextStream(stderr) << line << '\n'; }),
          m_connection(m_system, state.settings), m_run(state, m_window, m_prompts, m_connection),
          m_scheduler(state, m_window, m_run, m_dialup), m_alerts(state, m_run)
    {
        m_window.setPagedepthText(u"1"_s);
        m_scheduler.setlabelsink([](const QString &text) { QTextStream(stderr) << text << '\n'; });
        m_scheduler.setsave([this] { return savecycle(); });
        m_scheduler.setcycleend([this](bool searched) { cycleended(searched); });
        connect(&m_run, &SearchRun::searchEnded, this, &HeadlessScheduler::searchended);
        connect(&m_stopsignals, &StopSignals::received, this, &HeadlessScheduler::stop);
    }

    HeadlessWindow &window() { return m_window; }
    Scheduler &scheduler() { return m_scheduler; }
    StderrPrompts &prompts() { return m_prompts; }

    // Runs until stopped, or with --once until a cycle is over. Returns the exit status.
    int exec()
    {
        // The first check at once, so that --once can tell straight away that nothing is due.
        m_run.Timer1_Timer();
        if (m_finished || (m_once && !m_state.searching))
            return m_status;
        QCoreApplication::exec();
        m_alerts.waitall();
        return m_status;
    }

private:
    bool savecycle()
    {
        return saveall(m_state.settings.schedulefile, m_state, m_folder.windowsettings(),
                       storedrecordwindow(m_state.inifile, m_folder.windowsettings(), m_window.txturlsText()));
    }

    void cycleended(bool searched)
    {
        m_cycleover = true;
        if (searched)
            return; // the run's end, which follows, stores the settings
        QTextStream(stderr) << "zorvane-cli schedule: the last domain's search did not start; the cycle is not saved\n";
        if (m_once) {
            m_folder.store();
            finish(1);
        }
    }

    // After every domain, so a scheduler killed later loses at most the domain it was searching.
    void searchended()
    {
        const bool stored = m_folder.store();
        if (!m_stopping && unansweredstatus(m_run, m_state) != 0)
            m_unanswered = true;
        if (m_stopping || (m_once && m_cycleover))
            finish(!stored ? 1 : m_unanswered && !m_stopping ? UnansweredStatus : 0);
    }

    // As STOP does, then the settings are stored and the scheduler ends.
    void stop(int signal)
    {
        QTextStream(stderr) << "zorvane-cli schedule: " << StopSignals::name(signal) << ", stopping\n";
        m_stopping = true;
        if (m_state.searching) {
            m_run.Dostop_Click(); // its end stores the settings
            return;
        }
        finish(m_folder.store() ? 0 : 1);
    }

    void finish(int status)
    {
        m_finished = true;
        m_status = status;
        m_run.stoptimer();
        QCoreApplication::exit(status);
    }

    SearchState &m_state;
    FolderSession &m_folder;
    bool m_once;
    HeadlessWindow m_window;
    StderrPrompts m_prompts;
    SystemConnection m_system;
    LocalConnection m_connection;
    SystemDialup m_dialup;
    SearchRun m_run;
    Scheduler m_scheduler;
    CliAlerts m_alerts;
    StopSignals m_stopsignals;
    bool m_unanswered = false; // a keyword this scheduler searched ended without its ranking
    bool m_cycleover = false;
    bool m_stopping = false;
    bool m_finished = false;
    int m_status = 0;
};

} // namespace

QString scheduleUsageText()
{
    return u"usage: zorvane-cli --dir DIR schedule [--once] [--file F] [--interval hour|day|week]\n"
           "          runs DIR's scheduler without a window: every due domain is searched with its\n"
           "          own keywords and settings, and each cycle is added to the results file (F for\n"
           "          this run); --once ends after one saved cycle, or at once when nothing is due,\n"
           "          with exit status 3 when a keyword of the cycle was not answered;\n"
           "          ZORVANE_PROXY_PASS, ZORVANE_API_KEY and ZORVANE_ENGINE_KEY win over DIR's secrets\n"_s;
}

int runSchedule(const QStringList &args, bool fromfolder)
{
    ScheduleArgs parsed;
    const QString problem = parseargs(args, parsed);
    if (!problem.isEmpty())
        return scheduleusage(problem);
    if (!fromfolder)
        return scheduleusage(u"the scheduler works on a program folder: give --dir DIR"_s);

    SearchState state;
    FolderSession folder(state);
    if (folder.anotherinstance()) {
        QTextStream(stderr) << "zorvane-cli schedule: another Zorvane (the program or a scheduler) is running on "
                            << programfolder::path() << "; a second scheduler there would search every domain twice\n";
        return 1;
    }
    if (const QString unusable = folder.problem(); !unusable.isEmpty()) {
        QTextStream(stderr) << "zorvane-cli schedule: " << unusable << '\n';
        return 1;
    }
    HeadlessScheduler scheduler(state, folder, parsed.once);
    folder.load(scheduler.window());
    if (folder.damaged()) {
        // Its progress could not be stored, and a damaged entry would be searched as read.
        QTextStream(stderr) << "zorvane-cli schedule: the scheduler does not start on a damaged settings file\n";
        return 1;
    }
    applyargs(parsed, state.settings);
    // Started as the menu command starts it; in the settings file the flag stays as it was.
    if (!scheduler.scheduler().mnustartschedule_Click(scheduler.prompts()))
        return 1;
    folder.beginrun();
    return scheduler.exec();
}
