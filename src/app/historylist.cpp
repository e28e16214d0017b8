#include "historylist.h"

#include "maincontrols.h"
#include "viewmodes.h"
#include "views/historyrows.h"
#include "windowlayout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

namespace {

void fillcombo(QComboBox *box, const FilterBox &filter)
{
    box->clear();
    box->addItems(filter.items);
    box->setCurrentIndex(int(filter.items.indexOf(filter.text)));
    if (box->currentIndex() < 0 && !filter.text.isEmpty())
        box->setEditText(filter.text);
}

} // namespace

HistoryList::HistoryList(HistoryLists &lists, const HistoryControls &controls, WindowLayout &layout)
    : m_lists(lists), m_controls(controls), m_layout(layout)
{
    const auto user = [this](Filter which) {
        return [this, which] {
            if (m_filling)
                return;
            readfilters();
            emit filterclick(which);
        };
    };
    connect(controls.historydates, &QComboBox::activated, this, user(Dates));
    connect(controls.historyurls, &QComboBox::activated, this, user(Urls));
    connect(controls.historykeys, &QComboBox::activated, this, user(Keys));
    connect(controls.chkhistoryfirst, &QCheckBox::clicked, this, user(First));
}

void HistoryList::displaybits(int mode)
{
    m_layout.displaybits(mode);
    if (mode != viewmodes::Searches)
        showfilters();
}

void HistoryList::readfilters()
{
    m_lists.historydates.text = m_controls.historydates->currentText();
    m_lists.historyurls.text = m_controls.historyurls->currentText();
    m_lists.historykeys.text = m_controls.historykeys->currentText();
    m_lists.chkhistoryfirst = m_controls.chkhistoryfirst->isChecked();
}

void HistoryList::showfilters()
{
    const HistoryControls &h = m_controls;
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

void HistoryList::additem(ListView *list, const QStringList &texts)
{
    ListItem item = list->additem(texts.value(0));
    for (int i = 1; i < int(texts.size()); ++i)
        item.setsubitem(i, texts.at(i));
}
