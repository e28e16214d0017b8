#pragma once

#include <QFrame>

class QHBoxLayout;
class QLabel;
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
    // The panel's content, top to bottom: word-wrapped labels, a stretch, rows of buttons on the right.
    QLabel *addlabel(const QString &name, const QString &caption);
    void addstretch();
    QHBoxLayout *addbuttonrow();
    QPushButton *addbutton(QHBoxLayout *row, const QString &name, const QString &caption);
    void addwidget(QWidget *widget);

    static void emphasise(QWidget *widget, qreal pointsize = 0);
};
