#pragma once

#include "popuppanel.h"

// The wait panel `waitframe`, shown during long operations.
class WaitPanel final : public PopupPanel
{
    Q_OBJECT
public:
    explicit WaitPanel(QWidget &client);

    QLabel *waitlab() const { return m_waitlab; }

private:
    QLabel *m_waitlab;
};
