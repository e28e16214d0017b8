#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class DiffView;
class HistoryData;
class ListView;
class Prompts;
class QWidget;
struct HistoryLists;

// History > What changed...: the changes between two records of the open history, for the
// domain and keyword the history view's filters chose, in a window of their own. It starts at
// the record the date filter names (the last under "(Show ALL)") and the one before it.
class HistoryDiffController final : public QObject
{
    Q_OBJECT
public:
    // viewmode: the window's view mode when asked.
    HistoryDiffController(QWidget &window, const HistoryData &historydata, const HistoryLists &lists,
                          const ListView &historyview, Prompts &prompts, std::function<int()> viewmode,
                          QObject *parent = nullptr);
    ~HistoryDiffController() override;

    void mnuhistorydiff_Click();
    // Another history was opened or the filters changed: an open window follows.
    void historychanged();
    DiffView &diffview() const { return *m_view; }

private:
    void showchanges();
    // The open history's dates in the window, the pair the date filter names chosen; false when
    // it names no record with one before it.
    bool choosedates();
    QStringList dates() const;

    QWidget &m_window;
    const HistoryData &m_historydata;
    const HistoryLists &m_lists;
    const ListView &m_historyview;
    Prompts &m_prompts;
    std::function<int()> m_viewmode;
    DiffView *m_view = nullptr;
};
