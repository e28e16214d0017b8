#include "historycontroller.h"

#include "appstate.h"
#include "diagnostics/guard.h"
#include "gradientbutton.h"
#include "historydiffcontroller.h"
#include "historypanels.h"
#include "maincontrols.h"
#include "mainmenus.h"
#include "mainwindow.h"
#include "platform/filedialogs.h"
#include "platform/prompts.h"
#include "reports/browser.h"
#include "reports/reports.h"
#include "searchcontroller.h"
#include "startup.h"
#include "statuspanels.h"
#include "viewmodes.h"
#include "views/listview.h"
#include "views/rankchart.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

using namespace Qt::Literals::StringLiterals;

namespace {

enum Filter
{
    Dates,
    Urls,
    Keys,
    First
};

void fillcombo(QComboBox *box, const FilterBox &filter)
{
    box->clear();
    box->addItems(filter.items);
    box->setCurrentIndex(int(filter.items.indexOf(filter.text)));
    if (box->currentIndex() < 0 && !filter.text.isEmpty())
        box->setEditText(filter.text);
}

// The list's columns, replaced only when they differ, so the user's widths stay.
template <typename Columns> void setcolumns(ListView *list, const Columns &columns)
{
    bool same = list->columncount() == int(columns.size());
    for (int i = 0; same && i < int(columns.size()); ++i)
        same = list->headertext(i + 1) == columns.at(i).header;
    if (same)
        return;
    list->clearcolumns();
    for (const auto &column : columns) {
        if constexpr (requires { column.twips; })
            list->addcolumn(column.header, column.twips);
        else
            list->addcolumn(column.header, column.width);
    }
}

void additem(ListView *list, const QStringList &texts)
{
    ListItem item = list->additem(texts.value(0));
    for (int i = 1; i < int(texts.size()); ++i)
        item.setsubitem(i, texts.at(i));
}

} // namespace

// The window's file dialogs as they are at each command: tests replace them after start-up.
class HistoryController::WindowDialogs final : public FileDialogs
{
public:
    explicit WindowDialogs(MainWindow &window) : m_window(window) {}
    std::optional<QString> openfile(const FileDialogRequest &request) override
    {
        return m_window.filedialogs().openfile(request);
    }
    std::optional<QString> savefile(const FileDialogRequest &request) override
    {
        return m_window.filedialogs().savefile(request);
    }

private:
    MainWindow &m_window;
};

HistoryController::HistoryController(MainWindow &window, const MainControls &controls, const MainMenus &menus,
                                     StatusPanels &panels, SearchController &search, Prompts &prompts, Shell &shell,
                                     QObject *parent)
    : QObject(parent), m_window(window), m_controls(controls), m_panels(panels), m_search(search), m_prompts(prompts),
      m_shell(shell), m_dialogs(std::make_unique<WindowDialogs>(window)),
      m_fraselectread(std::make_unique<SelectReadFrame>(*window.centralWidget())),
      m_frahistory(std::make_unique<ManageHistoryFrame>(*window.centralWidget()))
{
    AppState &state = window.state();
    m_commands = std::make_unique<HistoryCommands>(state, state, m_recorddates, *this, prompts, *m_dialogs);
    m_browse = std::make_unique<HistoryBrowse>(state, m_index, m_historydata, m_recorddates, m_lists, *this, prompts,
                                               *m_dialogs);
    m_historychart = new RankChart(window.centralWidget());
    m_historychart->setObjectName(u"historychart"_s);
    m_historychart->hide();
    m_diff = std::make_unique<HistoryDiffController>(window, m_historydata, m_lists, *controls.history.historyview,
                                                     prompts, [this] { return viewmode(); });
    connectcommands(menus);
}

HistoryController::~HistoryController() = default;

