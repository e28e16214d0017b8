#include "mainwindow.h"

#include "alertcontroller.h"
#include "analysiscontroller.h"
#include "appstate.h"
#include "colorschemes.h"
#include "designlayout.h"
#include "diagnostics/guard.h"
#include "errorreportcontroller.h"
#include "exportcontroller.h"
#include "gradientbutton.h"
#include "helpcontroller.h"
#include "historyfilescontroller.h"
#include "historylist.h"
#include "historyviewcontroller.h"
#include "optionscontroller.h"
#include "platform/autostart.h"
#include "platform/connection.h"
#include "platform/dialup.h"
#include "popuppanel.h"
#include "qtprompts.h"
#include "qtshell.h"
#include "reportcontroller.h"
#include "schedulercontroller.h"
#include "search/localconnection.h"
#include "search/searchrun.h"
#include "searchcontroller.h"
#include "startup.h"
#include "statuspanels.h"
#include "tray/trayicon.h"
#include "viewmodes.h"
#include "views/listview.h"
#include "views/rankchart.h"
#include "views/resultsview.h"
#include "webbrowser.h"
#include "windowfiledialogs.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

MainWindow::MainWindow(AppState &state, QWidget *parent) : MainWindow(state, Seams{}, parent) {}

MainWindow::MainWindow(AppState &state, const Seams &seams, QWidget *parent)
    : QMainWindow(parent), m_state(state), m_rects(designlayout::controls()), m_helprects(designlayout::helpicons()),
      m_filedialogs(std::make_unique<WindowFileDialogs>(this))
{
    setObjectName(u"google"_s);
    setWindowTitle(u"Zorvane"_s);
    createControls();
    createMenus();
    createcontrollers(completeseams(seams));
    indexbyname();
    m_startup->Form_Load();
}

// The controllers, with the panels they own, are members and so go before the controls they
// work on, which are the window's children.
MainWindow::~MainWindow() = default;

void MainWindow::createControls()
{
    m_client = new QWidget(this);
    m_client->setObjectName(u"client"_s);
    setCentralWidget(m_client);
    m_controls = MainControls::create(*m_client, dpi(), devicePixelRatioF());
}

void MainWindow::createMenus()
{
    m_menus = MainMenus::create(*menuBar());
    m_menus.mnuexit->setEnabled(true);
    m_menus.mnuexit->setShortcut(QKeySequence::Quit);
    connect(m_menus.mnuexit, &QAction::triggered, this, &QWidget::close);
}

// The seams a test left empty get the real ones, which the window owns.
MainWindow::Seams MainWindow::completeseams(Seams seams)
{
    if (seams.prompts == nullptr) {
        m_qtprompts = std::make_unique<QtPrompts>(this);
        seams.prompts = m_qtprompts.get();
    }
    if (seams.connection == nullptr) {
        // A search against an engine on this machine (the demo) goes ahead while offline.
        m_systemconnection = std::make_unique<SystemConnection>();
        m_localconnection = std::make_unique<LocalConnection>(*m_systemconnection, m_state.settings);
        seams.connection = m_localconnection.get();
    }
    if (seams.shell == nullptr) {
        m_qtshell = std::make_unique<QtShell>();
        seams.shell = m_qtshell.get();
    }
    if (seams.autostart == nullptr) {
        m_systemautostart = systemautostart(QCoreApplication::applicationFilePath());
        seams.autostart = m_systemautostart.get();
    }
    if (seams.dialup == nullptr) {
        m_systemdialup = std::make_unique<SystemDialup>();
        seams.dialup = m_systemdialup.get();
    }
    if (seams.tray == nullptr) {
        m_systemtray = std::make_unique<TrayIcon>(QIcon(emblem(32, devicePixelRatioF())));
        seams.tray = m_systemtray.get();
    }
    return seams;
}

