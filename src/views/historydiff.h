#pragma once

#include "storage/historydata.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

// What changed on a keyword's result page between two records: the domains' positions then and
// now, the URLs that entered and left the top ten, a domain page that replaced another as the
// ranking one, and titles that changed.
namespace historydiff {

// How a domain stood for a keyword in one record.
struct Standing
{
    enum class Kind
    {
        Absent,   // the record does not list the keyword for the domain
        Unknown,  // listed, but blocked, stopped or never searched
        NotFound, // searched to the depth without the domain
        Found,
    };
    Kind kind = Kind::Absent;
    int position = 0;
    QString url; // the domain's page at that position

    // "3", "not found", "unknown", or "" when absent.
    QString text() const;
    bool operator==(const Standing &) const = default;
};

struct TitleChange
{
    QString url;
    QString then;
    QString now;
};

// One keyword of one domain (and place) across the two records.
struct Change
{
    QString domain;
    QString place;
    QString key;
    Standing then;
    Standing now;
    QStringList entered;  // top-ten URLs new in the later record, in its order
    QStringList left;     // top-ten URLs gone from it, in the earlier record's order
    TitleChange replaced; // the domain's ranking page then (`then`) and now (`now`); empty when the same
    QList<TitleChange> titles;

    bool changed() const;
};

// The changes between records from and to, for domain and keyword ("(Show ALL)" or "" for every
// one): the domains in the order the later record lists them, then those only the earlier one
// has, each with its keywords in the same way. Unchanged keywords are left out. The top tens
// are compared only where both records listed one: a blocked page lists nothing, which is no
// change of the page.
QList<Change> compare(const HistoryData &historydata, int from, int to, const QString &domain, const QString &keyword);

// The record dated text, the first of that date; 0 for none.
int recordof(const HistoryData &historydata, const QString &text);
// The records compared when only the later is named: the record dated `to` ("(Show ALL)" or ""
// for the last) and the one before it in the file; {0, 0} when there is no such pair.
std::pair<int, int> lasttwo(const HistoryData &historydata, const QString &to);

// The change as lines for a person, one fact each: "position 5 -> 3", "entered http://...".
QStringList facts(const Change &change);

} // namespace historydiff
