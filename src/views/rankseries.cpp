#include "rankseries.h"

#include "diagnostics/datetext.h"
#include "diagnostics/guard.h"
#include "historyrows.h"
#include "search/ranking.h"
#include "search/searchlocale.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

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

QString RankSeries::name() const
{
    return place.isEmpty() ? domain : domain + u" ("_s + place + u')';
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
    QString place;
};

// The domain's reading of the keyword in one record. A ranking that is not known (stopped,
// blocked, never searched) says nothing about the rank, so it does not break the line.
Reading readingof(const HistoryData &historydata, int n, const QString &keyword, const QString &domain)
{
    Reading reading;
    for (int d = 1; d <= historydata.domaincount(n); ++d) {
        if (historydata.url(n, d) != domain)
            continue;
        historydata.keywords(n, d, HistoryIndex::All, [&](const KeywordResult &result) {
            const Ranking rank = result.key == keyword ? ranking(result) : Ranking();
            if (rank.kind == Ranking::Kind::Unknown)
                return;
            reading.searched = true;
            reading.place = searchlocale::summary(historydata.locale(n, d));
            if (rank.best && (!reading.best || *rank.best < *reading.best))
                reading.best = rank.best;
        });
    }
    return reading;
}

} // namespace

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

QList<std::pair<std::int32_t, int>> timeorder(const HistoryData &historydata)
{
    // Saves are appended, but a clock set back is not unheard of.
    QList<std::pair<std::int32_t, int>> dated;
    for (int n = 1; n <= historydata.count(); ++n) {
        if (const std::optional<std::int32_t> moment = readcalctime(historydata.when(n)))
            dated.append({*moment, n});
    }
    std::stable_sort(dated.begin(), dated.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    return dated;
}

QList<RankSeries> build(const HistoryData &historydata, const QString &keyword, const QString &domain)
{
    QList<RankSeries> result;
    guard("Rankseries", "Function rankseries", [&] {
        const QList<std::pair<std::int32_t, int>> dated = timeorder(historydata);
        for (const QString &url : domainsof(historydata, domain)) {
            QList<RankSeries> places;
            for (const auto &[moment, n] : dated) {
                const Reading reading = readingof(historydata, n, keyword, url);
                if (!reading.searched)
                    continue;
                auto series = std::find_if(places.begin(), places.end(),
                                           [&](const RankSeries &s) { return s.place == reading.place; });
                if (series == places.end())
                    series = places.insert(places.end(), RankSeries{url, {}, reading.place});
                series->points.append({moment, historydata.when(n), reading.best});
            }
            result += places;
        }
    });
    return result;
}

} // namespace rankseries
