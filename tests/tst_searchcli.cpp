#include "support/fakeengine.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryFile>
#include <QTest>

#include <csignal>

using namespace Qt::Literals::StringLiterals;

namespace {

QList<QJsonObject> jsonlines(const QByteArray &out)
{
    QList<QJsonObject> objects;
    for (const QByteArray &line : out.split('\n')) {
        if (!line.isEmpty())
            objects << QJsonDocument::fromJson(line).object();
    }
    return objects;
}

} // namespace

// zorvane-cli search against the fake engine, which this test's event loop serves while the
// command runs.
class TestSearchCli : public QObject
{
    Q_OBJECT

private:
    FakeEngine m_engine;

    QProcess *start(const QStringList &args)
    {
        auto *process = new QProcess(this);
        process->start(QStringLiteral(ZORVANE_CLI_PATH), QStringList{u"search"_s} + args);
        return process;
    }
    bool wait(QProcess *process, int ms = 30000)
    {
        return QTest::qWaitFor([process] { return process->state() == QProcess::NotRunning; }, ms);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_engine.listen());
        m_engine.place(u"blue widgets"_s, 12, u"http://www.mysite.example/blue"_s);
        m_engine.place(u"red"_s, 1, u"http://mysite.example/"_s);
        m_engine.place(u"red"_s, 4, u"http://mysite.example/red"_s);
    }

    void search()
    {
        QTemporaryFile keys;
        QVERIFY(keys.open());
        keys.write("blue widgets\nred\n\ngreen\n");
        keys.close();
        QProcess *process =
            start({u"--domain"_s, u"WWW.MySite.example"_s, u"--keywords-file"_s, keys.fileName(), u"--depth"_s, u"2"_s,
                   u"--searchhost"_s, m_engine.hostport(), u"--connections"_s, u"2"_s});
        QVERIFY(wait(process));
        QCOMPARE(process->exitCode(), 0);
        const QString err = QString::fromUtf8(process->readAllStandardError());
        QVERIFY(err.contains(u"-Starting Search mysite.example\n"_s));
        QVERIFY(err.contains(u"-Received page 2 search term green\n"_s));
        QVERIFY(err.endsWith(u"-Searches complete\n"_s));
        const QByteArray out = process->readAllStandardOutput();
        QVERIFY(out.startsWith(
            "{\"key\":\"blue widgets\",\"action\":\"Finished search\",\"positions\":[{\"position\":12,"));
        QVERIFY(out.indexOf("\"urls\":[") < out.indexOf("\"titles\":["));
        const QList<QJsonObject> results = jsonlines(out);
        QCOMPARE(results.size(), 3);
        QCOMPARE(results[0][u"key"].toString(), u"blue widgets"_s);
        QCOMPARE(results[0][u"action"].toString(), u"Finished search"_s);
        const QJsonObject hit = results[0][u"positions"].toArray().at(0).toObject();
        QCOMPARE(hit[u"position"].toInt(), 12);
        QCOMPARE(hit[u"url"].toString(), u"http://www.mysite.example/blue"_s);
        QCOMPARE(hit[u"title"].toString(), u"Result <b>12</b> for blue widgets"_s);
        QCOMPARE(hit[u"abstract"].toString(), u"Snippet of result 12"_s);
        QCOMPARE(results[0][u"urls"].toArray().size(), 10);
        QCOMPARE(results[1][u"positions"].toArray().size(), 2);
        QCOMPARE(results[2][u"key"].toString(), u"green"_s);
        QVERIFY(results[2][u"positions"].toArray().isEmpty());
        QCOMPARE(m_engine.maxOpenConnections(), 2);
    }

    void stopAfterHit()
    {
        QProcess *process =
            start({u"--domain"_s, u"mysite.example"_s, u"--keyword"_s, u"red"_s, u"--keyword"_s, u"blue widgets"_s,
                   u"--depth"_s, u"3"_s, u"--stop-after-hit"_s, u"--searchhost"_s, m_engine.hostport()});
        QVERIFY(wait(process));
        QCOMPARE(process->exitCode(), 0);
        const QList<QJsonObject> results = jsonlines(process->readAllStandardOutput());
        QCOMPARE(results.size(), 2);
        QCOMPARE(results[0][u"action"].toString(), u"Complete after 1 pages"_s);
        QCOMPARE(results[1][u"action"].toString(), u"Complete after 2 pages"_s);
    }

    // Ctrl-C stops the run like STOP and still prints the results.
    void interrupt()
    {
        m_engine.setBehaviour(u"slow"_s, -1, {FakeEngine::Reply::Hang, 0, {}, {}});
        QProcess *process = start({u"--domain"_s, u"mysite.example"_s, u"--keyword"_s, u"red"_s, u"--keyword"_s,
                                   u"slow"_s, u"--depth"_s, u"1"_s, u"--searchhost"_s, m_engine.hostport()});
        QByteArray err;
        QVERIFY(QTest::qWaitFor(
            [&] {
                err += process->readAllStandardError();
                return err.contains("Sending for page 1 search term slow") && err.contains("Finished red");
            },
            15000));
        ::kill(pid_t(process->processId()), SIGINT);
        QVERIFY(wait(process, 10000));
        QCOMPARE(process->exitStatus(), QProcess::NormalExit);
        QCOMPARE(process->exitCode(), 130);
        err += process->readAllStandardError();
        QVERIFY(err.contains("-Searching Manually Stopped\n"));
        const QList<QJsonObject> results = jsonlines(process->readAllStandardOutput());
        QCOMPARE(results.size(), 2);
        QCOMPARE(results[0][u"action"].toString(), u"Finished search"_s);
        QCOMPARE(results[1][u"action"].toString(), u"stopped"_s);
    }

    void badArguments_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("problem");
        QTest::newRow("no domain") << QStringList{u"--keyword"_s, u"a"_s} << u"--domain is missing"_s;
        QTest::newRow("no keywords") << QStringList{u"--domain"_s, u"a.example"_s}
                                     << u"give either --keywords-file or --keyword"_s;
        QTest::newRow("missing value") << QStringList{u"--domain"_s} << u"missing value for --domain"_s;
        QTest::newRow("unknown") << QStringList{u"--domian"_s, u"x"_s} << u"unknown argument \"--domian\""_s;
        QTest::newRow("api without key") << QStringList{u"--domain"_s, u"a"_s, u"--keyword"_s, u"k"_s, u"--api"_s}
                                         << u"--api needs --api-key"_s;
        QTest::newRow("bad proxy") << QStringList{u"--domain"_s, u"a"_s,       u"--keyword"_s,
                                                  u"k"_s,        u"--proxy"_s, u"nohost"_s}
                                   << u"--proxy takes HOST:PORT"_s;
        QTest::newRow("bad timeout") << QStringList{u"--domain"_s, u"a"_s,         u"--keyword"_s,
                                                    u"k"_s,        u"--timeout"_s, u"0"_s}
                                     << u"--timeout takes a number of seconds from 1 to 32767"_s;
        QTest::newRow("unreadable file") << QStringList{u"--domain"_s, u"a"_s, u"--keywords-file"_s,
                                                        u"/nonexistent/keys.txt"_s}
                                         << u"cannot read \"/nonexistent/keys.txt\""_s;
    }
    void badArguments()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, problem);
        QProcess *process = start(args);
        QVERIFY(wait(process));
        QVERIFY(process->exitCode() != 0);
        QVERIFY2(QString::fromUtf8(process->readAllStandardError()).contains(problem), qPrintable(problem));
        QVERIFY(process->readAllStandardOutput().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSearchCli)
#include "tst_searchcli.moc"
