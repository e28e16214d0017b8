#include "diagnostics/datetext.h"
#include "scheduler/scheduleoptions.h"
#include "scheduler/scheduler.h"
#include "searchrig.h"
#include "support/mockclock.h"
#include "support/recordingdialup.h"
#include "support/testfiledialogs.h"

#include <QTemporaryDir>

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
            SearchSession &session = rig.state.urldata.append(SearchSession());
            session.url = u"d%1.example"_s.arg(i);
            session.pagedepth = u"1"_s;
            session.keys.append(KeywordResult{u"k%1"_s.arg(i), {}, {}, {}, {}});
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
    void lastsearched(int domain, qint64 secondsago)
    {
        rig.state.urldata[domain].lastscheduletime = GetDateFormat();
        clock.advanceSeconds(secondsago);
    }
};

} // namespace

class TestScheduler : public QObject
{
    Q_OBJECT

private slots:
    void init() { errorreports::reset(); }

    // Only the first domain's count-down is shown; a domain never searched, or whose last time
    // cannot be read, is due at once and its search starts.
    void countdown_data()
    {
        QTest::addColumn<QString>("interval");
        QTest::addColumn<qint64>("ago");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("label");
        const QString running = u"Scheduled searches running"_s;
        QTest::newRow("hour, 59:30 ago") << u"hour"_s << 3570LL << QString() << u"Next Schedule search in 30 secs "_s;
        QTest::newRow("day, 21:55 ago") << u"day"_s << 78900LL << QString()
                                        << u"Next Schedule search in 2 hours 5 mins "_s;
        QTest::newRow("week, a day ago") << u"week"_s << 86400LL << QString() << u"Next Schedule search in 6 days "_s;
        QTest::newRow("none ticked counts daily")
            << QString() << 86380LL << QString() << u"Next Schedule search in 20 secs "_s;
        QTest::newRow("hour, just due") << u"hour"_s << 3600LL << QString() << running;
        QTest::newRow("never searched") << u"day"_s << 0LL << u"-"_s << running;
        QTest::newRow("unreadable") << u"day"_s << 0LL << u"yesterday"_s << running;
    }
    void countdown()
    {
        QFETCH(QString, interval);
        QFETCH(qint64, ago);
        QFETCH(QString, last);
        QFETCH(QString, label);
        ScheduleRig s(2);
        Settings &settings = s.rig.state.settings;
        settings.searchday = interval == u"day";
        settings.searchhour = interval == u"hour";
        settings.searchweek = interval == u"week";
        s.lastsearched(2, 10);
        s.lastsearched(1, ago);
        if (!last.isEmpty())
            s.rig.state.urldata[1].lastscheduletime = last == u"-" ? QString() : last;
        const QString started = s.idletick();
        QCOMPARE(s.scheduler.labscheduler(), label);
        QCOMPARE(started, label.startsWith(u"Next"_s) ? QString() : u"d1.example"_s);
        QCOMPARE(s.rig.run.interval(), started.isEmpty() ? 5000 : 1000);
    }

    // Three due domains: one started per idle tick, in list order, each with its own keyword,
    // and one save after the third; then the first domain's count-down. A run the user stops
    // saves nothing and the scheduler goes on; switched off, it lets the running search end.
    // (OK in the options panel making every domain due: tst_shell schedulePanel.)
    void cycle()
    {
        ScheduleRig s(3);
        for (int i = 1; i <= 3; ++i) {
            QCOMPARE(s.idletick(), u"d%1.example"_s.arg(i));
            QCOMPARE(s.rig.state.schedulelast, i == 3);
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
    // "isautodisconnect" and only when the scheduler dialled.
    void dialling_data()
    {
        QTest::addColumn<bool>("online");
        QTest::addColumn<bool>("autoconnect");
        QTest::addColumn<bool>("autodisconnect");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("offline, both") << false << true << true << QStringList{u"dial 2"_s, u"hangup"_s};
        QTest::newRow("offline, no hang-up") << false << true << false << QStringList{u"dial 2"_s};
        QTest::newRow("offline, no dialling") << false << false << true << QStringList();
        QTest::newRow("online") << true << true << true << QStringList();
    }
    void dialling()
    {
        QFETCH(bool, online);
        ScheduleRig s(1);
        QFETCH(bool, autoconnect);
        QFETCH(bool, autodisconnect);
        s.rig.state.settings.isautoconnect = autoconnect;
        s.rig.state.settings.isautodisconnect = autodisconnect;
        s.rig.connection.set(online);
        s.dialup.ondial = [&] { s.rig.connection.set(true); };
        bool ended = false;
        s.scheduler.setcycleend([&](bool searched) { ended = !searched; });
        // Offline without dialling the search is refused, and the cycle ends unsaved.
        QCOMPARE(s.idletick().isEmpty(), !online && !autoconnect);
        QCOMPARE(ended, !online && !autoconnect);
        QVERIFY(s.finish());
        QTEST(s.dialup.calls, "calls");
        QCOMPARE(s.rig.state.autodialled, autoconnect && !online && !autodisconnect);
    }

    void optionsPanel()
    {
        Settings settings;
        settings.searchweek = true;
        settings.searchday = false;
        settings.isautodisconnect = true;
        settings.schedulefile = u"a.sav"_s;
        ScheduleOptions boxes;
        boxes.autoconnect = true; // its setting is off: the box keeps its state
        scheduleoptions::fill(boxes, settings);
        QCOMPARE(boxes, (ScheduleOptions{false, false, true, true, true, u"a.sav"_s}));

        // Browse: cancel, then a new file (an existing one asks first: tst_historywindow).
        QTemporaryDir dir;
        TestFileDialogs dialogs;
        TestPrompts prompts;
        settings.schedulefile.clear();
        dialogs.setNextCancel();
        dialogs.setNextFileName(dir.filePath(u"new.sav"_s));
        scheduleoptions::browse(boxes, settings, dialogs, prompts);
        QCOMPARE(settings.schedulefile, QString());
        QCOMPARE(dialogs.asked().value(0).request.filename, u"zorvane.sav"_s);
        QCOMPARE(dialogs.asked().value(0).request.title, u"Select input file"_s);
        scheduleoptions::browse(boxes, settings, dialogs, prompts);
        QCOMPARE(settings.schedulefile, dir.filePath(u"new.sav"_s));
        QCOMPARE(boxes.txtschedulefile, dir.filePath(u"new.sav"_s));
        QVERIFY(prompts.questions().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestScheduler)
#include "tst_scheduler.moc"
