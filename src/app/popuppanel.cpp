#include "popuppanel.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QPushButton>

PopupPanel::PopupPanel(const QString &name, QWidget &client) : QFrame(&client)
{
    setObjectName(name);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
    // A shadow lifts the panel off the window also where both share the system colour.
    auto *shadow = new QGraphicsDropShadowEffect(this);
    shadow->setBlurRadius(18);
    shadow->setOffset(3, 4);
    shadow->setColor(QColor(0, 0, 0, 110));
    setGraphicsEffect(shadow);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 8, 12, 10);
    hide();
}

void PopupPanel::setshown(bool visible)
{
    setVisible(visible);
    if (visible)
        raise();
}

QLabel *PopupPanel::addlabel(const QString &name, const QString &caption)
{
    auto *label = new QLabel(caption, this);
    label->setObjectName(name);
    label->setWordWrap(true);
    addwidget(label);
    return label;
}

void PopupPanel::addstretch()
{
    static_cast<QVBoxLayout *>(layout())->addStretch();
}

QHBoxLayout *PopupPanel::addbuttonrow()
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    static_cast<QVBoxLayout *>(layout())->addLayout(row);
    return row;
}

QPushButton *PopupPanel::addbutton(QHBoxLayout *row, const QString &name, const QString &caption)
{
    auto *button = new QPushButton(caption, this);
    button->setObjectName(name);
    row->addWidget(button);
    return button;
}

void PopupPanel::addwidget(QWidget *widget)
{
    layout()->addWidget(widget);
}

void PopupPanel::addlayout(QLayout *layout)
{
    static_cast<QVBoxLayout *>(this->layout())->addLayout(layout);
}

void PopupPanel::emphasise(QWidget *widget, qreal pointsize)
{
    QFont font = widget->font();
    font.setBold(true);
    if (pointsize > 0)
        font.setPointSizeF(pointsize);
    widget->setFont(font);
}

QCheckBox *PopupPanel::check(const QString &name, const QString &caption)
{
    auto *box = new QCheckBox(caption, this);
    box->setObjectName(name);
    return box;
}
