#include "support/clirun.h"
#include "support/tempfolder.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

using Run = clirun::Result;
using clirun::run;

// A program folder whose selected domain has `keywords` keywords, each with two hits, beside a
// second domain.
QByteArray inifile(int keywords)
{
    QByteArray ini = "[settings]\r\ntxturl=mysite.example\r\ncounturls=2\r\nuselog=0\r\n"
                     "meleft=100\r\nmetop=200\r\nmewidth=9000\r\nmeheight=12000\r\n"
                     "[URL1]\r\nurl=other.example\r\ncountkeys=1\r\nkeys1=unrelated\r\n"
                     "[URL2]\r\nurl=mysite.example\r\ncountkeys=" +
                     QByteArray::number(keywords) + "\r\n";
    for (int k = 1; k <= keywords; ++k) {
        const QByteArray n = QByteArray::number(k);
        ini += "keys" + n + "=keyword " + n + "\r\ncountkeys" + n + "=2\r\n";
        for (int h = 2 * k - 1; h <= 2 * k; ++h) {
            const QByteArray j = QByteArray::number(h);
            ini += "position" + j + "=" + QByteArray::number(h % 7 + 3) + "\r\nurls" + j + "=http://mysite.example/" +
                   j + "\r\ntitle" + j + "=Title " + j + "\r\n";
        }
    }
    return ini;
}

QStringList lines(const QByteArray &out)
{
    return QString::fromUtf8(out).split(u'\n', Qt::SkipEmptyParts);
}

// Whether the command failed with status 1, saying `message`.
bool fails(const Run &run, const QByteArray &message)
{
    return run.status == 1 && run.err.contains(message);
}

} // namespace

// zorvane-cli history: save, list, load, delete and show on a program folder's state (killed
// saves and deletes are tst_killsafety's).
class TestHistoryCli : public QObject
{
    Q_OBJECT

private:
    TempProgramFolder m_dir;
    QString file(const QString &name) const { return m_dir.file(name); }
    void write(const QString &name, const QByteArray &bytes) { QVERIFY(m_dir.write(name, bytes)); }
    Run history(const QStringList &args) { return run(QStringList{u"--dir"_s, m_dir.path(), u"history"_s} + args); }

private slots:
    void commands()
    {
        write(u"zorvane.ini"_s, inifile(2));
        const QString sav = file(u"h.sav"_s);
        QCOMPARE(history({u"save"_s, sav}).status, 0);
        QCOMPARE(history({u"save"_s, sav, u"--overwrite"_s}).status, 0);
        QCOMPARE(lines(run({u"history"_s, u"list"_s, sav}).out).size(), 1);
        // The second record differs in keyword 2's first position.
        write(u"zorvane.ini"_s, inifile(2).replace("position3=6", "position3=9"));
        const Run appended = history({u"save"_s, sav});
        QVERIFY(appended.err.contains("File exists, Yes=Overwrite No=Add ?  No\n"));
        const QStringList dates = lines(run({u"history"_s, u"list"_s, sav}).out);
        QCOMPARE(dates.size(), 2);
        QVERIFY(m_dir.read(u"zorvane.ini"_s).contains(QByteArray("writefile=" + sav.toLatin1() + "\r\n")));

        // The view starts at the selected domain with every date and keyword.
        const Run shown = history({u"show"_s, sav});
        QCOMPARE(shown.status, 0);
        QCOMPARE(lines(shown.out).size(), 8);
        QCOMPARE(lines(shown.out).first(),
                 u"{\"date\":\""_s + dates[0] +
                     u"\",\"key\":\"keyword 1\",\"position\":4,\"url\":\"http://mysite.example/1\"}"_s);
        const QStringList sorted = lines(history({u"show"_s, sav, u"--keyword"_s, u"keyword 2"_s, u"--first-only"_s,
                                                  u"--sort"_s, u"position"_s, u"--descending"_s})
                                             .out);
        QCOMPARE(sorted.size(), 2);
        QVERIFY(sorted[0].contains(dates[1]) && sorted[0].contains(u"\"position\":9"_s));
        QVERIFY(lines(history({u"show"_s, sav, u"--domain"_s, u"other.example"_s}).out).isEmpty());

        // Loading restores the record's window values over what the folder holds now.
        write(u"zorvane.ini"_s, inifile(1).replace("meleft=100", "meleft=5000"));
        QVERIFY(fails(history({u"load"_s, sav, u"--date"_s, u"nope"_s}),
                      "enter date does not match any entry in the file, please try again"));
        QCOMPARE(history({u"load"_s, sav, u"--record"_s, u"2"_s, u"--restore-window"_s}).status, 0);
        const QByteArray ini = m_dir.read(u"zorvane.ini"_s);
        QVERIFY(ini.contains("meleft=100\r\n") && ini.contains("reswid1=1980\r\n"));
        QVERIFY(ini.contains("countkeys=2\r\n") && ini.contains("keys2=keyword 2\r\n"));

        const QByteArray saved = m_dir.read(u"h.sav"_s);
        QVERIFY(fails(history({u"delete"_s, sav, u"01-Jan-2000 00:00:00"_s}), "enter date does not match any entry"));
        QCOMPARE(m_dir.read(u"h.sav"_s), saved);
        const Run deleted = run({u"history"_s, u"delete"_s, sav, dates[0]});
        QCOMPARE(deleted.status, 0);
        QCOMPARE(lines(deleted.out), dates[0] == dates[1] ? QStringList() : QStringList(dates[1]));
    }

    void missingAndBrokenFiles()
    {
        QVERIFY(fails(history({u"list"_s, file(u"missing.sav"_s)}), "File doesn't exist! \n"));
        write(u"empty.sav"_s, "no records here\r\n");
        const Run empty = run({u"history"_s, u"list"_s, file(u"empty.sav"_s)});
        QVERIFY(empty.status == 0 && empty.out.isEmpty());
        QVERIFY(fails(history({u"show"_s, m_dir.path()}), "Could not read " + m_dir.path().toUtf8() + ": "));
        // A delete names a date of a history file, or changes nothing.
        QVERIFY(fails(history({u"delete"_s, file(u"empty.sav"_s), u"no records here"_s}), "No suitable data in file"));
        QCOMPARE(m_dir.read(u"empty.sav"_s), "no records here\r\n");
        write(u"bad.sav"_s, "----------a\r\nURL: d\r\nKEY: k\r\npos: 5\r\npos: 70000\r\n");
        const Run bad = run({u"history"_s, u"show"_s, file(u"bad.sav"_s), u"--domain"_s, u"d"_s});
        QCOMPARE(bad.status, 1);
        QVERIFY(bad.err.contains("Overflow") && bad.out.contains("\"position\":5"));
    }
};

QTEST_GUILESS_MAIN(TestHistoryCli)
#include "tst_historycli.moc"
