// libFuzzer entry: a raw server reply goes the way the fetcher sends it, through chunk
// decoding, line ends and both scanners, and the cleaners run over every field found.
#include "diagnostics/errorreports.h"
#include "platform/codepage.h"
#include "search/chunked.h"
#include "search/parsers.h"

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString raw = codepage::toText(QByteArrayView(data, qsizetype(size)));
    const QString page = addcr(dechunk(raw));
    require(addlf(raw).count(u'\r') == addlf(raw).count(u'\n'));
    for (const SearchHit &hit : geturls_google(page)) {
        require(!hit.url.contains(u' '));
        require(!remtags(hit.title).contains(u'<'));
        require(!hit.abstract.contains(u'<') && !hit.abstract.contains(u'\n'));
    }
    const Array1<SearchHit> soap = geturls_googleapi(page);
    require(!soap[0].fault.contains(u'<'));
    for (const SearchHit &hit : soap) {
        require(!hit.url.contains(u'<'));
        require(!addtags(hit.url).contains(u'&'));
        require(!remtags(hit.abstract).contains(u'>'));
    }
    // Hostile chunk sizes are trapped; keep the report text from growing over a long run.
    errorreports::clearerrortext();
    return 0;
}
