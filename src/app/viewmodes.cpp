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

const QStringList &searchcontrols()
{
    static const QStringList names = {
        u"txturlslab1"_s,     u"txturlslab2"_s,    u"txturlslab3"_s,     u"cmdadddomain"_s, u"txturls"_s,
        u"cmddeletedomain"_s, u"cmdsavechanges"_s, u"txtkeyslab1"_s,     u"txtkeyslab2"_s,  u"txtkeyslab3"_s,
        u"txtkeyslab4"_s,     u"txtkeys"_s,        u"pagelab1"_s,        u"pagelab2"_s,     u"pagedepth"_s,
        u"resultslab1"_s,     u"chkdispfirst"_s,   u"chkstopafterhit"_s, u"resultsview"_s,  u"txtdisplay"_s,
    };
    return names;
}

const QStringList &historycontrols()
{
    static const QStringList names = {
        u"labhis0"_s,     u"labhis1"_s,         u"labhis2"_s,    u"historydates"_s, u"historyurls"_s,
        u"historykeys"_s, u"chkhistoryfirst"_s, u"labhistory"_s, u"historyview"_s,
    };
    return names;
}

} // namespace viewmodes
