// libFuzzer entry: any bytes as a history file, read the way the history view reads it; every
// record built is written back and must read back the same, and the view's rows are built and
// sorted by date from it.
#include "diagnostics/errorreports.h"
#include "search/searchstate.h"
#include "storage/historyfile.h"
#include "views/historyrows.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

Array1<HistoryEntry> read(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return historyfile::readhistory(buffer);
}

// A record keeps each top URL with its title: only keywords with as many of each write back whole.
bool writable(const Array1<SearchSession> &urldata)
{
    for (const SearchSession &domain : urldata) {
        for (const KeywordResult &keyword : domain.keys) {
            if (keyword.titles.ubound() != keyword.urls.ubound())
                return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const Array1<HistoryEntry> entries = read(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    for (const HistoryEntry &entry : entries) {
        require(!entry.when.isEmpty() && !entry.when.contains(u'\n'));
        if (!writable(entry.urldata))
            continue;
        SearchState state;
        state.urldata = entry.urldata;
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        historyfile::writerecord(out, entry.when, state, {}, {});
        const Array1<HistoryEntry> back = read(out.data());
        require(back.ubound() == 1 && back[1].urldata == entry.urldata);
    }
    HistoryLists lists;
    lists.historysort = 9;
    historyrows::setuphistory(entries, {}, lists);
    require(lists.listed.ubound() <= lists.historyrows.ubound());
    // Hostile numbers are trapped; keep the report text from growing over a long run.
    errorreports::clearerrortext();
    return 0;
}
