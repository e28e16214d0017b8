#include "resizerules.h"

#include "colorschemes.h"
#include "designlayout.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace resizerules {

namespace {

// Indexes of the help icons beside the history list's title, one per history mode.
constexpr int HistoryTitleIcons[] = {10, 15, 19};
constexpr int KeywordIcon = 1;

void arrangebuttons(ControlRects &r, int W)
{
    TwipsRect &doload = r[u"doload"_s];
    doload.left = 100;
    r[u"dosave"_s].left = doload.right();
    TwipsRect &dohelp = r[u"dohelp"_s];
    dohelp.left = W - 200 - dohelp.width;
    TwipsRect &doanalyze = r[u"doanalyze"_s];
    doanalyze.left = dohelp.left - doanalyze.width;
    TwipsRect &dohistory = r[u"dohistory"_s];
    dohistory.left = doanalyze.left - dohistory.width;
    TwipsRect &doit = r[u"doit"_s];
    doit.left = W / 2 - doit.width - 60;
    r[u"dostop"_s].left = doit.right() + 10;
}

void arrangewidths(ControlRects &r, int W)
{
    const int left = r[u"resultsview"_s].left;
    for (const QString &name :
         {u"resultsview"_s, u"txtdisplay"_s, u"restxt"_s, u"runningtext"_s, u"historyview"_s, u"titlab"_s}) {
        r[name].width = W - 400;
        if (name != u"titlab"_s)
            r[name].left = left;
    }
}

void arrangeheights(ControlRects &r, int H, bool showrunning)
{
    const int R = showrunning ? r[u"runningtext"_s].height : 0;
    const int display = r[u"txtdisplay"_s].height;
    r[u"resultsview"_s].height = H - (display + 5050 + R + 200);
    r[u"historyview"_s].height = H - (3700 + R);
    r[u"restxt"_s].height = showrunning ? H - (display + 5050) : H - 5050;
}

void arrangehistory(ControlRects &r, QList<TwipsRect> &icons)
{
    r[u"restxt"_s].top = r[u"resultsview"_s].top;
    TwipsRect &labhistory = r[u"labhistory"_s];
    labhistory.top = 2160;
    for (int index : HistoryTitleIcons)
        icons[index].top = 2160;
    TwipsRect &history = r[u"historyview"_s];
    history.top = 2160 + labhistory.height;
    // The detail covers the lower half of the list whole, so no line of it shows at a side;
    // Close sits in a strip of the detail's own above its lines, at the right.
    TwipsRect &detail = r[u"historydetailview"_s];
    detail = {history.left, history.top + history.height / 2, history.width, history.height - history.height / 2};
    TwipsRect &close = r[u"hdvclose"_s];
    close.top = detail.top + 60;
    close.left = detail.right() - 200 - close.width;
}

// A narrow window narrows Add and Delete, whose captions are short, so that Where... keeps
// clear of Save changes.
void arrangedomainbuttons(ControlRects &r)
{
    TwipsRect &add = r[u"cmdadddomain"_s];
    TwipsRect &remove = r[u"cmddeletedomain"_s];
    TwipsRect &where = r[u"cmdlocale"_s];
    const int room = r[u"cmdsavechanges"_s].left - 100 - where.width - 100 - add.left - 100;
    add.width = remove.width = std::clamp(room / 2, 700, 1100);
    remove.left = add.right() + 100;
    where.left = remove.right() + 100;
}

void arrangeinputs(ControlRects &r, QList<TwipsRect> &icons, int W)
{
    r[u"txtdisplay"_s].top = r[u"resultsview"_s].bottom() + 100;
    r[u"runningtext"_s].top = r[u"txtdisplay"_s].bottom() + 100;
    TwipsRect &urls = r[u"txturls"_s];
    TwipsRect &keys = r[u"txtkeys"_s];
    urls.width = (W - 600) / 2;
    keys.width = (W - 600) / 2;
    keys.left = urls.right() + 200;
    r[u"txturlslab3"_s].width = urls.width;
    r[u"txtkeyslab1"_s].left = keys.left;
    r[u"txtkeyslab2"_s].left = keys.left;
    r[u"txtkeyslab3"_s].left = keys.left + 840;
    r[u"txtkeyslab4"_s].left = keys.left + 840;
    icons[KeywordIcon].left = r[u"txtkeyslab3"_s].right() + 200;
    TwipsRect &save = r[u"cmdsavechanges"_s];
    save.left = keys.left - 200 - save.width;
    arrangedomainbuttons(r);
}

void arrangestatusline(ControlRects &r, int W, int H)
{
    TwipsRect &scheduler = r[u"labscheduler"_s];
    TwipsRect &status = r[u"searchstatus"_s];
    TwipsRect &flasher = r[u"flasher"_s];
    scheduler.top = H - 1095;
    status.top = H - 1095;
    flasher.top = H - 1050;
    scheduler.left = W - 200 - scheduler.width;
    status.width = scheduler.left - status.left;
}

} // namespace

bool clampwindow(TwipsRect &window, QSize screen)
{
    if (window.height < MinimumHeight && screen.height() - 400 > window.height)
        window.height = MinimumHeight;
    if (window.width < MinimumWidth && screen.width() - 200 > window.width)
        window.width = MinimumWidth;
    if (window.width > screen.width() - 200)
        window.width = screen.width() - 200;
    if (window.height > screen.height() - 400)
        window.height = screen.height() - 400;
    if (window.top < 0) {
        window.top = 0;
        return false;
    }
    return true;
}

TwipsRect centred(const TwipsRect &panel, int W, int H)
{
    TwipsRect placed = panel;
    placed.top = panel.height > H - 300 ? 120 : (H - 300 - panel.height) / 2;
    // Its foot stays inside the client area, where its buttons can be reached.
    const int room = H - designlayout::framesize().height() - 120 - placed.top;
    placed.height = std::min(panel.height, std::max(room, 0));
    placed.left = panel.width > W ? 1 : (W - panel.width) / 2;
    return placed;
}

void arrange(ControlRects &rects, QList<TwipsRect> &helpicons, int W, int H, bool showrunning)
{
    for (const QString &panel : colorschemes::popuppanels())
        rects[panel] = centred(rects[panel], W, H);
    arrangebuttons(rects, W);
    arrangewidths(rects, W);
    arrangeheights(rects, H, showrunning);
    arrangehistory(rects, helpicons);
    arrangeinputs(rects, helpicons, W);
    arrangestatusline(rects, W, H);
}

void splitforchart(ControlRects &rects)
{
    constexpr int MinimumList = 1200;
    constexpr int Gap = 100;
    TwipsRect &history = rects[u"historyview"_s];
    const int list = std::min(history.height, std::max(MinimumList, history.height * 2 / 5));
    rects[u"historychart"_s] = {history.left, history.top + list + Gap, history.width,
                                std::max(0, history.height - list - Gap)};
    history.height = list;
}

} // namespace resizerules
