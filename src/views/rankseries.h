#pragma once

#include "storage/historydata.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <utility>

// One record's reading of a keyword for one domain: when it was saved, and the domain's best
// position for the keyword then, or nothing when the keyword was searched but the domain not
// found.
struct RankPoint
{
    std::int32_t moment = 0; // calctime of `when`
    QString when;
    std::optional<int> position;

    bool operator==(const RankPoint &) const = default;
};

// A domain's readings of one keyword in time order. A chart draws the pieces between the
// readings without a position, so a record where the domain was not found breaks the line.
struct RankSeries
{
    QString domain;
    QList<RankPoint> points;
    // Where and on what the readings were searched (searchlocale::summary); readings of
    // another place are another series, so a line never joins two places.
    QString place;

    // The domain, with the place in brackets when one is set.
    QString name() const;

    // The runs of readings with a position, in order.
    QList<QList<RankPoint>> pieces() const;
    // The worst position of the series; 0 when it has none.
    int worst() const;

    bool operator==(const RankSeries &) const = default;
};

namespace rankseries {

// The keyword's series for domain, or for every domain (in the order they first appear) when
// domain is "(Show ALL)"; one series per place the domain was searched from. A record counts for
// a domain when the domain searched the keyword in it and its ranking is known (found, or
// searched to the end without it); a record whose date cannot be read is left out. A domain
// that never searched the keyword gets no series.
QList<RankSeries> build(const HistoryData &historydata, const QString &keyword, const QString &domain);

// The domain alone, or every non-empty domain in the order they first appear for "(Show ALL)".
QStringList domainsof(const HistoryData &historydata, const QString &domain);
// The records whose date can be read, as (calctime, record number), oldest first.
QList<std::pair<std::int32_t, int>> timeorder(const HistoryData &historydata);

} // namespace rankseries
