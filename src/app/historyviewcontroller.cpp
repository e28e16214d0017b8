#include "historyviewcontroller.h"

#include "appstate.h"
#include "diagnostics/guard.h"
#include "gradientbutton.h"
#include "historydiffcontroller.h"
#include "maincontrols.h"
#include "mainmenus.h"
#include "searchcontroller.h"
#include "statuspanels.h"
#include "viewmodes.h"
#include "views/rankchart.h"
#include "views/visibility.h"
#include "windowlayout.h"

#include <QAction>
#include <QTreeWidget>

using namespace Qt::Literals::StringLiterals;

HistoryViewController::HistoryViewController(AppState &state, HistoryList &list, const MainControls &controls,
                                             const MainMenus &menus, QWidget &client, WindowLayout &layout,
                                             SearchController &search, StatusPanels &panels, Prompts &prompts,
                                             FileDialogs &dialogs)
    : m_state(state), m_list(list), m_controls(controls), m_layout(layout), m_search(search), m_panels(panels),
      m_browse(std::make_unique<HistoryBrowse>(state, state.historyindex, state.historydata, state.recorddates,
                                               state.historylists, *this, prompts, dialogs)),
      m_historychart(std::make_unique<RankChart>(&client)),
      m_diff(std::make_unique<HistoryDiffController>(*client.window(), state.historydata, state.historylists,
                                                     *controls.history.historyview, prompts,
                                                     [this] { return viewmode(); }))
{
    m_historychart->setObjectName(u"historychart"_s);
    m_historychart->hide();
    connectcommands(menus);
}

HistoryViewController::~HistoryViewController() = default;

void HistoryViewController::connectcommands(const MainMenus &menus)
{
    menus.mnuhistory->setEnabled(true);
    connect(menus.mnuhistory, &QAction::triggered, this, [this] { m_browse->mnuhistory_Click(); });
    connect(m_controls.buttons.dohistory, &QAbstractButton::clicked, this, [this] { m_browse->mnuhistory_Click(); });
    menus.mnuhistorydiff->setEnabled(true);
    connect(menus.mnuhistorydiff, &QAction::triggered, this, [this] { m_diff->mnuhistorydiff_Click(); });
    connect(&m_list, &HistoryList::filterclick, this, &HistoryViewController::filterclick);
    const HistoryControls &h = m_controls.history;
    connect(h.historyview, &ListView::columnclick, this, [this](int, const QString &header) {
        if (viewmode() == viewmodes::History)
            m_browse->historyview_ColumnClick(header);
    });
    // By mouse or by keys: a line picks the chart's keyword.
    connect(h.historyview->tree(), &QTreeWidget::itemSelectionChanged, this, [this] {
        if (viewmode() == viewmodes::History)
            updatechart();
    });
}

void HistoryViewController::filterclick(HistoryList::Filter which)
{
    if (viewmode() != viewmodes::History)
        return;
    switch (which) {
    case HistoryList::Dates:
        m_browse->historydates_Click();
        break;
    case HistoryList::Urls:
        m_browse->historyurls_Click();
        break;
    case HistoryList::Keys:
        m_browse->historykeys_Click();
        break;
    case HistoryList::First:
        m_browse->chkhistoryfirst_Click();
    }
}

void HistoryViewController::showhistory()
{
    guard("Historyviewcontroller", "Sub showhistory", [&] {
        HistoryLists &lists = m_state.historylists;
        ListView *list = m_controls.history.historyview;
        const bool places = historyrows::hasplaces(lists.listed);
        HistoryList::setcolumns(list, historyrows::columns(places));
        // The history view always shows its date filter; only the analysis of the current
        // results hides it.
        lists.historydates.visible = true;
        m_list.showfilters();
        list->clearitems();
        for (const ResultRow &row : lists.listed)
            HistoryList::additem(list, places ? QStringList{row.date, row.key, row.position, row.exacturl, row.place}
                                              : QStringList{row.date, row.key, row.position, row.exacturl});
        updatechart();
        m_diff->historychanged();
    });
}

QString HistoryViewController::chartkeyword() const
{
    const QList<QTreeWidgetItem *> selected = m_controls.history.historyview->tree()->selectedItems();
    if (!selected.isEmpty())
        return ListItem(selected.first()).subitem(1);
    const FilterBox &keys = m_state.historylists.historykeys;
    return keys.visible && keys.text != historyrows::ShowAll ? keys.text : QString();
}

void HistoryViewController::updatechart()
{
    guard("Historyviewcontroller", "Sub updatechart", [&] {
        bool shown = false;
        if (viewmode() == viewmodes::History) {
            const QString keyword = chartkeyword();
            const HistoryData &data = m_state.historydata;
            const QString &domain = m_state.historylists.historyurls.text;
            // Without a keyword the chart shows how visible the chosen domains are overall.
            if (keyword.isEmpty()) {
                const auto lines = visibility::build(data, visibility::withcompetitors(data, domain));
                m_historychart->setvisibility(lines);
                shown = !lines.isEmpty();
            } else {
                const QList<RankSeries> series = rankseries::build(data, keyword, domain);
                m_historychart->setseries(keyword, series);
                shown = !series.isEmpty();
            }
        }
        m_historychart->setVisible(shown);
        if (std::exchange(m_chartshown, shown) != shown)
            m_layout.Form_Resize();
    });
}

int HistoryViewController::viewmode() const
{
    return m_state.viewmode;
}

void HistoryViewController::displaybits(int mode)
{
    m_list.displaybits(mode);
}

void HistoryViewController::disall()
{
    m_search.disall();
}

void HistoryViewController::setwait(const QString &text)
{
    m_panels.setwait(text);
}

void HistoryViewController::clearwait()
{
    m_panels.clearwait();
}

void HistoryViewController::writemessagebox(const QString &text)
{
    m_panels.writemessagebox(text);
}
