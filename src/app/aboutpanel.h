#pragma once

#include "popuppanel.h"

// The about panel `aboutframe`: the program's name and version, its web site, and the way back.
class AboutPanel final : public PopupPanel
{
    Q_OBJECT
public:
    explicit AboutPanel(QWidget &client);

    QLabel *namelab() const { return m_namelab; }
    QPushButton *Contactquenlith() const { return m_Contactquenlith; }
    QPushButton *aboutok() const { return m_aboutok; }

private:
    QLabel *m_namelab;
    QPushButton *m_Contactquenlith = nullptr;
    QPushButton *m_aboutok = nullptr;
};
