#pragma once

#include "maincontrols.h"
#include "mainmenus.h"
#include "twipsrect.h"

#include <QHash>
#include <QList>
#include <QMainWindow>

#include <memory>

struct AppState;
struct Palette;
struct ViewModeTexts;
class Connection;
class ErrorReportController;
class FileDialogs;
class HelpController;
class HistoryController;
class Prompts;
class Shell;
class ResultsView;
class SearchController;
class SearchRun;
class Startup;
class StatusPanels;

// The main window `google`: the controls of the main view and the four operations that arrange
// them (view mode, colours, column widths, resize). The commands live in controllers that share
// the AppState and get the controls they work on; each creates and owns its pop-up panels.
class MainWindow final : public QMainWindow
{
    Q_OBJECT
public:
    // The outside world the window talks to; tests pass their own, nullptr means the real one.
    struct Seams
    {
        Prompts *prompts = nullptr;
        Connection *connection = nullptr;
        Shell *shell = nullptr;
    };

    explicit MainWindow(AppState &state, QWidget *parent = nullptr);
    MainWindow(AppState &state, const Seams &seams, QWidget *parent = nullptr);
    ~MainWindow() override;

    const MainControls &controls() const { return m_controls; }
    const MainMenus &menus() const { return m_menus; }

    StatusPanels &panels() const { return *m_panels; }
    ErrorReportController &errorreports() const { return *m_errorreports; }
    HelpController &help() const { return *m_help; }
    ResultsView &results() const { return *m_results; }
    SearchController &search() const { return *m_search; }
    SearchRun &searchrun() const;
    Startup &startup() const { return *m_startup; }
    HistoryController &history() const { return *m_history; }

    void displaybits(int mode);
    void setcols();
    void setresultswidth();
    // The resize handler; also run when the log window is switched on or off.
    void Form_Resize();

    AppState &state() const { return m_state; }

    // The window's outer size in twips, frame and menu bar included.
    QSize outersize() const;
    qreal dpi() const;

    FileDialogs &filedialogs() const { return *m_filedialogs; }
    // Tests answer the dialogs themselves; nullptr goes back to the toolkit's dialogs.
    void setfiledialogs(FileDialogs *dialogs);

signals:
    void helpclick(int index);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void createMenus();
    void createresultcolumns();
    void createcontrollers(const Seams &seams);
    void indexbyname();

    void applyscheme(const Palette &palette);
    void setviewtexts(const ViewModeTexts &texts);
    void sethelpicons(int mode);
    bool clamptoscreen();
    void placecontrols();
    void placeon(QWidget *widget, const TwipsRect &rect);
    void centreonscreen();

    AppState &m_state;
    QWidget *m_client = nullptr;
    MainControls m_controls;
    MainMenus m_menus;
    // The controls and panels by name, for the design layout and the colour scheme, which are
    // tables keyed by name.
    QHash<QString, QWidget *> m_named;
    ControlRects m_rects;
    QList<TwipsRect> m_helprects;
    std::unique_ptr<FileDialogs> m_qtdialogs;
    FileDialogs *m_filedialogs = nullptr;
    std::unique_ptr<Prompts> m_qtprompts;
    std::unique_ptr<Connection> m_systemconnection;
    std::unique_ptr<Connection> m_localconnection;
    std::unique_ptr<Shell> m_qtshell;
    StatusPanels *m_panels = nullptr;
    ErrorReportController *m_errorreports = nullptr;
    HelpController *m_help = nullptr;
    ResultsView *m_results = nullptr;
    SearchController *m_search = nullptr;
    std::unique_ptr<Startup> m_startup;
    HistoryController *m_history = nullptr;
};
