#pragma once

#include "analysistable.h"
#include "historyrows.h"
#include "search/array1.h"
#include "storage/historydata.h"

#include <QList>
#include <QString>
#include <QStringList>

// The analysis view and its detail panel without widgets: the filters, the counting, the lines
// of the analysis list and of the detail panel. The window writes them into its lists; the
// command line prints them. Modes are the window's view modes: 2 analyses the current results,
// 3 the opened history. The filters and the check box are the history view's (HistoryLists);
// the check box groups the URLs here ("Group all hits from the same domain together").
namespace analysis {

struct Column
{
    QString header;
    int twips;
};

// A line of the analysis list; a separator has an empty url and no sub-items.
struct AnalysisLine
{
    QString url;
    QString count;
    QString average;
    QString title;
};

// A line of the detail panel: one occurrence of the chosen URL in a top ten.
struct DetailLine
{
    QString when;
    QString url;
    QString key;
    int position = 0;
};

QList<Column> columns();
// "DATE" comes first in mode 3 only.
QList<Column> detailcolumns(int viewmode);

// The date filter lets everything through in mode 2, where it is hidden.
bool passesdate(const QString &when, const QString &filter, int viewmode);
bool passes(const QString &value, const QString &filter);

// What the analysis command refuses with while a search runs.
QString busymessage();
// Mode 2 analyses the current results as a history of one entry without a date.
Array1<HistoryEntry> currententry(const Array1<SearchSession> &urldata);

// The analysis command entering mode 2 or 3: the date filter (mode 3; mode 2 leaves it alone),
// the domain filter and its choice (txturl when the data holds it, else the first domain),
// an empty keyword filter. disanaurl follows.
void setup(const HistoryData &historydata, int viewmode, const QString &txturl, HistoryLists &lists);
// Rebuilds the keyword filter for the chosen date and domain; disana follows.
void disanaurl(const HistoryData &historydata, int viewmode, HistoryLists &lists);
// Shows the filters as the analysis layout does (the date filter hidden in mode 2), empties
// the table and counts the top tens that pass the filters, grouped when the check box is
// ticked. False when a failure ended it: the list then keeps what it showed and disana2 does
// not follow.
bool disana(const HistoryData &historydata, int viewmode, HistoryLists &lists, AnalysisTable &table);
// Ranks the table (with separators) and returns the list's lines; a header click runs it again
// on the same table.
QList<AnalysisLine> disana2(AnalysisTable &table);
// The texts of sub-items 1 to 3 of a line; none for a separator.
QStringList subitems(const AnalysisLine &line);

// The detail panel's lines for the chosen URL: every occurrence in the entries that pass the
// date filter, whatever the domain and keyword filters; with the check box ticked, also URLs
// of which one begins with the other. No lines when chosen is empty (the panel is then hidden).
QList<DetailLine> displaydetailanalysis(const HistoryData &historydata, int viewmode, const HistoryLists &lists,
                                        const QString &chosen);
// The item text and sub-items of a detail line in the given mode.
QStringList detailtexts(const DetailLine &line, int viewmode);

} // namespace analysis
