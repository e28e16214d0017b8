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

    // Which view the window shows: 0 current searches, 1 history, 2 analysis of the current
    // results, 3 analysis of the history. Changed only by `displaybits`.
    Int16 viewmode;
    // Widths in twips of the first five results columns.
    Array1<Int16> reswid = startreswid();

    static Array1<Int16> startreswid()
    {
        Array1<Int16> widths;
        for (int width : {1980, 1738, 735, 3330, 2145})
            widths.append(width);
        return widths;
    }
};
