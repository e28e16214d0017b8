#include "mainwindow.h"

#include "appstate.h"
#include "colorschemes.h"
#include "designlayout.h"
#include "diagnostics/guard.h"
#include "gradientbutton.h"
#include "platform/connection.h"
#include "qtfiledialogs.h"
#include "qtprompts.h"
#include "qtshell.h"
#include "search/localconnection.h"
#include "search/searchrun.h"
#include "searchcontroller.h"
#include "startup.h"
#include "statuspanels.h"
#include "viewmodes.h"
#include "views/listview.h"
#include "views/resultsview.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>

using namespace Qt::Literals::StringLiterals;

MainWindow::MainWindow(AppState &state, QWidget *parent) : MainWindow(state, Seams{}, parent) {}

MainWindow::MainWindow(AppState &state, const Seams &seams, QWidget *parent)
    : QMainWindow(parent), m_state(state), m_rects(designlayout::controls()), m_helprects(designlayout::helpicons()),
      m_qtdialogs(std::make_unique<QtFileDialogs>(this)), m_filedialogs(m_qtdialogs.get())
{
    setObjectName(u"google"_s);
    setWindowTitle(u"Zorvane"_s);
    createControls();
    createPanels();
    createMenus();
    createresultcolumns();
    centreonscreen();
    setcols();
    displaybits(m_state.viewmode);
    createcontrollers(seams);
    m_startup->Form_Load();
}

MainWindow::~MainWindow()
{
    // The controllers go before the controls they work on.
    m_startup.reset();
    delete m_search;
    delete m_results;
    delete m_panels;
}

void MainWindow::createcontrollers(const Seams &seams)
{
    Prompts *prompts = seams.prompts;
    if (prompts == nullptr) {
        m_qtprompts = std::make_unique<QtPrompts>(this);
        prompts = m_qtprompts.get();
    }
    const Connection *connection = seams.connection;
    if (connection == nullptr) {
        // A search against an engine on this machine (the demo) goes ahead while offline.
        m_systemconnection = std::make_unique<SystemConnection>();
        m_localconnection = std::make_unique<LocalConnection>(*m_systemconnection, m_state.settings);
        connection = m_localconnection.get();
    }
    Shell *shell = seams.shell;
    if (shell == nullptr) {
        m_qtshell = std::make_unique<QtShell>();
        shell = m_qtshell.get();
    }
    m_panels = new StatusPanels(*this, *connection, *shell, this);
    m_results =
        new ResultsView(m_state, *resultsview(), *control<QLabel>(u"resultslab1"_s),
                        *control<QPlainTextEdit>(u"txtdisplay"_s), *control<QCheckBox>(u"chkdispfirst"_s), this);
    m_search = new SearchController(*this, *m_panels, *m_results, *prompts, *connection, this);
    m_startup = std::make_unique<Startup>(*this, *m_panels, *m_search);
}

SearchRun &MainWindow::searchrun() const
{
    return m_search->run();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    m_startup->Form_Unload();
    QMainWindow::closeEvent(event);
}

GradientButton *MainWindow::gradientbutton(const QString &name) const
{
    return control<GradientButton>(name);
}

ListView *MainWindow::resultsview() const
{
    return control<ListView>(u"resultsview"_s);
}

ListView *MainWindow::historyview() const
{
    return control<ListView>(u"historyview"_s);
}

ListView *MainWindow::historydetailview() const
{
    return control<ListView>(u"historydetailview"_s);
}

void MainWindow::setfiledialogs(FileDialogs *dialogs)
{
    m_filedialogs = dialogs != nullptr ? dialogs : m_qtdialogs.get();
}

void MainWindow::createresultcolumns()
{
    ListView *list = resultsview();
    list->clearcolumns();
    const QStringList headers = {u"URL"_s, u"Search term"_s, u"Position"_s, u"Exact URL"_s, u"Operation"_s};
    for (int i = 1; i <= int(headers.size()); ++i)
        list->addcolumn(headers.at(i - 1), m_state.reswid[i]);
}

void MainWindow::displaybits(int mode)
{
    guard("Google", "Sub displaybits", [&] {
        const ViewModeTexts texts = viewmodes::texts(mode, m_state.urldata.isEmpty());
        m_state.viewmode = mode;
        sethelpicons(mode);
        historydetailview()->hide();
        control(u"hdvclose"_s)->hide();
        setviewtexts(texts);
        m_rects[u"doanalyze"_s].top = texts.doanalyzetop;
        placeon(control(u"doanalyze"_s), m_rects.value(u"doanalyze"_s));
        for (const QString &name : viewmodes::searchcontrols())
            control(name)->setVisible(mode == viewmodes::Searches);
        for (const QString &name : viewmodes::historycontrols())
            control(name)->setVisible(mode != viewmodes::Searches);
        control(u"restxt"_s)->hide();
    });
}

void MainWindow::sethelpicons(int mode)
{
    const bool contexthelp = m_state.settings.contexthelp;
    for (int i = 0; i < helpbuttoncount(); ++i) {
        const bool panelicon = i >= viewmodes::MainViewHelpIcons && i != viewmodes::HiddenPanelIcon;
        m_helpbuttons.at(i)->setVisible(panelicon && contexthelp);
        m_helpbuttons.at(i)->setEnabled(panelicon && contexthelp);
    }
    const ViewModeTexts texts = viewmodes::texts(mode, false);
    for (int i = texts.firsthelpicon; contexthelp && i <= texts.lasthelpicon; ++i) {
        m_helpbuttons.at(i)->setVisible(true);
        m_helpbuttons.at(i)->setEnabled(true);
    }
}

void MainWindow::setviewtexts(const ViewModeTexts &texts)
{
    control<QLabel>(u"titlab"_s)->setText(texts.titlab);
    control<QLabel>(u"labhistory"_s)->setText(texts.labhistory);
    control<QCheckBox>(u"chkhistoryfirst"_s)->setText(texts.chkhistoryfirst);
    gradientbutton(u"dohistory"_s)->setText(texts.dohistory);
    gradientbutton(u"doanalyze"_s)->setText(texts.doanalyze);
    menuentry(u"mnuhistory"_s)->setText(texts.mnuhistory);
}

void MainWindow::setcols()
{
    guard("Google", "Sub setcols", [&] {
        applyscheme(colorschemes::palettefor(m_state.settings.colorscheme));
        control(u"restxt"_s)->hide();
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
            if (QWidget *widget = control(name))
                paint(widget, assignment.role, color);
        }
    }
    for (int i = 0; i < viewmodes::MainViewHelpIcons && i < helpbuttoncount(); ++i)
        paint(m_helpbuttons.at(i), ColorRole::Label, resolved(palette.mainview));
    for (const QString &name : colorschemes::gradientbuttons()) {
        gradientbutton(name)->setText(colorschemes::caption(name));
        gradientbutton(name)->setAppearance(palette.buttons);
    }
}

void MainWindow::setresultswidth()
{
    guard("Google", "Sub setresultswidth", [&] {
        for (int i = 1; i <= 5; ++i)
            resultsview()->setcolumnwidth(i, m_state.reswid[i]);
    });
}
