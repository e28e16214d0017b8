#include "app/appstate.h"
#include "platform/programfolder.h"
#include "storage/inistore.h"
#include "support/fakeengine.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Run
{
    int exitcode = -1;
    QString err;
    QList<QJsonObject> results;
};

QByteArray readfile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// zorvane-cli --dir: a search that starts from a program folder's settings file and stores its
// results there, against the fake engine this test's event loop serves.
class TestCliDir : public QObject
{
    Q_OBJECT

private:
    FakeEngine m_engine;
    QTemporaryDir m_dir;

    // Two domains; the second, selected, with two keywords, depth 2 and "first hit only" on.
    QByteArray inifile(int countkeys2 = 2) const
    {
        return "[settings]\r\nsearchhost=" + m_engine.hostport().toLatin1() +
               "\r\nmaxconnections=1\r\ntxturl=mysite.example\r\ncounturls=2\r\n"
               "meleft=100\r\nmetop=200\r\nmewidth=9000\r\nmeheight=12000\r\n"
               "countreshead=5\r\nreswid1=1000\r\nreswid2=1100\r\nreswid3=1200\r\nreswid4=1300\r\nreswid5=1400\r\n"
               "[URL1]\r\nurl=other.example\r\npagedepth=4\r\ncountkeys=1\r\nkeys1=unrelated\r\n"
               "[URL2]\r\nurl=mysite.example\r\npagedepth=2\r\ncheckstop=0\r\ncheckfirst=1\r\ncountkeys=" +
               QByteArray::number(countkeys2) + "\r\nkeys1=blue widgets\r\nkeys2=red\r\n";
    }
    QString path(const QString &name = u"zorvane.ini"_s) const { return m_dir.filePath(name); }
    void write(const QByteArray &ini, const QString &name = u"zorvane.ini"_s)
    {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(ini);
    }
    Run run(const QStringList &args, const QString &dir = {})
    {
        QProcess process;
        process.start(QStringLiteral(ZORVANE_CLI_PATH),
                      QStringList{u"--dir"_s, dir.isEmpty() ? m_dir.path() : dir, u"search"_s} + args);
        Run result;
        if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 30000))
            return result;
        result.exitcode = process.exitCode();
        result.err = QString::fromUtf8(process.readAllStandardError());
        for (const QByteArray &line : process.readAllStandardOutput().split('\n')) {
            if (!line.isEmpty())
                result.results << QJsonDocument::fromJson(line).object();
        }
        return result;
    }
    // The settings file as the program reads it at start-up.
    AppState stored(const QString &name = u"zorvane.ini"_s) const
    {
        programfolder::setPath(m_dir.path());
        AppState state;
        state.inifile = name;
        WindowPlacement window{0, 0, 0, 0, WindowState::Normal, 30000, 30000};
        readi(state, window, true);
        return state;
    }
    static int firstposition(const QJsonObject &result)
    {
        return result[u"positions"].toArray().at(0).toObject()[u"position"].toInt(-1);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(m_engine.listen());
        m_engine.place(u"blue widgets"_s, 3, u"http://www.mysite.example/blue"_s);
        m_engine.place(u"red"_s, 12, u"http://mysite.example/red"_s);
    }
    void init() { m_engine.clearRecords(); }

    void storedSearch()
    {
        write(inifile());
        const Run result = run({});
        QCOMPARE(result.exitcode, 0);
        QVERIFY(result.err.contains(u"-Starting Search mysite.example\n"_s));
        QCOMPARE(result.results.size(), 2);
        QCOMPARE(firstposition(result.results[0]), 3);
        QCOMPARE(firstposition(result.results[1]), 12);
        QCOMPARE(m_engine.pagesRequested(u"blue widgets"_s), (QList<int>{0, 1}));
        QCOMPARE(m_engine.maxOpenConnections(), 1);

        const AppState state = stored();
        QCOMPARE(state.txturl, u"mysite.example"_s);
        QCOMPARE(state.urldata.ubound(), 2);
        QCOMPARE(state.urldata[1].keys[1].key, u"unrelated"_s);
        const SearchSession &mine = state.urldata[2];
        QVERIFY(!mine.resulttime.isEmpty());
        QCOMPARE(mine.pagedepth, u"2"_s);
        QCOMPARE(mine.checkfirst, u"1"_s);
        QCOMPARE(mine.keys.ubound(), 2);
        QCOMPARE(mine.keys[1].positions[1].url, u"http://www.mysite.example/blue"_s);
        QCOMPARE(int(mine.keys[2].positions[1].position), 12);
        QCOMPARE(mine.keys[2].action, u"Finished search"_s);
        QCOMPARE(mine.keys[2].urls.ubound(), 10);
        // No window: the stored placement and column widths stay.
        QCOMPARE(int(state.reswid[5]), 1400);
        const QByteArray ini = readfile(path());
        QVERIFY(ini.contains("meleft=100\r\n") && ini.contains("mewidth=9000\r\n"));
    }

    void flagsOverride()
    {
        write(inifile());
        Run result = run({u"--keyword"_s, u"red"_s, u"--depth"_s, u"3"_s, u"--stop-after-hit"_s});
        QCOMPARE(result.exitcode, 0);
        QCOMPARE(result.results.size(), 1);
        QCOMPARE(m_engine.pagesRequested(u"red"_s), (QList<int>{0, 1}));
        QVERIFY(m_engine.pagesRequested(u"blue widgets"_s).isEmpty());
        AppState state = stored();
        QCOMPARE(state.urldata[2].pagedepth, u"3"_s);
        QCOMPARE(state.urldata[2].checkstop, u"1"_s);
        QCOMPARE(state.urldata[2].keys.ubound(), 1);

        // A domain not yet listed is added, with the keywords given.
        m_engine.clearRecords();
        result = run({u"WWW.NewSite.example"_s, u"--keyword"_s, u"red"_s, u"--depth"_s, u"1"_s});
        QCOMPARE(result.exitcode, 0);
        QVERIFY(result.err.contains(u"Do you want to add newsite.example to the list of selected domains ? Yes"_s));
        QCOMPARE(m_engine.pagesRequested(u"red"_s), (QList<int>{0}));
        state = stored();
        QCOMPARE(state.urldata.ubound(), 3);
        QCOMPARE(state.urldata[3].url, u"newsite.example"_s);
        QCOMPARE(state.txturl, u"newsite.example"_s);

        // The search host given on the command line wins over the stored one.
        write(inifile().replace(m_engine.hostport().toLatin1(), "127.0.0.1:1"));
        result = run({u"--depth"_s, u"1"_s, u"--searchhost"_s, m_engine.hostport()});
        QCOMPARE(result.exitcode, 0);
        QCOMPARE(result.results.size(), 2);
        QCOMPARE(firstposition(result.results[0]), 3);
    }

    // While another instance holds the folder, its settings file is left alone.
    void secondInstance()
    {
        QFile::remove(path());
        write(inifile(1), u"zorvane2.ini"_s);
        QLockFile lock(path(u"zorvane.lock"_s));
        QVERIFY(lock.tryLock(0));
        const Run result = run({u"--depth"_s, u"1"_s});
        lock.unlock();
        QCOMPARE(result.exitcode, 0);
        QCOMPARE(result.results.size(), 1);
        QVERIFY(!QFile::exists(path()));
        QCOMPARE(int(stored(u"zorvane2.ini"_s).urldata[2].keys[1].positions[1].position), 3);
    }

    void badFolder_data()
    {
        QTest::addColumn<QString>("dir");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << u"/nonexistent/zorvane"_s << u"--dir: no such folder \"/nonexistent/zorvane\""_s;
        QTest::newRow("a file") << u"FILE"_s << u"is not a folder"_s;
    }
    void badFolder()
    {
        QFETCH(QString, dir);
        QFETCH(QString, message);
        if (dir == u"FILE") {
            write("[settings]\r\n", u"afile"_s);
            dir = path(u"afile"_s);
        }
        const Run result = run({}, dir);
        QCOMPARE(result.exitcode, 2);
        QVERIFY2(result.err.contains(message), qPrintable(result.err));
        QVERIFY(result.results.isEmpty());
    }

    // A damaged entry is reported by the error trap; the search goes on with what was read, and
    // the file is not rewritten from that partial copy (a damaged count would otherwise hide
    // every domain after it for good).
    void corruptIni()
    {
        QByteArray ini = inifile();
        ini.replace("counturls=2", "counturls=3");
        ini += "[URL3]\r\nurl=third.example\r\ncountkeys=99999\r\n";
        write(ini);
        const Run result = run({});
        QCOMPARE(result.exitcode, 1); // the results were not stored
        QVERIFY2(result.err.contains(u"Error trapped: Overflow 6"_s), qPrintable(result.err));
        QVERIFY(result.err.contains(u"is left unchanged"_s));
        QCOMPARE(result.results.size(), 2);
        QCOMPARE(firstposition(result.results[1]), 12);
        QCOMPARE(readfile(path()), ini);
    }
};

QTEST_GUILESS_MAIN(TestCliDir)
#include "tst_clidir.moc"
