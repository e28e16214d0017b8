#pragma once

#include "diagnostics/int16.h"
#include "search/array1.h"
#include "search/session.h"
#include "storage/settings.h"

#include <QString>

#include <array>

// The state of the main window, shared by reference between the window's controllers and
// the search engine. `useapi`, `maxconnections` and `inettimeout` are the settings of the
// same names.
struct AppState
{
    QString txturl;
    Array1<SearchSession> urldata;
    QString resulttime;
    Int16 pagedepth;
    bool searching = false;
    Array1<FetchJob> jobs;
    Settings settings;

    // Which view the window shows: 0 current searches, 1 history, 2 analysis of the current
    // results, 3 analysis of the history. Changed only by `displaybits`.
    Int16 viewmode;
    // Widths in twips of results columns 1 to 5 (element 0 unused).
    std::array<Int16, 6> reswid = startReswid();
    // Where the scheduler's file dialog starts; its results go to settings.schedulefile.
    QString scheduledialogpath;
    // The settings file in the program's folder, chosen once at start-up.
    QString inifile = QStringLiteral("zorvane.ini");

    static std::array<Int16, 6> startReswid() { return {0, 1980, 1738, 735, 3330, 2145}; }
    // Set by the scheduler: the running search is its own, it is the last domain of its
    // cycle, and it dialled the connection itself. Cleared when that run ends or is stopped.
    bool schedulesearching = false;
    bool schedulelast = false;
    bool autodialled = false;
};
