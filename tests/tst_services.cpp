#include "search/requests.h"
#include "search/searchservice.h"
#include "searchrig.h"
#include "support/mockclock.h"
#include "views/resultrows.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

using namespace Qt::Literals::StringLiterals;

namespace {

// A reply with the body's JSON written with ' for ".
QString reply(QByteArray body, int status = 200)
{
    return QString::fromLatin1("HTTP/1.1 " + QByteArray::number(status) +
                               " X\r\nContent-Type: application/json\r\n\r\n" + body.replace('\'', '"'));
}

// "position url title" per hit, then the status: what a reader of the page cares about.
QStringList outcome(const ServicePage &page)
{
    QStringList lines;
    for (const ServiceHit &hit : page.hits)
        lines << QString::number(hit.position) + u' ' + hit.url + u' ' + hit.title;
    return lines << u"status="_s + page.status + u" verdict="_s + QString::number(int(page.verdict));
}

} // namespace

// The search services behind the fetcher: the two page services ask exactly what the request
// builders ask, the JSON services read their documented replies, and every refusal ends its
// keyword with a status that says so instead of "None".
class TestServices : public QObject
{
    Q_OBJECT

private slots:
    void init() { errorreports::reset(); }

    void pageServicesAskAsBefore()
    {
        Settings s;
        s.apikey = u"KEY"_s;
        s.proxyuser = u"user"_s;
        for (const bool proxy : {false, true}) {
            s.useproxy = proxy;
            const QString host = u"www.google.com"_s, server = proxy ? u"proxy:8080"_s : host;
            const std::pair<QString, int> cases[] = {{u"blue widgets"_s, 0}, {u"\"quoted\" key"_s, 3}, {u"x"_s, 99}};
            for (const auto &[key, page] : cases) {
                QCOMPARE(makeservice(s, false)->request(server, host, key, page),
                         getgoogle(s, server, host, key, page));
                QCOMPARE(makeservice(s, true)->request(server, host, key, page),
                         getgoogleapi(s, server, host, key, page));
            }
        }
        s.engine = u"SOAP"_s;
        QVERIFY(usesoap(s));
        QCOMPARE(makeservice(s, true)->target().host, s.apihost);
        QCOMPARE(makeservice(s, false)->target().host, s.searchhost); // a fault falls back to the page
    }

    void jsonRequests()
    {
        Settings s;
        s.engine = engines::searxng;
        s.engineurl = u"https://searx.example:8443/searx/"_s;
        const ServiceTarget target = makeservice(s, false)->target();
        QCOMPARE((QStringList{target.host, target.port, target.prefix}),
                 (QStringList{u"https://searx.example:8443"_s, u"8443"_s, u"/searx"_s}));
        const QString searx = makeservice(s, false)->request(target.host, target.host, u"größe & co"_s, 2);
        QVERIFY2(searx.startsWith(u"GET /searx/search?q=gr%C3%B6%C3%9Fe%20%26%20co&format=json&pageno=3 HTTP/1.1\r\n"
                                  u"Accept: application/json\r\n"_s),
                 qPrintable(searx));
        QVERIFY(searx.endsWith(u"Host: searx.example:8443\r\n\r\n"_s));
        s.engine = engines::serpapi;
        s.engineurl = u"http://127.0.0.1:9"_s;
        s.enginekey = u"k/1"_s;
        s.useproxy = true;
        const QString serp = makeservice(s, false)->request(u"proxy"_s, u"127.0.0.1:9"_s, u"a"_s, 1);
        QVERIFY2(
            serp.startsWith(u"GET http://127.0.0.1:9/search.json?engine=google&q=a&start=10&num=10&api_key=k%2F1 "_s),
            qPrintable(serp));
        for (const QString &bad : {u""_s, u"ftp://x"_s, u"http://"_s, u"http://x/?q=1"_s})
            QVERIFY(!parseengineurl(bad).problem.isEmpty());
    }

