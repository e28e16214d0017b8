#include "support/clirun.h"
#include "support/fakeengine.h"
#include "support/tempfolder.h"

#include <QFile>
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

    // zorvane-cli on the folder, started in it.
    clirun::Result cli(const QString &args)
    {
        return clirun::run(QStringList{u"--dir"_s, m_dir.path()} + args.split(u' '), {m_dir.path(), {}});
    }
    QByteArray read(const QString &name) const { return readbytes(m_dir.filePath(name)); }
    void write(const QString &name, const QByteArray &bytes)
    {
        QVERIFY(writebytes(m_dir.filePath(name), bytes));
        QFile::setPermissions(m_dir.filePath(name), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
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
        QVERIFY(!cli(u"search"_s).err.contains("Ranking changes"));
        QCOMPARE(cli(u"history save h.sav"_s).status, 0);
        QByteArray out = cli(u"results csv"_s).out;
        QVERIFY(out.startsWith("date,domain,keyword,position,url,title\r\n"));
        QVERIFY(out.contains(",mysite.example,mover,15,http://mysite.example/m,Result 15 for mover\r\n"));
        QVERIFY(out.endsWith(",mysite.example,absent,None,,\r\n"));

        m_engine.place(u"mover"_s, 2, u"http://mysite.example/m"_s);
        const QByteArray err = cli(u"search"_s).err;
        // The visibility: 10 of 600 thousandths (15th and not found), then 150 of 600.
        const QByteArray summary = "mysite.example \"mover\": entered the top 10 (was 15, now 2)\n"
                                   "mysite.example visibility: up 23.3 points (was 1.7 %, now 25.0 %)";
        QVERIFY2(err.contains(QByteArray("Ranking changes:\n" + summary + '\n')), err.constData());
        QCOMPARE(read(u"alerted"_s), "two words\n" + summary + '\n');
        QVERIFY(!QFile::exists(m_dir.filePath(u"pwned"_s)));
        QCOMPARE(cli(u"history save h.sav"_s).status, 0);

        QCOMPARE(cli(u"history csv h.sav --keyword mover --first-only --out mover.csv"_s).status, 0);
        const QList<QByteArray> lines = read(u"mover.csv"_s).split('\n');
        QCOMPARE(lines.size(), 4);
        QVERIFY(lines[0].startsWith("\xEF\xBB\xBF"
                                    "date,"));
        QVERIFY(lines[1].contains(",mysite.example,mover,15,") && lines[2].contains(",mysite.example,mover,2,"));

        const auto failed = cli(u"results csv --out missing/folder/x.csv"_s);
        QCOMPARE(failed.status, 1);
        QVERIFY(failed.err.contains("could not write missing/folder/x.csv"));
    }
};

QTEST_GUILESS_MAIN(TestExportCli)
#include "tst_exportcli.moc"
