#pragma once

#include "storage/historyfile.h"
#include "storage/windowplacement.h"

// What the controllers ask of the main window itself: which view it shows, its colours and
// column widths, its layout, and its place on the screen. The window implements it; the
// controllers get it by reference and never the window's class.
class WindowLayout
{
public:
    virtual ~WindowLayout() = default;

    // The view mode (0 current searches, 1 history, 2 analysis, 3 history analysis).
    virtual void displaybits(int mode) = 0;
    // The colour scheme and the button captions.
    virtual void setcols() = 0;
    // The stored widths of the results columns.
    virtual void setresultswidth() = 0;
    // Lays the window out again for its size and the log window's setting.
    virtual void Form_Resize() = 0;

    // Start-up: the design's size centred on the screen, and the results list's five columns.
    virtual void centreonscreen() = 0;
    virtual void createresultcolumns() = 0;

    // The window's place on the screen in twips, and moving it there.
    virtual WindowPlacement placement() const = 0;
    virtual void applyplacement(const WindowPlacement &placement) = 0;
    // What a saved record keeps of the window now: its place, the results columns' widths and
    // the domain box's text.
    virtual RecordWindow recordwindow() const = 0;
};
