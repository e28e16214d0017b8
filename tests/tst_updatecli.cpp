#include "platform/product.h"
#include "support/clirun.h"
#include "support/fakeengine.h"
#include "support/tempfolder.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// The command line's help, version and option errors, and check-update against a fake update
// host on 127.0.0.1, which this test's event loop serves while the command runs.
class TestUpdateCli : public QObject
{
    Q_OBJECT

private slots:
    void usage()
    {
        clirun::Result run = clirun::run({u"--help"_s});
        QVERIFY(run.status == 0 && run.out.contains("check-update") && run.out.contains("search --domain"));
        run = clirun::run({u"--version"_s});
        QCOMPARE(run.out, (product::name() + u' ' + product::version() + u'\n').toLatin1());
        for (const QString &command : {u"parse"_s, u"request"_s, u"search"_s, u"check-update"_s}) {
            run = clirun::run({command, u"--help"_s});
            QVERIFY2(run.status == 0 && run.out.startsWith(QByteArray("usage: zorvane-cli " + command.toLatin1())),
                     run.out.constData());
            // An unknown option names itself, also last on the line where a value might be missing.
            run = clirun::run({command, u"--bogus"_s});
            QVERIFY2(run.status == 2 && run.err.contains("\"--bogus\""), run.err.constData());
        }
        run = clirun::run({u"--bogus"_s, u"search"_s});
        QVERIFY2(run.status == 2 && run.err.contains("\"--bogus\""), run.err.constData());
    }

    void checkUpdate()
    {
        FakeEngine engine;
        QVERIFY(engine.listen());
        QTemporaryDir dir;
        QVERIFY(writebytes(dir.filePath(u"zorvane.ini"_s), "[settings]\r\nupdatehost=" + engine.hostport().toLatin1()));
        const QStringList check{u"--dir"_s, dir.path(), u"check-update"_s};
        clirun::Result run = clirun::run(check);
        QVERIFY(run.status == 0 && run.out.isEmpty() && engine.requests().size() == 1);

        engine.setAnnounce(u"V99.0.0"_s);
        run = clirun::run(check);
        QVERIFY2(run.status == 0 && run.out.contains("\na new version is available! V99.0.0\n"), run.out.constData());
        // A build folder has no updater: the way to update instead follows the message.
        QVERIFY2(run.out.contains("will be restarted.\n\nThere is no automatic update for this copy of Zorvane: "
                                  "there is no zorvaneupdate in ") &&
                     run.out.endsWith("The download page has version V99.0.0.\n"),
                 run.out.constData());

        // --updatehost wins over the settings file.
        FakeEngine closed;
        QVERIFY(closed.listen());
        closed.refuse();
        run = clirun::run(check + QStringList{u"--updatehost"_s, closed.hostport()});
        QVERIFY(run.status == 1 && run.out.isEmpty());
        QVERIFY2(run.err.contains(QByteArray("could not connect to " + closed.hostport().toLatin1())), run.err);

        engine.setDefaultBehaviour({FakeEngine::Reply::Hang, 0, {}, {}, 0});
        run = clirun::run(check + QStringList{u"--timeout"_s, u"1"_s});
        QVERIFY2(run.status == 1 && run.err.contains(QByteArray("no reply from " + engine.hostport().toLatin1())),
                 run.err);
    }
};

QTEST_GUILESS_MAIN(TestUpdateCli)
#include "tst_updatecli.moc"
