#include "gradientbutton.h"

#include <QEnterEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

GradientButton::GradientButton(QWidget *parent) : QAbstractButton(parent)
{
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::StrongFocus);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
}

void GradientButton::setAppearance(const ButtonAppearance &appearance)
{
    m_appearance = appearance;
    update();
}

QSize GradientButton::sizeHint() const
{
    const QSize text = fontMetrics().size(Qt::TextShowMnemonic, this->text());
    return {text.width() + 24, text.height() + 16};
}

QColor GradientButton::color(const SchemeColor &value) const
{
    return value.system ? palette().color(QPalette::Button) : QColor::fromRgb(value.rgb());
}

QColor GradientButton::outline() const
{
    if (isDown() || hasFocus())
        return color(m_appearance.value5);
    return m_hovered ? color(m_appearance.value3) : color(m_appearance.value2);
}

void GradientButton::paintgradient(QPainter &painter, const QRectF &frame) const
{
    QLinearGradient fill(frame.topLeft(), frame.bottomLeft());
    QColor top = color(m_appearance.value6);
    QColor bottom = color(m_appearance.value1);
    if (isDown())
        std::swap(top, bottom);
    fill.setColorAt(0.0, top);
    fill.setColorAt(1.0, bottom);
    QPainterPath shape;
    const qreal radius = frame.height() / 5;
    shape.addRoundedRect(frame, radius, radius);
    painter.fillPath(shape, fill);
    painter.setPen(QPen(outline(), m_hovered || hasFocus() ? 2.0 : 1.0));
    painter.drawPath(shape);
}

void GradientButton::paintflat(QPainter &painter, const QRectF &frame) const
{
    painter.fillRect(frame, color(m_appearance.value1));
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Dark);
    painter.setPen(isDown() ? dark : light);
    painter.drawLine(frame.topLeft(), frame.topRight());
    painter.drawLine(frame.topLeft(), frame.bottomLeft());
    painter.setPen(isDown() ? light : dark);
    painter.drawLine(frame.bottomLeft(), frame.bottomRight());
    painter.drawLine(frame.topRight(), frame.bottomRight());
    if (m_hovered || hasFocus()) {
        painter.setPen(QPen(outline(), 1.0, hasFocus() ? Qt::DotLine : Qt::SolidLine));
        painter.drawRect(frame.adjusted(3, 3, -3, -3));
    }
}

void GradientButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    if (m_appearance.style == 1)
        paintgradient(painter, frame);
    else
        paintflat(painter, frame);
    painter.setPen(isEnabled() ? color(m_appearance.value2) : palette().color(QPalette::Disabled, QPalette::Text));
    const QRectF textbox = frame.adjusted(4, 2, -4, -2).translated(isDown() ? 1 : 0, isDown() ? 1 : 0);
    painter.drawText(textbox, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, text());
}

void GradientButton::enterEvent(QEnterEvent *event)
{
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void GradientButton::leaveEvent(QEvent *event)
{
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}
