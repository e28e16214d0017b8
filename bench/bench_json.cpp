// Throughput of the JSON services' reply reader on a large reply, best of five runs: the whole
// read (split, scan, hits) and where its time goes, beside Qt's document parser on the same
// bytes for comparison. Build with -DCMAKE_BUILD_TYPE=Release for figures worth quoting.
#include "platform/codepage.h"
#include "search/jsonscan.h"
#include "search/searchservice.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QTextStream>

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

} // namespace

int main()
{
    QTextStream out(stdout);
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
