#include "demoranking.h"
#include "fakeengine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

using namespace Qt::Literals::StringLiterals;

namespace {

// The --block choice as the engine's answer; false when it names none.
bool refusal(const QString &how, FakeEngine::Behaviour &behaviour)
{
    if (how == u"429" || how == u"403" || how == u"503" || how == u"redirect") {
        behaviour.reply = FakeEngine::Reply::Status;
        behaviour.status = how == u"redirect" ? 302 : how.toInt();
    } else if (how == u"captcha") {
        behaviour.reply = FakeEngine::Reply::Captcha;
    } else if (how == u"error") {
        behaviour.reply = FakeEngine::Reply::Fault;
        behaviour.fault = u"Your account has run out of searches."_s;
    } else {
        return false;
    }
    return true;
}

} // namespace

// A search engine on 127.0.0.1 for trying Zorvane without the Internet: it answers the HTML
// result page, the SOAP service, SearXNG's JSON ("/search?...&format=json"), the SERP API's
// ("/search.json?..."), the Brave Search API's ("/res/v1/web/search?...") and Serper's (a POST
// of a JSON body) for any keyword, and the update file, until it is killed.
int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"zorvane-demo-engine"_s);
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Serves invented search results on 127.0.0.1."_s);
    parser.addHelpOption();
    const QCommandLineOption port(u"port"_s, u"Port to listen on; 0 picks a free one (default 8089)."_s, u"PORT"_s,
                                  u"8089"_s);
    const QCommandLineOption domain(u"domain"_s, u"The domain whose ranking the demo shows (default example.com)."_s,
                                    u"DOMAIN"_s, u"example.com"_s);
    const QCommandLineOption delay(u"delay"_s, u"Milliseconds before each page is answered (default 300)."_s, u"MS"_s,
                                   u"300"_s);
    const QCommandLineOption announce(u"announce"_s,
                                      u"The version the update file announces, e.g. V1.2.3 (default: Zorvane's own)."_s,
                                      u"VERSION"_s, FakeEngine::ownVersion());
    const QCommandLineOption block(u"block"_s,
                                   u"Refuse every search as a wary engine does: 429, 403 or 503 (that HTTP status), "
                                   "redirect, captcha, or error (the key services' error object for a used-up key)."_s,
                                   u"HOW"_s);
    parser.addOptions({port, domain, delay, announce, block});
    parser.process(app);

    bool ok = false;
    const uint portnumber = parser.value(port).toUInt(&ok);
    const int delayms = parser.value(delay).toInt();
    if (!ok || portnumber > 65535 || delayms < 0) {
        QTextStream(stderr) << "zorvane-demo-engine: --port takes 0 to 65535, --delay a number of milliseconds\n";
        return 2;
    }
    FakeEngine::Behaviour behaviour{FakeEngine::Reply::Page, delayms, {}, {}, 0, 0};
    if (parser.isSet(block) && !refusal(parser.value(block), behaviour)) {
        QTextStream(stderr) << "zorvane-demo-engine: --block takes 429, 403, 503, redirect, captcha or error\n";
        return 2;
    }
    FakeEngine engine;
    const DemoRanking ranking(parser.value(domain).trimmed().toLower());
    engine.setPageSource([&ranking](const QString &keyword, int page) { return ranking.page(keyword, page); });
    engine.setDefaultBehaviour(behaviour);
    engine.setAnnounce(parser.value(announce));
    // Only the demo's own requests are kept, so a long session does not grow without end.
    QObject::connect(&engine, &FakeEngine::requestReceived, &engine, [&engine](int index) {
        if (index >= 1000)
            engine.clearRecords();
    });
    if (!engine.listen(quint16(portnumber))) {
        QTextStream(stderr) << "zorvane-demo-engine: cannot listen on 127.0.0.1:" << portnumber
                            << " (is the port in use?)\n";
        return 1;
    }
    QTextStream(stdout) << "Demo search engine listening on 127.0.0.1:" << engine.port() << Qt::endl;
    return QCoreApplication::exec();
}
