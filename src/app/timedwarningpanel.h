#pragma once

#include "popuppanel.h"

// The timed-warning panel `frawarntimed`; the run controller fills `lblwarn` and clears the
// panel after a few ticks.
class TimedWarningPanel final : public PopupPanel
{
    Q_OBJECT
public:
    explicit TimedWarningPanel(QWidget &client);

    QLabel *lblwarn() const { return m_lblwarn; }
    QPushButton *cmdwarnok() const { return m_cmdwarnok; }

private:
    QLabel *m_lblwarn = nullptr;
    QPushButton *m_cmdwarnok = nullptr;
};
