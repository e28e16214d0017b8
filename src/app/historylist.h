#pragma once

#include "views/listview.h"

#include <QObject>
#include <QStringList>

struct HistoryControls;
struct HistoryLists;
class WindowLayout;

// The list and the filter boxes that the history and the analysis views share: the boxes
// filled from the history lists and read back when the user picks, the list's columns and
// lines, and the switch into a view mode with the boxes shown for it.
class HistoryList final : public QObject
{
    Q_OBJECT
public:
    enum Filter
    {
        Dates,
        Urls,
        Keys,
        First
    };

    HistoryList(HistoryLists &lists, const HistoryControls &controls, WindowLayout &layout);

    // The view mode, with the filters shown again outside the searches view.
    void displaybits(int mode);
    void showfilters();

    // The list's columns, replaced only when they differ, so the user's widths stay.
    template <typename Columns> static void setcolumns(ListView *list, const Columns &columns);
    static void additem(ListView *list, const QStringList &texts);

signals:
    // The user picked in a filter box or ticked the check box; the lists hold the boxes' texts.
    void filterclick(HistoryList::Filter which);

private:
    void readfilters();

    HistoryLists &m_lists;
    const HistoryControls &m_controls;
    WindowLayout &m_layout;
    bool m_filling = false;
};

template <typename Columns> void HistoryList::setcolumns(ListView *list, const Columns &columns)
{
    bool same = list->columncount() == int(columns.size());
    for (int i = 0; same && i < int(columns.size()); ++i)
        same = list->headertext(i + 1) == columns.at(i).header;
    if (same)
        return;
    list->clearcolumns();
    for (const auto &column : columns) {
        if constexpr (requires { column.twips; })
            list->addcolumn(column.header, column.twips);
        else
            list->addcolumn(column.header, column.width);
    }
}
