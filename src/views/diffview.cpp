#include "diffview.h"

#include "diagnostics/guard.h"
#include "listview.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

DiffView::DiffView(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(u"fradiff"_s);
    setWindowTitle(u"What changed"_s);
    m_from = new QComboBox(this);
    m_from->setObjectName(u"diffdatefrom"_s);
    m_to = new QComboBox(this);
    m_to->setObjectName(u"diffdateto"_s);
    m_summary = new QLabel(this);
    m_list = new ListView(this);
    m_list->setObjectName(u"historydiffview"_s);
    for (const auto &[header, twips] : {std::pair{u"Domain"_s, 2200},
                                        {u"Search term"_s, 2200},
                                        {u"Then"_s, 1200},
                                        {u"Now"_s, 1200},
                                        {u"What changed"_s, 6000}})
        m_list->addcolumn(header, twips);
    auto *dates = new QHBoxLayout;
    dates->addWidget(new QLabel(u"From"_s, this));
    dates->addWidget(m_from);
    dates->addWidget(new QLabel(u"to"_s, this));
    dates->addWidget(m_to);
    dates->addWidget(m_summary, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(dates);
    layout->addWidget(m_list, 1);
    for (QComboBox *box : {m_from, m_to})
        connect(box, &QComboBox::activated, this, &DiffView::dateschosen);
    resize(900, 420);
}

void DiffView::setdates(const QStringList &dates, int from, int to)
{
    for (QComboBox *box : {m_from, m_to}) {
        box->clear();
        box->addItems(dates);
    }
    m_from->setCurrentIndex(from - 1);
    m_to->setCurrentIndex(to - 1);
}

int DiffView::from() const
{
    return m_from->currentIndex() + 1;
}

QStringList DiffView::dates() const
{
    QStringList dates;
    for (int i = 0; i < m_from->count(); ++i)
        dates << m_from->itemText(i);
    return dates;
}

int DiffView::to() const
{
    return m_to->currentIndex() + 1;
}

void DiffView::setchanges(const QList<historydiff::Change> &changes)
{
    guard("Diffview", "Sub setchanges", [&] {
        m_list->clearitems();
        for (const historydiff::Change &change : changes) {
            const QString key = change.place.isEmpty() ? change.key : change.key + u" ("_s + change.place + u')';
            // The keyword's first line carries its positions; the lines after it only what changed.
            bool first = true;
            for (const QString &fact : historydiff::facts(change)) {
                ListItem item = m_list->additem(change.domain);
                item.setsubitem(1, key);
                item.setsubitem(2, first ? change.then.text() : QString());
                item.setsubitem(3, first ? change.now.text() : QString());
                item.setsubitem(4, fact);
                first = false;
            }
        }
        const qsizetype n = changes.size();
        m_summary->setText(n == 0   ? u"Nothing changed"_s
                           : n == 1 ? u"1 keyword changed"_s
                                    : QString::number(n) + u" keywords changed"_s);
    });
}
