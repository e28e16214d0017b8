#pragma once

#include "resultrows.h"
#include "storage/historydata.h"

#include <QList>
#include <QStringList>

// A filter combo box of the history and analysis views: its entries, its current text, and
// whether it is shown with its label.
struct FilterBox
{
    QStringList items;
    QString text;
    bool visible = true;
};

// The history list's filters and lines as the widgets show them: `historyrows` are the lines
// built under the filters, `listed` what the list holds after its last fill.
struct HistoryLists
{
    FilterBox historydates;
    FilterBox historyurls;
    FilterBox historykeys;
    bool chkhistoryfirst = false;
    List1<ResultRow> historyrows;
    List1<ResultRow> listed;
    // 2/3 search term, 4/5 position, 6/7 exact URL, 8/9 date, ascending/descending; 0 build order.
    Int16 historysort;
};

namespace historyrows {

inline const QString ShowAll = QStringLiteral("(Show ALL)");

struct Column
{
    QString header;
    int width; // twips
};
// The columns of the history list, in order; with places, a last one for where and on what
// each record searched.
QList<Column> columns(bool places);
// Whether any of the rows was searched with a place set.
bool hasplaces(const List1<ResultRow> &rows);

// The filters from historydata: every date, every domain once, the domain selected in the
// search mode when the history holds it (else the first); then dishisurl.
void setuphistory(const HistoryData &historydata, const QString &txturl, HistoryLists &lists);
// The keyword filter for the chosen date and domain, then dishis.
void dishisurl(const HistoryData &historydata, HistoryLists &lists);
// The lines under the three filters, one per hit (the first hit only with chkhistoryfirst), then dishis2.
void dishis(const HistoryData &historydata, HistoryLists &lists);
// Sorts the lines by historysort and fills the list with them.
void dishis2(HistoryLists &lists);
// A header click: the new sort mode, then the list refilled from the lines as they are.
void columnclick(HistoryLists &lists, const QString &header);

// The sort mode after a click on the header with this text.
int nextsort(int current, const QString &header);
// The list's stable sort; modes 8 and 9 order by the moment of the date text (calctime), an
// unreadable one counting as 0.
void sort(List1<ResultRow> &rows, int mode);

} // namespace historyrows
