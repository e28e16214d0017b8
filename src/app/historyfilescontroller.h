#pragma once

#include "storage/historycommands.h"

#include <QObject>

#include <memory>

struct AppState;
class HistoryList;
class ManageHistoryFrame;
struct MainControls;
struct MainMenus;
class SearchController;
class SelectReadFrame;
class StatusPanels;
class WindowLayout;

// History files: LOAD DATA with its date-choice panel, SAVE DATA, and the manage-history
// panel of the History menu; it creates both panels over the window and owns them. The
// commands are the core's; this class shows their panels and feeds back what the user picks.
class HistoryFilesController final : public QObject, public HistoryWindow
{
    Q_OBJECT
public:
    HistoryFilesController(AppState &state, HistoryList &list, const MainControls &controls, const MainMenus &menus,
                           QWidget &client, WindowLayout &layout, SearchController &search, StatusPanels &panels,
                           Prompts &prompts, FileDialogs &dialogs);
    ~HistoryFilesController() override;

    HistoryCommands &commands() const { return *m_commands; }
    SelectReadFrame &fraselectread() const { return *m_fraselectread; }
    ManageHistoryFrame &frahistory() const { return *m_frahistory; }

    // HistoryWindow.
    void cleardomains() override;
    void adddomain(const QString &url) override;
    void setdomaintext(const QString &text) override;
    void clearrecord() override;
    void displaybits(int mode) override;
    void clearresults() override;
    void setwait(const QString &text) override;
    void clearwait() override;
    void writemessagebox(const QString &text) override;
    void endlog(const QString &closing) override;
    WindowPlacement placement() const override;
    RecordWindow recordwindow() const override;
    void showloaded(const WindowPlacement *placed) override;

private:
    void connectcommands(const MainMenus &menus);
    // Runs a panel command with the panel's texts as the user left them, then shows it again.
    void selectread(void (HistoryCommands::*command)());
    void manage(void (HistoryCommands::*command)());

    AppState &m_state;
    HistoryList &m_list;
    const MainControls &m_controls;
    WindowLayout &m_layout;
    SearchController &m_search;
    StatusPanels &m_panels;
    std::unique_ptr<HistoryCommands> m_commands;
    std::unique_ptr<SelectReadFrame> m_fraselectread;
    std::unique_ptr<ManageHistoryFrame> m_frahistory;
};