    void readReplies_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("raw");
        QTest::addColumn<int>("hitsbefore");
        QTest::addColumn<QStringList>("expected");
        const auto done = [](const QString &status, ServicePage::Verdict v) -> QString {
            return u"status="_s + status + u" verdict="_s + QString::number(int(v));
        };
        using V = ServicePage::Verdict;
        const QString searx = engines::searxng, serp = engines::serpapi, html = engines::html;
        const QByteArray results = "'results':[{'url':'http://a.example/','title':'Größe ✓','content':'c'},"
                                   "{'title':'no url'},{'url':'http://b.example/'}]";
        QTest::newRow("searxng page 2") << searx << reply("{" + results + "}") << 12
                                        << QStringList{u"13 http://a.example/ Größe ✓"_s, u"14 http://b.example/ "_s,
                                                       done({}, V::Results)};
        QTest::newRow("searxng empty") << searx << reply("{'results':[]}") << 0 << QStringList{done({}, V::NoResults)};
        QTest::newRow("searxng slow engine")
            << searx << reply("{'results':[],'unresponsive_engines':[['x','timeout']]}") << 0
            << QStringList{done({}, V::NoResults)};
        QTest::newRow("searxng captcha") << searx << reply("{" + results + ",'unresponsive_engines':[['g','CAPTCHA']]}")
                                         << 0 << QStringList{done(u"blocked (g: CAPTCHA)"_s, V::Blocked)};
        QTest::newRow("searxng denied") << searx << reply("{'unresponsive_engines':[['d','Suspended: access denied']]}")
                                        << 0
                                        << QStringList{done(u"blocked (d: Suspended: access denied)"_s, V::Blocked)};
        QTest::newRow("searxng limiter") << searx << reply("Too Many Requests", 429) << 0
                                         << QStringList{done(u"blocked (HTTP 429)"_s, V::Blocked)};
        QTest::newRow("searxng not json") << searx << reply("<html>", 200) << 0
                                          << QStringList{done(u"service error (unreadable reply)"_s, V::Failed)};
        QTest::newRow("searxng 500") << searx << reply("{'results':[]}", 500) << 0
                                     << QStringList{done(u"service error (HTTP 500)"_s, V::Failed)};
        const QByteArray organic =
            "{'search_metadata':{'status':'Success'},'organic_results':["
            "{'position':11,'link':'http://a.example/','title':'A'},{'link':'http://b.example/'},"
            "{'position':1,'link':'http://c.example/','snippet':'s'},{'position':14,'title':'no link'}]}";
        QTest::newRow("serpapi page 2") << serp << reply(organic) << 9
                                        << QStringList{u"11 http://a.example/ A"_s, u"12 http://b.example/ "_s,
                                                       u"13 http://c.example/ "_s, done({}, V::Results)};
        QTest::newRow("serpapi no results")
            << serp << reply("{'error':'Google hasn\\u0027t returned any results for this query.'}") << 0
            << QStringList{done({}, V::NoResults)};
        QTest::newRow("serpapi bad key") << serp << reply("{'error':'Invalid API key. See https://x/manage-api-key'}")
                                         << 0 << QStringList{done(u"key rejected"_s, V::KeyRejected)};
        QTest::newRow("serpapi used up") << serp << reply("{'error':'Your account has run out of searches.'}") << 0
                                         << QStringList{done(u"quota exhausted"_s, V::Quota)};
        QTest::newRow("serpapi other") << serp << reply("{'error':'Unsupported `xx` location'}") << 0
                                       << QStringList{done(u"service error (Unsupported `xx` location)"_s, V::Failed)};
        QTest::newRow("serpapi 401") << serp << reply("{}", 401) << 0
                                     << QStringList{done(u"key rejected"_s, V::KeyRejected)};
        QTest::newRow("serpapi 429") << serp << reply("{}", 429) << 0
                                     << QStringList{done(u"quota exhausted"_s, V::Quota)};
        QTest::newRow("serpapi 403") << serp << reply("{}", 403) << 0
                                     << QStringList{done(u"blocked (HTTP 403)"_s, V::Blocked)};
        QTest::newRow("html proxy 407") << html << reply("", 407) << 0
                                        << QStringList{done(u"proxy authentication failed"_s, V::Blocked)};
        QTest::newRow("html redirect") << html << reply("", 302) << 0
                                       << QStringList{done(u"blocked (HTTP 302)"_s, V::Blocked)};
        QTest::newRow("html no hits") << html << reply("<html>did not match any documents</html>") << 0
                                      << QStringList{done({}, V::Results)};
        QTest::newRow("html consent") << html << reply("<html>Before you continue to the engine</html>") << 0
                                      << QStringList{done(u"blocked (consent page)"_s, V::Blocked)};
        QTest::newRow("html hit naming captcha")
            << html << reply("<p class=g><a href=http://x/ id=a>captcha</a><br><font>s<br><font>x</font></font></html>")
            << 0 << QStringList{u"1 http://x/ captcha"_s, done({}, V::Results)};
    }

    void readReplies()
    {
        QFETCH(QString, engine);
        QFETCH(QString, raw);
        QFETCH(int, hitsbefore);
        Settings s;
        s.engine = engine;
        const ServicePage page = makeservice(s, false)->read(splitreply(raw), 0, hitsbefore);
        QTEST(outcome(page), "expected");
        QVERIFY(errorreports::errortext().isEmpty());
    }

    // Each refusal ends its keyword with its status, without positions and never shown as "None";
    // the other keyword of the run is found as usual and the end counts the refused one.
    void refusalsEndTheKeyword_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<int>("reply");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("expected");
        using R = FakeEngine::Reply;
        const QString html = engines::html, searx = engines::searxng, serp = engines::serpapi;
        for (const int code : {429, 403, 503, 301})
            QTest::addRow("html %d", code) << html << int(R::Status) << code << u"blocked (HTTP %1)"_s.arg(code);
        QTest::newRow("html captcha") << html << int(R::Captcha) << 0 << u"blocked (captcha page)"_s;
        QTest::newRow("soap 503") << engines::soap << int(R::Status) << 503 << u"blocked (HTTP 503)"_s;
        QTest::newRow("searxng captcha") << searx << int(R::Captcha) << 0 << u"blocked (demo: CAPTCHA)"_s;
        QTest::newRow("searxng 429") << searx << int(R::Status) << 429 << u"blocked (HTTP 429)"_s;
        QTest::newRow("serpapi error") << serp << int(R::Fault) << 0 << u"quota exhausted"_s;
        QTest::newRow("serpapi 401") << serp << int(R::Status) << 401 << u"key rejected"_s;
    }

    void refusalsEndTheKeyword()
    {
        QFETCH(QString, engine);
        QFETCH(int, reply);
        QFETCH(int, status);
        SearchRig rig;
        rig.state.settings.engine = engine;
        rig.state.settings.engineurl = u"http://"_s + rig.engine.hostport();
        rig.state.settings.enginekey = rig.state.settings.apikey = u"k"_s;
        rig.engine.place(u"found"_s, 3, u"http://mysite.example/"_s);
        FakeEngine::Behaviour refuse;
        refuse.reply = FakeEngine::Reply(reply);
        refuse.status = status;
        refuse.fault = u"Your account has run out of searches."_s;
        rig.engine.setBehaviour(u"refused"_s, 1, refuse); // the second page: the first one's hits go too
        MockClock clock(QDateTime(QDate(2026, 3, 2), QTime(12, 0)));
        rig.start(u"mysite.example"_s, u"refused\r\nfound"_s, u"2"_s);
        QVERIFY(QTest::qWaitFor([&] { return clock.advanceSeconds(30), !rig.state.searching; }, 15000));
        QTEST(rig.keyword(1).action, "expected");
        QVERIFY(rig.keyword(1).positions.isEmpty() && rig.keyword(1).urls.isEmpty());
        QCOMPARE(int(rig.keyword(2).positions[1].position), 3);
        const List1<ResultRow> rows = resultrows::build(rig.state, 1, false);
        QCOMPARE(resultrows::shownposition(rows[1].position), u"Unknown"_s);
        const bool waits = status == 403 || status == 429 || status == 503;
        QCOMPARE(rig.engine.pagesRequested(u"refused"_s), (waits ? QList<int>{0, 1, 1, 1, 1} : QList<int>{0, 1}));
        QCOMPARE(rig.window.lines().mid(rig.window.lines().indexOf(u"Searches complete"_s)),
                 (QStringList{u"Searches complete"_s, u"1 keyword blocked"_s}));
    }

    // The command line against a SearXNG instance whose pages hold different numbers of hits.
    void cliSearchesSearxng()
    {
        FakeEngine engine;
        QVERIFY(engine.listen());
        QList<FakeEngine::Hit> first, second;
        for (int i = 1; i <= 7; ++i)
            first.append({u"http://other%1.example/"_s.arg(i), u"t"_s, u"s"_s});
        second = {{u"http://x.example/"_s, {}, {}}, {u"http://www.mysite.example/p"_s, u"Mine"_s, {}}};
        engine.setHits(u"blue widgets"_s, 0, first);
        engine.setHits(u"blue widgets"_s, 1, second);
        QProcess cli;
        cli.start(QStringLiteral(ZORVANE_CLI_PATH),
                  {u"search"_s, u"--domain"_s, u"mysite.example"_s, u"--keyword"_s, u"blue widgets"_s, u"--depth"_s,
                   u"2"_s, u"--engine"_s, u"searxng"_s, u"--engine-url"_s, u"http://"_s + engine.hostport()});
        QVERIFY(QTest::qWaitFor([&] { return cli.state() == QProcess::NotRunning; }, 60000));
        QCOMPARE(cli.exitCode(), 0);
        const QJsonObject line = QJsonDocument::fromJson(cli.readAllStandardOutput()).object();
        QCOMPARE(line[u"action"].toString(), u"Finished search"_s);
        const QJsonObject hit = line[u"positions"].toArray().at(0).toObject();
        QCOMPARE(hit[u"position"].toInt(), 9);
        QCOMPARE(hit[u"title"].toString(), u"Mine"_s);
        QVERIFY(engine.requests().at(1).raw.startsWith("GET /search?q=blue%20widgets&format=json&pageno=2 "));
    }
};

QTEST_GUILESS_MAIN(TestServices)
#include "tst_services.moc"
