#pragma once

#include "session.h"
#include "verdict.h"

#include <cstdint>
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

// The click-through curve visibility is measured by: the share of a result page's clicks, in
// thousandths, that the result at position takes. Position 1 takes 300, 2 150, 3 100, 4 70, 5 50,
// 6 40, 7 30, 8 25, 9 20, 10 15; 11 to 20 take 10 each, 21 to 30 5, 31 to 50 2, 51 to 100 1, and a
// position past 100 (or none) nothing. The figures are fixed so that scores of different years
// compare.
int clickweight(int position);
// The visibility of keywords whose weights add up to sum, as a percentage of what they would
// weigh if all ranked first; nothing for no keywords.
std::optional<double> visibilitypercent(std::int64_t sum, int keywords);
