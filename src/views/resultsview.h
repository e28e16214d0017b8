#pragma once

#include "resultrows.h"

#include <QObject>

struct SearchState;
class ListView;
class QCheckBox;
class QLabel;
class QPlainTextEdit;

// The current results: the rows of the selected domain written into `resultsview`, the sort
// chosen by the column headers, and the detail box `txtdisplay` for the clicked line.
class ResultsView final : public QObject
{
    Q_OBJECT
public:
    ResultsView(SearchState &state, ListView &list, QLabel &resultslab1, QPlainTextEdit &txtdisplay,
                QCheckBox &chkdispfirst, QObject *parent = nullptr);

    void disres();
    void disres2();
    void resultsview_Click();
    void resultsview_ColumnClick(const QString &header);
    void chkdispfirst_Click();
    // Empties the list and the detail box.
    void clear();

    int resultsort() const { return m_resultsort; }
    const List1<ResultRow> &rows() const { return m_rows; }

private:
    SearchState &m_state;
    ListView &m_list;
    QLabel &m_resultslab1;
    QPlainTextEdit &m_txtdisplay;
    QCheckBox &m_chkdispfirst;
    List1<ResultRow> m_rows;
    int m_resultsort = 0;
};
