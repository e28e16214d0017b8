#include "resultsview.h"

#include "bgrcolor.h"
#include "diagnostics/guard.h"
#include "listview.h"
#include "search/searchstate.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>

using namespace Qt::Literals::StringLiterals;

namespace {

// The list view as the row writer sees it.
class ListAdapter final : public ResultList
{
public:
    explicit ListAdapter(ListView &list) : m_list(list) {}

    int count() const override { return m_list.itemcount(); }
    QString text(int item) const override { return m_list.item(item).text(); }
    QString subitem(int item, int sub) const override { return m_list.item(item).subitem(sub); }
    void setsubitem(int item, int sub, const QString &text) override { m_list.item(item).setsubitem(sub, text); }
    void insert(int index, const QString &text, const QStringList &subitems) override
    {
        ListItem item = m_list.insertitem(index, text);
        for (int i = 1; i <= int(subitems.size()); ++i)
            item.setsubitem(i, subitems.at(i - 1));
    }
    void setforecolor(int item, quint32 bgr) override
    {
        const QColor colour = bgrcolor(bgr);
        ListItem line = m_list.item(item);
        line.setforecolor(colour);
        for (int i = 1; i <= 4; ++i)
            line.setsubitemforecolor(i, colour);
    }
    bool selected(int item) const override { return m_list.item(item).selected(); }

private:
    ListView &m_list;
};

} // namespace

ResultsView::ResultsView(SearchState &state, ListView &list, QLabel &resultslab1, QPlainTextEdit &txtdisplay,
                         QCheckBox &chkdispfirst, QObject *parent)
    : QObject(parent), m_state(state), m_list(list), m_resultslab1(resultslab1), m_txtdisplay(txtdisplay),
      m_chkdispfirst(chkdispfirst)
{
    connect(&m_list, &ListView::itemclick, this, &ResultsView::resultsview_Click);
    connect(&m_list, &ListView::columnclick, this,
            [this](int, const QString &header) { resultsview_ColumnClick(header); });
    connect(&m_chkdispfirst, &QCheckBox::clicked, this, &ResultsView::chkdispfirst_Click);
}

void ResultsView::clear()
{
    m_list.clearitems();
    m_txtdisplay.clear();
}

void ResultsView::disres()
{
    guard("Resultsview", "Sub disres", [&] {
        m_rows = List1<ResultRow>();
        const int d = findsession(m_state);
        if (d == 0)
            return;
        const SearchSession &session = m_state.urldata[d];
        m_resultslab1.setText(session.resulttime.isEmpty() ? u"Results:"_s : u"Results at: "_s + session.resulttime);
        if (session.keys.isEmpty())
            clear();
        m_rows = resultrows::build(m_state, d, m_chkdispfirst.isChecked());
        disres2();
    });
}

void ResultsView::disres2()
{
    guard("Resultsview", "Sub disres2", [&] {
        resultrows::sort(m_rows, m_resultsort);
        ListAdapter list(m_list);
        // One repaint for the whole pass instead of one per line.
        m_list.setUpdatesEnabled(false);
        resultrows::write(m_rows, list);
        m_list.setUpdatesEnabled(true);
        resultsview_Click();
    });
}

void ResultsView::resultsview_Click()
{
    guard("Resultsview", "Sub resultsview_Click", [&] {
        if (findsession(m_state) == 0)
            return;
        ListAdapter list(m_list);
        QString text;
        if (resultrows::detail(m_rows, list, &text))
            m_txtdisplay.setPlainText(text);
    });
}

void ResultsView::resultsview_ColumnClick(const QString &header)
{
    guard("Resultsview", "Sub resultsview_ColumnClick", [&] {
        m_resultsort = resultrows::nextsort(m_resultsort, header);
        clear();
        disres2();
    });
}

void ResultsView::chkdispfirst_Click()
{
    guard("Resultsview", "Sub chkdispfirst_Click", [&] {
        clear();
        disres();
    });
}