void HistoryController::connectcommands(const MainMenus &menus)
{
    const auto command = [this](QAction *action, QAbstractButton *button, auto slot) {
        action->setEnabled(true);
        connect(action, &QAction::triggered, this, slot);
        if (button != nullptr)
            connect(button, &QAbstractButton::clicked, this, slot);
    };
    const ButtonRow &buttons = m_controls.buttons;
    command(menus.mnuload, buttons.doload, [this] {
        m_commands->mnuload_Click();
        m_fraselectread->show(m_commands->selectread());
    });
    command(menus.mnusave, buttons.dosave, [this] { m_commands->mnusave_Click(); });
    command(menus.mnumanhis, nullptr, [this] { manage(&HistoryCommands::mnumanhis_Click); });
    command(menus.mnuhistory, buttons.dohistory, [this] { m_browse->mnuhistory_Click(); });
    command(menus.mnuanalyze, buttons.doanalyze, [this] { mnuanalyze_Click(); });
    command(menus.mnuhistorydiff, nullptr, [this] { m_diff->mnuhistorydiff_Click(); });
    command(menus.mnuhtml, nullptr, [this] { mnuhtml_Click(); });

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

    const HistoryControls &h = m_controls.history;
    connect(h.historydates, &QComboBox::activated, this, [this] { filterclick(Dates); });
    connect(h.historyurls, &QComboBox::activated, this, [this] { filterclick(Urls); });
    connect(h.historykeys, &QComboBox::activated, this, [this] { filterclick(Keys); });
    connect(h.chkhistoryfirst, &QCheckBox::clicked, this, [this] { filterclick(First); });
    connect(h.historyview, &ListView::columnclick, this, [this](int, const QString &header) { columnclick(header); });
    connect(h.historyview, &ListView::mouseup, this, [this](Qt::MouseButton button) {
        if (button != Qt::RightButton)
            return;
        // The list reports no click for the right button: the release is the click.
        m_rightclick = true;
        historyview_Click();
    });
    connect(h.historyview, &ListView::itemclick, this, [this] {
        m_rightclick = false;
        historyview_Click();
    });
    connect(h.hdvclose, &QPushButton::clicked, this, [this] { hdvclose_Click(); });
    // By mouse or by keys: a line picks the chart's keyword.
    connect(h.historyview->tree(), &QTreeWidget::itemSelectionChanged, this, [this] {
        if (viewmode() == viewmodes::History)
            updatechart();
    });
}

void HistoryController::selectread(void (HistoryCommands::*command)())
{
    m_fraselectread->read(m_commands->selectread());
    (m_commands.get()->*command)();
    m_fraselectread->show(m_commands->selectread());
}

void HistoryController::manage(void (HistoryCommands::*command)())
{
    m_frahistory->read(m_commands->manage());
    (m_commands.get()->*command)();
    m_frahistory->show(m_commands->manage());
}

void HistoryController::readfilters()
{
    const HistoryControls &h = m_controls.history;
    m_lists.historydates.text = h.historydates->currentText();
    m_lists.historyurls.text = h.historyurls->currentText();
    m_lists.historykeys.text = h.historykeys->currentText();
    m_lists.chkhistoryfirst = h.chkhistoryfirst->isChecked();
}

void HistoryController::showfilters()
{
    const HistoryControls &h = m_controls.history;
    m_filling = true;
    fillcombo(h.historydates, m_lists.historydates);
    fillcombo(h.historyurls, m_lists.historyurls);
    fillcombo(h.historykeys, m_lists.historykeys);
    h.historydates->setVisible(m_lists.historydates.visible);
    h.labhis0->setVisible(m_lists.historydates.visible);
    h.historykeys->setVisible(m_lists.historykeys.visible);
    h.labhis2->setVisible(m_lists.historykeys.visible);
    h.chkhistoryfirst->setChecked(m_lists.chkhistoryfirst);
    m_filling = false;
}

void HistoryController::filterclick(int which)
{
    if (m_filling)
        return;
    readfilters();
    const int mode = viewmode();
    if (mode == viewmodes::History) {
        switch (which) {
        case Dates:
            m_browse->historydates_Click();
            break;
        case Urls:
            m_browse->historyurls_Click();
            break;
        case Keys:
            m_browse->historykeys_Click();
            break;
        default:
            m_browse->chkhistoryfirst_Click();
        }
    } else if (mode == viewmodes::Analysis || mode == viewmodes::HistoryAnalysis) {
        analysisfromfilters(which == Dates || which == Urls);
    }
}

void HistoryController::columnclick(const QString &header)
{
    if (viewmode() == viewmodes::History) {
        m_browse->historyview_ColumnClick(header);
    } else if (viewmode() != viewmodes::Searches) {
        guard("Historycontroller", "Sub historyview_ColumnClick", [&] {
            m_lists.historysort = historyrows::nextsort(m_lists.historysort, header);
            m_controls.history.historyview->clearitems();
            showanalysis(analysis::disana2(m_anadata));
        });
    }
}

