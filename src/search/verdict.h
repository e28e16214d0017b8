#pragma once

#include <QString>

// What one reply says about a keyword's page, decided by the service that asked for it from
// the reply's structure (status line, markup, JSON members), never from words inside results.
enum class Verdict
{
    Results,      // a result page, possibly without hits
    NoResults,    // the service's own form for "nothing found"
    Blocked,      // the service (or the proxy, or a CDN in front of it) refuses automated requests
    Unrecognised, // a complete reply that is none of the others, e.g. a page in another markup
    Quota,        // the service's allowance is used up
    KeyRejected,  // the service does not accept the key, or none was sent
    Fault,        // a SOAP fault: the page is fetched again as an HTML page
    Failed,       // an error the service reports about itself
};

// The status a keyword ends with for a verdict that ends it; `detail` says what was seen
// ("HTTP 429", "captcha page", the service's error text). Results and NoResults give "".
QString verdictstatus(Verdict verdict, const QString &detail = {});
// The verdict a keyword's status names: Blocked, Unrecognised, Quota, KeyRejected or Failed for
// the statuses verdictstatus writes, Results for every other one.
Verdict statusofverdict(const QString &status);

// The status of a keyword whose pages were all read; `notes` names what the service said
// beside its hits (upstream engines that refused), "" for nothing.
QString finishedstatus(const QString &notes);
QString completestatus(int pages, const QString &notes);
// Whether the status is one of those two: searched, and "None" means not within the depth.
bool searchedstatus(const QString &status);
// Adds one reply's note to a keyword's notes, each part once.
void addnote(QString &notes, const QString &note);

// The status of a keyword the service refused, or that could not be read; such a keyword
// never counts as "not found".
bool isblockedstatus(const QString &status);
bool isunansweredstatus(const QString &status);

// The line the end of a run adds about keywords that got no ranking: "" when every keyword was
// answered. `pageservice` says whether the run read HTML or SOAP pages, which today's engines
// no longer serve in a readable form.
QString unansweredsummary(int blocked, int unrecognised, bool pageservice);
