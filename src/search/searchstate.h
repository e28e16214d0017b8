#pragma once

#include "array1.h"
#include "diagnostics/int16.h"
#include "pagecache.h"
#include "session.h"
#include "settings.h"

#include <QString>

class SearchWindow;

// The search data every front end shares with the engine: the domain list with each domain's
// last results, the run's jobs and flags, and the options. `useapi`, `maxconnections` and
// `inettimeout` are the settings of the same names.
struct SearchState
{
    QString txturl;
    Array1<SearchSession> urldata;
    QString resulttime;
    Int16 pagedepth;
    bool searching = false;
    List1<FetchJob> jobs; // held in memory only, so not bounded to 16 bits
    Settings settings;

    // The settings file in the program's folder, chosen once at start-up.
    QString inifile = QStringLiteral("zorvane.ini");

    // Set by the scheduler: the running search is its own, it is the last domain of its
    // cycle, and it dialled the connection itself. Cleared when that run ends or is stopped.
    bool schedulesearching = false;
    bool schedulelast = false;
    bool autodialled = false;

    // The pages read in this run or scheduled cycle, for the other domains that search them.
    PageCache pages;
};

// The selected domain's index in urldata: the first entry whose url equals txturl exactly
// (case-sensitive); 0 when it is not listed.
int findsession(const SearchState &state);
// Finishes a job that has read its pages down to the depth: its status says so and the log
// gets a line. True when the job is done.
bool finishatdepth(FetchJob &job, int pagedepth, SearchWindow &window);
