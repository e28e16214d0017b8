#pragma once

#include "search/searchstate.h"
#include "storage/windowplacement.h"

#include <QList>
#include <QString>

// The whole state in the settings file: options, window placement, results-column widths and
// every domain's last search. Both work on one parsed copy of the file.

// Loads everything into state. window holds the window's current placement and the screen
// size on entry and the placement to apply on return; it is moved only when restorewindow is
// set. The window rebuilds its domain box from state.urldata afterwards.
void readi(SearchState &state, WindowSettings &windowsettings, WindowPlacement &window, bool restorewindow);

// Stores everything; columnwidths are the results list's current columns, in twips. Returns
// whether the file could be written (callers may ignore it: nothing in memory is lost).
bool writei(const SearchState &state, const WindowSettings &windowsettings, const WindowPlacement &window,
            const QList<int> &columnwidths);

// A window number of section "settings" (meleft, metop, mewidth, meheight, reswid1 ...): the
// leading-number rule, held at the edge of the 16-bit range as writei stores it, so that a file
// written on a very large screen still loads whole.
Int16 storedwindownumber(const QString &inifile, const QString &key);
