#pragma once

#include "popuppanel.h"

class QCheckBox;
class QLineEdit;
struct ScheduleOptions;

// The schedule-options panel `frascheduleopt`: the interval, the dial-up behaviour and the
// results file of the scheduler.
class ScheduleOptionsPanel final : public PopupPanel
{
    Q_OBJECT
public:
    explicit ScheduleOptionsPanel(QWidget &client);

    // The boxes as the scheduler's rules see them, and back.
    ScheduleOptions boxes() const;
    void setboxes(const ScheduleOptions &boxes);

    QCheckBox *chksearchhour = nullptr;
    QCheckBox *chksearchday = nullptr;
    QCheckBox *chksearchweek = nullptr;
    QCheckBox *autoconnect = nullptr;
    QCheckBox *autodisconnect = nullptr;
    QLineEdit *txtschedulefile = nullptr;
    QPushButton *cmdschedulebrowse = nullptr;
    QPushButton *cmdscheduleopt = nullptr;
    QPushButton *cmdscheduleoptcancel = nullptr;
};
