#pragma once

#include <QHash>
#include <QList>
#include <QString>

struct SearchState;

// Where one keyword of a domain stood after a search: only a keyword whose ranking is known has
// a standing; one never searched, stopped, blocked or failed has none.
struct Standing
{
    int best = 0; // the best position, 0 when the domain was not found
};

// keyword -> standing, for one domain.
using Standings = QHash<QString, Standing>;

struct RankAlert
{
    enum class Kind
    {
        Entered, // into the top 10
        Left,    // out of the top 10
        Moved    // by at least the threshold, on either side of the top 10
    };
    QString domain;
    QString key;
    Kind kind = Kind::Moved;
    int before = 0; // 0: not found
    int after = 0;
};

namespace alertrules {

// The standings of the domain's keywords, each with the status of the run's last job for it
// (or, with no such job, the status stored with the keyword).
Standings standings(const SearchState &state, const QString &domain);
// The changes from before to after, the biggest first; a keyword without a standing on either
// side raises nothing. A move counts from delta places; not found counts as farther than any
// position, so finding a domain or losing it always counts.
QList<RankAlert> compare(const QString &domain, const Standings &before, const Standings &after, int delta,
                         const QStringList &order);
// One line per change.
QString summary(const QList<RankAlert> &alerts);
// The line for the domain's visibility (clickweight over the keywords with a standing) when it
// moved by at least delta percentage points, the same threshold as places; "" otherwise, and
// when either side has no keyword with a standing.
QString visibilityline(const QString &domain, const Standings &before, const Standings &after, int delta);

} // namespace alertrules
