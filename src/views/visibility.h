#pragma once

#include "storage/historydata.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// One number for whether a domain gains or loses ground: the clicks its keywords' best
// positions could bring, as a percentage of what they would bring if every one ranked first.
namespace visibility {

// A domain's score in one record.
struct Score
{
    int keywords = 0;     // distinct keywords whose ranking is known (found, or searched to the depth)
    int unknown = 0;      // distinct keywords without data: blocked, unreadable, stopped, never searched
    std::int64_t sum = 0; // the click-through weights of their best positions (clickweight)
    // The percentage of the maximum, or nothing when no keyword has data.
    std::optional<double> percent() const;

    bool operator==(const Score &) const = default;
};

// The score of domain d of record n. A keyword listed twice counts once, with its best position.
Score score(const HistoryData &historydata, int n, int d);

struct VisibilityPoint
{
    std::int32_t moment = 0; // calctime of `when`
    QString when;
    Score score;

    bool operator==(const VisibilityPoint &) const = default;
};

// A domain's scores over time, from one place; records where it has no data are left out, so
// they neither break the line nor pull it to zero.
struct VisibilitySeries
{
    QString domain;
    QString place;
    QList<VisibilityPoint> points;

    QString name() const;

    bool operator==(const VisibilitySeries &) const = default;
};

// The series of each domain, in time order; a record whose date cannot be read is left out.
QList<VisibilitySeries> build(const HistoryData &historydata, const QStringList &domains);

// The domain and its competitors: every other domain of the history that searched any of the
// keywords the domain searched, in the order they first appear. Every domain for "(Show ALL)".
QStringList withcompetitors(const HistoryData &historydata, const QString &domain);

// "42.5": the percentage with one decimal.
QString percenttext(double percent);

} // namespace visibility
