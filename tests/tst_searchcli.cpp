#include "platform/product.h"
#include "platform/programfolder.h"
#include "search/ranking.h"
#include "search/searchstate.h"
#include "storage/historyfile.h"
#include "storage/inistore.h"
#include "storage/instancelock.h"
#include "support/clirun.h"
#include "support/fakeengine.h"
#include "support/samplepages.h"
#include "support/samplerequests.h"
#include "support/tempfolder.h"
#include "support/tlsrelay.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcessEnvironment>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace Qt::Literals::StringLiterals;
using samplepages::Hit;

namespace {

using Run = clirun::Result;
using clirun::run;
using clirun::said;

QList<QJsonObject> jsonlines(const QByteArray &out)
{
    QList<QJsonObject> objects;
    for (const QByteArray &line : out.split('\n')) {
        if (!line.isEmpty())
            objects << QJsonDocument::fromJson(line).object();
    }
    return objects;
}

// Each result line's action and rank.
QStringList outcomes(const QByteArray &out)
{
    QStringList said;
    for (const QJsonObject &result : jsonlines(out))
        said << result[u"action"].toString() + u", "_s + result[u"rank"].toString();
    return said;
}

// Each hit of a result line as its position and URL.
QStringList places(const QJsonObject &result)
{
    QStringList texts;
    for (const QJsonValue hit : result[u"positions"].toArray())
        texts << QString::number(hit[u"position"].toInt()) + hit[u"url"].toString();
    return texts;
}

// zorvane-cli with args, sent `signal` once its standard error holds every one of `awaited`;
// nothing when that never came.
std::optional<Run> interrupted(const QStringList &args, const QByteArrayList &awaited, int signal)
{
    const auto process = clirun::start(args);
    QByteArray err;
    const bool ready = QTest::qWaitFor(
        [&] {
            err += process->readAllStandardError();
            return std::all_of(awaited.begin(), awaited.end(),
                               [&](const QByteArray &text) { return err.contains(text); });
        },
        clirun::Timeout);
    // A program that has already ended has no process id: kill(0) would signal this whole group.
    if (const qint64 pid = process->processId(); pid > 0)
        ::kill(pid_t(pid), signal);
    Run result = clirun::finish(*process);
    result.err.prepend(err);
    return ready ? std::optional(result) : std::nullopt;
}

} // namespace

// The zorvane-cli commands search, request, parse and check-update, searches with --dir that start
// from a program folder's settings file and store their results there, and the command line's
// help, version and option errors. Searches go to the fake engine, which this test's event loop
// serves while the command runs.
class TestSearchCli : public QObject
{
    Q_OBJECT

private:
    FakeEngine m_engine;
    QTemporaryDir m_dir;

    QStringList search(const QString &args) const
    {
        return u"search --domain mysite.example --searchhost"_s.split(u' ') << m_engine.hostport() << args.split(u' ');
    }
    // A command on the folder, its arguments split at spaces, then `more`.
    Run indir(const QString &args = {}, const QStringList &more = {}, const QString &command = u"search"_s)
    {
        return run(QStringList{u"--dir"_s, m_dir.path(), command} + args.split(u' ', Qt::SkipEmptyParts) + more);
    }
    Run schedule(const QString &args) { return indir(args, {}, u"schedule"_s); }

