#include "search/positions.h"
#include "search/requests.h"
#include "search/searchservice.h"
#include "searchrig.h"
#include "support/clirun.h"
#include "support/mockclock.h"
#include "views/resultrows.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::Literals::StringLiterals;

namespace {

// A reply with the body's JSON written with ' for ".
QString reply(QByteArray body, int status = 200)
{
    return QString::fromLatin1("HTTP/1.1 " + QByteArray::number(status) +
                               " X\r\nContent-Type: application/json\r\n\r\n" + body.replace('\'', '"'));
}

const QString Suggestion = u"; today's result pages are read through SearXNG or a JSON service (SERP API, Brave, "
                           "Serper): choose one in Options, Search service"_s;

QString done(const QString &status, ServicePage::Verdict verdict)
{
    return u"status="_s + status + u" verdict="_s + QString::number(int(verdict));
}

// "position url title" per hit, then the status: what a reader of the page cares about.
QStringList outcome(const ServicePage &page)
{
    QStringList lines;
    for (const ServiceHit &hit : page.hits)
        lines << QString::number(hit.position) + u' ' + hit.url + u' ' + hit.title;
    return lines << done(page.status, page.verdict) + (page.note.isEmpty() ? QString() : u" note="_s + page.note);
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

    // Each service's request byte for byte, without a locale and with the domain's locale in
    // the service's own parameters.
    void requests_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<bool>("located");
        QTest::addColumn<QString>("expected");
        const QString tail = u"Accept: application/json\r\nAccept-Language: en, *\r\nUser-Agent: "_s +
                             useragent().sliced(12) + u"\r\nConnection: close\r\nHost: 127.0.0.1:9\r\n"_s;
        const auto get = [&](const QString &path, const QString &more = {}) -> QString {
            return u"GET "_s + path + u" HTTP/1.1\r\n"_s + tail + more + u"\r\n"_s;
        };
        const auto post = [&](const QByteArray &body) -> QString {
            return u"POST /search HTTP/1.1\r\n"_s + tail + u"Content-Type: application/json\r\nX-API-KEY: k/1\r\n"_s +
                   u"Content-Length: "_s + QString::number(body.size()) + u"\r\n\r\n"_s + QString::fromLatin1(body);
        };
        const QString searx = u"/search?q=blue%20widgets&format=json&pageno=2"_s;
        QTest::newRow("searxng") << engines::searxng << false << get(searx);
        QTest::newRow("searxng, engines and locale")
            << engines::searxng << true << get(searx + u"&engines=google%2Cbing&language=de-DE"_s);
        const QString serp = u"/search.json?engine=google&q=blue%20widgets&start=10&num=10"_s;
        QTest::newRow("serpapi") << engines::serpapi << false << get(serp + u"&api_key=k%2F1"_s);
        QTest::newRow("serpapi, locale")
            << engines::serpapi << true
            << get(serp + u"&gl=de&hl=de&device=mobile&location=Berlin%2C%20Germany&api_key=k%2F1"_s);
        const QString brave = u"/res/v1/web/search?q=blue%20widgets&count=10&offset=1"_s,
                      token = u"X-Subscription-Token: k/1\r\n"_s;
        QTest::newRow("brave") << engines::brave << false << get(brave, token);
        QTest::newRow("brave, locale") << engines::brave << true << get(brave + u"&country=DE&search_lang=de"_s, token);
        QTest::newRow("serper") << engines::serper << false << post("{\"num\":10,\"page\":2,\"q\":\"blue widgets\"}");
        QTest::newRow("serper, locale") << engines::serper << true
                                        << post("{\"gl\":\"de\",\"hl\":\"de\",\"location\":\"Berlin, "
                                                "Germany\",\"num\":10,\"page\":2,\"q\":\"blue widgets\"}");
        Settings s;
        const QString html = getgoogle(s, u"127.0.0.1:9"_s, u"127.0.0.1:9"_s, u"blue widgets"_s, 1);
        QTest::newRow("html, locale") << engines::html << true
                                      << QString(html).replace(u"?hl=en&"_s, u"?hl=de&gl=de&"_s);
        const QString soap = getgoogleapi(s, u"127.0.0.1:9"_s, u"127.0.0.1:9"_s, u"blue widgets"_s, 1);
        const qsizetype length = soap.size() - soap.indexOf(u"\r\n\r\n"_s) - 4;
        QTest::newRow("soap, locale") << engines::soap << true
                                      << QString(soap)
                                             .replace(u"string\"></restrict>"_s, u"string\">countryDE</restrict>"_s)
                                             .replace(u"string\"></lr>"_s, u"string\">lang_de</lr>"_s)
                                             .replace(u"Length:"_s + QString::number(length),
                                                      u"Length:"_s + QString::number(length + 16));
    }

