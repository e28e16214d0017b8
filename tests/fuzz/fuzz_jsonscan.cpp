// libFuzzer entry: the bytes are a JSON service's reply body. The reader must come to the same
// verdict skipping the document whole as reading it member by member, and both services must
// read it as a reply with hits numbered onwards, or end the keyword without a result, never trap.
#include "diagnostics/errorreports.h"
#include "platform/codepage.h"
#include "search/jsonscan.h"
#include "search/searchservice.h"

#include <cstdint>
#include <cstdlib>

using namespace Qt::Literals::StringLiterals;

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// Reads every member of every object met, as text, whole number or deeper object in turn.
void readall(JsonScan &scan)
{
    if (!scan.enterobject())
        return;
    for (int member = 0; scan.nextkey(); ++member) {
        if (member % 3 == 0)
            scan.string();
        else if (member % 3 == 1)
            scan.integer();
        else
            readall(scan);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString body = codepage::toText(QByteArrayView(data, qsizetype(size)));
    JsonScan skipped(body);
    skipped.skip();
    const bool wellformed = skipped.finish();
    require(wellformed == skipped.error().isEmpty());
    // The reader's depth bound keeps this recursion shallow too.
    JsonScan read(body);
    readall(read);
    require(read.finish() == wellformed && read.error() == skipped.error());
    const ServiceReply reply = splitreply(u"HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n\r\n"_s + body, false);
    for (const QString &engine : {u"searxng"_s, u"serpapi"_s}) {
        Settings settings;
        settings.engine = engine;
        const ServicePage page = makeservice(settings, false)->read(reply, 0, 5);
        // A reply that is not JSON ends its keyword without a result: never "None".
        require(wellformed || (page.hits.isEmpty() && page.unanswered() && !page.status.isEmpty()));
        qint64 last = 5;
        for (const ServiceHit &hit : page.hits) {
            require(!hit.url.isEmpty() && hit.position > last);
            last = hit.position;
        }
    }
    require(errorreports::errortext().isEmpty());
    return 0;
}
