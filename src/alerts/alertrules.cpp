#include "alertrules.h"

#include "diagnostics/guard.h"
#include "search/ranking.h"
#include "search/searchstate.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace alertrules {

namespace {

constexpr int TopCount = 10;
// How far "not found" counts when moves are ranked: the list's own marker for it.
constexpr int NotFoundDistance = 1000;

bool intop(int position)
{
    return position >= 1 && position <= TopCount;
}

int distance(const RankAlert &alert)
{
    const int before = alert.before == 0 ? NotFoundDistance : alert.before;
    const int after = alert.after == 0 ? NotFoundDistance : alert.after;
    return std::abs(after - before);
}

QString shown(int position)
{
    return position == 0 ? u"not found"_s : QString::number(position);
}

QString change(const RankAlert &alert)
{
    switch (alert.kind) {
    case RankAlert::Kind::Entered:
        return u"entered the top 10"_s;
    case RankAlert::Kind::Left:
        return u"left the top 10"_s;
    case RankAlert::Kind::Moved:
        break;
    }
    if (alert.after == 0)
        return u"dropped out"_s;
    if (alert.before == 0)
        return u"appeared"_s;
    const int places = std::abs(alert.after - alert.before);
    return (alert.after < alert.before ? u"up "_s : u"down "_s) + QString::number(places) +
           (places == 1 ? u" place"_s : u" places"_s);
}

std::optional<double> visibilityof(const Standings &standings)
{
    std::int64_t sum = 0;
    for (const Standing &standing : standings)
        sum += clickweight(standing.best);
    return visibilitypercent(sum, int(standings.size()));
}

QString percent(double value)
{
    return QString::number(value, 'f', 1);
}

} // namespace

Standings standings(const SearchState &state, const QString &domain)
{
    Standings result;
    guard("Alerts", "Function standings", [&] {
        QHash<QString, QString> statusOf;
        for (const FetchJob &job : state.jobs) {
            if (job.url == domain)
                statusOf.insert(job.key, job.status);
        }
        for (const SearchSession &session : state.urldata) {
            if (session.url != domain)
                continue;
            for (const KeywordResult &keyword : session.keys) {
                const Ranking rank = ranking(keyword, statusOf.value(keyword.key, keyword.action));
                if (rank.kind != Ranking::Kind::Unknown)
                    result.insert(keyword.key, {rank.best.value_or(0)});
            }
            return;
        }
    });
    return result;
}

QList<RankAlert> compare(const QString &domain, const Standings &before, const Standings &after, int delta,
                         const QStringList &order)
{
    QList<RankAlert> alerts;
    guard("Alerts", "Function compare", [&] {
        for (const QString &key : order) {
            const auto was = before.constFind(key);
            const auto now = after.constFind(key);
            if (was == before.cend() || now == after.cend())
                continue;
            RankAlert alert{domain, key, RankAlert::Kind::Moved, was->best, now->best};
            if (!intop(alert.before) && intop(alert.after))
                alert.kind = RankAlert::Kind::Entered;
            else if (intop(alert.before) && !intop(alert.after))
                alert.kind = RankAlert::Kind::Left;
            else if (alert.before == alert.after || distance(alert) < std::max(delta, 1))
                continue;
            alerts.append(alert);
        }
        std::stable_sort(alerts.begin(), alerts.end(),
                         [](const RankAlert &a, const RankAlert &b) { return distance(a) > distance(b); });
    });
    return alerts;
}

QString summary(const QList<RankAlert> &alerts)
{
    QStringList lines;
    for (const RankAlert &alert : alerts) {
        lines.append(alert.domain + u" \""_s + alert.key + u"\": "_s + change(alert) + u" (was "_s +
                     shown(alert.before) + u", now "_s + shown(alert.after) + u')');
    }
    return lines.join(u'\n');
}

QString visibilityline(const QString &domain, const Standings &before, const Standings &after, int delta)
{
    QString line;
    guard("Alerts", "Function visibilityline", [&] {
        const std::optional<double> was = visibilityof(before);
        const std::optional<double> now = visibilityof(after);
        if (!was || !now)
            return;
        // Compared as shown, to the tenth, so a line never says "up 0.0 points".
        const double change = percent(*now).toDouble() - percent(*was).toDouble();
        if (std::abs(change) < std::max(delta, 1))
            return;
        line = domain + u" visibility: "_s + (change > 0 ? u"up "_s : u"down "_s) + percent(std::abs(change)) +
               u" points (was "_s + percent(*was) + u" %, now "_s + percent(*now) + u" %)"_s;
    });
    return line;
}

} // namespace alertrules