    // Two domains; the second, selected, with two keywords, depth 2 and "first hit only" on.
    QByteArray inifile(int countkeys2 = 2) const
    {
        return "[settings]\r\nsearchhost=" + m_engine.hostport().toLatin1() +
               "\r\nmaxconnections=1\r\ntxturl=mysite.example\r\ncounturls=2\r\n"
               "meleft=100\r\nmewidth=9000\r\ncountreshead=5\r\nreswid5=1400\r\n"
               "[URL1]\r\nurl=other.example\r\npagedepth=4\r\ncountkeys=1\r\nkeys1=unrelated\r\n"
               "[URL2]\r\nurl=mysite.example\r\npagedepth=2\r\ncheckstop=0\r\ncheckfirst=1\r\ncountkeys=" +
               QByteArray::number(countkeys2) + "\r\nkeys1=blue widgets\r\nkeys2=red\r\n";
    }
    QString path(const QString &name = u"zorvane.ini"_s) const { return m_dir.filePath(name); }
    void write(const QByteArray &ini, const QString &name = u"zorvane.ini"_s) { QVERIFY(writebytes(path(name), ini)); }
    // The settings file as the program reads it at start-up.
    struct StoredState : SearchState, WindowSettings
    {
    };
    StoredState stored(const QString &name = u"zorvane.ini"_s) const
    {
        programfolder::setPath(m_dir.path());
        StoredState state;
        state.inifile = name;
        WindowPlacement window{0, 0, 0, 0, WindowState::Normal, 30000, 30000};
        readi(state, state, window, true);
        return state;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(m_engine.listen());
        m_engine.place(u"blue widgets"_s, 12, u"http://www.mysite.example/blue"_s);
        m_engine.place(u"red"_s, 1, u"http://mysite.example/"_s);
        m_engine.place(u"red"_s, 4, u"http://mysite.example/red"_s);
    }
    void init() { m_engine.clearRecords(); }

    // A search of a keywords file, one keyword of which the proxy refuses: what was found is
    // printed all the same, with an exit status of its own. A failure the error trap catches
    // during the run is printed. check-service says in one line how the service answered.
    void searchCommand()
    {
        const QByteArray flood = "<p class=g><a href=http://a.example/ >T</a><font size=-1>s<font>";
        m_engine.setBehaviour(u"trap"_s, 0, {FakeEngine::Reply::Raw, 0, {}, flood.repeated(70000)});
        m_engine.setBehaviour(u"unrelated"_s, -1,
                              {FakeEngine::Reply::Raw, 0, {}, "HTTP/1.1 407 Proxy Authentication Required\r\n\r\n"});
        const auto restore = qScopeGuard([this] {
            m_engine.setBehaviour(u"unrelated"_s, -1, {});
            m_engine.setBehaviour(u"wikipedia"_s, -1, {});
        });
        write("blue widgets\nred\r\n\r\ngreen\r\nunrelated\r\ntrap", u"keys.txt"_s);
        const Run result = run(
            search(u"--domain WWW.MySite.example --depth 2 --connections 2 --keywords-file "_s + path(u"keys.txt"_s)));
        QVERIFY(said(result, 3, "1 of 5 keywords were not answered") && result.err.contains("Error trapped: "));
        QVERIFY(result.err.contains("-Starting Search mysite.example\n") &&
                result.err.contains("-Searches complete\n"));
        QVERIFY2(result.out.startsWith("{\"key\":\"blue widgets\",\"action\":\"Finished search\",\"rank\":\"12\","
                                       "\"positions\":[{\"position\":12,\"url\":\"http://www.mysite.example/blue\","
                                       "\"title\":\"Result <b>12</b> for blue widgets\",\"abstract\":\"Snippet of "
                                       "result 12\"}],\"urls\":["),
                 result.out.constData());
        QVERIFY(result.out.indexOf("\"urls\":[") < result.out.indexOf("\"titles\":["));
        const QList<QJsonObject> results = jsonlines(result.out);
        QCOMPARE(outcomes(result.out),
                 (QStringList{u"Finished search, 12"_s, u"Finished search, 1"_s, u"Finished search, None"_s,
                              u"proxy authentication failed, Unknown"_s, u"Finished search, None"_s}));
        QCOMPARE(results[0][u"urls"].toArray().size(), 10);
        QCOMPARE(places(results[1]), (QStringList{u"1http://mysite.example/"_s, u"4http://mysite.example/red"_s}));
        QCOMPARE(results[2][u"key"].toString(), u"green"_s);
        QCOMPARE(m_engine.maxOpenConnections(), 2);

        const QString host = m_engine.hostport();
        const Run working = run({u"check-service"_s, u"--searchhost"_s, host});
        QCOMPARE(working.out, u"html at %1 answered with 10 results for \"wikipedia\"\n"_s.arg(host).toUtf8());
        m_engine.setBehaviour(u"wikipedia"_s, -1, {FakeEngine::Reply::Status, 0, {}, {}, 0, 401});
        const Run rejected = run(
            QString(u"check-service --engine serpapi --engine-key wrong --engine-url http://"_s + host).split(u' '));
        QCOMPARE(working.status, 0);
        QCOMPARE(rejected.status, 1);
        QCOMPARE(rejected.out, u"serpapi at %1: key rejected\n"_s.arg(host).toUtf8());
    }

