#include "platform/product.h"
#include "support/fakeengine.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Run
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// Runs zorvane-cli while this test's event loop serves the fake update host.
Run cli(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(ZORVANE_CLI_PATH), args);
    if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 30000))
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace

// The command line's help, version and option errors, and check-update against a fake update
// host on 127.0.0.1.
class TestUpdateCli : public QObject
{
    Q_OBJECT

private slots:
    void usage()
    {
        Run run = cli({u"--help"_s});
        QVERIFY(run.status == 0 && run.out.contains("check-update") && run.out.contains("search --domain"));
        run = cli({u"--version"_s});
        QCOMPARE(run.out, (product::name() + u' ' + product::version() + u'\n').toLatin1());
        for (const QString &command : {u"parse"_s, u"request"_s, u"search"_s, u"check-update"_s}) {
            run = cli({command, u"--help"_s});
            QVERIFY2(run.status == 0 && run.out.startsWith(QByteArray("usage: zorvane-cli " + command.toLatin1())),
                     run.out.constData());
            // An unknown option names itself, also last on the line where a value might be missing.
            run = cli({command, u"--bogus"_s});
            QVERIFY2(run.status == 2 && run.err.contains("\"--bogus\""), run.err.constData());
        }
        run = cli({u"--bogus"_s, u"search"_s});
        QVERIFY2(run.status == 2 && run.err.contains("\"--bogus\""), run.err.constData());
    }

    void checkUpdate()
    {
        FakeEngine engine;
        QVERIFY(engine.listen());
        QTemporaryDir dir;
        QFile ini(dir.filePath(u"zorvane.ini"_s));
        QVERIFY(ini.open(QIODevice::WriteOnly) &&
                ini.write("[settings]\r\nupdatehost=" + engine.hostport().toLatin1()));
        ini.close();
        const QStringList check{u"--dir"_s, dir.path(), u"check-update"_s};
        Run run = cli(check);
        QVERIFY(run.status == 0 && run.out.isEmpty() && engine.requests().size() == 1);

        engine.setAnnounce(u"V99.0.0"_s);
        run = cli(check);
        QVERIFY2(run.status == 0 && run.out.contains("\na new version is available! V99.0.0\n"), run.out.constData());

        // --updatehost wins over the settings file.
        FakeEngine closed;
        QVERIFY(closed.listen());
        closed.refuse();
        run = cli(check + QStringList{u"--updatehost"_s, closed.hostport()});
        QVERIFY(run.status == 1 && run.out.isEmpty());
        QVERIFY2(run.err.contains(QByteArray("could not connect to " + closed.hostport().toLatin1())), run.err);

        engine.setDefaultBehaviour({FakeEngine::Reply::Hang, 0, {}, {}, 0});
        run = cli(check + QStringList{u"--timeout"_s, u"1"_s});
        QVERIFY2(run.status == 1 && run.err.contains(QByteArray("no reply from " + engine.hostport().toLatin1())),
                 run.err);
    }
};

QTEST_GUILESS_MAIN(TestUpdateCli)
#include "tst_updatecli.moc"
