#pragma once

#include "search/searchwindow.h"

#include <QObject>

#include <memory>

struct AppState;
class Connection;
class LocalePanel;
struct MainControls;
struct MainMenus;
class Prompts;
class ResultsView;
class SearchRun;
class StatusPanels;
class WindowLayout;

// The search and the domain list over the main window's controls: SEARCH, STOP, the menu's
// search command, the domain box and its buttons, and what the run needs to read and show.
class SearchController final : public QObject, public SearchWindow
{
    Q_OBJECT
public:
    SearchController(AppState &state, const MainControls &controls, const MainMenus &menus, QWidget &client,
                     WindowLayout &layout, StatusPanels &panels, ResultsView &results, Prompts &prompts,
                     const Connection &connection);
    ~SearchController() override;

    SearchRun &run() const { return *m_run; }

    QString txturlsText() const override;
    void setTxturlsText(const QString &text) override;
    void addTxturlsItem(const QString &text) override;
    void clearTxturls() override;

    // The keyword box holds "\n" line ends; the engine sees the text, and the selection, with
    // "\r\n" ones.
    QString txtkeysText() const override;
    int txtkeysSelStart() const override;
    int txtkeysSelLength() const override;
    void setTxtkeysSelection(int start, int length) override;

    QString pagedepthText() const override;
    bool chkstopafterhit() const override;
    bool chkdispfirst() const override;
    SearchLocale searchlocale() const override { return m_locale; }

    void writemessagebox(const QString &text) override;
    void disres() override;
    void disall() override;
    void clearresults() override;
    void setResultslab1(const QString &text) override;
    void setSearchstatus(const QString &text) override;
    void setRestxt(const QString &text) override;
    void showWarning(const QString &text) override;
    void hideWarning() override;
    int flasher() const override { return m_flasher; }
    void setFlasher(int colour) override;
    void checkstatus() override;
    void displaybits(int mode) override;

    // Rebuilds the domain box from urldata with txturl as its text.
    void filldomains();

    // "Where...": shows the place panel with the domain's place and competitors, or hides it. OK
    // takes the boxes over, for the next search and, when the domain is listed, for the domain at
    // once; a box with a wrong value is named and the panel stays.
    void cmdlocale_Click();
    void cmdlocaleok_Click();
    LocalePanel &fralocale() const { return *m_fralocale; }

private:
    void connectcommands(const MainMenus &menus);
    void showlocale();

    AppState &m_state;
    const MainControls &m_controls;
    WindowLayout &m_layout;
    StatusPanels &m_panels;
    ResultsView &m_results;
    Prompts &m_prompts;
    std::unique_ptr<SearchRun> m_run;
    std::unique_ptr<LocalePanel> m_fralocale;
    SearchLocale m_locale;
    QStringList m_competitors; // the next search's domain's, as the panel last took them
    int m_flasher = 255;
};
