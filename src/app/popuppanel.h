#pragma once

#include <QFrame>

class QCheckBox;
class QHBoxLayout;
class QLayout;
class QLabel;
class QLineEdit;
class QPushButton;

// A pop-up panel: a raised frame over the window's client area, hidden until its command shows
// it. The window centres it by its name and colours its controls by theirs.
class PopupPanel : public QFrame
{
    Q_OBJECT
public:
    PopupPanel(const QString &name, QWidget &client);

    // Shows the panel above everything else, or hides it.
    void setshown(bool visible);

protected:
    // The panel's content, top to bottom: a title, word-wrapped labels, a stretch, rows of
    // buttons on the right.
    QLabel *addtitle(const QString &name, const QString &caption);
    QLabel *addlabel(const QString &name, const QString &caption);
    void addstretch();
    QHBoxLayout *addbuttonrow();
    QPushButton *addbutton(QHBoxLayout *row, const QString &name, const QString &caption);
    void addwidget(QWidget *widget);
    // Controls of the panel, to be placed by the caller.
    QCheckBox *check(const QString &name, const QString &caption);
    QLabel *caption(const QString &name, const QString &text);
    QLineEdit *lineedit(const QString &name, int width = 0, const QString &placeholder = {});
    QPushButton *button(const QString &name, const QString &caption);
    // A grid or row of controls; its widgets become the panel's own children.
    void addlayout(QLayout *layout);

    static void emphasise(QWidget *widget, qreal pointsize = 0);
};
