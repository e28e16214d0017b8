#pragma once

#include "historylist.h"
#include "views/historybrowse.h"

#include <QObject>

#include <memory>

struct AppState;
class FileDialogs;
class HistoryDiffController;
struct MainControls;
struct MainMenus;
class Prompts;
class RankChart;
class SearchController;
class StatusPanels;

// The history view: OPEN HISTORY and the History menu's entry, the filters, the column
// headers and the rank chart below the list, which it creates over the window and owns. The
// command and the filters' work are the core's; this class shows their lists.
class HistoryViewController final : public QObject, public HistoryViewWindow
{
    Q_OBJECT
public:
    HistoryViewController(AppState &state, HistoryList &list, const MainControls &controls, const MainMenus &menus,
                          QWidget &client, WindowLayout &layout, SearchController &search, StatusPanels &panels,
                          Prompts &prompts, FileDialogs &dialogs);
    ~HistoryViewController() override;

    HistoryBrowse &browse() const { return *m_browse; }
    RankChart &historychart() const { return *m_historychart; }
    bool chartshown() const { return m_chartshown; }
    HistoryDiffController &diff() const { return *m_diff; }

    // The rank chart of the chosen keyword (the selected line's, else the keyword filter's) for
    // the chosen domain, or without a keyword the domain's visibility, shown below the list in
    // the history view only; the window is laid out again when it comes or goes.
    void updatechart();

    // HistoryViewWindow.
    int viewmode() const override;
    void displaybits(int mode) override;
    void disall() override;
    void setwait(const QString &text) override;
    void clearwait() override;
    void writemessagebox(const QString &text) override;
    void showhistory() override;

private:
    void connectcommands(const MainMenus &menus);
    void filterclick(HistoryList::Filter which);
    QString chartkeyword() const;

    AppState &m_state;
    HistoryList &m_list;
    const MainControls &m_controls;
    WindowLayout &m_layout;
    SearchController &m_search;
    StatusPanels &m_panels;
    std::unique_ptr<HistoryBrowse> m_browse;
    std::unique_ptr<RankChart> m_historychart;
    std::unique_ptr<HistoryDiffController> m_diff;
    bool m_chartshown = false;
};
