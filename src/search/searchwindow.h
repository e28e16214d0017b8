#pragma once

#include "searchlocale.h"

#include <QString>

// What the search engine needs of the main window's controls. The desktop window implements
// it over its widgets; the command line and the tests over plain values. The engine reads and
// writes the controls only through here, so a search runs the same in every front end.
class SearchWindow
{
public:
    virtual ~SearchWindow() = default;

    // The domain combo box `txturls`: its edit text and its items.
    virtual QString txturlsText() const = 0;
    virtual void setTxturlsText(const QString &text) = 0;
    virtual void addTxturlsItem(const QString &text) = 0;
    virtual void clearTxturls() = 0;

    // The keyword box `txtkeys`: its text and its selection (start and length, in characters).
    virtual QString txtkeysText() const = 0;
    virtual int txtkeysSelStart() const = 0;
    virtual int txtkeysSelLength() const = 0;
    virtual void setTxtkeysSelection(int start, int length) = 0;

    // The page depth box, as typed.
    virtual QString pagedepthText() const = 0;
    // "Stop searching after the first hit" and "Display only the first hit for each search term".
    virtual bool chkstopafterhit() const = 0;
    virtual bool chkdispfirst() const = 0;
    // Where and on what the domain is searched, as its inputs hold it.
    virtual SearchLocale searchlocale() const = 0;

    // Appends one time-stamped line to the running message box.
    virtual void writemessagebox(const QString &text) = 0;
    // Refreshes the current results view from the shared state (copies each job's status into
    // its keywords' `action`).
    virtual void disres() = 0;
    // Shows the selected domain's stored keywords, settings and results.
    virtual void disall() = 0;
    // Empties the results list `resultsview` and the detail box `txtdisplay`.
    virtual void clearresults() = 0;
    virtual void setResultslab1(const QString &text) = 0;
    virtual void setSearchstatus(const QString &text) = 0;
    // The raw-response box `restxt`: the reply as received, which the box shows with uniform
    // "\r\n" line ends (addlf). Handed over whole, so a window that does not show it holds no copy.
    virtual void setRestxt(const QString &text) = 0;

    // The timed warning panel `frawarntimed`: show with the label text `lblwarn`, or hide.
    // The run controller decides when; the window only displays.
    virtual void showWarning(const QString &text) = 0;
    virtual void hideWarning() = 0;

    // The indicator label `flasher`: its background colour as 0xBBGGRR (255 red, 65280 green).
    virtual int flasher() const = 0;
    virtual void setFlasher(int colour) = 0;

    // Recomputes the title from the connection state, the run and the view mode.
    virtual void checkstatus() = 0;
    // Switches the view mode (0 current results, 1 history, 2 analysis, 3 history analysis).
    virtual void displaybits(int mode) = 0;
};
