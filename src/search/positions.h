#pragma once

#include "session.h"

struct SearchState;

// A URL or a typed domain as the match rule compares them: lower case, one leading "http://" or
// "https://" removed, then one leading "www.". A scheme standing alone is kept.
QString bareurl(const QString &url);
// Whether the hit's URL belongs to the session's domain.
bool match(const SearchHit &hit, const SearchSession &session);
// Rebuilds positions, urls and titles of every keyword of the job's domain that has the job's
// key; with stopafterhit (the check box as it is now) a found domain ends the job.
void getpositions(SearchState &state, int jobindex, bool stopafterhit);
