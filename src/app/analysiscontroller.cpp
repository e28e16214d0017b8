#include "analysiscontroller.h"

#include "appstate.h"
#include "diagnostics/guard.h"
#include "gradientbutton.h"
#include "historyviewcontroller.h"
#include "maincontrols.h"
#include "mainmenus.h"
#include "platform/prompts.h"
#include "viewmodes.h"
#include "webbrowser.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>

AnalysisController::AnalysisController(AppState &state, HistoryList &list, HistoryViewController &historyview,
                                       const MainControls &controls, const MainMenus &menus, Prompts &prompts,
                                       WebBrowser &browser)
    : m_state(state), m_list(list), m_historyview(historyview), m_controls(controls), m_prompts(prompts),
      m_browser(browser)
{
    connectcommands(menus);
}

void AnalysisController::connectcommands(const MainMenus &menus)
{
    menus.mnuanalyze->setEnabled(true);
    connect(menus.mnuanalyze, &QAction::triggered, this, &AnalysisController::mnuanalyze_Click);
    connect(m_controls.buttons.doanalyze, &QAbstractButton::clicked, this, &AnalysisController::mnuanalyze_Click);
    connect(&m_list, &HistoryList::filterclick, this, &AnalysisController::filterclick);
    const HistoryControls &h = m_controls.history;
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
    connect(h.hdvclose, &QPushButton::clicked, this, &AnalysisController::hdvclose_Click);
}

bool AnalysisController::analysing() const
{
    return m_state.viewmode == viewmodes::Analysis || m_state.viewmode == viewmodes::HistoryAnalysis;
}

void AnalysisController::filterclick(HistoryList::Filter which)
{
    if (analysing())
        analysisfromfilters(which == HistoryList::Dates || which == HistoryList::Urls);
}

void AnalysisController::columnclick(const QString &header)
{
    if (!analysing())
        return;
    guard("Analysiscontroller", "Sub historyview_ColumnClick", [&] {
        HistoryLists &lists = m_state.historylists;
        lists.historysort = historyrows::nextsort(lists.historysort, header);
        m_controls.history.historyview->clearitems();
        showanalysis(analysis::disana2(m_state.anadata));
    });
}

void AnalysisController::mnuanalyze_Click()
{
    guard("Analysiscontroller", "Sub mnuanalyze_Click", [&] {
        if (m_state.searching) {
            m_prompts.message(analysis::busymessage());
            return;
        }
        const int mode = m_state.viewmode;
        if (mode == viewmodes::Analysis) {
            m_list.displaybits(viewmodes::Searches);
            return;
        }
        if (mode == viewmodes::HistoryAnalysis) {
            historyrows::setuphistory(m_state.historydata, m_state.txturl, m_state.historylists);
            m_list.displaybits(viewmodes::History);
            m_historyview.showhistory();
            return;
        }
        const int next = mode == viewmodes::Searches ? viewmodes::Analysis : viewmodes::HistoryAnalysis;
        m_controls.history.historyview->clearitems();
        m_list.displaybits(next);
        if (next == viewmodes::Analysis) {
            m_state.currententry = analysis::currententry(m_state.urldata);
            m_state.historydata = HistoryData(m_state.currententry);
        }
        m_state.historylists.chkhistoryfirst = m_controls.history.chkhistoryfirst->isChecked();
        analysis::setup(m_state.historydata, next, m_state.txturl, m_state.historylists);
        analysisfromfilters(true);
    });
}

void AnalysisController::analysisfromfilters(bool rebuildkeys)
{
    const int mode = m_state.viewmode;
    hdvclose_Click();
    if (rebuildkeys)
        analysis::disanaurl(m_state.historydata, mode, m_state.historylists);
    if (!analysis::disana(m_state.historydata, mode, m_state.historylists, m_state.anadata)) {
        m_list.showfilters();
        return;
    }
    m_controls.history.historyview->clearitems();
    showanalysis(analysis::disana2(m_state.anadata));
}

void AnalysisController::showanalysis(const QList<analysis::AnalysisLine> &lines)
{
    ListView *list = m_controls.history.historyview;
    HistoryList::setcolumns(list, analysis::columns());
    m_list.showfilters();
    list->clearitems();
    for (const analysis::AnalysisLine &line : lines)
        HistoryList::additem(list, QStringList{line.url} + analysis::subitems(line));
}

void AnalysisController::historyview_Click()
{
    guard("Analysiscontroller", "Sub historyview_Click", [&] {
        ListView *list = m_controls.history.historyview;
        ListItem selected;
        for (int i = 1; i <= list->itemcount(); ++i) {
            if (list->item(i).selected())
                selected = list->item(i);
        }
        const bool rightclick = std::exchange(m_rightclick, false);
        if (!analysing())
            return;
        const QString chosen = selected.isNull() ? QString() : selected.text();
        if (!rightclick) {
            showdetail(chosen);
        } else if (!chosen.isEmpty()) {
            hdvclose_Click();
            m_browser.openbrowser(chosen);
        }
    });
}

// The detail panel over the lower half of the list: every occurrence of the chosen URL.
void AnalysisController::showdetail(const QString &chosen)
{
    const int mode = m_state.viewmode;
    const HistoryControls &h = m_controls.history;
    const QList<analysis::DetailLine> lines =
        analysis::displaydetailanalysis(m_state.historydata, mode, m_state.historylists, chosen);
    h.historydetailview->clearitems();
    if (lines.isEmpty()) {
        hdvclose_Click();
        return;
    }
    HistoryList::setcolumns(h.historydetailview, analysis::detailcolumns(mode));
    for (const analysis::DetailLine &line : lines)
        HistoryList::additem(h.historydetailview, analysis::detailtexts(line, mode));
    h.historydetailview->show();
    h.historydetailview->raise();
    h.hdvclose->show();
    h.hdvclose->raise();
}

void AnalysisController::hdvclose_Click()
{
    m_controls.history.historydetailview->hide();
    m_controls.history.hdvclose->hide();
}
