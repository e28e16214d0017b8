#include "ranking.h"

#include <array>

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

int clickweight(int position)
{
    static constexpr std::array<int, 10> Top{300, 150, 100, 70, 50, 40, 30, 25, 20, 15};
    if (position < 1)
        return 0;
    if (position <= 10)
        return Top[std::size_t(position - 1)];
    if (position <= 20)
        return 10;
    if (position <= 30)
        return 5;
    if (position <= 50)
        return 2;
    return position <= 100 ? 1 : 0;
}

std::optional<double> visibilitypercent(std::int64_t sum, int keywords)
{
    if (keywords == 0)
        return std::nullopt;
    return 100.0 * double(sum) / (double(keywords) * clickweight(1));
}
