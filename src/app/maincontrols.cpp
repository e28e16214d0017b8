#include "maincontrols.h"

#include "colorschemes.h"
#include "designlayout.h"
#include "gradientbutton.h"
#include "platform/twips.h"
#include "views/listview.h"
#include "views/wholecombobox.h"

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

namespace {

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

// Creates the controls of the client area, each under its name.
class Builder
{
public:
    explicit Builder(QWidget &client) : m_client(client) {}

    template <typename T> T *add(const QString &name)
    {
        auto *widget = new T(&m_client);
        widget->setObjectName(name);
        return widget;
    }
    QLabel *label(const QString &name, const QString &caption)
    {
        auto *label = add<QLabel>(name);
        label->setText(caption);
        return label;
    }
    QLabel *boldlabel(const QString &name, const QString &caption)
    {
        QLabel *label = this->label(name, caption);
        setbold(label);
        return label;
    }
    GradientButton *gradientbutton(const QString &name)
    {
        auto *button = add<GradientButton>(name);
        button->setText(colorschemes::caption(name));
        return button;
    }
    QPushButton *pushbutton(const QString &name, const QString &caption)
    {
        auto *button = add<QPushButton>(name);
        button->setText(caption);
        return button;
    }
    QPlainTextEdit *readonlybox(const QString &name)
    {
        auto *box = add<QPlainTextEdit>(name);
        box->setReadOnly(true);
        return box;
    }
    QComboBox *historyfilter(const QString &name)
    {
        auto *box = add<WholeComboBox>(name);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        return box;
    }

private:
    QWidget &m_client;
};

ButtonRow createbuttonrow(Builder &make, qreal dpi, qreal pixelratio)
{
    ButtonRow row;
    row.Picture1 = make.add<QLabel>(u"Picture1"_s);
    row.Picture1->setPixmap(emblem(twips::toPixels(480, dpi), pixelratio));
    row.Picture1->setAlignment(Qt::AlignCenter);
    row.titlab = make.label(u"titlab"_s, {});
    row.titlab->setWordWrap(true);
    row.titlab->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setbold(row.titlab, 1.15);
    // After the title, so that `doanalyze`, which drops below the row in the history modes,
    // stays on top of it.
    row.doload = make.gradientbutton(u"doload"_s);
    row.dosave = make.gradientbutton(u"dosave"_s);
    row.doit = make.gradientbutton(u"doit"_s);
    row.dostop = make.gradientbutton(u"dostop"_s);
    row.dohistory = make.gradientbutton(u"dohistory"_s);
    row.doanalyze = make.gradientbutton(u"doanalyze"_s);
    row.dohelp = make.gradientbutton(u"dohelp"_s);
    return row;
}

SearchControls createsearchinputs(Builder &make)
{
    SearchControls c;
    c.txturlslab1 = make.boldlabel(u"txturlslab1"_s, u"Domain"_s);
    c.txturlslab2 = make.label(u"txturlslab2"_s, u"Your web site, for example www.example.com"_s);
    c.txturlslab3 = make.label(u"txturlslab3"_s, u"Each domain keeps its own search terms and options."_s);
    c.txturls = make.add<WholeComboBox>(u"txturls"_s);
    c.txturls->setEditable(true);
    c.txturls->setInsertPolicy(QComboBox::NoInsert);
    // The text is the domain exactly as typed: completing it from the list would add, search or
    // delete a listed domain when the user meant a new one that begins the same way.
    c.txturls->setCompleter(nullptr);
    c.cmdadddomain = make.pushbutton(u"cmdadddomain"_s, u"Add"_s);
    c.cmddeletedomain = make.pushbutton(u"cmddeletedomain"_s, u"Delete"_s);
    c.cmdsavechanges = make.pushbutton(u"cmdsavechanges"_s, u"Save changes"_s);
    c.cmdlocale = make.pushbutton(u"cmdlocale"_s, u"Where..."_s);
    c.cmdlocale->setToolTip(u"Country, language, device and place of this domain's searches, and its competitors"_s);
    c.txtkeyslab1 = make.boldlabel(u"txtkeyslab1"_s, u"Search"_s);
    c.txtkeyslab2 = make.boldlabel(u"txtkeyslab2"_s, u"terms"_s);
    c.txtkeyslab3 = make.label(u"txtkeyslab3"_s, u"Keywords or phrases to look up,"_s);
    c.txtkeyslab4 = make.label(u"txtkeyslab4"_s, u"one on each line."_s);
    c.txtkeys = make.add<QPlainTextEdit>(u"txtkeys"_s);
    c.txtkeys->setLineWrapMode(QPlainTextEdit::NoWrap);
    c.pagelab1 = make.label(u"pagelab1"_s, u"Search depth"_s);
    c.pagedepth = make.add<QLineEdit>(u"pagedepth"_s);
    c.pagedepth->setText(u"1"_s);
    c.pagedepth->setAlignment(Qt::AlignRight);
    c.pagelab2 = make.label(u"pagelab2"_s, u"pages of 10 results"_s);
    c.chkstopafterhit = make.add<QCheckBox>(u"chkstopafterhit"_s);
    c.chkstopafterhit->setText(u"Stop searching after the first hit"_s);
    return c;
}

ResultsControls createresults(Builder &make, QPlainTextEdit *&runningtext)
{
    ResultsControls c;
    c.resultslab1 = make.boldlabel(u"resultslab1"_s, u"Results:"_s);
    c.chkdispfirst = make.add<QCheckBox>(u"chkdispfirst"_s);
    c.chkdispfirst->setText(u"Display only the first hit for each search term"_s);
    c.resultsview = make.add<ListView>(u"resultsview"_s);
    c.txtdisplay = make.readonlybox(u"txtdisplay"_s);
    c.restxt = make.readonlybox(u"restxt"_s);
    runningtext = make.readonlybox(u"runningtext"_s);
    c.restxt->hide();
    return c;
}

HistoryControls createhistory(Builder &make)
{
    HistoryControls c;
    c.labhis0 = make.label(u"labhis0"_s, u"Date"_s);
    c.labhis1 = make.label(u"labhis1"_s, u"Domain"_s);
    c.labhis2 = make.label(u"labhis2"_s, u"Keyword"_s);
    c.historydates = make.historyfilter(u"historydates"_s);
    c.historyurls = make.historyfilter(u"historyurls"_s);
    c.historykeys = make.historyfilter(u"historykeys"_s);
    c.chkhistoryfirst = make.add<QCheckBox>(u"chkhistoryfirst"_s);
    c.labhistory = make.boldlabel(u"labhistory"_s, {});
    c.historyview = make.add<ListView>(u"historyview"_s);
    c.historydetailview = make.add<ListView>(u"historydetailview"_s);
    c.historydetailview->hide();
    c.hdvclose = make.pushbutton(u"hdvclose"_s, u"Close"_s);
    c.hdvclose->hide();
    c.historydetailview->reservebar(c.hdvclose);
    return c;
}

void createstatusline(Builder &make, StatusControls &c)
{
    // Blinks on every tick of the main timer: the program is alive.
    c.flasher = make.label(u"flasher"_s, {});
    c.flasher->setAutoFillBackground(true);
    c.flasher->setFrameStyle(QFrame::Box | QFrame::Plain);
    c.flasher->setToolTip(u"Blinks while Zorvane is running"_s);
    c.searchstatus = make.label(u"searchstatus"_s, {});
    c.labscheduler = make.label(u"labscheduler"_s, {});
    c.labscheduler->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

QList<QToolButton *> createhelpicons(QWidget &client, qreal dpi, qreal pixelratio)
{
    const QList<TwipsRect> places = designlayout::helpicons();
    const int size = twips::toPixels(places.constFirst().width, dpi);
    const QIcon icon(helpmark(size - 2, pixelratio));
    // What each icon explains, for a screen reader: the places of designlayout::helpicons().
    const QStringList history = {u"Date"_s, u"Domain"_s, u"Keyword"_s, u"First hit only"_s, u"List"_s};
    const QStringList subjects =
        QStringList{u"Domain"_s,         u"Search terms"_s, u"Search depth"_s, u"Stop after the first hit"_s,
                    u"First hit only"_s, u"Results"_s} +
        history + history + history.mid(1);
    QList<QToolButton *> buttons;
    for (int i = 0; i < int(places.size()); ++i) {
        auto *button = new QToolButton(&client);
        button->setObjectName(u"helpbutton"_s);
        button->setProperty("index", i);
        button->setIcon(icon);
        button->setIconSize(QSize(size, size) - QSize(2, 2));
        button->setAutoRaise(true);
        button->setCursor(Qt::WhatsThisCursor);
        button->setToolTip(u"Help on this item"_s);
        button->setAccessibleName(u"Help on "_s + subjects.value(i));
        buttons.append(button);
    }
    return buttons;
}

} // namespace

MainControls MainControls::create(QWidget &client, qreal dpi, qreal pixelratio)
{
    Builder make(client);
    MainControls c;
    c.buttons = createbuttonrow(make, dpi, pixelratio);
    c.search = createsearchinputs(make);
    c.results = createresults(make, c.status.runningtext);
    c.history = createhistory(make);
    createstatusline(make, c.status);
    c.helpbuttons = createhelpicons(client, dpi, pixelratio);
    c.nameboxes();
    c.settaborder(false);
    return c;
}

void MainControls::nameboxes() const
{
    // What a screen reader calls the boxes and lists: the caption beside them, or their purpose.
    const std::pair<QWidget *, QString> names[] = {
        {search.txturls, u"Domain"_s},
        {search.txtkeys, u"Search terms, one on each line"_s},
        {search.pagedepth, u"Search depth in pages of 10 results"_s},
        {results.resultsview->tree(), u"Results"_s},
        {results.txtdisplay, u"Details of the selected result"_s},
        {results.restxt, u"Results as text"_s},
        {status.runningtext, u"Messages"_s},
        {history.historydates, u"Date"_s},
        {history.historyurls, u"Domain"_s},
        {history.historykeys, u"Keyword"_s},
        {history.historyview->tree(), u"History and analysis"_s},
        {history.historydetailview->tree(), u"Details of the selected line"_s},
    };
    for (const auto &[widget, name] : names)
        widget->setAccessibleName(name);
}

void MainControls::settaborder(bool analyzebelow) const
{
    // Reading order, row by row; the help icons sit on the captions' row above their fields.
    // Each history mode has its own icons in the same places: hidden ones are passed over.
    const QList<QToolButton *> &i = helpbuttons;
    const SearchControls &s = search;
    const ResultsControls &r = results;
    const HistoryControls &h = history;
    const ButtonRow &b = buttons;
    QList<QWidget *> order = {b.doload, b.dosave, b.doit, b.dostop, b.dohistory};
    order += analyzebelow ? QList<QWidget *>{b.dohelp, b.doanalyze} : QList<QWidget *>{b.doanalyze, b.dohelp};
    order += {i[0],
              i[1],
              s.txturls,
              s.txtkeys,
              s.cmdadddomain,
              s.cmddeletedomain,
              s.cmdlocale,
              s.cmdsavechanges,
              s.pagedepth,
              i[2],
              s.chkstopafterhit,
              i[3],
              i[5],
              r.chkdispfirst,
              i[4],
              r.resultsview->tree(),
              r.txtdisplay};
    order += {i[6], i[11], i[7], i[12], i[16], i[8], i[13], i[17]};
    order += {h.historydates,
              h.historyurls,
              h.historykeys,
              h.chkhistoryfirst,
              i[9],
              i[14],
              i[18],
              i[10],
              i[15],
              i[19],
              h.historyview->tree(),
              h.hdvclose,
              h.historydetailview->tree(),
              status.runningtext};
    for (int n = 1; n < int(order.size()); ++n)
        QWidget::setTabOrder(order[n - 1], order[n]);
}

QList<QWidget *> MainControls::searchcontrols() const
{
    const SearchControls &s = search;
    const ResultsControls &r = results;
    return {s.txturlslab1,     s.txturlslab2, s.txturlslab3, s.cmdadddomain, s.txturls,     s.cmddeletedomain,
            s.cmdsavechanges,  s.cmdlocale,   s.txtkeyslab1, s.txtkeyslab2,  s.txtkeyslab3, s.txtkeyslab4,
            s.txtkeys,         s.pagelab1,    s.pagelab2,    s.pagedepth,    r.resultslab1, r.chkdispfirst,
            s.chkstopafterhit, r.resultsview, r.txtdisplay};
}

QList<QWidget *> MainControls::historycontrols() const
{
    const HistoryControls &h = history;
    return {h.labhis0,     h.labhis1,         h.labhis2,    h.historydates, h.historyurls,
            h.historykeys, h.chkhistoryfirst, h.labhistory, h.historyview};
}

QList<QWidget *> MainControls::all() const
{
    QList<QWidget *> widgets = {buttons.Picture1, buttons.titlab};
    for (GradientButton *button : buttons.gradientbuttons())
        widgets.append(button);
    widgets += searchcontrols() + historycontrols();
    widgets += {results.restxt, history.historydetailview, history.hdvclose,   status.runningtext,
                status.flasher, status.searchstatus,       status.labscheduler};
    return widgets;
}
