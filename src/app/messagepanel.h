#pragma once

#include "popuppanel.h"

// The message panel `messageframe`: a text and the buttons that offer a new version's download.
class MessagePanel final : public PopupPanel
{
    Q_OBJECT
public:
    explicit MessagePanel(QWidget &client);

    QLabel *messagelab() const { return m_messagelab; }
    QPushButton *visitdownload() const { return m_visitdownload; }
    QPushButton *Autodownload() const { return m_Autodownload; }
    QPushButton *messageok() const { return m_messageok; }

private:
    QLabel *m_messagelab;
    QPushButton *m_visitdownload = nullptr;
    QPushButton *m_Autodownload = nullptr;
    QPushButton *m_messageok = nullptr;
};
