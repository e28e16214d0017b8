#pragma once

#include "maincontrols.h"
#include "mainmenus.h"
#include "twipsrect.h"
#include "windowlayout.h"

#include <QHash>
#include <QList>
#include <QMainWindow>

#include <memory>

class AlertController;
class AnalysisController;
struct AppState;
class Autostart;
class Connection;
class Dialup;
class ErrorReportController;
class ExportController;
class FileDialogs;
class HelpController;
class HistoryFilesController;
class HistoryList;
class HistoryViewController;
class OptionsController;
struct Palette;
class Prompts;
class ReportController;
class ResultsView;
class SchedulerController;
class SearchController;
class SearchRun;
class Shell;
class Startup;
class StatusPanels;
class TrayIcon;
struct ViewModeTexts;
class WebBrowser;
class WindowFileDialogs;

// The main window `google`: the controls of the main view and the four operations that arrange
// them (view mode, colours, column widths, resize). The commands live in controllers that share
// the AppState and get the controls they work on; each creates and owns its pop-up panels. The
// window owns the controllers, made in the order of their members and so destroyed in reverse.
class MainWindow final : public QMainWindow, public WindowLayout
{
    Q_OBJECT
public:
    // The outside world the window talks to; tests pass their own, nullptr means the real one.
    struct Seams
    {
        Prompts *prompts = nullptr;
        Connection *connection = nullptr;
        Shell *shell = nullptr;
        Autostart *autostart = nullptr;
        Dialup *dialup = nullptr;
        // Tests pass an icon that believes in a notification area the offscreen desktop lacks.
        TrayIcon *tray = nullptr;
    };

    explicit MainWindow(AppState &state, QWidget *parent = nullptr);
    MainWindow(AppState &state, const Seams &seams, QWidget *parent = nullptr);
    ~MainWindow() override;

    const MainControls &controls() const { return m_controls; }
    const MainMenus &menus() const { return m_menus; }

    StatusPanels &panels() const { return *m_panels; }
    ErrorReportController &errorreports() const { return *m_errorreports; }
    HelpController &help() const { return *m_help; }
    SearchController &search() const { return *m_search; }
    SearchRun &searchrun() const;
    Startup &startup() const { return *m_startup; }
    OptionsController &options() const { return *m_options; }
    SchedulerController &scheduler() const { return *m_scheduler; }
    HistoryFilesController &historyfiles() const { return *m_historyfiles; }
    HistoryViewController &historyview() const { return *m_historyview; }

    void displaybits(int mode) override;
    void setcols() override;
    void setresultswidth() override;
    // The resize handler; also run when the log window is switched on or off.
    void Form_Resize() override;
    // A click on the tray icon: hides the window, the next one shows it again.
    void shownow();

    // The design's size is centred on the screen, or put at its top left corner when larger
    // than the screen.
    void centreonscreen() override;
    void createresultcolumns() override;
    WindowPlacement placement() const override;
    void applyplacement(const WindowPlacement &placement) override;
    RecordWindow recordwindow() const override;

    // The window's outer size in twips, frame and menu bar included.
    QSize outersize() const;
    qreal dpi() const;

    FileDialogs &filedialogs() const;
    // Tests answer the dialogs themselves; nullptr goes back to the toolkit's dialogs.
    void setfiledialogs(FileDialogs *dialogs);

signals:
    // Shut-down is complete: the program may end.
    void unloaded();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void createMenus();
    Seams completeseams(Seams seams);
    void createcontrollers(const Seams &seams);
    void createhistory(Prompts &prompts);
    void indexbyname();

    void applyscheme(const Palette &palette);
    void setviewtexts(const ViewModeTexts &texts);
    void sethelpicons(int mode);
    bool clamptoscreen();
    void placecontrols();
    void placeon(QWidget *widget, const TwipsRect &rect);

    AppState &m_state;
    QWidget *m_client = nullptr;
    MainControls m_controls;
    MainMenus m_menus;
    // The controls and panels by name, for the design layout and the colour scheme, which are
    // tables keyed by name.
    QHash<QString, QWidget *> m_named;
    ControlRects m_rects;
    QList<TwipsRect> m_helprects;
    std::unique_ptr<WindowFileDialogs> m_filedialogs;
    std::unique_ptr<Prompts> m_qtprompts;
    std::unique_ptr<Connection> m_systemconnection;
    std::unique_ptr<Connection> m_localconnection;
    std::unique_ptr<Shell> m_qtshell;
    std::unique_ptr<Autostart> m_systemautostart;
    std::unique_ptr<Dialup> m_systemdialup;
    std::unique_ptr<TrayIcon> m_systemtray;
    TrayIcon *m_tray = nullptr;
    bool m_trayhidden = false;
    std::unique_ptr<WebBrowser> m_browser;
    std::unique_ptr<StatusPanels> m_panels;
    std::unique_ptr<ErrorReportController> m_errorreports;
    std::unique_ptr<HelpController> m_help;
    std::unique_ptr<ResultsView> m_results;
    std::unique_ptr<SearchController> m_search;
    std::unique_ptr<OptionsController> m_options;
    std::unique_ptr<SchedulerController> m_scheduler;
    std::unique_ptr<Startup> m_startup;
    std::unique_ptr<HistoryList> m_historylist;
    std::unique_ptr<HistoryFilesController> m_historyfiles;
    std::unique_ptr<HistoryViewController> m_historyview;
    std::unique_ptr<AnalysisController> m_analysis;
    std::unique_ptr<ReportController> m_reports;
    std::unique_ptr<ExportController> m_export;
    std::unique_ptr<AlertController> m_alerts;
};
