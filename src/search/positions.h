#pragma once

#include "session.h"

struct SearchState;

// Whether the hit's URL belongs to the session's domain.
bool match(const SearchHit &hit, const SearchSession &session);
// Rebuilds positions, urls and titles of every keyword of the job's domain that has the job's
// key; with stopafterhit (the check box as it is now) a found domain ends the job.
void getpositions(SearchState &state, int jobindex, bool stopafterhit);
