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
// Positions, urls and titles of one keyword from all the hits of its pages, for the session's
// domain: the rule getpositions applies, for a domain that read another domain's pages.
void rankkeyword(KeywordResult &keyword, const Array1<SearchHit> &hits, const SearchSession &session);