    void requests()
    {
        QFETCH(QString, engine);
        QFETCH(bool, located);
        Settings s;
        s.engine = engine;
        s.engineurl = s.searchhost = s.apihost = u"127.0.0.1:9"_s;
        s.enginekey = u"k/1"_s;
        s.searxngengines = located ? u"google,bing"_s : QString();
        const SearchLocale locale =
            located ? SearchLocale{u"de"_s, u"de"_s, u"mobile"_s, u"Berlin, Germany"_s} : SearchLocale();
        const QString host = u"127.0.0.1:9"_s;
        QTEST(makeservice(s, engine == engines::soap)->request(host, host, u"blue widgets"_s, 1, locale), "expected");
    }

    // SearXNG refuses a language it cannot read with 400: one region at most, and no script.
    void searxngLanguage()
    {
        Settings s;
        s.engine = engines::searxng;
        s.engineurl = u"127.0.0.1:9"_s;
        const QString cases[][3] = {{u"pt-br"_s, {}, u"pt-BR"_s},
                                    {u"pt-br"_s, u"pt"_s, u"pt-PT"_s},
                                    {u"zh-hans"_s, {}, u"zh"_s},
                                    {u"zh-hant"_s, u"tw"_s, u"zh-TW"_s}};
        for (const auto &[language, country, expected] : cases) {
            const QString sent = makeservice(s, false)->request(s.engineurl, s.engineurl, u"q"_s, 0,
                                                                SearchLocale{country, language, {}, {}});
            QCOMPARE(sent.section(u"&language="_s, 1).section(u' ', 0, 0), expected);
        }
    }

