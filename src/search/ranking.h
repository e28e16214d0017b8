#pragma once

#include "session.h"
#include "verdict.h"

#include <optional>

// What a keyword's last search says of its domain's rank. The list, the CSV, the JSON lines,
// the reports, the alerts and the rank chart all decide by this one rule.
struct Ranking
{
    enum class Kind
    {
        Found,    // the domain is among the hits; `best` is its best position
        NotFound, // searched to the end: the pages listed results, none of them the domain's
        Unknown,  // never searched, stopped, refused, unreadable, or no result listed at all
    };
    Kind kind = Kind::Unknown;
    std::optional<int> best;
};

// The ranking by the keyword's hits and its pages' results with `status`, by default the
// keyword's own `action`.
Ranking ranking(const KeywordResult &keyword, const QString &status);
inline Ranking ranking(const KeywordResult &keyword)
{
    return ranking(keyword, keyword.action);
}
