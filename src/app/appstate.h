#pragma once

#include "diagnostics/int16.h"
#include "search/array1.h"
#include "search/session.h"

#include <QString>

// The state of the main window, shared by reference between the window's controllers and
// the search engine.
struct AppState
{
    QString txturl;
    Array1<SearchSession> urldata;
    QString resulttime;
    Int16 pagedepth;
    bool searching = false;
    bool useapi = false;
    Int16 maxconnections = 10;
    Int16 inettimeout = 30;
    Array1<FetchJob> jobs;
};
