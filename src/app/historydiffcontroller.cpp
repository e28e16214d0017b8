#include "historydiffcontroller.h"

#include "diagnostics/guard.h"
#include "platform/prompts.h"
#include "viewmodes.h"
#include "views/diffview.h"
#include "views/historyrows.h"
#include "views/listview.h"

using namespace Qt::Literals::StringLiterals;

HistoryDiffController::HistoryDiffController(QWidget &window, const HistoryData &historydata, const HistoryLists &lists,
                                             const ListView &historyview, Prompts &prompts,
                                             std::function<int()> viewmode, QObject *parent)
    : QObject(parent), m_window(window), m_historydata(historydata), m_lists(lists), m_historyview(historyview),
      m_prompts(prompts), m_viewmode(std::move(viewmode)), m_view(new DiffView(&window))
{
    connect(m_view, &DiffView::dateschosen, this, [this] { showchanges(); });
}

HistoryDiffController::~HistoryDiffController() = default;

void HistoryDiffController::mnuhistorydiff_Click()
{
    guard("Historydiffcontroller", "Sub mnuhistorydiff_Click", [&] {
        if (m_viewmode() != viewmodes::History) {
            m_prompts.message(u"Open a history file first (History, Open): what changed compares two of its records"_s);
            return;
        }
        if (!choosedates()) {
            m_prompts.message(u"There is no earlier record to compare this one with"_s);
            return;
        }
        // The history view's colours, whichever scheme is on.
        m_view->setPalette(m_historyview.parentWidget()->palette());
        m_view->setAutoFillBackground(true);
        m_view->historydiffview()->setPalette(m_historyview.palette());
        showchanges();
        // First shown over the lower part of the main window, where the history list is.
        if (!m_view->isVisible())
            m_view->setGeometry(m_window.geometry().adjusted(0, m_window.height() / 3, 0, 0));
        m_view->show();
        m_view->raise();
    });
}

void HistoryDiffController::historychanged()
{
    if (!m_view->isVisible())
        return;
    if (m_viewmode() != viewmodes::History || (dates() != m_view->dates() && !choosedates())) {
        m_view->hide();
        return;
    }
    showchanges();
}

QStringList HistoryDiffController::dates() const
{
    QStringList dates;
    for (int n = 1; n <= m_historydata.count(); ++n)
        dates << m_historydata.when(n);
    return dates;
}

bool HistoryDiffController::choosedates()
{
    const auto [from, to] = historydiff::lasttwo(m_historydata, m_lists.historydates.text);
    if (from == 0)
        return false;
    m_view->setdates(dates(), from, to);
    return true;
}

void HistoryDiffController::showchanges()
{
    guard("Historydiffcontroller", "Sub showchanges", [&] {
        m_view->setchanges(historydiff::compare(m_historydata, m_view->from(), m_view->to(), m_lists.historyurls.text,
                                                m_lists.historykeys.text));
    });
}