    // Where the JSON services are reached, and the proxy form of their requests.
    void jsonTargets()
    {
        Settings s;
        s.engine = engines::searxng;
        s.engineurl = u"https://searx.example:8443/searx/"_s;
        const ServiceTarget target = makeservice(s, false)->target();
        QCOMPARE((QStringList{target.host, target.port, target.prefix}),
                 (QStringList{u"https://searx.example:8443"_s, u"8443"_s, u"/searx"_s}));
        const QString searx = makeservice(s, false)->request(target.host, target.host, u"größe & co"_s, 2, {});
        QVERIFY2(
            searx.startsWith(u"GET /searx/search?q=gr%C3%B6%C3%9Fe%20%26%20co&format=json&pageno=3 HTTP/1.1\r\n"_s),
            qPrintable(searx));
        QVERIFY(searx.endsWith(u"Host: searx.example:8443\r\n\r\n"_s));
        s.engine = engines::serpapi;
        s.engineurl = u"http://127.0.0.1:9"_s;
        s.useproxy = true;
        const QString serp = makeservice(s, false)->request(u"proxy"_s, u"127.0.0.1:9"_s, u"a"_s, 1, {});
        QVERIFY2(serp.startsWith(u"GET http://127.0.0.1:9/search.json?engine=google&q=a&start=10&num=10&api_key= "_s),
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
        using V = ServicePage::Verdict;
        const QString searx = engines::searxng, serp = engines::serpapi, html = engines::html, soap = engines::soap;
        const QByteArray results = "'results':[{'url':'http://a.example/','title':'Größe ✓','content':'c'},"
                                   "{'title':'no url'},{'url':'http://b.example/'}]";
        const QStringList ab{u"1 http://a.example/ Größe ✓"_s, u"2 http://b.example/ "_s};
        QTest::newRow("searxng page 2") << searx << reply("{" + results + "}") << 12
                                        << QStringList{u"13 http://a.example/ Größe ✓"_s, u"14 http://b.example/ "_s,
                                                       done({}, V::Results)};
        QTest::newRow("searxng empty") << searx << reply("{'results':[]}") << 0 << QStringList{done({}, V::NoResults)};
        QTest::newRow("searxng slow engine")
            << searx << reply("{'results':[],'unresponsive_engines':[['x','timeout']]}") << 0
            << QStringList{done({}, V::NoResults)};
        QTest::newRow("searxng results, one engine refusing")
            << searx << reply("{" + results + ",'unresponsive_engines':[['g','CAPTCHA'],['x','timeout']]}") << 0
            << ab + QStringList{done({}, V::Results) + u" note=g: CAPTCHA"_s};
        QTest::newRow("searxng nothing, engines refusing")
            << searx
            << reply("{'results':[],'unresponsive_engines':[['d','Suspended: access denied'],['g','CAPTCHA']]}") << 0
            << QStringList{done(u"blocked (d: Suspended: access denied, g: CAPTCHA)"_s, V::Blocked)};
        QTest::newRow("searxng limiter") << searx << reply("Too Many Requests", 429) << 0
                                         << QStringList{done(u"blocked (HTTP 429)"_s, V::Blocked)};
        QTest::newRow("searxng not json")
            << searx << reply("<html>", 200) << 0
            << QStringList{done(u"unrecognised page (not a JSON reply of this service)"_s, V::Unrecognised)};
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
        QTest::newRow("serpapi other") << serp << reply("{'error':'Unsupported `xx` location'}") << 0
                                       << QStringList{done(u"service error (Unsupported `xx` location)"_s, V::Failed)};
        QTest::newRow("serpapi 403") << serp << reply("{}", 403) << 0
                                     << QStringList{done(u"blocked (HTTP 403)"_s, V::Blocked)};
        QTest::newRow("serpapi failed search") << serp << reply("{'search_metadata':{'status':'Error'}}") << 0
                                               << QStringList{done(u"service error (search failed)"_s, V::Failed)};
        QTest::newRow("brave page 2")
            << engines::brave
            << reply("{'type':'search','query':{'original':'q'},'web':{'type':'search','results':["
                     "{'title':'A','url':'https://a.example/','description':'d'},{'url':'https://b.example/'}]}}")
            << 10 << QStringList{u"11 https://a.example/ A"_s, u"12 https://b.example/ "_s, done({}, V::Results)};
        QTest::newRow("brave nothing found") << engines::brave << reply("{'type':'search','query':{'original':'q'}}")
                                             << 0 << QStringList{done({}, V::NoResults)};
        QTest::newRow("serper page 2, numbered from 1")
            << engines::serper
            << reply("{'searchParameters':{'q':'q','page':2},'organic':[{'title':'A','link':'https://a.example/',"
                     "'position':1},{'link':'https://b.example/','position':2}],'credits':1}")
            << 10 << QStringList{u"11 https://a.example/ A"_s, u"12 https://b.example/ "_s, done({}, V::Results)};
        QTest::newRow("html proxy 407") << html << reply("", 407) << 0
                                        << QStringList{done(u"proxy authentication failed"_s, V::Blocked)};
        QTest::newRow("html redirect") << html << reply("", 302) << 0
                                       << QStringList{done(u"blocked (HTTP 302)"_s, V::Blocked)};
        QTest::newRow("html no hits") << html << reply("<html>did not match any documents</html>") << 0
                                      << QStringList{done({}, V::Results)};
        // Markers the saved captures also carry beside others.
        QTest::newRow("html challenge with 200")
            << html << reply("<html><head><title>Just a moment...</title></head><body>x</body></html>") << 0
            << QStringList{done(u"blocked (challenge page)"_s, V::Blocked)};
        QTest::newRow("html captcha form") << html << reply("<form id=\"captcha-form\" action=\"index\">") << 0
                                           << QStringList{done(u"blocked (captcha page)"_s, V::Blocked)};
        QTest::newRow("html hit naming captcha, footer linking consent")
            << html
            << reply("<p class=g><a href=http://x/ id=a>captcha</a><br><font>solve any captcha<br><font>x</font></font>"
                     "<a href=https://consent.google.com/ml>Privacy</a></html>")
            << 0 << QStringList{u"1 http://x/ captcha"_s, done({}, V::Results)};
        QTest::newRow("html in today's markup")
            << html << reply("<div class=\"g\"><a href=\"https://x.example/\"><h3>X</h3></a>captcha</div>") << 0
            << QStringList{
                   done(u"unrecognised page (not the result-page layout this service reads)"_s, V::Unrecognised)};
        QTest::newRow("html not found") << html << reply("<html>gone</html>", 404) << 0
                                        << QStringList{done(u"service error (HTTP 404)"_s, V::Failed)};
        QTest::newRow("soap without elements")
            << soap << reply("<ns1:doGoogleSearchResponse><resultElements></resultElements>") << 0
            << QStringList{done({}, V::Results)};
        QTest::newRow("soap answered by a web page")
            << soap << reply("<html><body>Welcome</body></html>") << 0
            << QStringList{done(u"unrecognised page (not a reply of the SOAP service)"_s, V::Unrecognised)};
    }

    void readReplies()
    {
        QFETCH(QString, engine);
        QFETCH(QString, raw);
        QFETCH(int, hitsbefore);
        Settings s;
        s.engine = engine;
        const ServicePage page = makeservice(s, engine == engines::soap)->read(splitreply(raw), 0, hitsbefore);
        QTEST(outcome(page), "expected");
        QVERIFY(errorreports::errortext().isEmpty());
    }

    // The key services' errors are told by their error object whatever the status they come with,
    // in every wording the vendors use and have used.
    void serviceErrors_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("expected");
        const QString quota = u"quota exhausted"_s, key = u"key rejected"_s;
        const QString serp = engines::serpapi, brave = engines::brave, serper = engines::serper;
        const std::pair<const char *, int> allowances[] = {
            {"Your account has run out of searches.", 429},
            {"Your searches for the month are exhausted. You can upgrade plans on SerpApi.com website.", 200},
            {"You have exceeded the hourly throughput limit for your plan.", 429},
            {"Monthly quota reached", 403},
        };
        for (const auto &[text, status] : allowances)
            QTest::newRow(text) << serp << status << "{'error':'" + QByteArray(text) + "'}" << quota;
        QTest::newRow("serpapi invalid key") << serp << 401
                                             << "{'error':'Invalid API key. Your API key should be "
                                                "here: https://serpapi.com/manage-api-key'}"_ba
                                             << key;
        QTest::newRow("serpapi missing key") << serp << 200 << "{'error':'Missing API key.'}"_ba << key;
        QTest::newRow("serpapi bare 401") << serp << 401 << "{}"_ba << key;
        QTest::newRow("brave token") << brave << 422
                                     << "{'type':'ErrorResponse','error':{'id':'x','status':422,'code':"
                                        "'SUBSCRIPTION_TOKEN_INVALID','detail':'The provided subscription token "
                                        "is invalid.','meta':{}},'time':1}"_ba
                                     << key;
        QTest::newRow("brave rate") << brave << 429
                                    << "{'type':'ErrorResponse','error':{'code':'RATE_LIMITED','detail':'Request rate "
                                       "limit exceeded for plan.'}}"_ba
                                    << quota;
        QTest::newRow("brave validation") << brave << 422
                                          << "{'type':'ErrorResponse','error':{'code':'VALIDATION','detail':'Unable to "
                                             "validate request parameter(s)','meta':{}}}"_ba
                                          << u"service error (VALIDATION: Unable to validate request parameter(s))"_s;
        QTest::newRow("serper credits") << serper << 400 << "{'message':'Not enough credits','statusCode':400}"_ba
                                        << quota;
        QTest::newRow("serper key") << serper << 403 << "{'message':'Unauthorized.','statusCode':403}"_ba << key;
    }

