#include "statuspanels.h"

#include "appstate.h"
#include "diagnostics/errormail.h"
#include "diagnostics/errorreports.h"
#include "diagnostics/guard.h"
#include "mainwindow.h"
#include "platform/connection.h"
#include "platform/shell.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

using namespace Qt::Literals::StringLiterals;

StatusPanels::StatusPanels(MainWindow &window, const Connection &connection, Shell &shell, QObject *parent)
    : QObject(parent), m_window(window), m_state(window.state()), m_connection(connection), m_shell(shell)
{
    auto button = [this](const QString &name) { return m_window.control<QPushButton>(name); };
    connect(button(u"messageok"_s), &QPushButton::clicked, this, &StatusPanels::messageok_Click);
    connect(button(u"traceview"_s), &QPushButton::clicked, this, &StatusPanels::traceview_Click);
    connect(button(u"tracecancel"_s), &QPushButton::clicked, this, &StatusPanels::tracecancel_Click);
    connect(button(u"traceviewdontsend"_s), &QPushButton::clicked, this, &StatusPanels::tracecancel_Click);
    connect(button(u"tracesend"_s), &QPushButton::clicked, this, &StatusPanels::tracesend_Click);
    connect(button(u"traceviewsend"_s), &QPushButton::clicked, this, &StatusPanels::tracesend_Click);
    connect(&errorreports::notifier(), &errorreports::Notifier::raised, this, &StatusPanels::raiseerrorreport);
}

void StatusPanels::checkstatus()
{
    guard("Google", "Sub checkstatus", [&] {
        QString status = m_connection.connected() ? u"(Internet Connected"_s : u"(Internet NOT Connected"_s;
        if (m_state.searching)
            status += u", Searching"_s;
        switch (int(m_state.viewmode)) {
        case 0:
            status += u")"_s;
            break;
        case 1:
            status += u", Displaying History)"_s;
            break;
        case 2:
            status += u", Displaying Analysis)"_s;
            break;
        default:
            break;
        }
        const QString title = u"Zorvane "_s + status;
        if (m_window.windowTitle() != title) {
            m_window.setWindowTitle(title);
            ++m_titlechanges;
        }
    });
}

void StatusPanels::writemessagebox(const QString &text)
{
    guard("Google", "Sub writemessagebox", [&] {
        const qsizetype before = m_running.text().size();
        m_running.writemessagebox(text, m_state.settings.uselog);
        auto *box = m_window.control<QPlainTextEdit>(u"runningtext"_s);
        // A plain append adds only the new line; after a trim the whole box is replaced.
        const bool trimmed = before > RunningText::Limit;
        QString shown = trimmed ? m_running.text() : m_running.text().mid(before);
        shown.replace(u"\r\n"_s, u"\n"_s);
        if (trimmed) {
            box->setPlainText(shown);
        } else {
            box->moveCursor(QTextCursor::End);
            box->insertPlainText(shown);
        }
        box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
    });
}

void StatusPanels::showpanel(const QString &name, bool visible)
{
    QWidget *panel = m_window.control(name);
    panel->setVisible(visible);
    if (visible)
        panel->raise();
}

void StatusPanels::setwait(const QString &text)
{
    guard("Google", "Sub setwait", [&] {
        m_window.control<QLabel>(u"waitlab"_s)->setText(u"Please wait "_s + text + u" ...."_s);
        showpanel(u"waitframe"_s, true);
    });
}

void StatusPanels::clearwait()
{
    guard("Google", "Sub clearwait", [&] { showpanel(u"waitframe"_s, false); });
}

void StatusPanels::showmessage(const QString &text)
{
    guard("Google", "Sub showmessage", [&] {
        m_window.control<QLabel>(u"messagelab"_s)->setText(text);
        showpanel(u"messageframe"_s, true);
    });
}

void StatusPanels::messageok_Click()
{
    guard("Google", "Sub messageok_Click", [&] {
        m_window.control(u"visitdownload"_s)->hide();
        m_window.control(u"Autodownload"_s)->hide();
        showpanel(u"messageframe"_s, false);
    });
}

void StatusPanels::showWarning(const QString &text)
{
    m_window.control<QLabel>(u"lblwarn"_s)->setText(text);
    showpanel(u"frawarntimed"_s, true);
}

void StatusPanels::hideWarning()
{
    showpanel(u"frawarntimed"_s, false);
}

void StatusPanels::raiseerrorreport()
{
    showpanel(u"fraerrorreport"_s, true);
}

void StatusPanels::traceview_Click()
{
    guard("Errorreports", "Sub traceview_Click", [&] {
        QString text = errorreports::errortext();
        text.replace(u"\r\n"_s, u"\n"_s);
        m_window.control<QPlainTextEdit>(u"errorreporttxt"_s)->setPlainText(text);
        showpanel(u"fraerrorreportdisplay"_s, true);
        showpanel(u"fraerrorreport"_s, false);
    });
}

void StatusPanels::tracecancel_Click()
{
    guard("Errorreports", "Sub tracecancel_Click", [&] {
        showpanel(u"fraerrorreport"_s, false);
        showpanel(u"fraerrorreportdisplay"_s, false);
    });
}

void StatusPanels::tracesend_Click()
{
    guard("Errorreports", "Sub tracesend_Click", [&] {
        m_shell.open(errormail::address(errorreports::errortext()));
        errorreports::clearerrortext();
        showpanel(u"fraerrorreport"_s, false);
        showpanel(u"fraerrorreportdisplay"_s, false);
    });
}
