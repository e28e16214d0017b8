#pragma once

#include "diagnostics/int16.h"
#include "search/searchstate.h"
#include "storage/windowplacement.h"

// The state of the main window, shared by reference between the window's controllers: the
// search state the engine works on, what the settings file keeps of the window, and which
// view is shown.
struct AppState : SearchState, WindowSettings
{
    // Which view the window shows: 0 current searches, 1 history, 2 analysis of the current
    // results, 3 analysis of the history. Changed only by `displaybits`.
    Int16 viewmode;
};
