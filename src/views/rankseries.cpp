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
Reading readingof(const HistoryData &historydata, int n, const QString &keyword, const QString &domain)
{
    Reading reading;
    for (int d = 1; d <= historydata.domaincount(n); ++d) {
        if (historydata.url(n, d) != domain)
            continue;
        historydata.keywords(n, d, HistoryIndex::All, [&](const KeywordResult &result) {
            if (result.key != keyword || (result.positions.isEmpty() && result.urls.isEmpty()))
                return;
            reading.searched = true;
            for (const SearchHit &hit : result.positions) {
                const int position = hit.position;
                if (position >= 1 && (!reading.best || position < *reading.best))
                    reading.best = position;
            }
        });
    }
    return reading;
}

QStringList domainsof(const HistoryData &historydata, const QString &domain)
{
    if (domain != historyrows::ShowAll)
        return {domain};
    QStringList domains;
    for (int n = 1; n <= historydata.count(); ++n) {
        for (int d = 1; d <= historydata.domaincount(n); ++d) {
            const QString &url = historydata.url(n, d);
            if (!url.isEmpty() && !domains.contains(url))
                domains.append(url);
        }
    }
    return domains;
}

} // namespace

QList<RankSeries> build(const HistoryData &historydata, const QString &keyword, const QString &domain)
{
    QList<RankSeries> result;
    guard("Rankseries", "Function rankseries", [&] {
        // The records in time order; saves are appended, but a clock set back is not unheard of.
        QList<std::pair<std::int32_t, int>> dated;
        for (int n = 1; n <= historydata.count(); ++n) {
            if (const std::optional<std::int32_t> moment = readcalctime(historydata.when(n)))
                dated.append({*moment, n});
        }
        std::stable_sort(dated.begin(), dated.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
        for (const QString &url : domainsof(historydata, domain)) {
            RankSeries series{url, {}};
            for (const auto &[moment, n] : dated) {
                const Reading reading = readingof(historydata, n, keyword, url);
                if (reading.searched)
                    series.points.append({moment, historydata.when(n), reading.best});
            }
            if (!series.points.isEmpty())
                result.append(series);
        }
    });
    return result;
}

} // namespace rankseries
