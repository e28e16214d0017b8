#pragma once

#include "colorschemes.h"

#include <QAbstractButton>

// The large buttons of the main window. Appearance values 1 and 6 are the bottom and top of
// the gradient, 2 the caption and its outline, 3 the outline under the mouse, 5 the outline
// while pressed or focused; style 1 draws the rounded gradient, style 0 a flat button in the
// system's face colour.
class GradientButton final : public QAbstractButton
{
    Q_OBJECT
public:
    explicit GradientButton(QWidget *parent = nullptr);

    void setAppearance(const ButtonAppearance &appearance);
    const ButtonAppearance &appearance() const { return m_appearance; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QColor color(const SchemeColor &value) const;
    QColor outline() const;
    void paintgradient(class QPainter &painter, const QRectF &frame) const;
    void paintflat(class QPainter &painter, const QRectF &frame) const;

    ButtonAppearance m_appearance;
    bool m_hovered = false;
};
