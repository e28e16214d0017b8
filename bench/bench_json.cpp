// Throughput of the JSON services' reply reader on a large reply, best of five runs: the whole
// read (split, scan, hits) and where its time goes, beside Qt's document parser on the same
// bytes for comparison; then a reply of 7.5 MB as the fetcher receives and reads it from the
// fake engine, with the CPU time and the peak memory it costs. Build with
// -DCMAKE_BUILD_TYPE=Release for figures worth quoting.
#include "cli/headlesswindow.h"
#include "enginethread.h"
#include "platform/codepage.h"
#include "search/jsonscan.h"
#include "search/searchrun.h"
#include "search/searchservice.h"
#include "search/searchstate.h"
#include "support/fakeconnection.h"
#include "support/fakeengine.h"
#include "support/testprompts.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QTextStream>

#include <ctime>
#include <functional>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr qsizetype kLarge = 64'000'000;

// A SearXNG page as an instance sends it, with every field of a result filled and some
// non-ASCII text, padded out to `target` bytes.
QString searxngreply(qsizetype target)
{
    QByteArray body = R"({"query":"blue widgets","number_of_results":0,"results":[)";
    for (int n = 0; body.size() < target; ++n) {
        const QByteArray host = "www.site" + QByteArray::number(n) + ".example.com";
        if (n > 0)
            body += ',';
        body +=
            R"({"url":"https://)" + host + R"(/blue/widgets.html","title":"Blue widgets – )" + host +
            R"( \u00e9t\u00e9","content":"Buy blue widgets online. Free shipping on orders over $25. Compare )"
            R"(prices, read reviews … Widgets in every colour since 1987.","engine":"demo","parsed_url":["https",")" +
            host +
            R"(","/blue/widgets.html","","",""],"template":"default.html","engines":["demo","other"],)"
            R"("positions":[)" +
            QByteArray::number(n % 10 + 1) + R"(,3],"score":1.5,"category":"general"})";
    }
    body += R"(],"answers":[],"corrections":[],"infoboxes":[],"suggestions":[],"unresponsive_engines":[]})";
    const QByteArray head =
        "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: " + QByteArray::number(body.size()) +
        "\r\n\r\n";
    return codepage::toText(QByteArray(head + body));
}

double best(const std::function<void()> &body)
{
    double fastest = std::numeric_limits<double>::max();
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        body();
        fastest = qMin(fastest, timer.nsecsElapsed() / 1e9);
    }
    return fastest;
}

double threadcpu()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + now.tv_nsec / 1e9;
}

// The peak resident memory of this process in KiB since the last reset.
long peakkib()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

void resetpeak()
{
    QFile refs(u"/proc/self/clear_refs"_s);
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

// One keyword searched through SearXNG, whose answer is `raw`, from an engine in a thread of its
// own; the CPU time of this thread (the fetcher's side) and the peak memory above the start.
void throughfetcher(QTextStream &out, const QByteArray &raw)
{
    EngineThread server;
    QString hostport;
    server.in([&] {
        FakeEngine &engine = server.engine();
        engine.listen();
        engine.setDefaultBehaviour({FakeEngine::Reply::Raw, 0, {}, raw});
        hostport = engine.hostport();
    });
    double fastest = std::numeric_limits<double>::max();
    long peak = 0;
    for (int run = 0; run < 5; ++run) {
        SearchState state;
        state.settings.engine = u"searxng"_s;
        state.settings.engineurl = hostport;
        state.settings.inettimeout = 32767; // ticks are driven by hand, far faster than seconds
        HeadlessWindow window(state);
        TestPrompts prompts;
        FakeConnection connection;
        SearchRun search(state, window, prompts, connection);
        search.setTickLength(1'000'000);
        window.setTxturlsText(u"mysite.example"_s);
        window.setTxtkeysText(u"blue widgets"_s);
        window.setPagedepthText(u"1"_s);
        QCoreApplication::processEvents();
        resetpeak();
        const long before = peakkib();
        const double start = threadcpu();
        search.mnusearch_Click();
        while (state.searching) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
            search.Timer1_Timer();
        }
        fastest = qMin(fastest, threadcpu() - start);
        peak = qMax(peak, peakkib() - before);
        if (state.urldata[1].keys[1].urls.isEmpty())
            out << "NOT READ: " << state.urldata[1].keys[1].action << "\n";
    }
    const double megabytes = raw.size() / 1e6;
    out << "through the fetcher, " << megabytes << " MB reply: " << megabytes / fastest << " MB/s of CPU, peak memory "
        << peak / 1024.0 << " MiB (" << peak * 1024.0 / raw.size() << " times the reply)\n";
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    throughfetcher(out, codepage::toBytes(searxngreply(7'500'000)));
    const QString raw = searxngreply(kLarge);
    const double megabytes = raw.size() / 1e6;
    Settings settings;
    settings.engine = u"searxng"_s;
    const auto service = makeservice(settings, false);
    qsizetype hits = 0;
    const double whole = best([&] { hits = service->read(splitreply(raw, service->readstext()), 0, 0).hits.size(); });
    qsizetype body = 0;
    const double split = best([&] { body = splitreply(raw, service->readstext()).body().size(); });
    const ServiceReply reply = splitreply(raw, service->readstext());
    bool scanned = false;
    const double scan = best([&] {
        JsonScan scanner(reply.body());
        scanner.skip();
        scanned = scanner.finish();
    });
    const QByteArray bytes = codepage::toBytes(reply.body());
    bool parsed = false;
    const double qt = best([&] { parsed = QJsonDocument::fromJson(bytes).isObject(); });
    out << "reply " << megabytes << " MB, " << hits << " hits" << (scanned && parsed && body > 0 ? "" : ", NOT PARSED")
        << "\n";
    out << "read (split + scan + hits):  " << megabytes / whole << " MB/s\n";
    out << "  split alone:               " << split * 1e3 << " ms\n";
    out << "  scan alone (all checked):  " << megabytes / scan << " MB/s\n";
    out << "QJsonDocument::fromJson:     " << megabytes / qt << " MB/s (bytes given, for comparison)\n";
    return 0;
}
