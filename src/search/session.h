#pragma once

#include "array1.h"
#include "diagnostics/int16.h"
#include "retrypolicy.h"
#include "searchlocale.h"

#include <QList>
#include <QString>
#include <QStringList>

// One hit of a result page. In element 0 of a parse result only `fault` carries anything.
struct SearchHit
{
    QString url;
    QString title;
    QString abstract;
    Int16 position;
    QString fault;

    bool operator==(const SearchHit &other) const
    {
        return url == other.url && title == other.title && abstract == other.abstract &&
               int(position) == int(other.position) && fault == other.fault;
    }
};

// One keyword of a domain, with the domain's hits for it and the keyword's top ten.
struct KeywordResult
{
    QString key;
    Array1<SearchHit> positions;
    QString action;
    Array1<QString> urls;
    Array1<QString> titles;

    // The title of top URL j; "" where a record from elsewhere lists fewer titles than URLs.
    QString title(int j) const { return j <= titles.ubound() ? titles[j] : QString(); }

    bool operator==(const KeywordResult &other) const = default;
};

// Everything known about one domain of the domain list.
struct SearchSession
{
    QString url;
    Array1<KeywordResult> keys;
    QString resulttime;
    QString pagedepth;
    QString checkstop;
    QString checkfirst;
    QString lastscheduletime;
    SearchLocale locale = {};
    QStringList competitors = {}; // read from this domain's pages, never searched on their own

    bool operator==(const SearchSession &other) const = default;
};

// The fetch state of one distinct keyword during a search.
struct FetchJob
{
    QString url;
    QString key;
    Int16 page;
    Int16 socket;
    QString buffer;
    bool replycut = false; // the reply in `buffer` reached "maxreply" and was cut there
    Array1<SearchHit> hits;
    QString status;
    bool done = false;
    Int16 ticks;
    Int16 retries;
    Int16 urlindex;
    Int16 state;
    bool useapi = false;
    PageRetry retry;
    QString notes;       // what the service said beside its hits, added to the finished status
    QList<int> keywords; // the domain's keywords (indices into its keys) this job answers
    bool shown = false;  // done, and its final status copied to those keywords
};
