#include "waitpanel.h"

#include <QLabel>

using namespace Qt::Literals::StringLiterals;

WaitPanel::WaitPanel(QWidget &client)
    : PopupPanel(u"waitframe"_s, client), m_waitlab(addlabel(u"waitlab"_s, u"Please wait ...."_s))
{
    m_waitlab->setAlignment(Qt::AlignCenter);
    emphasise(m_waitlab);
}
