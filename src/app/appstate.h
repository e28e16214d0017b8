#pragma once

#include "diagnostics/int16.h"
#include "search/array1.h"
#include "search/session.h"
#include "storage/settings.h"

#include <QString>

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

    // Set by the scheduler: the running search is its own, it is the last domain of its
    // cycle, and it dialled the connection itself. Cleared when that run ends or is stopped.
    bool schedulesearching = false;
    bool schedulelast = false;
    bool autodialled = false;
};
