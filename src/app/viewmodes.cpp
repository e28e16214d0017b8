#include "viewmodes.h"

#include "diagnostics/failure.h"

using namespace Qt::Literals::StringLiterals;

namespace viewmodes {

namespace {

QString grouphits()
{
    return u"Group all hits from the same domain together"_s;
}

} // namespace

ViewModeTexts texts(int mode, bool nodomains)
{
    switch (mode) {
    case Searches:
        return {nodomains ? u"This tool will  search with GOOGLE and list the position of your website for the "
                            u"search terms that you specify."_s
                          : u"Displaying Searches"_s,
                {},
                {},
                u"OPEN HISTORY"_s,
                u"Open-history"_s,
                u"ANALYZE"_s,
                0,
                0,
                5};
    case History:
        return {u"Displaying History"_s,
                u"History Results"_s,
                u"Display only the first hit for each search term"_s,
                u"SHOW CURRENT"_s,
                u"Show-current"_s,
                u"ANALYZE"_s,
                960,
                6,
                10};
    case Analysis:
        return {u"Displaying Analysis"_s,
                u"Analysis Results"_s,
                grouphits(),
                u"OPEN HISTORY"_s,
                u"Open-history"_s,
                u"SHOW CURRENT"_s,
                0,
                16,
                19};
    case HistoryAnalysis:
        return {u"Displaying History Analysis"_s,
                u"History Analysis Results"_s,
                grouphits(),
                u"SHOW CURRENT"_s,
                u"Show-current"_s,
                u"SHOW HISTORY"_s,
                960,
                11,
                15};
    default:
        throw Failure::invalidCall();
    }
}

} // namespace viewmodes
