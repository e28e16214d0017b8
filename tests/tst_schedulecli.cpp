#include "platform/programfolder.h"
#include "search/searchstate.h"
#include "storage/historyfile.h"
#include "storage/inistore.h"
#include "storage/instancelock.h"
#include "support/fakeengine.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace Qt::Literals::StringLiterals;

// zorvane-cli schedule: the program folder's scheduler without a window, against the fake engine.
class TestScheduleCli : public QObject
{
    Q_OBJECT

    FakeEngine m_engine;
    QTemporaryDir m_dir;

    QProcess *start(const QStringList &args)
    {
        auto *process = new QProcess(this);
        process->start(QStringLiteral(ZORVANE_CLI_PATH), QStringList{u"--dir"_s, m_dir.path(), u"schedule"_s} + args);
        return process;
    }
    static bool wait(QProcess *process)
    {
        return QTest::qWaitFor([process] { return process->state() == QProcess::NotRunning; }, 30000);
    }
    // Runs to the end; returns the exit status and leaves standard error in err.
    int run(const QStringList &args, QByteArray &err)
    {
        QProcess *process = start(args);
        const bool ended = wait(process);
        err = process->readAllStandardError();
        const int status = ended ? process->exitCode() : -1;
        delete process;
        return status;
    }
    void write(const QByteArray &schedulefile)
    {
        QFile file(m_dir.filePath(u"zorvane.ini"_s));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("[settings]\r\nsearchhost=" + m_engine.hostport().toLatin1() + "\r\nschedulefile=" + schedulefile +
                   "\r\ncounturls=2\r\ntxturl=b.example\r\n"
                   "[URL1]\r\nurl=a.example\r\npagedepth=1\r\ncountkeys=1\r\nkeys1=red\r\n"
                   "[URL2]\r\nurl=b.example\r\npagedepth=1\r\ncountkeys=1\r\nkeys1=blue\r\n");
    }
    SearchState stored() const
    {
        programfolder::setPath(m_dir.path());
        SearchState state;
        WindowSettings windowsettings;
        WindowPlacement window{0, 0, 0, 0, WindowState::Normal, 30000, 30000};
        readi(state, windowsettings, window, false);
        return state;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid() && m_engine.listen());
        m_engine.place(u"red"_s, 2, u"http://a.example/"_s);
        m_engine.place(u"blue"_s, 5, u"http://b.example/x"_s);
    }

    // Both domains are due: searched one after the other, the cycle appended once, each
    // domain's time stored. Then nothing is due and --once ends at once with the count-down.
    void onceCycle()
    {
        write({});
        const QString results = m_dir.filePath(u"cycle.sav"_s);
        QByteArray err;
        QCOMPARE(run({u"--once"_s, u"--file"_s, results, u"--interval"_s, u"week"_s}, err), 0);
        QVERIFY(err.indexOf("-Starting Search a.example") < err.indexOf("-Starting Search b.example"));
        QVERIFY2(err.contains("Scheduled searches running\n") && err.endsWith("-Schedule data Saved\n"),
                 err.constData());
        const Array1<HistoryEntry> records = historyfile::readhistory(results);
        QCOMPARE(records.ubound(), 1);
        QCOMPARE(records[1].urldata.ubound(), 2);
        QCOMPARE(int(records[1].urldata[1].keys[1].positions[1].position), 2);
        QCOMPARE(int(records[1].urldata[2].keys[1].positions[1].position), 5);
        const SearchState state = stored();
        QVERIFY(!state.urldata[1].lastscheduletime.isEmpty() && !state.urldata[2].lastscheduletime.isEmpty());
        QCOMPARE(state.urldata[2].keys[1].positions[1].url, u"http://b.example/x"_s);
        // The file and the interval were for that run.
        QVERIFY(state.settings.schedulefile.isEmpty() && !state.settings.schedulerunning);

        QCOMPARE(run({u"--once"_s, u"--file"_s, results}, err), 0);
        QVERIFY2(err.startsWith("Next Schedule search in 23 hours 59 mins "), err.constData());
        QCOMPARE(historyfile::readhistory(results).ubound(), 1);
    }

    // SIGTERM stops the search as STOP does, stores the settings and ends the scheduler.
    void stopFromOutside()
    {
        const QString results = m_dir.filePath(u"cycle.sav"_s);
        write(results.toLatin1());
        m_engine.setBehaviour(u"red"_s, -1, {FakeEngine::Reply::Hang, 0, {}, {}});
        QProcess *process = start({});
        QByteArray err;
        QVERIFY(QTest::qWaitFor(
            [&] {
                err += process->readAllStandardError();
                return err.contains("Sending for page 1 search term red");
            },
            15000));
        ::kill(pid_t(process->processId()), SIGTERM);
        QVERIFY(wait(process));
        QCOMPARE(process->exitCode(), 0);
        QVERIFY(process->readAllStandardError().contains("-Searching Manually Stopped\n"));
        delete process;
        const SearchState state = stored();
        QCOMPARE(state.urldata[1].keys[1].action, u"stopped"_s);
        QVERIFY(!state.urldata[1].lastscheduletime.isEmpty());
        QVERIFY(state.urldata[2].lastscheduletime.isEmpty());
        QCOMPARE(historyfile::readhistory(results).ubound(), 1); // the cycle before, no more
        m_engine.setBehaviour(u"red"_s, -1, {});
    }

    void refusals()
    {
        QByteArray err;
        write({});
        QCOMPARE(run({}, err), 1);
        QCOMPARE(err, "You must enter a filename for results before starting scheduled operation\n"_ba);

        write("cycle.sav");
        {
            const InstanceLock lock(m_dir.path());
            QCOMPARE(run({u"--once"_s}, err), 1);
            QVERIFY2(err.contains("another Zorvane (the program or a scheduler) is running on"), err.constData());
        }
    }
};

QTEST_GUILESS_MAIN(TestScheduleCli)
#include "tst_schedulecli.moc"