void HistoryController::showhistory()
{
    guard("Historycontroller", "Sub showhistory", [&] {
        ListView *list = m_controls.history.historyview;
        const bool places = historyrows::hasplaces(m_lists.listed);
        setcolumns(list, historyrows::columns(places));
        // The history view always shows its date filter; only the analysis of the current
        // results hides it.
        m_lists.historydates.visible = true;
        showfilters();
        list->clearitems();
        for (const ResultRow &row : m_lists.listed)
            additem(list, places ? QStringList{row.date, row.key, row.position, row.exacturl, row.place}
                                 : QStringList{row.date, row.key, row.position, row.exacturl});
        updatechart();
        m_diff->historychanged();
    });
}

QString HistoryController::chartkeyword() const
{
    const QList<QTreeWidgetItem *> selected = m_controls.history.historyview->tree()->selectedItems();
    if (!selected.isEmpty())
        return ListItem(selected.first()).subitem(1);
    const FilterBox &keys = m_lists.historykeys;
    return keys.visible && keys.text != historyrows::ShowAll ? keys.text : QString();
}

void HistoryController::updatechart()
{
    guard("Historycontroller", "Sub updatechart", [&] {
        bool shown = false;
        if (viewmode() == viewmodes::History) {
            const QString keyword = chartkeyword();
            // Without a keyword the chart shows how visible the chosen domains are overall.
            if (keyword.isEmpty()) {
                const auto lines = visibility::build(
                    m_historydata, visibility::withcompetitors(m_historydata, m_lists.historyurls.text));
                m_historychart->setvisibility(lines);
                shown = !lines.isEmpty();
            } else {
                const QList<RankSeries> series = rankseries::build(m_historydata, keyword, m_lists.historyurls.text);
                m_historychart->setseries(keyword, series);
                shown = !series.isEmpty();
            }
        }
        m_historychart->setVisible(shown);
        if (std::exchange(m_chartshown, shown) != shown)
            m_window.Form_Resize();
    });
}

void HistoryController::mnuanalyze_Click()
{
    guard("Historycontroller", "Sub mnuanalyze_Click", [&] {
        AppState &state = m_window.state();
        if (state.searching) {
            m_prompts.message(analysis::busymessage());
            return;
        }
        const int mode = viewmode();
        if (mode == viewmodes::Analysis) {
            displaybits(viewmodes::Searches);
            return;
        }
        if (mode == viewmodes::HistoryAnalysis) {
            historyrows::setuphistory(m_historydata, state.txturl, m_lists);
            displaybits(viewmodes::History);
            showhistory();
            return;
        }
        const int next = mode == viewmodes::Searches ? viewmodes::Analysis : viewmodes::HistoryAnalysis;
        m_controls.history.historyview->clearitems();
        displaybits(next);
        if (next == viewmodes::Analysis) {
            m_current = analysis::currententry(state.urldata);
            m_historydata = HistoryData(m_current);
        }
        m_lists.chkhistoryfirst = m_controls.history.chkhistoryfirst->isChecked();
        analysis::setup(m_historydata, next, state.txturl, m_lists);
        analysisfromfilters(true);
    });
}

void HistoryController::analysisfromfilters(bool rebuildkeys)
{
    const int mode = viewmode();
    m_controls.history.historydetailview->hide();
    m_controls.history.hdvclose->hide();
    if (rebuildkeys)
        analysis::disanaurl(m_historydata, mode, m_lists);
    if (!analysis::disana(m_historydata, mode, m_lists, m_anadata)) {
        showfilters();
        return;
    }
    m_controls.history.historyview->clearitems();
    showanalysis(analysis::disana2(m_anadata));
}

void HistoryController::showanalysis(const QList<analysis::AnalysisLine> &lines)
{
    ListView *list = m_controls.history.historyview;
    setcolumns(list, analysis::columns());
    showfilters();
    list->clearitems();
    for (const analysis::AnalysisLine &line : lines)
        additem(list, QStringList{line.url} + analysis::subitems(line));
}