void MainWindow::createcontrollers(const Seams &seams)
{
    Prompts &prompts = *seams.prompts;
    m_browser = std::make_unique<WebBrowser>(*seams.shell);
    m_panels = std::make_unique<StatusPanels>(m_state, *m_client, *m_controls.status.runningtext, *seams.connection);
    // Said once the command that met it has ended, so no box opens half-way through a save.
    connect(
        &errorreports::notifier(), &errorreports::Notifier::fileproblemsaid, m_panels.get(),
        [this, &prompts](const QString &text) { m_panels->fileproblem(text, prompts); }, Qt::QueuedConnection);
    m_errorreports = std::make_unique<ErrorReportController>(*m_client, *seams.shell);
    const ResultsControls &results = m_controls.results;
    m_errorreports->watchpicture(*m_controls.buttons.Picture1, *results.resultsview, *results.restxt);
    m_help = std::make_unique<HelpController>(m_state, m_controls, m_menus, *m_client, *m_panels, *seams.shell);
    m_results = std::make_unique<ResultsView>(m_state, *results.resultsview, *results.resultslab1, *results.txtdisplay,
                                              *results.chkdispfirst);
    m_search = std::make_unique<SearchController>(m_state, m_controls, m_menus, *m_client, *this, *m_panels, *m_results,
                                                  prompts, *seams.connection);
    m_options = std::make_unique<OptionsController>(m_state, m_menus, *m_client, *this, *m_browser, *seams.autostart,
                                                    *seams.connection);
    m_scheduler = std::make_unique<SchedulerController>(m_state, m_controls, m_menus, *m_client, *this, *m_search,
                                                        prompts, *m_filedialogs, *seams.dialup);
    m_tray = seams.tray;
    connect(m_tray, &TrayIcon::toggle, this, &MainWindow::shownow);
    m_startup =
        std::make_unique<Startup>(m_state, m_controls, *m_client, *this, *m_panels, *m_search, *m_tray, *m_browser);
    createhistory(prompts);
    m_export = std::make_unique<ExportController>(m_state, m_menus, *m_results, *m_panels, prompts, *m_filedialogs);
    m_alerts = std::make_unique<AlertController>(m_state, m_search->run(), *m_tray, *m_panels);
}

void MainWindow::createhistory(Prompts &prompts)
{
    m_historylist = std::make_unique<HistoryList>(m_state.historylists, m_controls.history, *this);
    m_historyfiles = std::make_unique<HistoryFilesController>(m_state, *m_historylist, m_controls, m_menus, *m_client,
                                                              *this, *m_search, *m_panels, prompts, *m_filedialogs);
    m_historyview = std::make_unique<HistoryViewController>(m_state, *m_historylist, m_controls, m_menus, *m_client,
                                                            *this, *m_search, *m_panels, prompts, *m_filedialogs);
    m_analysis = std::make_unique<AnalysisController>(m_state, *m_historylist, *m_historyview, m_controls, m_menus,
                                                      prompts, *m_browser);
    m_reports = std::make_unique<ReportController>(m_state, m_controls, m_menus, *m_panels, prompts, *m_filedialogs,
                                                   *m_browser);
}

