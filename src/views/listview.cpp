#include "listview.h"

#include "diagnostics/failure.h"
#include "platform/twips.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QToolTip>
#include <QTreeWidget>
#include <QVBoxLayout>

QString ListItem::text() const
{
    return m_item->text(0);
}

void ListItem::settext(const QString &text)
{
    m_item->setText(0, text);
}

int ListItem::column(int subitem) const
{
    const QTreeWidget *tree = m_item->treeWidget();
    if (subitem < 1 || (tree != nullptr && subitem >= tree->columnCount()))
        throw Failure::subscriptOutOfRange();
    return subitem;
}

QString ListItem::subitem(int index) const
{
    return m_item->text(column(index));
}

void ListItem::setsubitem(int index, const QString &text)
{
    m_item->setText(column(index), text);
}

QColor ListItem::columncolor(int column) const
{
    const QBrush brush = m_item->foreground(column);
    if (brush.style() != Qt::NoBrush)
        return brush.color();
    const QTreeWidget *tree = m_item->treeWidget();
    return tree != nullptr ? tree->palette().color(QPalette::Text) : QColor(Qt::black);
}

QColor ListItem::forecolor() const
{
    return columncolor(0);
}

void ListItem::setforecolor(const QColor &color)
{
    m_item->setForeground(0, color);
}

QColor ListItem::subitemforecolor(int index) const
{
    return columncolor(column(index));
}

void ListItem::setsubitemforecolor(int index, const QColor &color)
{
    m_item->setForeground(column(index), color);
}

bool ListItem::selected() const
{
    return m_item->isSelected();
}

ListView::ListView(QWidget *parent) : QWidget(parent), m_tree(new QTreeWidget(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tree);
    m_tree->setColumnCount(0);
    m_tree->setRootIsDecorated(false);
    m_tree->setUniformRowHeights(true);
    m_tree->setAllColumnsShowFocus(true);
    m_tree->setSortingEnabled(false);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tree->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_tree->header()->setStretchLastSection(false);
    m_tree->header()->setSectionsClickable(true);
    m_tree->header()->setSectionsMovable(false);
    m_tree->viewport()->installEventFilter(this);
    m_tree->header()->viewport()->installEventFilter(this);
    setFocusProxy(m_tree);
    connect(m_tree, &QTreeWidget::itemClicked, this, [this] { emit itemclick(); });
    connect(m_tree->header(), &QHeaderView::sectionClicked, this, [this](int logical) {
        emit columnclick(logical + 1, headertext(logical + 1));
        // The header turns its mark on a click by itself; the view's order is the one to show.
        showsortmark();
    });
}

void ListView::setsortmark(const QString &header, Qt::SortOrder order)
{
    m_sortheader = header;
    m_sortorder = order;
    showsortmark();
}

void ListView::showsortmark()
{
    int column = -1;
    for (int c = 0; c < m_tree->columnCount() && !m_sortheader.isEmpty(); ++c) {
        if (m_tree->headerItem()->text(c) == m_sortheader)
            column = c;
    }
    QHeaderView *header = m_tree->header();
    header->setSortIndicatorShown(column >= 0);
    header->setSortIndicator(column, m_sortorder);
}

// Whether text in the widget's font needs more than width pixels, with margins pixels of the
// space taken by other things.
bool ListView::cut(const QWidget *widget, const QString &text, int width, int margins)
{
    return widget->fontMetrics().horizontalAdvance(text) + margins > width;
}

QString ListView::cuttext(QPoint pos) const
{
    const QModelIndex index = m_tree->indexAt(pos);
    if (!index.isValid())
        return {};
    const QString text = index.data().toString();
    // The item views keep a margin on either side of a text.
    const int margin = m_tree->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_tree) + 1;
    return cut(m_tree, text, m_tree->visualRect(index).width(), 2 * margin) ? text : QString();
}

QString ListView::cutheader(QPoint pos) const
{
    const QHeaderView *header = m_tree->header();
    const int column = header->logicalIndexAt(pos);
    if (column < 0)
        return {};
    const QString text = m_tree->headerItem()->text(column);
    const int mark = column == header->sortIndicatorSection() && header->isSortIndicatorShown()
                         ? m_tree->style()->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, header)
                         : 0;
    const int margins = 2 * m_tree->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    return cut(header, text, header->sectionSize(column), mark + margins) ? text : QString();
}

void ListView::clearcolumns()
{
    m_tree->setColumnCount(0);
    m_widths.clear();
    showsortmark();
}

void ListView::addcolumn(const QString &header, int width)
{
    const int index = m_tree->columnCount();
    m_tree->setColumnCount(index + 1);
    m_tree->headerItem()->setText(index, header);
    m_widths.append(0);
    setcolumnwidth(index + 1, width);
    showsortmark();
}

int ListView::columncount() const
{
    return m_tree->columnCount();
}

void ListView::checkcolumn(int column) const
{
    if (column < 1 || column > m_tree->columnCount())
        throw Failure::subscriptOutOfRange();
}

QString ListView::headertext(int column) const
{
    checkcolumn(column);
    return m_tree->headerItem()->text(column - 1);
}

int ListView::columnwidth(int column) const
{
    checkcolumn(column);
    const int pixels = m_tree->columnWidth(column - 1);
    const int set = m_widths.at(column - 1);
    return twips::toPixels(set, dpi()) == pixels ? set : twips::fromPixels(pixels, dpi());
}

void ListView::setcolumnwidth(int column, int width)
{
    checkcolumn(column);
    m_widths[column - 1] = width;
    m_tree->setColumnWidth(column - 1, twips::toPixels(width, dpi()));
}

void ListView::clearitems()
{
    m_tree->clear();
}

int ListView::itemcount() const
{
    return m_tree->topLevelItemCount();
}

ListItem ListView::item(int index) const
{
    if (index < 1 || index > itemcount())
        throw Failure::subscriptOutOfRange();
    return ListItem(m_tree->topLevelItem(index - 1));
}

ListItem ListView::additem(const QString &text)
{
    return insertitem(itemcount() + 1, text);
}

ListItem ListView::insertitem(int index, const QString &text)
{
    if (index < 1 || index > itemcount() + 1)
        throw Failure::subscriptOutOfRange();
    auto *line = new QTreeWidgetItem({text});
    m_tree->insertTopLevelItem(index - 1, line);
    return ListItem(line);
}

qreal ListView::dpi() const
{
    return m_dpi > 0 ? m_dpi : qreal(logicalDpiX());
}

void ListView::setdpi(qreal dpi)
{
    m_dpi = dpi;
    for (int column = 1; column <= columncount(); ++column)
        setcolumnwidth(column, m_widths.at(column - 1));
}

void ListView::reservebar(QWidget *bar)
{
    m_bar = bar;
    setAutoFillBackground(true);
    bar->installEventFilter(this);
    installEventFilter(this);
    fitbar();
}

void ListView::fitbar()
{
    if (m_bar == nullptr)
        return;
    const int above = qMax(0, m_bar->y() - y());
    layout()->setContentsMargins(0, 2 * above + m_bar->height(), 0, 0);
}

bool ListView::eventFilter(QObject *watched, QEvent *event)
{
    if (m_bar != nullptr && (watched == m_bar || watched == this) &&
        (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        fitbar();
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const bool lines = watched == m_tree->viewport();
        const QString text = lines ? cuttext(help->pos()) : cutheader(help->pos());
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, static_cast<QWidget *>(watched));
        return true;
    }
    if (watched == m_tree->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        emit mouseup(mouse->button(), mouse->modifiers(), mouse->position().toPoint());
    }
    return QWidget::eventFilter(watched, event);
}
