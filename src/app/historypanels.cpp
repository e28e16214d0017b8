#include "historypanels.h"

#include "storage/historycommands.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace {

QComboBox *combo(QWidget *parent, const QString &name)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    return box;
}

void fill(QComboBox *box, const QStringList &items, const QString &text)
{
    box->clear();
    box->addItems(items);
    box->setCurrentIndex(int(items.indexOf(text)));
}

} // namespace

SelectReadFrame::SelectReadFrame(QWidget &client) : PopupPanel(u"fraselectread"_s, client)
{
    emphasise(addlabel(u"fraselectreadcaption"_s, u"Select a stored session"_s));
    addlabel(u"labselectread"_s,
             u"There are a number of saved searches in the selected file, please pick one to load"_s);
    m_seldate = combo(this, u"seldate"_s);
    addwidget(m_seldate);
    addstretch();
    QHBoxLayout *row = addbuttonrow();
    m_cmdloadcontinue = addbutton(row, u"cmdloadcontinue"_s, u"Continue"_s);
    m_cmdloadcancel = addbutton(row, u"cmdloadcancel"_s, u"Cancel"_s);
}

void SelectReadFrame::show(const SelectReadPanel &panel)
{
    fill(m_seldate, panel.seldate, panel.seldatetext);
    setshown(panel.visible);
}

void SelectReadFrame::read(SelectReadPanel &panel) const
{
    panel.seldatetext = m_seldate->currentText();
}

ManageHistoryFrame::ManageHistoryFrame(QWidget &client) : PopupPanel(u"frahistory"_s, client)
{
    emphasise(addlabel(u"frahistorycaption"_s, u"Manage History Files"_s));
    addlabel(u"mhlab1"_s, u"Select a file"_s);
    auto *filerow = new QHBoxLayout;
    m_txtmhfile = lineedit(u"txtmhfile"_s);
    m_cmdmhbrowse = button(u"cmdmhbrowse"_s, u"Browse..."_s);
    m_cmdmhread = button(u"cmdmhread"_s, u"Read file"_s);
    filerow->addWidget(m_txtmhfile, 1);
    filerow->addWidget(m_cmdmhbrowse);
    filerow->addWidget(m_cmdmhread);
    addlayout(filerow);
    m_mhlab2 = addlabel(u"mhlab2"_s, u"Select a date"_s);
    m_mhdates = combo(this, u"mhdates"_s);
    addwidget(m_mhdates);
    m_mhlab3 = addlabel(u"mhlab3"_s, {});
    addstretch();
    QHBoxLayout *row = addbuttonrow();
    m_cmdmhdelete = addbutton(row, u"cmdmhdelete"_s, u"Delete Selected"_s);
    m_cmdmhclose = addbutton(row, u"cmdmhclose"_s, u"Close"_s);
}

void ManageHistoryFrame::show(const ManagePanel &panel)
{
    // Shown again after every key typed into the name: the caret stays where it is.
    if (m_txtmhfile->text() != panel.txtmhfile)
        m_txtmhfile->setText(panel.txtmhfile);
    fill(m_mhdates, panel.mhdates, panel.mhdatestext);
    m_mhlab2->setVisible(panel.datesvisible);
    m_mhdates->setVisible(panel.datesvisible);
    m_cmdmhdelete->setVisible(panel.datesvisible);
    m_mhlab3->setText(panel.mhlab3);
    setshown(panel.visible);
}

void ManageHistoryFrame::read(ManagePanel &panel) const
{
    panel.txtmhfile = m_txtmhfile->text();
    panel.mhdatestext = m_mhdates->currentText();
}
