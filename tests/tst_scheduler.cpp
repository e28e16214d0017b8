#include "diagnostics/datetext.h"
#include "scheduler/scheduler.h"
#include "searchrig.h"
#include "support/mockclock.h"
#include "support/recordingdialup.h"
#include "support/sampledata.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const QDateTime Start(QDate(2024, 12, 31), QTime(23, 30, 0));

// A scheduler over the search rig, its ticks driven by hand.
struct ScheduleRig
{
    MockClock clock{Start};
    SearchRig rig{1000000};
    RecordingDialup dialup;
    Scheduler scheduler{rig.state, rig.window, rig.run, dialup};
    QStringList saves; // the selected domain at each save

    // Domains d1.example, d2.example, ... each with its own keyword "kN".
    explicit ScheduleRig(int domains)
    {
        scheduler.setsave([this] {
            saves.append(rig.state.txturl);
            return true;
        });
        rig.state.settings.schedulerunning = true;
        rig.state.settings.schedulefile = u"cycle.sav"_s;
        for (int i = 1; i <= domains; ++i) {
            rig.state.urldata.append(sample::domain(u"d%1.example"_s.arg(i), {sample::keyword(u"k%1"_s.arg(i), {})}));
            rig.state.urldata[i].pagedepth = u"1"_s;
        }
    }
    // One idle tick; returns the domain whose search it started ("" for none).
    QString idletick()
    {
        rig.run.Timer1_Timer();
        return rig.state.searching ? rig.state.txturl : QString();
    }
    // Ticks by hand, handling the sockets between ticks, until the search ended.
    bool finish()
    {
        return QTest::qWaitFor(
            [this] {
                rig.run.Timer1_Timer();
                return !rig.state.searching;
            },
            60000);
    }
};

} // namespace

class TestScheduler : public QObject
{
    Q_OBJECT

private slots:
    void init() { errorreports::reset(); }

    // Only the first domain's count-down is shown; a domain never searched, or whose last time
    // cannot be read, is due at once, its search starts and the idle tick quickens.
    void countdown()
    {
        const QString running = u"Scheduled searches running"_s;
        // The interval ticked, how long ago the first domain was searched, its last time as
        // stored instead ("-" for none), the label.
        const std::tuple<QString, qint64, QString, QString> rows[] = {
            {u"hour"_s, 3570, {}, u"Next Schedule search in 30 secs "_s},
            {u"day"_s, 78900, {}, u"Next Schedule search in 2 hours 5 mins "_s},
            {u"week"_s, 86400, {}, u"Next Schedule search in 6 days "_s},
            {{}, 86380, {}, u"Next Schedule search in 20 secs "_s}, // none ticked counts daily
            {u"hour"_s, 3600, {}, running},
            {u"day"_s, 0, u"-"_s, running},
            {u"day"_s, 0, u"yesterday"_s, running}};
        for (const auto &[interval, ago, last, label] : rows) {
            ScheduleRig s(2);
            Settings &settings = s.rig.state.settings;
            settings.searchday = interval == u"day";
            settings.searchhour = interval == u"hour";
            settings.searchweek = interval == u"week";
            s.rig.state.urldata[2].lastscheduletime = GetDateFormat();
            s.clock.advanceSeconds(10);
            s.rig.state.urldata[1].lastscheduletime = GetDateFormat();
            s.clock.advanceSeconds(ago);
            if (!last.isEmpty())
                s.rig.state.urldata[1].lastscheduletime = last == u"-" ? QString() : last;
            const QString started = s.idletick();
            const bool due = label == running;
            QCOMPARE((QStringList{s.scheduler.labscheduler(), started, QString::number(s.rig.run.interval())}),
                     (QStringList{label, due ? u"d1.example"_s : QString(), due ? u"1000"_s : u"5000"_s}));
        }
    }

