#include "historyfilescontroller.h"

#include "appstate.h"
#include "gradientbutton.h"
#include "historylist.h"
#include "historypanels.h"
#include "maincontrols.h"
#include "mainmenus.h"
#include "searchcontroller.h"
#include "statuspanels.h"
#include "windowlayout.h"

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

HistoryFilesController::HistoryFilesController(AppState &state, HistoryList &list, const MainControls &controls,
                                               const MainMenus &menus, QWidget &client, WindowLayout &layout,
                                               SearchController &search, StatusPanels &panels, Prompts &prompts,
                                               FileDialogs &dialogs)
    : m_state(state), m_list(list), m_controls(controls), m_layout(layout), m_search(search), m_panels(panels),
      m_commands(std::make_unique<HistoryCommands>(state, state, state.recorddates, *this, prompts, dialogs)),
      m_fraselectread(std::make_unique<SelectReadFrame>(client)),
      m_frahistory(std::make_unique<ManageHistoryFrame>(client))
{
    connectcommands(menus);
}

HistoryFilesController::~HistoryFilesController() = default;

void HistoryFilesController::connectcommands(const MainMenus &menus)
{
    for (QAction *entry : {menus.mnuload, menus.mnusave, menus.mnumanhis})
        entry->setEnabled(true);
    const auto load = [this] {
        m_commands->mnuload_Click();
        m_fraselectread->show(m_commands->selectread());
    };
    const auto save = [this] { m_commands->mnusave_Click(); };
    connect(menus.mnuload, &QAction::triggered, this, load);
    connect(m_controls.buttons.doload, &QAbstractButton::clicked, this, load);
    connect(menus.mnusave, &QAction::triggered, this, save);
    connect(m_controls.buttons.dosave, &QAbstractButton::clicked, this, save);
    connect(menus.mnumanhis, &QAction::triggered, this, [this] { manage(&HistoryCommands::mnumanhis_Click); });

    connect(m_fraselectread->cmdloadcontinue(), &QPushButton::clicked, this,
            [this] { selectread(&HistoryCommands::cmdloadcontinue_Click); });
    connect(m_fraselectread->cmdloadcancel(), &QPushButton::clicked, this,
            [this] { selectread(&HistoryCommands::cmdloadcancel_Click); });
    connect(m_frahistory->cmdmhbrowse(), &QPushButton::clicked, this,
            [this] { manage(&HistoryCommands::cmdmhbrowse_Click); });
    connect(m_frahistory->cmdmhread(), &QPushButton::clicked, this,
            [this] { manage(&HistoryCommands::cmdmhread_Click); });
    connect(m_frahistory->txtmhfile(), &QLineEdit::textEdited, this,
            [this] { manage(&HistoryCommands::txtmhfile_Change); });
    connect(m_frahistory->cmdmhdelete(), &QPushButton::clicked, this,
            [this] { manage(&HistoryCommands::cmdmhdelete_Click); });
    connect(m_frahistory->cmdmhclose(), &QPushButton::clicked, this,
            [this] { manage(&HistoryCommands::cmdmhclose_Click); });
}

void HistoryFilesController::selectread(void (HistoryCommands::*command)())
{
    m_fraselectread->read(m_commands->selectread());
    (m_commands.get()->*command)();
    m_fraselectread->show(m_commands->selectread());
}

void HistoryFilesController::manage(void (HistoryCommands::*command)())
{
    m_frahistory->read(m_commands->manage());
    (m_commands.get()->*command)();
    m_frahistory->show(m_commands->manage());
}

void HistoryFilesController::cleardomains()
{
    m_search.clearTxturls();
}

void HistoryFilesController::adddomain(const QString &url)
{
    m_search.addTxturlsItem(url);
}

void HistoryFilesController::setdomaintext(const QString &text)
{
    m_search.setTxturlsText(text);
}

void HistoryFilesController::clearrecord()
{
    m_controls.search.txtkeys->clear();
    m_controls.search.pagedepth->setText(u"1"_s);
    m_search.setSearchstatus({});
    m_search.setResultslab1(u"Results"_s);
    m_search.clearresults();
}

void HistoryFilesController::displaybits(int mode)
{
    m_list.displaybits(mode);
}

void HistoryFilesController::clearresults()
{
    m_search.clearresults();
}

void HistoryFilesController::setwait(const QString &text)
{
    m_panels.setwait(text);
}

void HistoryFilesController::clearwait()
{
    m_panels.clearwait();
}

void HistoryFilesController::writemessagebox(const QString &text)
{
    m_panels.writemessagebox(text);
}

void HistoryFilesController::endlog(const QString &closing)
{
    m_panels.endlog(closing);
}

WindowPlacement HistoryFilesController::placement() const
{
    return m_layout.placement();
}

RecordWindow HistoryFilesController::recordwindow() const
{
    return m_layout.recordwindow();
}

void HistoryFilesController::showloaded(const WindowPlacement *placed)
{
    m_layout.setcols();
    m_layout.displaybits(m_state.viewmode);
    m_layout.setresultswidth();
    if (placed != nullptr)
        m_layout.applyplacement(*placed);
    m_search.filldomains();
    m_search.disall();
}
