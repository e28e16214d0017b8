#include "timedwarningpanel.h"

#include <QLabel>

using namespace Qt::Literals::StringLiterals;

TimedWarningPanel::TimedWarningPanel(QWidget &client) : PopupPanel(u"frawarntimed"_s, client)
{
    addtitle(u"lblwarn1"_s, u"Warning !"_s);
    m_lblwarn = addlabel(u"lblwarn"_s, {});
    addstretch();
    addlabel(u"lblwarn2"_s, u"This message will automatically clear in a few seconds."_s);
    m_cmdwarnok = addbutton(addbuttonrow(), u"cmdwarnok"_s, u"OK"_s);
}