    // Three due domains: one started per idle tick, in list order, each with its own keyword,
    // and one save after the third; then the first domain's count-down. A run the user stops
    // saves nothing and the scheduler goes on; switched off, it lets the running search end.
    // (OK in the options panel making every domain due: tst_shell startPanelsAndEnd.)
    void cycle()
    {
        ScheduleRig s(3);
        for (int i = 1; i <= 3; ++i) {
            QCOMPARE(s.idletick(), u"d%1.example"_s.arg(i));
            QCOMPARE(s.rig.state.urldata[i].lastscheduletime, GetDateFormat());
            QVERIFY(s.finish());
            QCOMPARE(s.rig.engine.pagesRequested(u"k%1"_s.arg(i)), QList<int>{0});
            QCOMPARE(s.saves.size(), i == 3 ? 1 : 0);
            s.clock.advanceSeconds(60);
        }
        QCOMPARE(s.saves, QStringList{u"d3.example"_s});
        QVERIFY(s.rig.window.lines().contains(u"Saving schedule search to cycle.sav"_s));
        QCOMPARE(s.rig.window.lines().last(), u"Schedule data Saved"_s);
        QVERIFY(!s.rig.state.schedulesearching && !s.rig.state.schedulelast);
        QCOMPARE(s.idletick(), QString());
        QCOMPARE(s.scheduler.labscheduler(), u"Next Schedule search in 23 hours 57 mins "_s);

        s.clock.advanceSeconds(86400);
        for (int i = 1; i <= 2; ++i)
            QVERIFY(!s.idletick().isEmpty() && s.finish());
        QCOMPARE(s.idletick(), u"d3.example"_s);
        s.rig.run.Dostop_Click();
        QVERIFY(!s.rig.state.schedulesearching && !s.rig.state.schedulelast && s.saves.size() == 1);
        QCOMPARE(s.idletick(), QString());

        // The results file emptied in the options meanwhile: said plainly, and not "Saved".
        s.rig.state.settings.schedulefile.clear();
        s.clock.advanceSeconds(86400);
        for (int i = 1; i <= 3; ++i) {
            QCOMPARE(s.idletick(), u"d%1.example"_s.arg(i));
            if (i == 3)
                s.scheduler.mnustopschedule_Click();
            QVERIFY(s.finish());
        }
        QVERIFY(s.saves.size() == 1 && s.rig.window.lines().last() == u"Saving schedule search to "_s);
        QCOMPARE(errorreports::lastfileproblem(),
                 u"Could not write the scheduled searches: no results file is set in the schedule options"_s);
        QCOMPARE(s.idletick(), QString());
        QCOMPARE(s.scheduler.labscheduler(), u"Scheduler OFF"_s);
    }

    // Dialled only while offline with "isautoconnect"; hung up after the last domain only with
    // "isautodisconnect" and only when the scheduler dialled. Offline without dialling the
    // search is refused, and the cycle ends unsaved.
    void dialling()
    {
        // Online, "isautoconnect", "isautodisconnect", the calls made.
        const std::tuple<bool, bool, bool, QStringList> rows[] = {{false, true, true, {u"dial 2"_s, u"hangup"_s}},
                                                                  {false, true, false, {u"dial 2"_s}},
                                                                  {false, false, true, {}},
                                                                  {true, true, true, {}}};
        for (const auto &[online, autoconnect, autodisconnect, calls] : rows) {
            ScheduleRig s(1);
            s.rig.state.settings.isautoconnect = autoconnect;
            s.rig.state.settings.isautodisconnect = autodisconnect;
            s.rig.connection.set(online);
            s.dialup.ondial = [&] { s.rig.connection.set(true); };
            bool ended = false;
            s.scheduler.setcycleend([&](bool searched) { ended = !searched; });
            const bool refused = !online && !autoconnect;
            QCOMPARE(s.idletick().isEmpty(), refused);
            QCOMPARE(ended, refused);
            QVERIFY(s.finish());
            QCOMPARE(s.dialup.calls + QStringList{u"dialled %1"_s.arg(s.rig.state.autodialled)},
                     calls + QStringList{u"dialled %1"_s.arg(autoconnect && !online && !autodisconnect)});
        }
    }
};

QTEST_GUILESS_MAIN(TestScheduler)
#include "tst_scheduler.moc"