    // https:// with the CA of --cafile; without it, or by a name the certificate lacks, a TLS
    // error ends each keyword.
    void httpsSearch()
    {
        TlsRelay relay;
        QVERIFY(relay.start(m_dir.path(), m_engine.port()));
        const QStringList args = search(u"--keyword red --depth 2 --searchhost "_s + relay.hostport());
        // The result pages and the JSON service over TLS find the same positions.
        const QStringList expected{u"1http://mysite.example/"_s, u"4http://mysite.example/red"_s};
        QCOMPARE(places(jsonlines(run(args + QStringList{u"--cafile"_s, relay.cafile}).out).value(0)), expected);
        const QStringList json = search(u"--keyword red --depth 2 --engine searxng --cafile "_s + relay.cafile +
                                        u" --engine-url "_s + relay.hostport());
        QCOMPARE(places(jsonlines(run(json).out).value(0)), expected);
        QVERIFY(outcomes(run(args).out).value(0).startsWith(u"TLS error: The issuer certificate"_s));
        const QStringList byname =
            search(u"--keyword red --cafile "_s + relay.cafile + u" --searchhost "_s + relay.hostport(u"localhost"_s));
        QVERIFY(outcomes(run(byname).out).value(0).startsWith(u"TLS error: The host name did not match"_s));
    }

