#include "scheduleoptionspanel.h"

#include "scheduler/scheduleoptions.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

ScheduleOptionsPanel::ScheduleOptionsPanel(QWidget &client) : PopupPanel(u"frascheduleopt"_s, client)
{
    addtitle(u"labscheduleopt"_s, u"Scheduled searches"_s);
    addlabel(u"labschedule1"_s, u"Search every domain in the list"_s);
    auto *intervals = new QHBoxLayout;
    intervals->addWidget(chksearchhour = check(u"chksearchhour"_s, u"every hour"_s));
    intervals->addWidget(chksearchday = check(u"chksearchday"_s, u"every day"_s));
    intervals->addWidget(chksearchweek = check(u"chksearchweek"_s, u"every week"_s));
    intervals->addStretch();
    addlayout(intervals);
    addwidget(autoconnect = check(u"autoconnect"_s, u"Dial the Internet connection when the computer is offline"_s));
    addwidget(autodisconnect = check(u"autodisconnect"_s, u"Hang up afterwards if the scheduler dialled"_s));
    addlabel(u"labschedule2"_s, u"Add the results of every cycle to this file:"_s);
    auto *file = new QHBoxLayout;
    file->addWidget(txtschedulefile = lineedit(u"txtschedulefile"_s), 1);
    file->addWidget(cmdschedulebrowse = button(u"cmdschedulebrowse"_s, u"Browse"_s));
    addlayout(file);
    addstretch();
    QHBoxLayout *row = addbuttonrow();
    cmdscheduleopt = addbutton(row, u"cmdscheduleopt"_s, u"OK"_s);
    cmdscheduleoptcancel = addbutton(row, u"cmdscheduleoptcancel"_s, u"Cancel"_s);
}

ScheduleOptions ScheduleOptionsPanel::boxes() const
{
    return {chksearchhour->isChecked(), chksearchday->isChecked(),   chksearchweek->isChecked(),
            autoconnect->isChecked(),   autodisconnect->isChecked(), txtschedulefile->text()};
}

void ScheduleOptionsPanel::setboxes(const ScheduleOptions &boxes)
{
    chksearchhour->setChecked(boxes.chksearchhour);
    chksearchday->setChecked(boxes.chksearchday);
    chksearchweek->setChecked(boxes.chksearchweek);
    autoconnect->setChecked(boxes.autoconnect);
    autodisconnect->setChecked(boxes.autodisconnect);
    txtschedulefile->setText(boxes.txtschedulefile);
}
