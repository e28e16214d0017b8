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
Reading readingof(const HistoryEntry &entry, const QString &keyword, const QString &domain)
{
    Reading reading;
    for (const SearchSession &session : entry.urldata) {
        if (session.url != domain)
            continue;
        for (const KeywordResult &result : session.keys) {
            const Ranking rank = result.key == keyword ? ranking(result) : Ranking();
            if (rank.kind == Ranking::Kind::Unknown)
                continue;
            reading.searched = true;
            reading.place = searchlocale::summary(session.locale);
            if (rank.best && (!reading.best || *rank.best < *reading.best))
                reading.best = rank.best;
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
            QList<RankSeries> places;
            for (const auto &[moment, entry] : dated) {
                const Reading reading = readingof(*entry, keyword, url);
                if (!reading.searched)
                    continue;
                auto series = std::find_if(places.begin(), places.end(),
                                           [&](const RankSeries &s) { return s.place == reading.place; });
                if (series == places.end())
                    series = places.insert(places.end(), RankSeries{url, {}, reading.place});
                series->points.append({moment, entry->when, reading.best});
            }
            result += places;
        }
    });
    return result;
}

} // namespace rankseries