void HistoryController::historyview_Click()
{
    guard("Historycontroller", "Sub historyview_Click", [&] {
        ListView *list = m_controls.history.historyview;
        ListItem selected;
        for (int i = 1; i <= list->itemcount(); ++i) {
            if (list->item(i).selected())
                selected = list->item(i);
        }
        const int mode = viewmode();
        const bool rightclick = std::exchange(m_rightclick, false);
        if (mode != viewmodes::Analysis && mode != viewmodes::HistoryAnalysis)
            return;
        const HistoryControls &h = m_controls.history;
        const QString chosen = selected.isNull() ? QString() : selected.text();
        if (rightclick) {
            if (chosen.isEmpty())
                return;
            hdvclose_Click();
            reports::openbrowser(m_shell, browserpath(), chosen);
            return;
        }
        const QList<analysis::DetailLine> lines = analysis::displaydetailanalysis(m_historydata, mode, m_lists, chosen);
        h.historydetailview->clearitems();
        if (lines.isEmpty()) {
            hdvclose_Click();
            return;
        }
        setcolumns(h.historydetailview, analysis::detailcolumns(mode));
        for (const analysis::DetailLine &line : lines)
            additem(h.historydetailview, analysis::detailtexts(line, mode));
        h.historydetailview->show();
        h.historydetailview->raise();
        h.hdvclose->show();
        h.hdvclose->raise();
    });
}

void HistoryController::hdvclose_Click()
{
    m_controls.history.historydetailview->hide();
    m_controls.history.hdvclose->hide();
}

void HistoryController::mnuhtml_Click()
{
    guard("Historycontroller", "Sub mnuhtml_Click", [&] {
        AppState &state = m_window.state();
        const auto chosen = m_window.filedialogs().savefile(
            {reports::dialogtitle(), reports::dialogfilter(), reports::proposedname(state.settings.htmlfile)});
        if (!chosen)
            return;
        const QString filename = QFileInfo(*chosen).absoluteFilePath();
        if (QFileInfo::exists(filename) && !m_prompts.confirm(reports::overwritequestion()))
            return;
        state.settings.htmlfile = filename;
        setwait(reports::waittext(filename));
        const bool written = reports::writereport(viewmode(), filename, state.urldata, m_historydata,
                                                  m_controls.history.chkhistoryfirst->isChecked());
        clearwait();
        if (written)
            reports::openbrowser(m_shell, browserpath(), filename);
    });
}

QString HistoryController::browserpath()
{
    if (!m_browserexe)
        m_browserexe = reports::browserexe();
    return *m_browserexe;
}

void HistoryController::cleardomains()
{
    m_search.clearTxturls();
}

void HistoryController::adddomain(const QString &url)
{
    m_search.addTxturlsItem(url);
}

void HistoryController::setdomaintext(const QString &text)
{
    m_search.setTxturlsText(text);
}

void HistoryController::clearrecord()
{
    m_controls.search.txtkeys->clear();
    m_controls.search.pagedepth->setText(u"1"_s);
    m_search.setSearchstatus({});
    m_search.setResultslab1(u"Results"_s);
    m_search.clearresults();
}

int HistoryController::viewmode() const
{
    return m_window.state().viewmode;
}

void HistoryController::displaybits(int mode)
{
    m_window.displaybits(mode);
    if (mode != viewmodes::Searches)
        showfilters();
}

void HistoryController::clearresults()
{
    m_search.clearresults();
}

void HistoryController::disall()
{
    m_search.disall();
}

void HistoryController::setwait(const QString &text)
{
    m_panels.setwait(text);
}

void HistoryController::clearwait()
{
    m_panels.clearwait();
}

void HistoryController::writemessagebox(const QString &text)
{
    m_panels.writemessagebox(text);
}

void HistoryController::endlog(const QString &closing)
{
    m_panels.endlog(closing);
}

WindowPlacement HistoryController::placement() const
{
    return m_window.startup().placement();
}

RecordWindow HistoryController::recordwindow() const
{
    const WindowPlacement place = placement();
    RecordWindow window;
    window.metop = place.top;
    window.meleft = place.left;
    window.mewidth = place.width;
    window.meheight = place.height;
    for (int i = 0; i < 5; ++i)
        window.headw[i] = m_controls.results.resultsview->columnwidth(i + 1);
    window.txturls = m_search.txturlsText();
    return window;
}

void HistoryController::showloaded(const WindowPlacement *placed)
{
    m_window.setcols();
    m_window.displaybits(viewmode());
    m_window.setresultswidth();
    if (placed != nullptr)
        m_window.startup().applyplacement(*placed);
    m_search.filldomains();
    m_search.disall();
}
