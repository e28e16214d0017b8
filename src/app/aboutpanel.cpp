#include "aboutpanel.h"

#include "platform/product.h"

#include <QBoxLayout>
#include <QLabel>

using namespace Qt::Literals::StringLiterals;

AboutPanel::AboutPanel(QWidget &client)
    : PopupPanel(u"aboutframe"_s, client), m_namelab(addlabel(u"namelab"_s, product::versiontext()))
{
    m_namelab->setAlignment(Qt::AlignCenter);
    emphasise(m_namelab, 14);
    QLabel *what = addlabel(u"aboutlab"_s, u"Tracks where your domains rank for your keywords, day after day."_s);
    what->setAlignment(Qt::AlignCenter);
    QLabel *site = addlabel(u"aboutsite"_s, product::website());
    site->setAlignment(Qt::AlignCenter);
    addstretch();
    QHBoxLayout *row = addbuttonrow();
    m_Contactquenlith = addbutton(row, u"Contactquenlith"_s, u"Visit the "_s + product::name() + u" website"_s);
    m_aboutok = addbutton(row, u"aboutok"_s, u"Continue"_s);
}
