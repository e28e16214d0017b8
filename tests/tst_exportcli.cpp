#include "support/fakeengine.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// zorvane-cli results csv and history csv over a program folder that the fake engine's
// searches filled, and the ranking changes a second search prints and gives the alert program.
class TestExportCli : public QObject
{
    Q_OBJECT

private:
    FakeEngine m_engine;
    QTemporaryDir m_dir;

    struct Run
    {
        int status = -1;
        QByteArray out;
        QByteArray err;
    };
    Run cli(const QString &args)
    {
        QProcess process;
        process.setWorkingDirectory(m_dir.path());
        process.start(QStringLiteral(ZORVANE_CLI_PATH), QStringList{u"--dir"_s, m_dir.path()} + args.split(u' '));
        if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 120000))
            return {};
        return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
    }
    QByteArray read(const QString &name) const
    {
        QFile file(m_dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void searchesExportAndAlert()
    {
        QVERIFY(m_engine.listen());
        m_engine.place(u"mover"_s, 15, u"http://mysite.example/m"_s);
        m_engine.place(u"steady"_s, 3, u"http://mysite.example/"_s);
        QFile script(m_dir.filePath(u"alert"_s));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\ncat > \"$(dirname \"$0\")/alerted\"\n");
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        script.close();
        QFile ini(m_dir.filePath(u"zorvane.ini"_s));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[settings]\r\nsearchhost=" + m_engine.hostport().toLatin1() +
                  "\r\nalertcommand=" + script.fileName().toUtf8() +
                  "\r\ntxturl=mysite.example\r\ncounturls=1\r\n[URL1]\r\nurl=mysite.example\r\npagedepth=2\r\n"
                  "countkeys=2\r\nkeys1=mover\r\nkeys2=steady\r\n");
        ini.close();

        Run run = cli(u"search"_s);
        QCOMPARE(run.status, 0);
        QVERIFY(!run.err.contains("Ranking changes"));
        QCOMPARE(cli(u"history save h.sav"_s).status, 0);
        run = cli(u"results csv"_s);
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.startsWith("date,domain,keyword,position,url,title\r\n"));
        QVERIFY(run.out.contains(",mysite.example,mover,15,http://mysite.example/m,Result 15 for mover\r\n"));
        QVERIFY(run.out.contains(",mysite.example,steady,3,http://mysite.example/,"));

        m_engine.place(u"mover"_s, 2, u"http://mysite.example/m"_s);
        run = cli(u"search"_s);
        QCOMPARE(run.status, 0);
        const QByteArray summary = "mysite.example \"mover\": entered the top 10 (was 15, now 2)";
        QVERIFY2(run.err.contains(QByteArray("Ranking changes:\n" + summary + '\n')), run.err.constData());
        QCOMPARE(read(u"alerted"_s), summary + '\n');
        QCOMPARE(cli(u"history save h.sav"_s).status, 0);

        run = cli(u"history csv h.sav --keyword mover --first-only --out mover.csv"_s);
        QCOMPARE(run.status, 0);
        const QList<QByteArray> lines = read(u"mover.csv"_s).split('\n');
        QCOMPARE(lines.size(), 4);
        QVERIFY(lines[0].startsWith("\xEF\xBB\xBF"
                                    "date,"));
        QVERIFY(lines[1].contains(",mysite.example,mover,15,") && lines[2].contains(",mysite.example,mover,2,"));

        run = cli(u"results csv --out missing/folder/x.csv"_s);
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.contains("could not write missing/folder/x.csv"));
    }
};

QTEST_GUILESS_MAIN(TestExportCli)
#include "tst_exportcli.moc"
