#include "popuppanel.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QLineEdit>
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

// Bold and a third larger than the panel's text.
QLabel *PopupPanel::addtitle(const QString &name, const QString &caption)
{
    QLabel *title = addlabel(name, caption);
    emphasise(title, title->font().pointSizeF() * 1.3);
    return title;
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
    QPushButton *made = button(name, caption);
    row->addWidget(made);
    return made;
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

QLabel *PopupPanel::caption(const QString &name, const QString &text)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(name);
    return label;
}

QLineEdit *PopupPanel::lineedit(const QString &name, int width, const QString &placeholder)
{
    auto *edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setPlaceholderText(placeholder);
    if (width > 0)
        edit->setFixedWidth(width);
    return edit;
}

QPushButton *PopupPanel::button(const QString &name, const QString &caption)
{
    auto *made = new QPushButton(caption, this);
    made->setObjectName(name);
    return made;
}
