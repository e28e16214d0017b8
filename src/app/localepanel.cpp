#include "localepanel.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace {

QLineEdit *lineedit(QWidget *parent, const QString &name, const QString &placeholder, int width = 0)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setPlaceholderText(placeholder);
    if (width > 0)
        edit->setFixedWidth(width);
    return edit;
}

QLabel *caption(QWidget *parent, const QString &name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

} // namespace

LocalePanel::LocalePanel(QWidget &client) : PopupPanel(u"fralocale"_s, client)
{
    QLabel *title = addlabel(u"lablocale"_s, u"Where and on what"_s);
    emphasise(title, title->font().pointSizeF() * 1.3);
    addlabel(u"lablocale1"_s, u"Rankings differ from place to place and between phones and computers. Leave a "
                              u"box empty for the search service's own choice."_s);
    auto *grid = new QGridLayout;
    grid->addWidget(caption(this, u"labcountry"_s, u"Country"_s), 0, 0);
    grid->addWidget(txtcountry = lineedit(this, u"txtcountry"_s, u"us"_s, 64), 0, 1);
    grid->addWidget(caption(this, u"labcountry2"_s, u"two-letter code: us, gb, de, fr"_s), 0, 2);
    grid->addWidget(caption(this, u"lablanguage"_s, u"Language"_s), 1, 0);
    grid->addWidget(txtlanguage = lineedit(this, u"txtlanguage"_s, u"en"_s, 64), 1, 1);
    grid->addWidget(caption(this, u"lablanguage2"_s, u"en, de, pt-br"_s), 1, 2);
    grid->addWidget(caption(this, u"labdevice"_s, u"Device"_s), 2, 0);
    grid->addWidget(chodevice = new QComboBox(this), 2, 1, 1, 2, Qt::AlignLeft);
    chodevice->setObjectName(u"chodevice"_s);
    chodevice->addItem(u"(service's choice)"_s, QString());
    chodevice->addItem(u"desktop"_s, u"desktop"_s);
    chodevice->addItem(u"mobile"_s, u"mobile"_s);
    grid->addWidget(caption(this, u"lablocation"_s, u"Place"_s), 3, 0);
    grid->addWidget(txtlocation = lineedit(this, u"txtlocation"_s, u"Berlin, Germany"_s), 3, 1, 1, 2);
    grid->setColumnStretch(2, 1);
    addlayout(grid);
    QLabel *rivals = addlabel(u"labcompetitors"_s, u"Competitors"_s);
    emphasise(rivals);
    addlabel(u"labcompetitors1"_s, u"Other domains to rank on this domain's search terms, separated by commas. "
                                   u"They are read from the same result pages, at no extra request, and kept "
                                   u"as domains of their own."_s);
    addwidget(txtcompetitors = lineedit(this, u"txtcompetitors"_s, u"rival.example, other.example"_s));
    addstretch();
    QHBoxLayout *row = addbuttonrow();
    cmdlocaleok = addbutton(row, u"cmdlocaleok"_s, u"OK"_s);
    cmdlocalecancel = addbutton(row, u"cmdlocalecancel"_s, u"Cancel"_s);
}

SearchLocale LocalePanel::boxes() const
{
    return {txtcountry->text(), txtlanguage->text(), chodevice->currentData().toString(), txtlocation->text()};
}

void LocalePanel::setboxes(const SearchLocale &locale)
{
    txtcountry->setText(locale.country);
    txtlanguage->setText(locale.language);
    // A device the list does not hold (a hand-edited file) is shown as it is, to be refused.
    const int index = chodevice->findData(locale.device);
    if (index < 0)
        chodevice->addItem(locale.device, locale.device);
    chodevice->setCurrentIndex(chodevice->findData(locale.device));
    txtlocation->setText(locale.location);
}

QWidget *LocalePanel::box(QString SearchLocale::*member) const
{
    if (member == &SearchLocale::country)
        return txtcountry;
    if (member == &SearchLocale::language)
        return txtlanguage;
    return member == &SearchLocale::device ? static_cast<QWidget *>(chodevice) : txtlocation;
}
