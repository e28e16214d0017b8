#pragma once

#include "storage/historycommands.h"
#include "views/analysisrows.h"
#include "views/historybrowse.h"

#include <QObject>

#include <memory>
#include <optional>

class HistoryDiffController;
class MainWindow;
class RankChart;
class ManageHistoryFrame;
class SearchController;
class SelectReadFrame;
class Shell;
class StatusPanels;
struct HistoryControls;
struct MainControls;
struct MainMenus;

// The history and its analysis over the main window: LOAD DATA, SAVE DATA and the manage
// panel, the history view, the analysis view with its detail panel, and the HTML report. The
// commands are the core's; this class shows their lists and panels and feeds back what the
// user picks.
class HistoryController final : public QObject, public HistoryWindow, public HistoryViewWindow
{
    Q_OBJECT
public:
    HistoryController(MainWindow &window, const MainControls &controls, const MainMenus &menus, StatusPanels &panels,
                      SearchController &search, Prompts &prompts, Shell &shell, QObject *parent = nullptr);
    ~HistoryController() override;

    HistoryCommands &commands() const { return *m_commands; }
    HistoryBrowse &browse() const { return *m_browse; }
    SelectReadFrame &fraselectread() const { return *m_fraselectread; }
    ManageHistoryFrame &frahistory() const { return *m_frahistory; }
    const HistoryLists &lists() const { return m_lists; }
    const HistoryData &historydata() const { return m_historydata; }
    RankChart &historychart() const { return *m_historychart; }
    bool chartshown() const { return m_chartshown; }
    HistoryDiffController &diff() const { return *m_diff; }

    // The rank chart of the chosen keyword (the selected line's, else the keyword filter's) for
    // the chosen domain, or without a keyword the domain's visibility, shown below the list in
    // the history view only; the window is laid out again when it comes or goes.
    void updatechart();

    // The analysis command (`mnuanalyze_Click`, also ANALYZE): enter modes 2 or 3, or leave them.
    void mnuanalyze_Click();
    // The report command (`mnuhtml_Click`).
    void mnuhtml_Click();
    void historyview_Click();
    void hdvclose_Click();

    // HistoryWindow and HistoryViewWindow.
    void cleardomains() override;
    void adddomain(const QString &url) override;
    void setdomaintext(const QString &text) override;
    void clearrecord() override;
    int viewmode() const override;
    void displaybits(int mode) override;
    void clearresults() override;
    void disall() override;
    void setwait(const QString &text) override;
    void clearwait() override;
    void writemessagebox(const QString &text) override;
    void endlog(const QString &closing) override;
    WindowPlacement placement() const override;
    RecordWindow recordwindow() const override;
    void showloaded(const WindowPlacement *placed) override;
    void showhistory() override;

    // The browser's program, looked up once (start-up asks first); "" for the system's choice.
    QString browserpath();

private:
    void connectcommands(const MainMenus &menus);
    // Runs a panel command with the panel's texts as the user left them, then shows it again.
    void selectread(void (HistoryCommands::*command)());
    void manage(void (HistoryCommands::*command)());
    void showfilters();
    void readfilters();
    // A filter or the check box changed: the history view's or the analysis' handler.
    void filterclick(int which);
    void columnclick(const QString &header);
    void analysisfromfilters(bool rebuildkeys);
    void showanalysis(const QList<analysis::AnalysisLine> &lines);
    QString chartkeyword() const;

    class WindowDialogs;

    MainWindow &m_window;
    const MainControls &m_controls;
    StatusPanels &m_panels;
    SearchController &m_search;
    Prompts &m_prompts;
    Shell &m_shell;
    // The opened history file, the current results as the analysis of them reads them, and
    // which of the two the views show.
    HistoryIndex m_index;
    Array1<HistoryEntry> m_current;
    HistoryData m_historydata;
    Array1<QString> m_recorddates;
    HistoryLists m_lists;
    AnalysisTable m_anadata;
    bool m_rightclick = false;
    bool m_filling = false;
    std::optional<QString> m_browserexe;
    std::unique_ptr<WindowDialogs> m_dialogs;
    std::unique_ptr<HistoryCommands> m_commands;
    std::unique_ptr<HistoryBrowse> m_browse;
    std::unique_ptr<SelectReadFrame> m_fraselectread;
    std::unique_ptr<ManageHistoryFrame> m_frahistory;
    RankChart *m_historychart = nullptr;
    std::unique_ptr<HistoryDiffController> m_diff;
    bool m_chartshown = false;
};
