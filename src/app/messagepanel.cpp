#include "messagepanel.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

MessagePanel::MessagePanel(QWidget &client)
    : PopupPanel(u"messageframe"_s, client), m_messagelab(addlabel(u"messagelab"_s, {}))
{
    m_messagelab->setAlignment(Qt::AlignCenter);
    addstretch();
    QHBoxLayout *row = addbuttonrow();
    m_visitdownload = addbutton(row, u"visitdownload"_s, u"Visit Download Page"_s);
    m_Autodownload = addbutton(row, u"Autodownload"_s, u"Update Now !"_s);
    m_messageok = addbutton(row, u"messageok"_s, u"Ignore"_s);
    // Only an announced update offers the download.
    m_visitdownload->hide();
    m_Autodownload->hide();
}
