#include "wholecombobox.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QToolTip>

#include <algorithm>

WholeComboBox::WholeComboBox(QWidget *parent) : QComboBox(parent) {}

int WholeComboBox::listwidth() const
{
    const QAbstractItemView *list = view();
    int width = 0;
    for (int row = 0; row < count(); ++row)
        width = std::max(width, list->sizeHintForIndex(model()->index(row, modelColumn())).width());
    width += 2 * list->frameWidth();
    if (count() > maxVisibleItems())
        width += list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    return width;
}

void WholeComboBox::showPopup()
{
    // The list takes the box's width, or more where an entry needs it.
    view()->setMinimumWidth(listwidth());
    QComboBox::showPopup();
}

QString WholeComboBox::cuttext() const
{
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    const QString text = currentText();
    return fontMetrics().horizontalAdvance(text) > field.width() ? text : QString();
}

bool WholeComboBox::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip || !toolTip().isEmpty())
        return QComboBox::event(event);
    const QString text = cuttext();
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), text, this);
    return true;
}
