#pragma once

#include <QComboBox>

// A combo box that hides none of its texts: its drop-down list is as wide as its widest entry,
// and when the box itself is too narrow for its current text, the whole text is its tool tip.
class WholeComboBox final : public QComboBox
{
    Q_OBJECT
public:
    explicit WholeComboBox(QWidget *parent = nullptr);

    void showPopup() override;

    // The width the drop-down list needs to show every entry whole.
    int listwidth() const;
    // The current text when the box cuts it; "" when it shows it whole.
    QString cuttext() const;

protected:
    bool event(QEvent *event) override;
};
