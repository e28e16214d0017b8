#pragma once

#include "diagnostics/int16.h"
#include "search/array1.h"
#include "search/searchlocale.h"

#include <QString>

#include <optional>

struct SearchState;

// One line of the results or history list before it is written into the list view.
struct ResultRow
{
    QString date;
    QString url;
    QString key;
    QString position; // "1000" marks a keyword whose domain was not found
    QString exacturl;
    QString action;
    QString title;
    QString abstract;
    QString place; // history lines: where and on what the record searched, when set
    bool taken = false;
    int listindex = 0; // the line of the list showing the row, 1-based
};
// Moved as bytes when a list of rows grows.
Q_DECLARE_TYPEINFO(ResultRow, Q_RELOCATABLE_TYPE);

// The list view as the row writer sees it: 1-based items with four sub-items.
class ResultList
{
public:
    virtual ~ResultList() = default;
    virtual int count() const = 0;
    virtual QString text(int item) const = 0;
    virtual QString subitem(int item, int sub) const = 0;
    virtual void setsubitem(int item, int sub, const QString &text) = 0;
    // Inserts at index (1..count+1) an item with the text and sub-items 1 to 4.
    virtual void insert(int index, const QString &text, const QStringList &subitems) = 0;
    // Colours are 24-bit values in 0x00BBGGRR order.
    virtual void setforecolor(int item, quint32 bgr) = 0;
    virtual bool selected(int item) const = 0;
};

// What the search-mode inputs show of a domain's last search: its keywords, each followed by
// "\r\n", the two check boxes and the page depth text.
struct StoredInputs
{
    QString txtkeys;
    bool chkstopafterhit = false;
    bool chkdispfirst = false;
    QString pagedepth;
    SearchLocale locale;
};

namespace resultrows {

inline const QString NotFound = QStringLiteral("1000");
// A keyword whose search says nothing of the domain's rank (never searched, stopped, refused).
inline const QString Unanswered = QStringLiteral("1001");
constexpr quint32 Blue = 0xFF0000;

// What disall loads into the inputs from the selected domain; nothing when no domain is
// selected or the selected entry has no url.
std::optional<StoredInputs> storedinputs(const SearchState &state);
// Copies into each keyword of the domain at index the status of the last job with its key.
void copyactions(SearchState &state, int index);
// Copies each keyword's job status into its action (the last matching job wins) and builds
// the rows of the domain at index; with dispfirst only the first hit of a keyword.
List1<ResultRow> build(SearchState &state, int index, bool dispfirst);
// Orders rows like the list's stable selection sort: mode 2/3 key, 4/5 position, 6/7 exact
// URL, ascending/descending, equal rows keeping their order; 0 leaves the build order.
void sort(List1<ResultRow> &rows, int mode);
// Writes rows into the list without clearing it: an item showing the same domain and keyword
// is updated in place, otherwise a new one is inserted; appended even items are blue.
void write(List1<ResultRow> &rows, ResultList &list);
// The shown position: "None" for the not-found marker, "Unknown" for an unanswered keyword.
QString shownposition(const QString &position);
// Title, an empty line and abstract of the row shown by the first selected item that has one.
bool detail(const List1<ResultRow> &rows, const ResultList &list, QString *text);
// The sort mode after a click on the header with this text.
int nextsort(int current, const QString &header);

} // namespace resultrows