    // Ctrl-C, SIGTERM and SIGHUP stop the run like STOP; the results are still printed and,
    // in a program folder, stored.
    void interrupt_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("infolder");
        QTest::newRow("SIGINT") << int(SIGINT) << false;
        QTest::newRow("SIGTERM in a folder") << int(SIGTERM) << true;
        QTest::newRow("SIGHUP") << int(SIGHUP) << false;
    }
    void interrupt()
    {
        QFETCH(int, signal);
        QFETCH(bool, infolder);
        m_engine.setBehaviour(u"slow"_s, -1, {FakeEngine::Reply::Hang, 0, {}, {}});
        write(inifile());
        const auto result = interrupted(
            infolder ? u"--dir %1 search --keyword red --keyword slow --depth 1"_s.arg(m_dir.path()).split(u' ')
                     : search(u"--keyword red --keyword slow --depth 1"_s),
            {"Sending for page 1 search term slow", "Finished red"}, signal);
        QVERIFY(result && said(*result, 128 + signal, "-Searching Manually Stopped\n"));
        // The stopped keyword's rank is not known, in the JSON lines and a saved record.
        QCOMPARE(outcomes(result->out), (QStringList{u"Finished search, 1"_s, u"stopped, Unknown"_s}));
        if (infolder) {
            const QString saved = path(u"stopped.sav"_s);
            QCOMPARE(indir(u"save %1 --overwrite"_s.arg(saved), {}, u"history"_s).status, 0);
            const SearchSession mine = historyfile::readhistory(saved)[1].urldata[2];
            QCOMPARE(ranking(mine.keys[1]).best.value_or(0), 1);
            QCOMPARE(ranking(mine.keys[2]).kind, Ranking::Kind::Unknown);
        }
    }

    // Before a run the settings file is checked and the reason named. A search on the folder
    // stores its results beside what the file held; with no window, the stored placement and
    // column widths stay. Options given replace what they name.
    void folderSearch()
    {
        QFile::remove(path());
        QVERIFY(QDir(m_dir.path()).mkdir(u"zorvane.ini"_s));
        const Run folder = indir(u"--keyword red"_s);
        QVERIFY(QDir(path()).removeRecursively());
        QVERIFY(said(folder, 1, "zorvane.ini is a folder, not a settings file"));
        QVERIFY(m_engine.requests().isEmpty());

        write("[settings]\r\ncounturls=32767\r\n");
        QVERIFY(said(indir(u"new.example --keyword red"_s), 1, "the domain list is full (32767 domains"));

        // A damaged entry is reported by the error trap; the search goes on with what was read, and
        // the file is not rewritten from that partial copy (a damaged count would otherwise hide
        // every domain after it for good). What a replacement killed half-way left is removed.
        QByteArray ini = inifile().replace("counturls=2", "counturls=3");
        ini += "[URL3]\r\nurl=third.example\r\ncountkeys=99999\r\n";
        write(ini);
        const QDateTime past = QDateTime::currentDateTime().addSecs(-3600);
        for (const QString &name : {u"zorvane.ini.Ab12Cd"_s, u"zorvane.ini.bak"_s}) {
            QFile file(path(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.setFileTime(past, QFileDevice::FileModificationTime));
        }
        Run result = indir();
        QVERIFY(!QFile::exists(path(u"zorvane.ini.Ab12Cd"_s)) && QFile::exists(path(u"zorvane.ini.bak"_s)));
        // The results were not stored.
        QVERIFY(said(result, 1, "Error trapped: Overflow 6") && result.err.contains("is left unchanged"));
        QCOMPARE(outcomes(result.out).value(1), u"Finished search, 1"_s);
        QCOMPARE(m_engine.pagesRequested(u"blue widgets"_s), (QList<int>{0, 1}));
        QCOMPARE(m_engine.maxOpenConnections(), 1);
        QCOMPARE(readbytes(path()), ini);

        write(inifile());
        QCOMPARE(indir().status, 0);
        StoredState state = stored();
        QCOMPARE(state.urldata[1].keys[1].key, u"unrelated"_s);
        QVERIFY(!state.urldata[2].resulttime.isEmpty());
        QCOMPARE(state.urldata[2].checkfirst, u"1"_s);
        QCOMPARE(state.urldata[2].keys[1].positions[1].url, u"http://www.mysite.example/blue"_s);
        QCOMPARE(state.urldata[2].keys[2].action, u"Finished search"_s);
        QCOMPARE(state.urldata[2].keys[2].urls.ubound(), 10);
        QCOMPARE(int(state.reswid[5]), 1400);
        ini = readbytes(path());
        QVERIFY(ini.contains("meleft=100\r\n") && ini.contains("mewidth=9000\r\n"));

        m_engine.clearRecords();
        result = indir(u"--keyword red --depth 3 --stop-after-hit"_s);
        QCOMPARE(m_engine.pagesRequested(u"red"_s), (QList<int>{0}));
        QVERIFY(m_engine.pagesRequested(u"blue widgets"_s).isEmpty());
        state = stored();
        QCOMPARE(state.urldata[2].pagedepth, u"3"_s);
        QCOMPARE(state.urldata[2].checkstop, u"1"_s);
        QCOMPARE(state.urldata[2].keys.ubound(), 1);

        // A domain not yet listed is added, with the keywords given. The search host and proxy
        // given win over the stored ones for this run only: what is stored is the file's own.
        write(inifile().replace(m_engine.hostport().toLatin1(), "127.0.0.1:1"));
        m_engine.clearRecords();
        result = indir(u"WWW.NewSite.example --keyword red --depth 1 --proxy-user me --proxy-pass secret "
                       u"--searchhost %1 --proxy %1"_s.arg(m_engine.hostport()));
        QVERIFY(said(result, 0, "Do you want to add newsite.example to the list of selected domains ? Yes"));
        QCOMPARE(m_engine.pagesRequested(u"red"_s), (QList<int>{0}));
        state = stored();
        QCOMPARE(state.urldata[3].url, u"newsite.example"_s);
        QCOMPARE(state.txturl, u"newsite.example"_s);
        QCOMPARE(state.urldata[3].keys[1].action, u"Finished search"_s);
        QCOMPARE(state.settings.searchhost, u"127.0.0.1:1"_s);
        QVERIFY(!state.settings.useproxy);
        QVERIFY(!readbytes(path()).contains("secret"));

        // The place given is stored with the domain, each option replacing its own field; the
        // requests go out while it is set.
        write(inifile());
        result = indir(u"--depth 1 --country DE --device mobile --location"_s, {u"Berlin, Germany"_s});
        QCOMPARE(stored().urldata[2].locale, (SearchLocale{u"de"_s, {}, u"mobile"_s, u"Berlin, Germany"_s}));
        result = indir(u"--depth 1 --language pt-br --country"_s, {QString()});
        // Rankings from two places are not compared as moves.
        QVERIFY2(result.err.contains("mysite.example: searched for language pt-br, mobile, Berlin, Germany, before "
                                     "for country de, mobile, Berlin, Germany; rankings not compared"),
                 result.err.constData());
        QCOMPARE(stored().urldata[2].locale, (SearchLocale{{}, u"pt-br"_s, u"mobile"_s, u"Berlin, Germany"_s}));
        QVERIFY(stored().urldata[1].locale.isEmpty());
    }

    // The folder's scheduler without a window: both domains due, searched one after the other,
    // the cycle appended once and each domain's time stored; then nothing is due. A keyword the
    // proxy refuses gives the cycle an exit status of its own. SIGTERM stops its search as STOP
    // does and stores the settings. While another instance holds the folder, a second scheduler is
    // refused and a search leaves its settings file alone.
    void scheduler()
    {
        write(inifile());
        Run result = schedule(u"--once"_s);
        QCOMPARE(result.status, 1);
        QCOMPARE(result.err, "You must enter a filename for results before starting scheduled operation\n"_ba);
        m_engine.setBehaviour(u"unrelated"_s, -1,
                              {FakeEngine::Reply::Raw, 0, {}, "HTTP/1.1 407 Proxy Authentication Required\r\n\r\n"});
        const auto restore = qScopeGuard([this] { m_engine.setBehaviour(u"unrelated"_s, -1, {}); });
        const QString results = path(u"once.sav"_s);
        result = schedule(u"--once --interval week --file "_s + results);
        QVERIFY(said(result, 3, "1 of 1 keyword was not answered"));
        QVERIFY(result.err.indexOf("-Starting Search other.example") < result.err.indexOf("-Starting Search mysite"));
        QVERIFY(result.err.contains("Scheduled searches running\n") && result.err.endsWith("-Schedule data Saved\n"));
        const Array1<HistoryEntry> records = historyfile::readhistory(results);
        QCOMPARE(records.ubound(), 1);
        QCOMPARE(int(records[1].urldata[2].keys[2].positions[1].position), 1);
        StoredState state = stored();
        QVERIFY(!state.urldata[1].lastscheduletime.isEmpty() && !state.urldata[2].lastscheduletime.isEmpty());
        QCOMPARE(int(state.urldata[2].keys[2].positions[1].position), 1);
        // The file and the interval were for that run.
        QVERIFY(state.settings.schedulefile.isEmpty() && !state.settings.schedulerunning);

        result = schedule(u"--once --file "_s + results);
        QCOMPARE(result.status, 0);
        QVERIFY2(result.err.startsWith("Next Schedule search in 23 hours 59 mins "), result.err.constData());
        QCOMPARE(historyfile::readhistory(results).ubound(), 1);

        write(inifile().replace("counturls=2", QByteArray("schedulefile=" + results.toLatin1() + "\r\ncounturls=2")));
        m_engine.setBehaviour(u"unrelated"_s, -1, {FakeEngine::Reply::Hang, 0, {}, {}});
        const auto stopped = interrupted({u"--dir"_s, m_dir.path(), u"schedule"_s},
                                         {"Sending for page 1 search term unrelated"}, SIGTERM);
        QVERIFY(stopped && said(*stopped, 0, "-Searching Manually Stopped\n"));
        state = stored();
        QCOMPARE(state.urldata[1].keys[1].action, u"stopped"_s);
        QVERIFY(!state.urldata[1].lastscheduletime.isEmpty() && state.urldata[2].lastscheduletime.isEmpty());

        write(inifile(1), u"zorvane2.ini"_s);
        const QByteArray ini = readbytes(path());
        const InstanceLock lock(m_dir.path());
        QVERIFY(said(schedule(u"--once --file "_s + results), 1,
                     "another Zorvane (the program or a scheduler) is running on"));
        QCOMPARE(indir().status, 0);
        QCOMPARE(readbytes(path()), ini);
        QCOMPARE(int(stored(u"zorvane2.ini"_s).urldata[2].keys[1].positions[1].position), 12);
    }

    // A secret read from a file or the environment reaches the wire as one given by its option;
    // the command line of the child never holds it.
    void secretsOutOfSight_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("variable"); // set to "fromenv"
        QTest::addColumn<QByteArray>("file");  // the file's content
        QTest::addColumn<QByteArray>("wire");
        const QString file = m_dir.filePath(u"secret.txt"_s);
        const QStringList fromfile = {u"--proxy-pass-file"_s, file};
        const QStringList proxy = search(u"--keyword red --proxy "_s + m_engine.hostport() + u" --proxy-user me"_s);
        const QStringList api = search(u"--keyword red --api --apihost "_s + m_engine.hostport());
        const QStringList serp = search(u"--keyword red --engine serpapi --engine-url http://"_s + m_engine.hostport());
        const QByteArray basic = "Proxy-Authorization: Basic " + QByteArray("me:fromfile").toBase64();
        QTest::newRow("the file wins over the environment")
            << proxy + fromfile << u"ZORVANE_PROXY_PASS"_s << "fromfile"_ba << basic;
        QTest::newRow("API key from a file, first line")
            << api + QStringList{u"--api-key-file"_s, file} << QString() << "fromfile\r\nsecond"_ba
            << ">fromfile<"_ba;
        QTest::newRow("engine key from the environment")
            << serp << u"ZORVANE_ENGINE_KEY"_s << QByteArray() << "api_key=fromenv "_ba;
        QTest::newRow("request, proxy password from a file")
            << u"request --useproxy --server px --host h --key k --proxy-user me"_s.split(u' ') + fromfile << QString()
            << "fromfile"_ba << basic;
    }
    void secretsOutOfSight()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, variable);
        QFETCH(QByteArray, file);
        write(file, u"secret.txt"_s);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (!variable.isEmpty())
            environment.insert(variable, u"fromenv"_s);
        const Run result = clirun::run(args, {{}, environment});
        QCOMPARE(result.status, 0);
        const QByteArray sent = m_engine.requests().isEmpty() ? result.out : m_engine.requests().last().raw;
        QFETCH(QByteArray, wire);
        QVERIFY2(sent.contains(wire), sent.constData());
    }

    // The help; check-update asks the folder's update host, or the one given, and says what it
    // found.
    void helpAndUpdate()
    {
        Run result = run({u"--help"_s});
        QVERIFY(result.status == 0 && result.out.contains("check-update") && result.out.contains("search --domain"));

        FakeEngine engine;
        QVERIFY(engine.listen());
        write("[settings]\r\nupdatehost=" + engine.hostport().toLatin1());
        const QStringList check{u"--dir"_s, m_dir.path(), u"check-update"_s};
        engine.setAnnounce(u"V99.0.0"_s);
        result = run(check);
        QCOMPARE(engine.requests().size(), 1);
        // A build folder has no updater: the way to update instead follows the message.
        QVERIFY2(result.status == 0 && result.out.contains("\na new version is available! V99.0.0\n") &&
                     result.out.contains("will be restarted.\n\nThere is no automatic update for this copy of "
                                         "Zorvane: there is no zorvaneupdate in ") &&
                     result.out.endsWith("The download page has version V99.0.0.\n"),
                 result.out.constData());

        // --updatehost wins over the settings file.
        result = run(check + QStringList{u"--updatehost"_s, u"127.0.0.1:1"_s});
        QVERIFY(said(result, 1, "could not connect to 127.0.0.1:1") && result.out.isEmpty());

        engine.setDefaultBehaviour({FakeEngine::Reply::Hang, 0, {}, {}, 0});
        result = run(check + QStringList{u"--timeout"_s, u"1"_s});
        QVERIFY(said(result, 1, QByteArray("no reply from " + engine.hostport().toLatin1())));
    }

    // The commands that search nothing: all they print (request: the builder's text as Latin-1
    // bytes), or for bad arguments, nothing but the problem named.
    void offlineCommands_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QString>("problem"); // in standard error, which stays empty without one
        const auto printed = [](const char *tag, const QStringList &args, const QString &out) {
            QTest::newRow(tag) << args << 0 << out.toLatin1() << QString();
        };
        printed("version", {u"--version"_s}, product::name() + u' ' + product::version() + u'\n');
        // Each command's --help is its usage, read from one place.
        printed("usage of a command", {u"parse"_s, u"--help"_s}, u"usage: zorvane-cli parse [--soap] FILE\n"_s);
        const QString headers = samplerequests::htmlheaders + u"Host: www.google.com\r\n\r\n"_s;
        printed("request: direct, latin-1 keyword",
                u"request --host www.google.com --page 2 --key"_s.split(u' ') + QStringList{u"caf\u00e9 bar"_s},
                u"GET /search?hl=en&ie=UTF-8&start=20&q=caf\u00e9+bar HTTP/1.1\r\n"_s + headers);
        printed("request: soap through proxy",
                u"request --soap --host api.google.com --server px --page 3 --useproxy --proxy-user u --proxy-pass p "
                u"--api-key KEY --key"_s.split(u' ') +
                    QStringList{u"say \"hi\" &amp; <b>"_s},
                u"POST http://api.google.com/search/beta2 HTTP/1.0\r\nProxy-Authorization: Basic dTpw\r\n"_s +
                    samplerequests::soaptail);
        printed("request: proxy user without --useproxy",
                u"request --host www.google.com --server px --key k --proxy-user u"_s.split(u' '),
                u"GET http://www.google.com/search?hl=en&ie=UTF-8&start=0&q=k HTTP/1.1\r\n"_s + headers);

        // parse reads raw bytes as received: chunked, CRLF, a Latin-1 byte in the title.
        const auto parsed = [&](const char *tag, const QString &reply, bool soap, const QByteArray &out) {
            const QString file = m_dir.filePath(QString::fromLatin1(tag).replace(u' ', u'_'));
            QVERIFY(writebytes(file, reply.toLatin1()));
            QTest::newRow(tag) << (soap ? QStringList{u"parse"_s, u"--soap"_s, file} : QStringList{u"parse"_s, file})
                               << 0 << out << QString();
        };
        const QList<Hit> html = {
            {u"http://caf\u00e9.example/"_s, u"Caf\u00e9 <b>blue</b>"_s, u"Line one\nline \"two\""_s},
            {u"http://b.example/"_s, u"B"_s, u"Tab\there"_s}};
        parsed("parse: chunked html", samplepages::chunkedresponse(samplepages::htmlbody(html), 100), false,
               "{\"index\":1,\"url\":\"http://caf\xc3\xa9.example/\",\"title\":\"Caf\xc3\xa9 <b>blue</b>\","
               "\"abstract\":\"Line oneline \\\"two\\\"\"}\n"
               "{\"index\":2,\"url\":\"http://b.example/\",\"title\":\"B\",\"abstract\":\"Tab\\there\"}\n");
        const QList<Hit> soap = {{u"http://s.example/"_s, u"&lt;b&gt;S&lt;/b&gt;"_s, u"a &amp; b"_s}};
        parsed("parse: soap", samplepages::response(samplepages::soapbody(soap)), true,
               "{\"index\":1,\"url\":\"http://s.example/\",\"title\":\"<b>S</b>\",\"abstract\":\"a  b\"}\n");
        parsed("parse: fault", samplepages::response(samplepages::soapfault(u"Daily limit exceeded"_s)), true,
               "{\"fault\":\"Daily limit exceeded\"}\n");

        // Bad arguments, each row named by them. Every command reads its options one way and
        // words their problems alike, but passes them on itself: each command has a row.
        const auto refused = [](const char *args, const char *problem, int status = 2) {
            QTest::addRow("%s", args) << QString::fromUtf8(args).split(u' ') << status << QByteArray()
                                      << QString::fromUtf8(problem);
        };
        const auto badsearch = [&](const char *options, const char *problem) {
            refused(QByteArray("search --domain a --keyword k ").append(options).constData(), problem);
        };
        refused("search --keyword a", "--domain is missing");
        refused("search --domain a.example", "give either --keywords-file or --keyword");
        refused("search --domain", "missing value for --domain");
        refused("search --domian x", "unknown argument \"--domian\"");
        refused("search -domain x", "unknown argument \"-domain\"");
        refused("search --domain a --keywords-file /nonexistent/keys.txt", "cannot read \"/nonexistent/keys.txt\"");
        badsearch("--api", "--api needs --api-key");
        badsearch("--proxy nohost", "--proxy takes HOST:PORT");
        badsearch("--proxy h:1 --proxy-pass p", "--proxy-pass needs --proxy-user");
        badsearch("--proxy-user u", "--proxy-user needs --proxy");
        badsearch("--timeout 0", "--timeout takes a number of seconds from 1 to 32767");
        badsearch("--max-retries -1", "--max-retries takes a number from 0 (no limit) to 32767");
        badsearch("--request-delay 1s", "--request-delay takes a number of milliseconds from 0 to 32767");
        badsearch("--max-reply 1000", "--max-reply takes a number of bytes from 1024 to 1073741824");
        badsearch("--cafile /nonexistent/ca.pem",
                  "--cafile: no certificate could be read from \"/nonexistent/ca.pem\"");
        badsearch("--api-key K --api-key-file /dev/null", "give either --api-key or --api-key-file");
        badsearch("--proxy-pass-file /nonexistent/p", "--proxy-pass-file: cannot read \"/nonexistent/p\"");
        badsearch("--engine-key-file /dev/null", "--engine-key-file: \"/dev/null\" holds nothing on its first line");
        badsearch("--depth 0", "--depth takes a number of result pages from 1 to 32767");
        badsearch("--device tablet", "--device takes desktop or mobile");
        badsearch("--country usa", "--country takes a two-letter country code such as us or de");
        badsearch("--language english", "--language takes a language code such as en, de or pt-br");
        refused("check-service --keyword k", "unknown argument \"--keyword\"");
        refused("check-service --engine searxng", "--engine searxng needs --engine-url");
        refused("request --host h --key k --api-key-file /nonexistent/k", "--api-key-file: cannot read");
        refused("request --host h --key k --page 4000", "Overflow", 1);
        refused("request --key k", "--host HOST is required");
        refused("request --host h", "--key KEYWORD is required");
        refused("request --host h --key k --fast", "unknown argument \"--fast\"");
        refused("request --host h --key k --page -1", "--page takes a page number from 0 to 32767");
        refused("parse /nonexistent/page", "zorvane-cli parse: cannot read \"/nonexistent/page\"");
        refused("parse --soap", "zorvane-cli parse: FILE is missing");
        refused("parse --xml x", "zorvane-cli parse: unknown argument \"--xml\"");
        refused("check-update --bogus", "unknown argument \"--bogus\"");
        refused("check-update --timeout 32767", "--timeout takes a number of seconds from 1 to 32766");
        refused("schedule --once=1", "unknown argument \"--once=1\"");
        refused("history show f --date", "missing value for --date");
        refused("analysis --group --bogus", "unknown argument \"--bogus\"");
        refused("--bogus search", "unknown argument \"--bogus\"");
        refused("--dir /nonexistent/zorvane search", "--dir: no such folder \"/nonexistent/zorvane\"");
        refused("--dir /dev/null search", "--dir: \"/dev/null\" is not a folder");
    }
    void offlineCommands()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, problem);
        const Run result = run(args);
        QTEST(result.status, "status");
        QTEST(result.out, "out");
        QVERIFY2(problem.isEmpty() ? result.err.isEmpty() : QString::fromUtf8(result.err).contains(problem),
                 result.err.constData());
    }
};

QTEST_GUILESS_MAIN(TestSearchCli)
#include "tst_searchcli.moc"
