#include "ranking.h"

using namespace Qt::Literals::StringLiterals;

Ranking ranking(const KeywordResult &keyword, const QString &status)
{
    Ranking result;
    for (const SearchHit &hit : keyword.positions) {
        result.kind = Ranking::Kind::Found;
        if (hit.position >= 1 && (!result.best || hit.position < *result.best))
            result.best = int(hit.position);
    }
    if (result.kind == Ranking::Kind::Found)
        return result;
    // Pages that listed nothing at all were most likely a refusal nobody recognised (older files
    // record such searches as finished): they say nothing about the domain.
    if (searchedstatus(status) && !keyword.urls.isEmpty())
        result.kind = Ranking::Kind::NotFound;
    return result;
}
