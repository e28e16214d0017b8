// The controls of the main view, created once with their names and design captions.

#include "colorschemes.h"
#include "designlayout.h"
#include "gradientbutton.h"
#include "mainwindow.h"
#include "platform/twips.h"
#include "views/listview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {

// The program's emblem: a rising bar chart under a magnifying glass.
QPixmap emblem(int size, qreal ratio)
{
    QPixmap pixmap(QSize(size, size) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 16.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1f, 0x6f, 0x2f));
    painter.drawRect(QRectF(1 * unit, 10 * unit, 3 * unit, 5 * unit));
    painter.drawRect(QRectF(5 * unit, 7 * unit, 3 * unit, 8 * unit));
    painter.drawRect(QRectF(9 * unit, 4 * unit, 3 * unit, 11 * unit));
    painter.setBrush(QColor(255, 255, 255, 150));
    painter.setPen(QPen(QColor(0x20, 0x30, 0x90), 1.6 * unit));
    painter.drawEllipse(QPointF(9.5 * unit, 6 * unit), 4 * unit, 4 * unit);
    painter.drawLine(QPointF(12.3 * unit, 8.8 * unit), QPointF(15 * unit, 11.5 * unit));
    return pixmap;
}

// The context-help mark: a white question mark on a blue disc.
QPixmap helpmark(int size, qreal ratio)
{
    QPixmap pixmap(QSize(size, size) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x10, 0x30, 0x80), 1.0));
    painter.setBrush(QColor(0x30, 0x60, 0xc0));
    painter.drawEllipse(QRectF(0.5, 0.5, size - 1.0, size - 1.0));
    QFont font;
    font.setBold(true);
    font.setPixelSize(qMax(8, size * 3 / 4));
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, u"?"_s);
    return pixmap;
}

void setbold(QWidget *widget, qreal scale = 1.0)
{
    QFont font = widget->font();
    font.setBold(true);
    if (scale != 1.0)
        font.setPointSizeF(font.pointSizeF() * scale);
    widget->setFont(font);
}

} // namespace

QLabel *MainWindow::addlabel(const QString &name, const QString &caption)
{
    auto *label = add<QLabel>(name);
    label->setText(caption);
    return label;
}

void MainWindow::createControls()
{
    m_client = new QWidget(this);
    m_client->setObjectName(u"client"_s);
    setCentralWidget(m_client);
    createButtonRow();
    createSearchInputs();
    createResults();
    createHistory();
    createStatusLine();
    createHelpIcons();
}

void MainWindow::createButtonRow()
{
    auto *picture = add<QLabel>(u"Picture1"_s);
    picture->setPixmap(emblem(twips::toPixels(480, dpi()), devicePixelRatioF()));
    picture->setAlignment(Qt::AlignCenter);
    auto *title = addlabel(u"titlab"_s, {});
    title->setWordWrap(true);
    title->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setbold(title, 1.15);
    // After the title, so that `doanalyze`, which drops below the row in the history modes,
    // stays on top of it.
    for (const QString &name : colorschemes::gradientbuttons())
        add<GradientButton>(name)->setText(colorschemes::caption(name));
}

void MainWindow::createSearchInputs()
{
    setbold(addlabel(u"txturlslab1"_s, u"Domain"_s));
    addlabel(u"txturlslab2"_s, u"Your web site, for example www.example.com"_s);
    addlabel(u"txturlslab3"_s, u"Each domain keeps its own search terms and options."_s);
    auto *domains = add<QComboBox>(u"txturls"_s);
    domains->setEditable(true);
    domains->setInsertPolicy(QComboBox::NoInsert);
    // The text is the domain exactly as typed: completing it from the list would add, search or
    // delete a listed domain when the user meant a new one that begins the same way.
    domains->setCompleter(nullptr);
    add<QPushButton>(u"cmdadddomain"_s)->setText(u"Add"_s);
    add<QPushButton>(u"cmddeletedomain"_s)->setText(u"Delete"_s);
    add<QPushButton>(u"cmdsavechanges"_s)->setText(u"Save changes"_s);
    setbold(addlabel(u"txtkeyslab1"_s, u"Search"_s));
    setbold(addlabel(u"txtkeyslab2"_s, u"terms"_s));
    addlabel(u"txtkeyslab3"_s, u"Keywords or phrases to look up,"_s);
    addlabel(u"txtkeyslab4"_s, u"one on each line."_s);
    add<QPlainTextEdit>(u"txtkeys"_s)->setLineWrapMode(QPlainTextEdit::NoWrap);
    addlabel(u"pagelab1"_s, u"Search depth"_s);
    auto *depth = add<QLineEdit>(u"pagedepth"_s);
    depth->setText(u"1"_s);
    depth->setAlignment(Qt::AlignRight);
    addlabel(u"pagelab2"_s, u"pages of 10 results"_s);
    add<QCheckBox>(u"chkstopafterhit"_s)->setText(u"Stop searching after the first hit"_s);
}

void MainWindow::createResults()
{
    setbold(addlabel(u"resultslab1"_s, u"Results:"_s));
    add<QCheckBox>(u"chkdispfirst"_s)->setText(u"Display only the first hit for each search term"_s);
    add<ListView>(u"resultsview"_s);
    for (const QString &name : {u"txtdisplay"_s, u"restxt"_s, u"runningtext"_s}) {
        auto *box = add<QPlainTextEdit>(name);
        box->setReadOnly(true);
    }
    control(u"restxt"_s)->hide();
}

void MainWindow::createHistory()
{
    addlabel(u"labhis0"_s, u"Date"_s);
    addlabel(u"labhis1"_s, u"Domain"_s);
    addlabel(u"labhis2"_s, u"Keyword"_s);
    for (const QString &name : {u"historydates"_s, u"historyurls"_s, u"historykeys"_s})
        add<QComboBox>(name)->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    add<QCheckBox>(u"chkhistoryfirst"_s);
    setbold(addlabel(u"labhistory"_s, {}));
    add<ListView>(u"historyview"_s);
    add<ListView>(u"historydetailview"_s)->hide();
    auto *close = add<QPushButton>(u"hdvclose"_s);
    close->setText(u"Close"_s);
    close->hide();
}

void MainWindow::createStatusLine()
{
    // Blinks on every tick of the main timer: the program is alive.
    auto *flasher = addlabel(u"flasher"_s, {});
    flasher->setAutoFillBackground(true);
    flasher->setFrameStyle(QFrame::Box | QFrame::Plain);
    flasher->setToolTip(u"Blinks while Zorvane is running"_s);
    addlabel(u"searchstatus"_s, {});
    addlabel(u"labscheduler"_s, {})->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void MainWindow::createHelpIcons()
{
    const int size = twips::toPixels(designlayout::helpicons().constFirst().width, dpi());
    const QIcon icon(helpmark(size - 2, devicePixelRatioF()));
    for (int i = 0; i < int(m_helprects.size()); ++i) {
        auto *button = new QToolButton(m_client);
        button->setObjectName(u"helpbutton"_s);
        button->setProperty("index", i);
        button->setIcon(icon);
        button->setIconSize(QSize(size, size) - QSize(2, 2));
        button->setAutoRaise(true);
        button->setCursor(Qt::WhatsThisCursor);
        button->setToolTip(u"Help on this item"_s);
        connect(button, &QToolButton::clicked, this, [this, i] { emit helpclick(i); });
        m_helpbuttons.append(button);
    }
}
