#pragma once

#include "historylist.h"
#include "views/analysisrows.h"

#include <QObject>

struct AppState;
class HistoryViewController;
struct MainControls;
struct MainMenus;
class Prompts;
class WebBrowser;

// The analysis views (modes 2 and 3): ANALYZE and the Analyze menu entry, the filters and the
// column headers while an analysis is shown, and the detail panel (`historydetailview` with its
// close button) that a click on a URL opens; a right click opens the URL in the browser.
class AnalysisController final : public QObject
{
    Q_OBJECT
public:
    AnalysisController(AppState &state, HistoryList &list, HistoryViewController &historyview,
                       const MainControls &controls, const MainMenus &menus, Prompts &prompts, WebBrowser &browser);

    // The analysis command (`mnuanalyze_Click`, also ANALYZE): enter modes 2 or 3, or leave them.
    void mnuanalyze_Click();
    void historyview_Click();
    void hdvclose_Click();

private:
    void connectcommands(const MainMenus &menus);
    bool analysing() const;
    void filterclick(HistoryList::Filter which);
    void columnclick(const QString &header);
    void analysisfromfilters(bool rebuildkeys);
    void showanalysis(const QList<analysis::AnalysisLine> &lines);
    void showdetail(const QString &chosen);

    AppState &m_state;
    HistoryList &m_list;
    HistoryViewController &m_historyview;
    const MainControls &m_controls;
    Prompts &m_prompts;
    WebBrowser &m_browser;
    bool m_rightclick = false;
};
