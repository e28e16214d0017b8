#pragma once

#include <QColor>
#include <QList>
#include <QPointer>
#include <QWidget>

class QTreeWidget;
class QTreeWidgetItem;

// One line of a ListView: its text (column 1), the texts of its sub-items (columns 2 on,
// numbered from 1), their fore colours, and whether it is selected. A light handle: it
// stays valid until the line is removed.
class ListItem final
{
public:
    ListItem() = default;
    explicit ListItem(QTreeWidgetItem *item) : m_item(item) {}

    bool isNull() const { return m_item == nullptr; }

    QString text() const;
    void settext(const QString &text);
    QString subitem(int index) const;
    void setsubitem(int index, const QString &text);

    QColor forecolor() const;
    void setforecolor(const QColor &color);
    QColor subitemforecolor(int index) const;
    void setsubitemforecolor(int index, const QColor &color);

    bool selected() const;

private:
    int column(int subitem) const;
    QColor columncolor(int column) const;

    QTreeWidgetItem *m_item = nullptr;
};

// A list in report style with 1-based columns and items, column widths in twips, and the
// events the views handle: a click on a line, a click on a column header (its 1-based
// number and text) and a mouse button released over the lines. Lines keep the order in
// which they were added; the list never sorts them itself, but its header shows the order the
// view chose. A cell or header too narrow for its text shows the whole text as a tool tip, and
// a double click on a header's divider fits the column to its texts.
class ListView final : public QWidget
{
    Q_OBJECT
public:
    explicit ListView(QWidget *parent = nullptr);

    void clearcolumns();
    void addcolumn(const QString &header, int width);
    int columncount() const;
    QString headertext(int column) const;
    int columnwidth(int column) const;
    void setcolumnwidth(int column, int width);

    void clearitems();
    int itemcount() const;
    ListItem item(int index) const;
    ListItem additem(const QString &text);
    // Inserts before line `index` (1 to count + 1); the lines from there on move down.
    ListItem insertitem(int index, const QString &text);

    // The header's mark of the column the lines are sorted by (by its header text) and the
    // direction; no mark for an empty header or one the list does not have.
    void setsortmark(const QString &header, Qt::SortOrder order);
    // The whole text of the cell or header at pos (in the lines' or the header's viewport), when
    // the column is too narrow for it; "" otherwise.
    QString cuttext(QPoint pos) const;
    QString cutheader(QPoint pos) const;

    // The screen's logical DPI, unless a test or a scaled print sets its own.
    qreal dpi() const;
    void setdpi(qreal dpi);

    QTreeWidget *tree() const { return m_tree; }

    // Keeps a strip above the lines for `bar`, a sibling placed over the list's top edge, as
    // deep as the bar with the same space above and below it; the list paints the strip, so a
    // list it lies over never shows through.
    void reservebar(QWidget *bar);

signals:
    void itemclick();
    void columnclick(int column, const QString &header);
    void mouseup(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void checkcolumn(int column) const;
    void showsortmark();
    void fitbar();
    static bool cut(const QWidget *widget, const QString &text, int width, int margins);

    QTreeWidget *m_tree;
    QPointer<QWidget> m_bar;
    // The width last set per column, so an unchanged column reads back exactly what was set
    // rather than its pixel width rounded back to twips.
    QList<int> m_widths;
    qreal m_dpi = 0;
    QString m_sortheader;
    Qt::SortOrder m_sortorder = Qt::AscendingOrder;
};
