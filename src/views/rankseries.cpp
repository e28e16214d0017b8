#include "rankseries.h"

#include "diagnostics/datetext.h"
#include "diagnostics/guard.h"
#include "historyrows.h"

#include <algorithm>

QList<QList<RankPoint>> RankSeries::pieces() const
{
    QList<QList<RankPoint>> out;
    bool broken = true;
    for (const RankPoint &point : points) {
        if (!point.position) {
            broken = true;
            continue;
        }
        if (broken)
            out.append(QList<RankPoint>());
        out.last().append(point);
        broken = false;
    }
    return out;
}

int RankSeries::worst() const
{
    int worst = 0;
    for (const RankPoint &point : points)
        worst = std::max(worst, point.position.value_or(0));
    return worst;
}

namespace rankseries {

namespace {

struct Reading
{
    bool searched = false;
    std::optional<int> best;
};

// The domain's reading of the keyword in one record. A keyword whose page listed nothing at all
// was blocked or timed out: that says nothing about the rank, so it does not break the line.
Reading readingof(const HistoryEntry &entry, const QString &keyword, const QString &domain)
{
    Reading reading;
    for (const SearchSession &session : entry.urldata) {
        if (session.url != domain)
            continue;
        for (const KeywordResult &result : session.keys) {
            if (result.key != keyword || (result.positions.isEmpty() && result.urls.isEmpty()))
                continue;
            reading.searched = true;
            for (const SearchHit &hit : result.positions) {
                const int position = hit.position;
                if (position >= 1 && (!reading.best || position < *reading.best))
                    reading.best = position;
            }
        }
    }
    return reading;
}

QStringList domainsof(const Array1<HistoryEntry> &historydata, const QString &domain)
{
    if (domain != historyrows::ShowAll)
        return {domain};
    QStringList domains;
    for (const HistoryEntry &entry : historydata) {
        for (const SearchSession &session : entry.urldata) {
            if (!session.url.isEmpty() && !domains.contains(session.url))
                domains.append(session.url);
        }
    }
    return domains;
}

} // namespace

QList<RankSeries> build(const Array1<HistoryEntry> &historydata, const QString &keyword, const QString &domain)
{
    QList<RankSeries> result;
    guard("Rankseries", "Function rankseries", [&] {
        // The records in time order; saves are appended, but a clock set back is not unheard of.
        QList<std::pair<std::int32_t, const HistoryEntry *>> dated;
        for (const HistoryEntry &entry : historydata) {
            if (const std::optional<std::int32_t> moment = readcalctime(entry.when))
                dated.append({*moment, &entry});
        }
        std::stable_sort(dated.begin(), dated.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
        for (const QString &url : domainsof(historydata, domain)) {
            RankSeries series{url, {}};
            for (const auto &[moment, entry] : dated) {
                const Reading reading = readingof(*entry, keyword, url);
                if (reading.searched)
                    series.points.append({moment, entry->when, reading.best});
            }
            if (!series.points.isEmpty())
                result.append(series);
        }
    });
    return result;
}

} // namespace rankseries