    void serviceErrors()
    {
        QFETCH(QString, engine);
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        Settings s;
        s.engine = engine;
        QTEST(makeservice(s, false)->read(splitreply(reply(body, status)), 0, 0).status, "expected");
    }

    // Replies real services sent, as their publishers saved them (tests/data/captures/SOURCES.md):
    // each gets its verdict, and a result page the positions of one domain in it.
    void captures_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("engine");
        QTest::addColumn<int>("hitsbefore");
        QTest::addColumn<QString>("domain");
        QTest::addColumn<QString>("expected");
        const QString serp = engines::serpapi, html = engines::html, hitless = u" hits=0 at="_s;
        const QString unread = u"unrecognised page (not the result-page layout this service reads)"_s + hitless;
        QTest::newRow("serpapi credit") << u"serpapi-error-credit.json"_s << serp << 0 << QString()
                                        << u"quota exhausted"_s + hitless;
        QTest::newRow("serpapi page 3") << u"serpapi-coffee-start20.json"_s << serp << 20 << u"heartroasters.com"_s
                                        << u" hits=10 at=23"_s;
        QTest::newRow("challenge") << u"cloudflare-challenge-2016.html"_s << html << 0 << QString()
                                   << u"blocked (challenge page)"_s + hitless;
        QTest::newRow("captcha") << u"cloudflare-captcha-2019.html"_s << html << 0 << QString()
                                 << u"blocked (challenge page)"_s + hitless;
        QTest::newRow("managed challenge")
            << u"cloudflare-managed-2021.html"_s << html << 0 << QString() << u"blocked (challenge page)"_s + hitless;
        QTest::newRow("duckduckgo") << u"duckduckgo-page-2015.html"_s << html << 0 << QString() << unread;
        const QString searx = engines::searxng, blocked = u"blocked (%1 page)"_s + hitless;
        QTest::newRow("searxng, two engines refusing")
            << u"searxng-espresso-refusing-2026.json"_s << searx << 0 << u"home-barista.com"_s
            << u" hits=27 at=8 note=duckduckgo: CAPTCHA, startpage: Suspended: CAPTCHA"_s;
        QTest::newRow("searxng page 2") << u"searxng-anthropic-2026.json"_s << searx << 10 << u"anthropic.com"_s
                                        << u" hits=35 at=11,15,26"_s;
        QTest::newRow("brave, slashes escaped")
            << u"brave-laravel-news-2024.json"_s << engines::brave << 0 << u"laravel.com"_s << u" hits=18 at=9"_s;
        QTest::newRow("unusual traffic") << u"google-unusual-traffic-2020.html"_s << html << 0 << QString()
                                         << blocked.arg(u"captcha"_s);
        QTest::newRow("consent") << u"google-consent-2026.html"_s << html << 0 << QString()
                                 << blocked.arg(u"consent"_s);
        QTest::newRow("bing") << u"bing-tokio-2026-trimmed.html"_s << html << 0 << QString() << unread;
        for (const QString &engine : {html, searx})
            QTest::newRow(qPrintable(u"anubis, "_s + engine)) << u"anubis-challenge-2025.html"_s << engine << 0
                                                              << QString() << u"blocked (challenge page)"_s + hitless;
        QTest::newRow("altcha captcha") << u"mojeek-captcha-2026-trimmed.html"_s << html << 0 << QString()
                                        << blocked.arg(u"captcha"_s);
    }

    void captures()
    {
        QFETCH(QString, file);
        QFETCH(QString, engine);
        QFETCH(int, hitsbefore);
        QFETCH(QString, domain);
        QFile in(QStringLiteral(ZORVANE_CAPTURES) + u'/' + file);
        QVERIFY(in.open(QIODevice::ReadOnly));
        Settings s;
        s.engine = engine;
        const QString raw = QString::fromLatin1("HTTP/1.1 200 OK\r\n\r\n" + in.readAll());
        const ServicePage page = makeservice(s, engine == engines::soap)->read(splitreply(raw), 2, hitsbefore);
        QStringList positions;
        SearchSession session;
        session.url = domain;
        for (const ServiceHit &hit : page.hits) {
            if (match(SearchHit{hit.url, {}, {}, Int16(int(hit.position)), {}}, session))
                positions << QString::number(hit.position);
        }
        const QString seen = page.status + u" hits="_s + QString::number(page.hits.size()) + u" at="_s +
                             positions.join(u',') + (page.note.isEmpty() ? QString() : u" note="_s + page.note);
        QTEST(seen, "expected");
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
        // 429 waits and ends as tst_fetcher's backoff shows, 503 as the SOAP row here.
        for (const int code : {403, 301})
            QTest::addRow("html %d", code) << html << int(R::Status) << code << u"blocked (HTTP %1)"_s.arg(code);
        QTest::newRow("html captcha") << html << int(R::Captcha) << 0 << u"blocked (captcha page)"_s;
        QTest::newRow("soap 503") << engines::soap << int(R::Status) << 503 << u"blocked (HTTP 503)"_s;
        QTest::newRow("searxng captcha") << searx << int(R::Captcha) << 0 << u"blocked (demo: CAPTCHA)"_s;
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
        // The second page: the first one's hits go too.
        rig.engine.setBehaviour(
            u"refused"_s, 1, {FakeEngine::Reply(reply), 0, u"Your account has run out of searches."_s, {}, 0, status});
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
        // Those reading result pages are pointed to the services that still answer.
        const bool pages = engine == engines::html || engine == engines::soap;
        QCOMPARE(rig.window.lines().mid(rig.window.lines().indexOf(u"Searches complete"_s)),
                 (QStringList{u"Searches complete"_s, u"1 keyword blocked"_s + (pages ? Suggestion : QString())}));
    }

    // A run sends each domain's locale to the service, and a key the service refuses ends its
    // keyword at once, without the waits a refusal by status gets.
    void localeAndRefusedKey()
    {
        SearchRig rig;
        rig.state.settings.engine = engines::serper;
        rig.state.settings.engineurl = u"http://"_s + rig.engine.hostport();
        rig.state.settings.enginekey = u"k"_s;
        rig.window.setSearchlocale({u"at"_s, u"de"_s, {}, u"Wien"_s});
        const QByteArray refused = "{\"message\":\"Unauthorized.\",\"statusCode\":403}";
        const QByteArray head = "HTTP/1.1 403 Forbidden\r\nContent-Length: " + QByteArray::number(refused.size());
        rig.engine.setBehaviour(u"beta"_s, 0, {FakeEngine::Reply::Raw, 0, {}, head + "\r\n\r\n" + refused});
        rig.start(u"mysite.example"_s, u"alpha\r\nbeta"_s, u"1"_s);
        QVERIFY(rig.finish());
        const FakeEngine::Request &first = rig.engine.requests().at(0);
        const QByteArray body = "{\"gl\":\"at\",\"hl\":\"de\",\"location\":\"Wien\",\"num\":10,\"page\":1,\"q\":\"" +
                                first.keyword.toUtf8() + "\"}";
        QVERIFY2(first.raw.endsWith(body), first.raw.constData());
        QCOMPARE(rig.keyword(2).action, u"key rejected"_s);
        QCOMPARE(rig.engine.pagesRequested(u"beta"_s), QList<int>{0});
    }

    // The command line against each service, whose pages hold different numbers of hits: each
    // counts the positions its own way, and an https result matches the domain.
    void cliSearchesEachService_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<int>("reply");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("action");
        const auto page = int(FakeEngine::Reply::Page);
        const QString finished = u"Finished search"_s;
        // The page services number ten a page (HTML: tst_searchcli's search); SearXNG and Brave
        // count the hits; Serper numbers each page from 1 and the SERP API counts on.
        QTest::newRow("soap") << engines::soap << page << 12 << finished;
        QTest::newRow("searxng, one engine refusing")
            << engines::searxng << int(FakeEngine::Reply::PartlyRefused) << 9 << u"Finished search; demo: CAPTCHA"_s;
        QTest::newRow("serpapi") << engines::serpapi << page << 12 << finished;
        QTest::newRow("brave") << engines::brave << page << 9 << finished;
        QTest::newRow("serper") << engines::serper << page << 9 << finished;
    }
    void cliSearchesEachService()
    {
        QFETCH(QString, engine);
        QFETCH(int, reply);
        FakeEngine fake;
        QVERIFY(fake.listen());
        QList<FakeEngine::Hit> first;
        for (int i = 1; i <= 7; ++i)
            first.append({u"http://other%1.example/"_s.arg(i), u"t"_s, u"s"_s});
        fake.setHits(u"blue widgets"_s, 0, first);
        fake.setHits(
            u"blue widgets"_s, 1,
            {{u"http://x.example/"_s, u"X"_s, u"s"_s}, {u"https://www.mysite.example/p"_s, u"Mine"_s, u"s"_s}});
        fake.setBehaviour(u"blue widgets"_s, 1, {FakeEngine::Reply(reply), 0, {}, {}});
        const QString host = fake.hostport();
        const clirun::Result cli = clirun::run({u"search"_s, u"--domain"_s, u"mysite.example"_s, u"--keyword"_s,
                                                u"blue widgets"_s, u"--depth"_s, u"2"_s, u"--engine"_s, engine,
                                                u"--engine-url"_s, u"http://"_s + host, u"--engine-key"_s, u"k"_s,
                                                u"--searchhost"_s, host, u"--apihost"_s, host, u"--api-key"_s, u"k"_s});
        QCOMPARE(cli.status, 0);
        const QJsonObject line = QJsonDocument::fromJson(cli.out).object();
        QTEST(line[u"action"].toString(), "action");
        const QJsonObject hit = line[u"positions"].toArray().at(0).toObject();
        QTEST(hit[u"position"].toInt(), "position");
        QCOMPARE(hit[u"url"].toString(), u"https://www.mysite.example/p"_s);
        QCOMPARE(fake.requests().at(1).page, 1);
        QCOMPARE(fake.requests().at(1).format, engine == engines::html || engine == engines::soap ? QString() : engine);
    }
};

QTEST_GUILESS_MAIN(TestServices)
#include "tst_services.moc"
