#include "support/clirun.h"
#include "support/tempfolder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// zorvane-cli analysis, detail and report on a program folder whose domain has two keywords
// with the same two top URLs in opposite order.
class TestAnalysisCli : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString run(const QStringList &args, int status = 0)
    {
        const clirun::Result cli = clirun::run(QStringList{u"--dir"_s, m_dir.path()} + args);
        if (cli.status != status)
            return u"failed: "_s + QString::fromUtf8(cli.err);
        return QString::fromUtf8(cli.out);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(writebytes(
            m_dir.filePath(u"zorvane.ini"_s),
            "[settings]\r\ntxturl=d.example\r\ncounturls=1\r\n"
            "[URL1]\r\nurl=d.example\r\ncountkeys=2\r\nkeys1=k1\r\ncountkeys1=0\r\nkeys2=k2\r\ncountkeys2=0\r\n"
            "[URLS1]\r\ncountkeys1=2\r\nurls1=http://a/\r\ntitle1=A <b>page</b>\r\nurls2=http://b/\r\ntitle2=B\r\n"
            "countkeys2=2\r\nurls3=http://b/\r\ntitle3=B\r\nurls4=http://a/\r\ntitle4=A\r\n"));
    }

    void analysisAndDetail()
    {
        QCOMPARE(run({u"analysis"_s}), u"{\"url\":\"http://a/\",\"count\":2,\"average\":\"1.5\",\"title\":\"A\"}\n"
                                       "{\"url\":\"http://b/\",\"count\":2,\"average\":\"1.5\",\"title\":\"B\"}\n"
                                       "{\"url\":\"\"}\n"_s);
        QCOMPARE(run({u"analysis"_s, u"--keyword"_s, u"k2"_s, u"--group"_s}),
                 u"{\"url\":\"http://b/\",\"count\":1,\"average\":\"1\",\"title\":\"B\"}\n"
                 "{\"url\":\"http://a/\",\"count\":1,\"average\":\"2\",\"title\":\"A\"}\n"_s);
        QCOMPARE(run({u"analysis"_s, u"--domain"_s, u"other"_s}), QString());
        QCOMPARE(run({u"detail"_s, u"http://a/"_s}), u"{\"url\":\"http://a/\",\"key\":\"k1\",\"position\":1}\n"
                                                     "{\"url\":\"http://a/\",\"key\":\"k2\",\"position\":2}\n"_s);
        QVERIFY(run({u"analysis"_s, u"--date"_s, u"x"_s}, 2).isEmpty());
    }

    // Two saved searches of the same state: every count doubles, and each line has its date; they
    // make the history report.
    void historyAndReport()
    {
        const QString saved = m_dir.filePath(u"h.sav"_s);
        QCOMPARE(run({u"history"_s, u"save"_s, saved}), QString());
        QCOMPARE(run({u"history"_s, u"save"_s, saved}), QString());
        QVERIFY(run({u"analysis"_s, u"--history"_s, saved})
                    .startsWith(u"{\"url\":\"http://a/\",\"count\":4,\"average\":\"1.5\""_s));
        const QStringList detail = run({u"detail"_s, u"http://b/"_s, u"--history"_s, saved}).split(u'\n');
        QCOMPARE(detail.size(), 5);
        QVERIFY(detail[0].startsWith(u"{\"date\":\""_s));
        QVERIFY(detail[0].endsWith(u"\"url\":\"http://b/\",\"key\":\"k1\",\"position\":2}"_s));
        QVERIFY(run({u"analysis"_s, u"--history"_s, m_dir.filePath(u"none.sav"_s)}, 1).isEmpty());

        // A file from elsewhere may list fewer titles than top URLs: those read as empty.
        QList<QByteArray> lines = readbytes(saved).split('\n');
        lines.removeIf([](const QByteArray &line) { return line.startsWith("titles: "); });
        const QString untitled = m_dir.filePath(u"untitled.sav"_s);
        QVERIFY(writebytes(untitled, lines.join('\n')));
        QVERIFY(run({u"analysis"_s, u"--history"_s, untitled})
                    .startsWith(u"{\"url\":\"http://a/\",\"count\":4,\"average\":\"1.5\",\"title\":\"\"}"_s));
        QCOMPARE(run({u"report"_s, m_dir.filePath(u"untitled.html"_s), u"--history"_s, untitled}), QString());

        // The ranking report, then the history report, each becoming the stored report file.
        QCOMPARE(run({u"report"_s, m_dir.filePath(u"current.html"_s)}), QString());
        const QString out = m_dir.filePath(u"history.html"_s);
        QCOMPARE(run({u"report"_s, out, u"--history"_s, saved}), QString());
        QCOMPARE(readbytes(out).count("<b>Top URL's for k1</b>"), 2);
        QVERIFY(QFile::exists(m_dir.filePath(u"current.html"_s)));
        QVERIFY(readbytes(m_dir.filePath(u"zorvane.ini"_s))
                    .contains(QByteArray(QByteArray("htmlfile=") + out.toLocal8Bit())));
    }
};

QTEST_GUILESS_MAIN(TestAnalysisCli)
#include "tst_analysiscli.moc"
