#include "support/fakeengine.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::Literals::StringLiterals;

// zorvane-cli results csv and history csv over a program folder that the fake engine's
// searches filled, and the ranking changes a second search prints and gives the alert program.
class TestExportCli : public QObject
{
    Q_OBJECT

private:
    FakeEngine m_engine;
    QTemporaryDir m_dir;

    // Runs zorvane-cli on the folder and returns it ended (or still running after two minutes).
    std::unique_ptr<QProcess> cli(const QString &args)
    {
        auto process = std::make_unique<QProcess>();
        process->setWorkingDirectory(m_dir.path());
        process->start(QStringLiteral(ZORVANE_CLI_PATH), QStringList{u"--dir"_s, m_dir.path()} + args.split(u' '));
        if (!QTest::qWaitFor([&] { return process->state() == QProcess::NotRunning; }, 120000))
            process->kill();
        return process;
    }
    QByteArray read(const QString &name) const
    {
        QFile file(m_dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void write(const QString &name, const QByteArray &bytes)
    {
        QFile file(m_dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

private slots:
    void searchesExportAndAlert()
    {
        QVERIFY(m_engine.listen());
        m_engine.place(u"mover"_s, 15, u"http://mysite.example/m"_s);
        // No shell may read the command: it would run "date" into a file "pwned".
        write(u"alert;date>pwned"_s, "#!/bin/sh\necho \"$1\" > alerted\ncat >> alerted\n");
        write(u"zorvane.ini"_s, "[settings]\r\nsearchhost=" + m_engine.hostport().toLatin1() + "\r\nalertcommand=" +
                                    m_dir.filePath(u"alert;date>pwned"_s).toUtf8() + " \"two words\"" +
                                    "\r\ntxturl=mysite.example\r\ncounturls=1\r\n[URL1]\r\nurl=mysite.example\r\n"
                                    "pagedepth=2\r\ncountkeys=2\r\nkeys1=mover\r\nkeys2=absent\r\n");
        QVERIFY(!cli(u"search"_s)->readAllStandardError().contains("Ranking changes"));
        QCOMPARE(cli(u"history save h.sav"_s)->exitCode(), 0);
        QByteArray out = cli(u"results csv"_s)->readAllStandardOutput();
        QVERIFY(out.startsWith("date,domain,keyword,position,url,title\r\n"));
        QVERIFY(out.contains(",mysite.example,mover,15,http://mysite.example/m,Result 15 for mover\r\n"));
        QVERIFY(out.endsWith(",mysite.example,absent,None,,\r\n"));

        m_engine.place(u"mover"_s, 2, u"http://mysite.example/m"_s);
        const QByteArray err = cli(u"search"_s)->readAllStandardError();
        const QByteArray summary = "mysite.example \"mover\": entered the top 10 (was 15, now 2)";
        QVERIFY2(err.contains(QByteArray("Ranking changes:\n" + summary + '\n')), err.constData());
        QCOMPARE(read(u"alerted"_s), "two words\n" + summary + '\n');
        QVERIFY(!QFile::exists(m_dir.filePath(u"pwned"_s)));
        QCOMPARE(cli(u"history save h.sav"_s)->exitCode(), 0);

        QCOMPARE(cli(u"history csv h.sav --keyword mover --first-only --out mover.csv"_s)->exitCode(), 0);
        const QList<QByteArray> lines = read(u"mover.csv"_s).split('\n');
        QCOMPARE(lines.size(), 4);
        QVERIFY(lines[0].startsWith("\xEF\xBB\xBF"
                                    "date,"));
        QVERIFY(lines[1].contains(",mysite.example,mover,15,") && lines[2].contains(",mysite.example,mover,2,"));

        const auto failed = cli(u"results csv --out missing/folder/x.csv"_s);
        QCOMPARE(failed->exitCode(), 1);
        QVERIFY(failed->readAllStandardError().contains("could not write missing/folder/x.csv"));
    }
};

QTEST_GUILESS_MAIN(TestExportCli)
#include "tst_exportcli.moc"
