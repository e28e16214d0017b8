#include "visibility.h"

#include "diagnostics/guard.h"
#include "rankseries.h"
#include "search/ranking.h"
#include "search/searchlocale.h"

#include <QHash>
#include <QSet>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace visibility {

std::optional<double> Score::percent() const
{
    return visibilitypercent(sum, keywords);
}

Score score(const HistoryData &historydata, int n, int d)
{
    Score result;
    guard("Visibility", "Function score", [&] {
        // Per distinct keyword: its best known ranking, or none when no listing of it has one.
        QHash<QString, std::optional<Ranking>> keys;
        historydata.keywords(n, d, HistoryIndex::All, [&](const KeywordResult &keyword) {
            std::optional<Ranking> &best = keys[keyword.key];
            const Ranking rank = ranking(keyword);
            if (rank.kind == Ranking::Kind::Unknown)
                return;
            if (!best || (rank.best && (!best->best || *rank.best < *best->best)))
                best = rank;
        });
        for (const std::optional<Ranking> &rank : std::as_const(keys)) {
            if (!rank) {
                ++result.unknown;
                continue;
            }
            ++result.keywords;
            result.sum += clickweight(rank->best.value_or(0));
        }
    });
    return result;
}

QString VisibilitySeries::name() const
{
    return place.isEmpty() ? domain : domain + u" ("_s + place + u')';
}

QList<VisibilitySeries> build(const HistoryData &historydata, const QStringList &domains)
{
    QList<VisibilitySeries> result;
    guard("Visibility", "Function build", [&] {
        const QList<std::pair<std::int32_t, int>> dated = rankseries::timeorder(historydata);
        for (const QString &url : domains) {
            if (url.isEmpty())
                continue;
            QList<VisibilitySeries> places;
            for (const auto &[moment, n] : dated) {
                for (int d = 1; d <= historydata.domaincount(n); ++d) {
                    if (historydata.url(n, d) != url)
                        continue;
                    const Score s = score(historydata, n, d);
                    if (s.keywords == 0)
                        continue;
                    const QString place = searchlocale::summary(historydata.locale(n, d));
                    auto series = std::find_if(places.begin(), places.end(),
                                               [&](const VisibilitySeries &v) { return v.place == place; });
                    if (series == places.end())
                        series = places.insert(places.end(), VisibilitySeries{url, place, {}});
                    series->points.append({moment, historydata.when(n), s});
                }
            }
            result += places;
        }
    });
    return result;
}

QStringList withcompetitors(const HistoryData &historydata, const QString &domain)
{
    QStringList domains = rankseries::domainsof(historydata, domain);
    guard("Visibility", "Function withcompetitors", [&] {
        if (domains.size() != 1)
            return;
        QSet<QString> keys;
        const auto visit = [&](const std::function<void(int, int)> &each) {
            for (int n = 1; n <= historydata.count(); ++n) {
                for (int d = 1; d <= historydata.domaincount(n); ++d)
                    each(n, d);
            }
        };
        visit([&](int n, int d) {
            if (historydata.url(n, d) == domain)
                historydata.keywords(n, d, HistoryIndex::KeyOnly, [&](const KeywordResult &k) { keys.insert(k.key); });
        });
        visit([&](int n, int d) {
            const QString &url = historydata.url(n, d);
            if (url.isEmpty() || domains.contains(url))
                return;
            bool shared = false;
            historydata.keywords(n, d, HistoryIndex::KeyOnly,
                                 [&](const KeywordResult &k) { shared = shared || keys.contains(k.key); });
            if (shared)
                domains.append(url);
        });
    });
    return domains;
}

QString percenttext(double percent)
{
    return QString::number(percent, 'f', 1);
}

} // namespace visibility
