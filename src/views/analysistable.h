#pragma once

#include "diagnostics/int16.h"
#include "diagnostics/traprun.h"
#include "prefixindex.h"
#include "search/array1.h"

#include <QHash>
#include <QString>

// One URL of the analysis: how often it was counted, the sum of its positions, and the title
// of its latest occurrence without markup. An empty record separates the count groups.
struct AnalysisRecord
{
    Int16 count;
    Int16 total;
    QString url;
    QString title;
    bool taken = false;
};

// anadata, the URL analysis table of the analysis view and of the reports' frequency tables.
// Each occurrence finds its record through an index instead of a walk of the table, so
// counting stays linear in the occurrences; the table and its order are those of the walk.
class AnalysisTable final
{
public:
    // Empties the table. With group ("Group all hits from the same domain together"), a URL
    // counts into the first record whose URL begins with it or with which it begins, and that
    // record keeps the shorter of the two.
    void clear(bool group);
    bool group() const { return m_group; }

    // Counts one occurrence at position; title may carry markup. A count or total past 32767
    // fails, and counting carries on with the next one; a run of such failures goes to the error
    // trap as one report with its count when the counting ends (rank, clear). The table itself
    // holds any number of records.
    void addana(int position, const QString &url, const QString &title);

    // Orders the records by count, highest first, then by total, lowest first, keeping the
    // counting order among equals; drops records counted 0 (separators of an earlier ranking).
    // With separators, an empty record follows each group whose count is 2 or more. A failure
    // leaves the table as it was.
    void rank(bool separators);

    const List1<AnalysisRecord> &records() const { return m_records; }

private:
    int find(const QString &url) const;
    void index(const QString &url, int record);
    void reindex();

    List1<AnalysisRecord> m_records;
    TrapRun m_failures{"Analysistable"};
    bool m_group = false;
    bool m_indexed = true;
    QHash<QString, int> m_exact;
    PrefixIndex m_prefixes;
    // What the prefix index answered for each URL counted, while no record was renamed: the
    // same pages come back in every saved search.
    mutable QHash<QString, int> m_found;
    // Each distinct title without its markup.
    QHash<QString, QString> m_titles;
};

namespace analysis {

// total / count as the list and the reports show it: up to 15 significant digits, no trailing
// zeros and a point whatever the language ("2.33333333333333", "2.5", "3").
QString avetext(int total, int count);

} // namespace analysis
