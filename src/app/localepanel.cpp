#include "localepanel.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

LocalePanel::LocalePanel(QWidget &client) : PopupPanel(u"fralocale"_s, client)
{
    addtitle(u"lablocale"_s, u"Where and on what"_s);
    addlabel(u"lablocale1"_s, u"Rankings differ from place to place and between phones and computers. Leave a "
                              u"box empty for the search service's own choice."_s);
    auto *grid = new QGridLayout;
    grid->addWidget(caption(u"labcountry"_s, u"Country"_s), 0, 0);
    grid->addWidget(txtcountry = lineedit(u"txtcountry"_s, 64, u"us"_s), 0, 1);
    grid->addWidget(caption(u"labcountry2"_s, u"two-letter code: us, gb, de, fr"_s), 0, 2);
    grid->addWidget(caption(u"lablanguage"_s, u"Language"_s), 1, 0);
    grid->addWidget(txtlanguage = lineedit(u"txtlanguage"_s, 64, u"en"_s), 1, 1);
    grid->addWidget(caption(u"lablanguage2"_s, u"en, de, pt-br"_s), 1, 2);
    grid->addWidget(caption(u"labdevice"_s, u"Device"_s), 2, 0);
    grid->addWidget(chodevice = new QComboBox(this), 2, 1, 1, 2, Qt::AlignLeft);
    chodevice->setObjectName(u"chodevice"_s);
    chodevice->addItem(u"(service's choice)"_s, QString());
    chodevice->addItem(u"desktop"_s, u"desktop"_s);
    chodevice->addItem(u"mobile"_s, u"mobile"_s);
    grid->addWidget(caption(u"lablocation"_s, u"Place"_s), 3, 0);
    grid->addWidget(txtlocation = lineedit(u"txtlocation"_s, 0, u"Berlin, Germany"_s), 3, 1, 1, 2);
    grid->setColumnStretch(2, 1);
    addlayout(grid);
    QLabel *rivals = addlabel(u"labcompetitors"_s, u"Competitors"_s);
    emphasise(rivals);
    addlabel(u"labcompetitors1"_s, u"Other domains to rank on this domain's search terms, separated by commas. "
                                   u"They are read from the same result pages, at no extra request, and kept "
                                   u"as domains of their own."_s);
    addwidget(txtcompetitors = lineedit(u"txtcompetitors"_s, 0, u"rival.example, other.example"_s));
    addstretch();
    QHBoxLayout *row = addbuttonrow();
    cmdlocaleok = addbutton(row, u"cmdlocaleok"_s, u"OK"_s);
    cmdlocalecancel = addbutton(row, u"cmdlocalecancel"_s, u"Cancel"_s);
    txtcountry->setAccessibleName(u"Country, a two-letter code"_s);
    txtlanguage->setAccessibleName(u"Language"_s);
    chodevice->setAccessibleName(u"Device"_s);
    txtlocation->setAccessibleName(u"Place"_s);
    txtcompetitors->setAccessibleName(u"Competitors, domains separated by commas"_s);
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