void MainWindow::indexbyname()
{
    for (QWidget *widget : m_controls.all())
        m_named.insert(widget->objectName(), widget);
    m_named.insert(m_historyview->historychart().objectName(), &m_historyview->historychart());
    for (PopupPanel *panel : m_client->findChildren<PopupPanel *>(Qt::FindDirectChildrenOnly)) {
        m_named.insert(panel->objectName(), panel);
        for (QWidget *widget : panel->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            m_named.insert(widget->objectName(), widget);
    }
}

SearchRun &MainWindow::searchrun() const
{
    return m_search->run();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    m_startup->Form_Unload();
    QMainWindow::closeEvent(event);
    emit unloaded();
}

void MainWindow::shownow()
{
    guard("Tray", "Sub shownow", [&] {
        if (m_trayhidden) {
            show();
            m_trayhidden = false;
            raise();
            activateWindow();
        } else {
            hide();
            m_trayhidden = true;
        }
    });
}

FileDialogs &MainWindow::filedialogs() const
{
    return m_filedialogs->current();
}

void MainWindow::setfiledialogs(FileDialogs *dialogs)
{
    m_filedialogs->setcurrent(dialogs);
}

void MainWindow::createresultcolumns()
{
    ListView *list = m_controls.results.resultsview;
    list->clearcolumns();
    const QStringList headers = {u"URL"_s, u"Search term"_s, u"Position"_s, u"Exact URL"_s, u"Operation"_s};
    for (int i = 1; i <= int(headers.size()); ++i)
        list->addcolumn(headers.at(i - 1), m_state.reswid[i]);
}

void MainWindow::displaybits(int mode)
{
    guard("Mainwindow", "Sub displaybits", [&] {
        const ViewModeTexts texts = viewmodes::texts(mode, m_state.urldata.isEmpty());
        m_state.viewmode = mode;
        sethelpicons(mode);
        m_controls.history.historydetailview->hide();
        m_controls.history.hdvclose->hide();
        setviewtexts(texts);
        m_rects[u"doanalyze"_s].top = texts.doanalyzetop;
        placeon(m_controls.buttons.doanalyze, m_rects.value(u"doanalyze"_s));
        for (QWidget *widget : m_controls.searchcontrols())
            widget->setVisible(mode == viewmodes::Searches);
        for (QWidget *widget : m_controls.historycontrols())
            widget->setVisible(mode != viewmodes::Searches);
        m_controls.results.restxt->hide();
        if (m_historyview != nullptr)
            m_historyview->updatechart();
    });
}

void MainWindow::sethelpicons(int mode)
{
    const bool contexthelp = m_state.settings.contexthelp;
    const QList<QToolButton *> &icons = m_controls.helpbuttons;
    for (int i = 0; i < int(icons.size()); ++i) {
        const bool panelicon = i >= viewmodes::MainViewHelpIcons && i != viewmodes::HiddenPanelIcon;
        icons.at(i)->setVisible(panelicon && contexthelp);
        icons.at(i)->setEnabled(panelicon && contexthelp);
    }
    const ViewModeTexts texts = viewmodes::texts(mode, false);
    for (int i = texts.firsthelpicon; contexthelp && i <= texts.lasthelpicon; ++i) {
        icons.at(i)->setVisible(true);
        icons.at(i)->setEnabled(true);
    }
}

void MainWindow::setviewtexts(const ViewModeTexts &texts)
{
    m_controls.buttons.titlab->setText(texts.titlab);
    m_controls.history.labhistory->setText(texts.labhistory);
    m_controls.history.chkhistoryfirst->setText(texts.chkhistoryfirst);
    m_controls.buttons.dohistory->setText(texts.dohistory);
    m_controls.buttons.doanalyze->setText(texts.doanalyze);
    m_menus.mnuhistory->setText(texts.mnuhistory);
}

void MainWindow::setcols()
{
    guard("Mainwindow", "Sub setcols", [&] {
        applyscheme(colorschemes::palettefor(m_state.settings.colorscheme));
        m_controls.results.restxt->hide();
    });
}

namespace {

QColor resolved(const SchemeColor &color)
{
    return color.system ? QApplication::palette().color(QPalette::Button) : QColor::fromRgb(color.rgb());
}

void paint(QWidget *widget, ColorRole role, const QColor &color)
{
    QPalette palette = widget->palette();
    switch (role) {
    case ColorRole::Panel:
    case ColorRole::Label:
        // Check boxes fill with their own background role, the button colour.
        palette.setColor(QPalette::Window, color);
        palette.setColor(widget->backgroundRole(), color);
        widget->setAutoFillBackground(true);
        break;
    case ColorRole::Button:
        palette.setColor(QPalette::Button, color);
        break;
    case ColorRole::TextBox:
        palette.setColor(QPalette::Base, color);
        if (qobject_cast<QComboBox *>(widget) != nullptr)
            palette.setColor(QPalette::Button, color);
        break;
    }
    widget->setPalette(palette);
}

} // namespace

void MainWindow::applyscheme(const Palette &palette)
{
    paint(m_client, ColorRole::Panel, resolved(palette.mainview));
    for (const PaletteAssignment &assignment : colorschemes::assignments(palette)) {
        const QColor color = resolved(assignment.color);
        for (const QString &name : assignment.controls) {
            if (QWidget *widget = m_named.value(name))
                paint(widget, assignment.role, color);
        }
    }
    const QList<QToolButton *> &icons = m_controls.helpbuttons;
    for (int i = 0; i < viewmodes::MainViewHelpIcons && i < int(icons.size()); ++i)
        paint(icons.at(i), ColorRole::Label, resolved(palette.mainview));
    for (GradientButton *button : m_controls.buttons.gradientbuttons()) {
        button->setText(colorschemes::caption(button->objectName()));
        button->setAppearance(palette.buttons);
    }
}

void MainWindow::setresultswidth()
{
    guard("Mainwindow", "Sub setresultswidth", [&] {
        for (int i = 1; i <= 5; ++i)
            m_controls.results.resultsview->setcolumnwidth(i, m_state.reswid[i]);
    });
}
