#include "designlayout.h"

#include "colorschemes.h"

using namespace Qt::Literals::StringLiterals;

namespace designlayout {

namespace {

constexpr int ButtonWidth = 1200;
constexpr int ButtonHeight = 600;
constexpr int LabelHeight = 255;
constexpr int BoxHeight = 345;

void addbuttonrow(ControlRects &rects)
{
    for (const QString &name : colorschemes::gradientbuttons())
        rects.insert(name, {0, 0, ButtonWidth, ButtonHeight});
    rects[u"doload"_s].left = 100;
    rects.insert(u"Picture1"_s, {2700, 60, 480, 480});
    rects.insert(u"titlab"_s, {200, 660, 11600, 480});
}

void addsearchinputs(ControlRects &rects)
{
    rects.insert(u"txturlslab1"_s, {200, 1200, 1600, LabelHeight});
    rects.insert(u"txturlslab2"_s, {200, 1455, 5300, LabelHeight});
    rects.insert(u"txturls"_s, {200, 1740, 5400, BoxHeight});
    rects.insert(u"cmdadddomain"_s, {200, 2160, 1100, 375});
    rects.insert(u"cmddeletedomain"_s, {1400, 2160, 1100, 375});
    rects.insert(u"cmdsavechanges"_s, {4100, 2160, 1500, 375});
    rects.insert(u"cmdlocale"_s, {2600, 2160, 1200, 375});
    rects.insert(u"txturlslab3"_s, {200, 2560, 4900, LabelHeight});
    rects.insert(u"pagelab1"_s, {200, 2900, 1400, LabelHeight});
    rects.insert(u"pagedepth"_s, {1600, 2855, 700, BoxHeight});
    rects.insert(u"pagelab2"_s, {2400, 2900, 1900, LabelHeight});
    rects.insert(u"chkstopafterhit"_s, {200, 3260, 3200, LabelHeight});
    rects.insert(u"txtkeyslab1"_s, {5800, 1200, 800, LabelHeight});
    rects.insert(u"txtkeyslab2"_s, {5800, 1455, 800, LabelHeight});
    rects.insert(u"txtkeyslab3"_s, {6640, 1200, 3200, LabelHeight});
    rects.insert(u"txtkeyslab4"_s, {6640, 1455, 3200, LabelHeight});
    rects.insert(u"txtkeys"_s, {5800, 1740, 5400, 1830});
}

void addresults(ControlRects &rects)
{
    rects.insert(u"resultslab1"_s, {200, 3615, 3480, LabelHeight});
    rects.insert(u"chkdispfirst"_s, {4000, 3615, 4500, LabelHeight});
    rects.insert(u"resultsview"_s, {200, 3870, 11600, 2630});
    rects.insert(u"restxt"_s, {200, 3870, 11600, 2630});
    rects.insert(u"txtdisplay"_s, {200, 6600, 11600, 900});
    rects.insert(u"runningtext"_s, {200, 7600, 11600, 960});
}

void addhistory(ControlRects &rects)
{
    rects.insert(u"labhis0"_s, {200, 1200, 2400, LabelHeight});
    rects.insert(u"historydates"_s, {200, 1455, 2400, BoxHeight});
    rects.insert(u"labhis1"_s, {2800, 1200, 2400, LabelHeight});
    rects.insert(u"historyurls"_s, {2800, 1455, 2400, BoxHeight});
    rects.insert(u"labhis2"_s, {5400, 1200, 2200, LabelHeight});
    rects.insert(u"historykeys"_s, {5400, 1455, 2200, BoxHeight});
    rects.insert(u"chkhistoryfirst"_s, {200, 1860, 4800, LabelHeight});
    rects.insert(u"labhistory"_s, {200, 2160, 3600, LabelHeight});
    rects.insert(u"historyview"_s, {200, 2415, 11600, 4500});
    rects.insert(u"historydetailview"_s, {400, 4665, 11000, 1850});
    rects.insert(u"hdvclose"_s, {1400, 4715, 900, 330});
}

void addstatusline(ControlRects &rects)
{
    rects.insert(u"flasher"_s, {200, 8850, 150, 150});
    rects.insert(u"searchstatus"_s, {450, 8805, 7750, LabelHeight});
    // Wide enough for a count-down of days, hours, minutes and seconds.
    rects.insert(u"labscheduler"_s, {6500, 8805, 5300, LabelHeight});
}

void addpanels(ControlRects &rects)
{
    rects.insert(u"waitframe"_s, {0, 0, 4800, 1100});
    rects.insert(u"messageframe"_s, {0, 0, 6600, 2700});
    rects.insert(u"frawarntimed"_s, {0, 0, 6600, 2100});
    rects.insert(u"fraerrorreport"_s, {0, 0, 7600, 2200});
    rects.insert(u"fraerrorreportdisplay"_s, {0, 0, 8400, 5400});
    rects.insert(u"frahistory"_s, {0, 0, 7000, 4000});
    rects.insert(u"fraselectread"_s, {0, 0, 6000, 3000});
    rects.insert(u"aboutframe"_s, {0, 0, 5400, 2300});
    rects.insert(u"fraoptions"_s, {0, 0, 9000, 9300}); // with the search service, its check, reply and alert rows
    rects.insert(u"frascheduleopt"_s, {0, 0, 7000, 3500});
    rects.insert(u"fralocale"_s, {0, 0, 6600, 5000}); // with the competitors box
}

} // namespace

QSize designsize()
{
    return {12000, 9900};
}

QSize framesize()
{
    return {120, 465};
}

ControlRects controls()
{
    ControlRects rects;
    addbuttonrow(rects);
    addsearchinputs(rects);
    addresults(rects);
    addhistory(rects);
    addstatusline(rects);
    addpanels(rects);
    return rects;
}

QList<TwipsRect> helpicons()
{
    constexpr int Size = 240;
    QList<TwipsRect> icons = {
        {1850, 1200, Size, Size},  // domain
        {10040, 1200, Size, Size}, // keywords
        {4350, 2900, Size, Size},  // page depth
        {3500, 3260, Size, Size},  // stop after the first hit
        {8600, 3615, Size, Size},  // first hit only
        {3720, 3615, Size, Size},  // results
    };
    // History, history analysis and analysis: the same places, one set per mode; the
    // analysis of the current results has no date filter.
    const QList<TwipsRect> history = {
        {2360, 1200, Size, Size}, {4960, 1200, Size, Size}, {7360, 1200, Size, Size},
        {5100, 1860, Size, Size}, {3900, 2160, Size, Size},
    };
    icons += history;
    icons += history;
    icons += history.mid(1);
    return icons;
}

} // namespace designlayout
