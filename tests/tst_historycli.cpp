#include "support/clirun.h"
#include "support/fakeengine.h"
#include "support/tempfolder.h"

#include <QFile>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

using Run = clirun::Result;
using clirun::said;

// A program folder whose selected domain has two keywords, each with two hits, beside a second
// domain.
const QByteArray Ini = "[settings]\r\ntxturl=mysite.example\r\ncounturls=2\r\nuselog=0\r\n"
                       "meleft=100\r\nmetop=200\r\nmewidth=9000\r\nmeheight=12000\r\n"
                       "[URL1]\r\nurl=other.example\r\ncountkeys=1\r\nkeys1=unrelated\r\n"
                       "[URL2]\r\nurl=mysite.example\r\ncountkeys=2\r\n"
                       "keys1=keyword1\r\ncountkeys1=2\r\nposition1=4\r\nurls1=http://mysite.example/1\r\n"
                       "position2=5\r\nurls2=http://mysite.example/2\r\n"
                       "keys2=keyword2\r\ncountkeys2=2\r\nposition3=6\r\nurls3=http://mysite.example/3\r\n"
                       "position4=7\r\nurls4=http://mysite.example/4\r\n";

QStringList lines(const QByteArray &out)
{
    return QString::fromUtf8(out).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

// zorvane-cli on a program folder's state and its history files: history save, list, load,
// delete and show (killed saves and deletes are tst_killsafety's); analysis, detail and report;
// the results and history CSV files, and the ranking changes a search prints and gives the alert
// program.
class TestHistoryCli : public QObject
{
    Q_OBJECT

private:
    TempProgramFolder m_dir;
    QString file(const QString &name) const { return m_dir.file(name); }
    void write(const QString &name, const QByteArray &bytes) { QVERIFY(m_dir.write(name, bytes)); }
    // zorvane-cli on the folder, started in it: the words of args, then `more`.
    Run cli(const QString &args, const QStringList &more = {})
    {
        return clirun::run(QStringList{u"--dir"_s, m_dir.path()} + args.split(u' ') + more, {m_dir.path(), {}});
    }
    // What the command printed, or why it did not end with `status`.
    QString printed(const QString &args, int status = 0)
    {
        const Run run = cli(args);
        return QString::fromUtf8(run.status == status ? run.out : "failed: " + run.err);
    }

private slots:
    void commands()
    {
        write(u"zorvane.ini"_s, Ini);
        const QString sav = file(u"h.sav"_s);
        QCOMPARE(cli(u"history save h.sav"_s).status, 0);
        QCOMPARE(cli(u"history save h.sav --overwrite"_s).status, 0);
        QCOMPARE(lines(cli(u"history list h.sav"_s).out).size(), 1);
        // The second record differs in keyword 2's first position.
        write(u"zorvane.ini"_s, QByteArray(Ini).replace("position3=6", "position3=9"));
        QVERIFY(cli(u"history save "_s + sav).err.contains("File exists, Yes=Overwrite No=Add ?  No\n"));
        const QStringList dates = lines(cli(u"history list h.sav"_s).out);
        QCOMPARE(dates.size(), 2);
        QVERIFY(m_dir.read(u"zorvane.ini"_s).contains(QByteArray("writefile=" + sav.toLatin1() + "\r\n")));

        // The view starts at the selected domain with every date and keyword.
        const QStringList shown = lines(printed(u"history show h.sav"_s).toUtf8());
        QCOMPARE(shown.size(), 8);
        QCOMPARE(shown.first(), u"{\"date\":\""_s + dates[0] +
                                    u"\",\"key\":\"keyword1\",\"position\":4,\"url\":\"http://mysite.example/1\"}"_s);
        const QStringList sorted =
            lines(cli(u"history show h.sav --keyword keyword2 --first-only --sort position --descending"_s).out);
        QCOMPARE(sorted.size(), 2);
        QVERIFY(sorted[0].contains(dates[1]) && sorted[0].contains(u"\"position\":9"_s));
        QVERIFY(lines(cli(u"history show h.sav --domain other.example"_s).out).isEmpty());

        // Loading restores the record's keywords and window values over what the folder holds now.
        const QByteArray now = Ini.left(Ini.indexOf("keys2=")).replace("countkeys=2", "countkeys=1");
        write(u"zorvane.ini"_s, QByteArray(now).replace("meleft=100", "meleft=5000"));
        QVERIFY(said(cli(u"history load h.sav --date nope"_s), 1,
                     "enter date does not match any entry in the file, please try again"));
        QCOMPARE(cli(u"history load h.sav --record 2 --restore-window"_s).status, 0);
        const QByteArray ini = m_dir.read(u"zorvane.ini"_s);
        QVERIFY(ini.contains("meleft=100\r\n") && ini.contains("reswid1=1980\r\n"));
        QVERIFY(ini.contains("countkeys=2\r\n") && ini.contains("keys2=keyword2\r\n"));

        const QByteArray saved = m_dir.read(u"h.sav"_s);
        QVERIFY(said(cli(u"history delete h.sav"_s, {u"01-Jan-2000 00:00:00"_s}), 1, "enter date does not match any"));
        QCOMPARE(m_dir.read(u"h.sav"_s), saved);
        const Run deleted = cli(u"history delete h.sav"_s, {dates[0]});
        QCOMPARE(deleted.status, 0);
        QCOMPARE(lines(deleted.out), dates[0] == dates[1] ? QStringList() : QStringList(dates[1]));

        // Missing, empty and broken files.
        QVERIFY(said(cli(u"history list missing.sav"_s), 1, "File doesn't exist! \n"));
        write(u"empty.sav"_s, "no records here\r\n");
        QCOMPARE(printed(u"history list empty.sav"_s), QString());
        QVERIFY(said(cli(u"history show "_s + m_dir.path()), 1, "Could not read " + m_dir.path().toUtf8() + ": "));
        // A delete names a date of a history file, or changes nothing.
        QVERIFY(said(cli(u"history delete empty.sav"_s, {u"no records here"_s}), 1, "No suitable data in file"));
        QCOMPARE(m_dir.read(u"empty.sav"_s), "no records here\r\n");
        write(u"bad.sav"_s, "----------a\r\nURL: d\r\nKEY: k\r\npos: 5\r\npos: 70000\r\n");
        const Run bad = cli(u"history show bad.sav --domain d"_s);
        QVERIFY(said(bad, 1, "Overflow") && bad.out.contains("\"position\":5"));
    }

    // A domain with two keywords whose two top URLs come in opposite order. Two saved searches
    // of it double every count, each line with its date; they make the history report.
    void analysisAndReports()
    {
        const QByteArray ini =
            "[settings]\r\ntxturl=d.example\r\ncounturls=1\r\n"
            "[URL1]\r\nurl=d.example\r\ncountkeys=2\r\nkeys1=k1\r\ncountkeys1=0\r\nkeys2=k2\r\ncountkeys2=0\r\n"
            "[URLS1]\r\ncountkeys1=2\r\nurls1=http://a/\r\ntitle1=A <b>page</b>\r\nurls2=http://b/\r\ntitle2=B\r\n"
            "countkeys2=2\r\nurls3=http://b/\r\ntitle3=B\r\nurls4=http://a/\r\ntitle4=A\r\n";
        write(u"zorvane.ini"_s, ini);
        const QString counted = u"{\"url\":\"http://a/\",\"count\":2,\"average\":\"1.5\",\"title\":\"A\"}\n"
                                "{\"url\":\"http://b/\",\"count\":2,\"average\":\"1.5\",\"title\":\"B\"}\n"
                                "{\"url\":\"\"}\n"_s;
        QCOMPARE(printed(u"analysis"_s), counted);
        QCOMPARE(printed(u"analysis --keyword k2 --group"_s),
                 u"{\"url\":\"http://b/\",\"count\":1,\"average\":\"1\",\"title\":\"B\"}\n"
                 "{\"url\":\"http://a/\",\"count\":1,\"average\":\"2\",\"title\":\"A\"}\n"_s);
        QCOMPARE(printed(u"analysis --domain other"_s), QString());
        QCOMPARE(printed(u"detail http://a/"_s), u"{\"url\":\"http://a/\",\"key\":\"k1\",\"position\":1}\n"
                                                 "{\"url\":\"http://a/\",\"key\":\"k2\",\"position\":2}\n"_s);
        QVERIFY(printed(u"analysis --date x"_s, 2).isEmpty());

        QCOMPARE(printed(u"history save a.sav"_s), QString());
        QCOMPARE(printed(u"history save a.sav"_s), QString());
        QVERIFY(printed(u"analysis --history a.sav"_s)
                    .startsWith(u"{\"url\":\"http://a/\",\"count\":4,\"average\":\"1.5\""_s));
        const QStringList detail = printed(u"detail http://b/ --history a.sav"_s).split(u'\n');
        QCOMPARE(detail.size(), 5);
        QVERIFY(detail[0].startsWith(u"{\"date\":\""_s) &&
                detail[0].endsWith(u"\"url\":\"http://b/\",\"key\":\"k1\",\"position\":2}"_s));
        QVERIFY(printed(u"analysis --history none.sav"_s, 1).isEmpty());

        // A file from elsewhere may list fewer titles than top URLs: those read as empty.
        QList<QByteArray> saved = m_dir.read(u"a.sav"_s).split('\n');
        saved.removeIf([](const QByteArray &line) { return line.startsWith("titles: "); });
        write(u"untitled.sav"_s, saved.join('\n'));
        QVERIFY(printed(u"analysis --history untitled.sav"_s)
                    .startsWith(u"{\"url\":\"http://a/\",\"count\":4,\"average\":\"1.5\",\"title\":\"\"}"_s));

        // The ranking report, then the history report, each becoming the stored report file.
        QCOMPARE(printed(u"report current.html"_s), QString());
        QCOMPARE(printed(u"report "_s + file(u"history.html"_s) + u" --history a.sav"_s), QString());
        QCOMPARE(m_dir.read(u"history.html"_s).count("<b>Top URL's for k1</b>"), 2);
        QVERIFY(QFile::exists(file(u"current.html"_s)));
        QVERIFY(m_dir.read(u"zorvane.ini"_s).contains(QByteArray("htmlfile=" + file(u"history.html"_s).toLocal8Bit())));

        // Grouped, a URL counts with the shorter one it starts with: http://a/x with http://a/.
        write(u"zorvane.ini"_s, QByteArray(ini).replace("urls4=http://a/", "urls4=http://a/x"));
        QVERIFY(printed(u"analysis"_s).startsWith(u"{\"url\":\"http://b/\",\"count\":2,"_s));
        QCOMPARE(printed(u"analysis --group"_s), counted);
    }

    // Searches of the fake engine fill the folder; a second one prints the ranking changes and
    // gives them to the alert program.
    void searchesExportAndAlert()
    {
        FakeEngine engine;
        QVERIFY(engine.listen());
        engine.place(u"mover"_s, 15, u"http://mysite.example/m"_s);
        // No shell may read the command: it would run "date" into a file "pwned".
        write(u"alert;date>pwned"_s, "#!/bin/sh\necho \"$1\" > alerted\ncat >> alerted\n");
        QFile::setPermissions(file(u"alert;date>pwned"_s), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        write(u"zorvane.ini"_s, "[settings]\r\nsearchhost=" + engine.hostport().toLatin1() +
                                    "\r\nalertcommand=" + file(u"alert;date>pwned"_s).toUtf8() + " \"two words\"" +
                                    "\r\ntxturl=mysite.example\r\ncounturls=1\r\n[URL1]\r\nurl=mysite.example\r\n"
                                    "pagedepth=2\r\ncountkeys=2\r\nkeys1=mover\r\nkeys2=absent\r\n");
        QVERIFY(!cli(u"search"_s).err.contains("Ranking changes"));
        QCOMPARE(cli(u"history save e.sav"_s).status, 0);
        QByteArray out = cli(u"results csv"_s).out;
        QVERIFY(out.startsWith("date,domain,keyword,position,url,title\r\n"));
        QVERIFY(out.contains(",mysite.example,mover,15,http://mysite.example/m,Result 15 for mover\r\n"));
        QVERIFY(out.endsWith(",mysite.example,absent,None,,\r\n"));

        engine.place(u"mover"_s, 2, u"http://mysite.example/m"_s);
        const QByteArray err = cli(u"search"_s).err;
        // The visibility: 10 of 600 thousandths (15th and not found), then 150 of 600.
        const QByteArray summary = "mysite.example \"mover\": entered the top 10 (was 15, now 2)\n"
                                   "mysite.example visibility: up 23.3 points (was 1.7 %, now 25.0 %)";
        QVERIFY2(err.contains(QByteArray("Ranking changes:\n" + summary + '\n')), err.constData());
        QCOMPARE(m_dir.read(u"alerted"_s), "two words\n" + summary + '\n');
        QVERIFY(!QFile::exists(file(u"pwned"_s)));
        QCOMPARE(cli(u"history save e.sav"_s).status, 0);

        QCOMPARE(cli(u"history csv e.sav --keyword mover --first-only --out mover.csv"_s).status, 0);
        const QList<QByteArray> csv = m_dir.read(u"mover.csv"_s).split('\n');
        QCOMPARE(csv.size(), 4);
        QVERIFY(csv[0].startsWith("\xEF\xBB\xBF"
                                  "date,"));
        QVERIFY(csv[1].contains(",mysite.example,mover,15,") && csv[2].contains(",mysite.example,mover,2,"));

        QVERIFY(said(cli(u"results csv --out missing/folder/x.csv"_s), 1, "could not write missing/folder/x.csv"));
    }
};

QTEST_GUILESS_MAIN(TestHistoryCli)
#include "tst_historycli.moc"
