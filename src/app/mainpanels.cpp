// The pop-up panels: frames centred over the window, hidden until their command shows them.

#include "colorschemes.h"
#include "mainwindow.h"

#include <QBoxLayout>
#include <QFrame>
#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace {

QVBoxLayout *column(QFrame *panel)
{
    return static_cast<QVBoxLayout *>(panel->layout());
}

QHBoxLayout *buttonrow(QFrame *panel)
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    column(panel)->addLayout(row);
    return row;
}

void emphasise(QWidget *widget, qreal pointsize = 0)
{
    QFont font = widget->font();
    font.setBold(true);
    if (pointsize > 0)
        font.setPointSizeF(pointsize);
    widget->setFont(font);
}

} // namespace

QFrame *MainWindow::addpanel(const QString &name, const QString &caption)
{
    auto *panel = add<QFrame>(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    // A shadow lifts the panel off the window also where both share the system colour.
    auto *shadow = new QGraphicsDropShadowEffect(panel);
    shadow->setBlurRadius(18);
    shadow->setOffset(3, 4);
    shadow->setColor(QColor(0, 0, 0, 110));
    panel->setGraphicsEffect(shadow);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(12, 8, 12, 10);
    if (!caption.isEmpty()) {
        auto *title = new QLabel(caption, panel);
        emphasise(title);
        layout->addWidget(title);
    }
    panel->hide();
    return panel;
}

void MainWindow::createPanels()
{
    auto pushbutton = [this](const QString &name, const QString &caption, QFrame *panel, QHBoxLayout *row) {
        auto *button = add<QPushButton>(name, panel);
        button->setText(caption);
        row->addWidget(button);
    };
    auto label = [this](const QString &name, const QString &caption, QFrame *panel) {
        auto *text = add<QLabel>(name, panel);
        text->setText(caption);
        text->setWordWrap(true);
        column(panel)->addWidget(text);
        return text;
    };

    QFrame *wait = addpanel(u"waitframe"_s, {});
    QLabel *waitlab = label(u"waitlab"_s, u"Please wait ...."_s, wait);
    waitlab->setAlignment(Qt::AlignCenter);
    emphasise(waitlab);

    QFrame *message = addpanel(u"messageframe"_s, {});
    QLabel *messagelab = label(u"messagelab"_s, {}, message);
    messagelab->setAlignment(Qt::AlignCenter);
    column(message)->addStretch();
    QHBoxLayout *messagerow = buttonrow(message);
    pushbutton(u"visitdownload"_s, u"Visit Download Page"_s, message, messagerow);
    pushbutton(u"Autodownload"_s, u"Update Now !"_s, message, messagerow);
    pushbutton(u"messageok"_s, u"Ignore"_s, message, messagerow);

    QFrame *warning = addpanel(u"frawarntimed"_s, {});
    QLabel *lblwarn1 = label(u"lblwarn1"_s, u"Warning !"_s, warning);
    emphasise(lblwarn1, lblwarn1->font().pointSizeF() * 1.3);
    label(u"lblwarn"_s, {}, warning);
    column(warning)->addStretch();
    label(u"lblwarn2"_s, u"This message will automatically clear in a few seconds."_s, warning);
    pushbutton(u"cmdwarnok"_s, u"OK"_s, warning, buttonrow(warning));

    QFrame *report = addpanel(u"fraerrorreport"_s, {});
    emphasise(
        label(u"lbltrace1"_s, u"An error has occurred, Please send an error report to the Velquist team"_s, report));
    label(u"lbltrace2"_s, u"If you select 'Send Message' a message will be sent to the Velquist team."_s, report);
    column(report)->addStretch();
    QHBoxLayout *reportrow = buttonrow(report);
    pushbutton(u"traceview"_s, u"View Message"_s, report, reportrow);
    pushbutton(u"tracesend"_s, u"Send Error Report!"_s, report, reportrow);
    pushbutton(u"tracecancel"_s, u"Don't Send"_s, report, reportrow);

    QFrame *display = addpanel(u"fraerrorreportdisplay"_s, {});
    auto *errortext = add<QPlainTextEdit>(u"errorreporttxt"_s, display);
    errortext->setReadOnly(true);
    column(display)->addWidget(errortext);
    QHBoxLayout *displayrow = buttonrow(display);
    pushbutton(u"traceviewsend"_s, u"Send Error Report!"_s, display, displayrow);
    pushbutton(u"traceviewdontsend"_s, u"Don't Send"_s, display, displayrow);

    // Filled by the commands that own them.
    addpanel(u"frahistory"_s, u"Manage History Files"_s);
    addpanel(u"fraselectread"_s, u"Select a stored session"_s);
    addpanel(u"aboutframe"_s, u"About"_s);
    addpanel(u"fraoptions"_s, u"Options"_s);
    addpanel(u"frascheduleopt"_s, u"Schedule Options"_s);
}
