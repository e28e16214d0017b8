#pragma once

#include "diagnostics/int16.h"
#include "search/searchstate.h"
#include "storage/historydata.h"
#include "storage/historyindex.h"
#include "storage/windowplacement.h"
#include "views/analysistable.h"
#include "views/historyrows.h"

// The state of the main window, shared by reference between the window's controllers: the
// search state the engine works on, what the settings file keeps of the window, which view is
// shown, and the history the history and analysis views show.
struct AppState : SearchState, WindowSettings
{
    // Which view the window shows: 0 current searches, 1 history, 2 analysis of the current
    // results, 3 analysis of the history. Changed only by `displaybits`.
    Int16 viewmode;
    // The opened history file, and the current results as one entry when they are analysed.
    HistoryIndex historyindex;
    Array1<HistoryEntry> currententry;
    // Which of the two the history, analysis and detail views, the chart and the history report
    // read.
    HistoryData historydata;
    // The date-time texts of the records of the history file last counted.
    Array1<QString> recorddates;
    // The filters and lines of the history list, which the analysis view shares.
    HistoryLists historylists;
    // The URL table of the analysis view.
    AnalysisTable anadata;
};
