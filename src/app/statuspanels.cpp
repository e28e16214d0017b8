#include "statuspanels.h"

#include "appstate.h"
#include "diagnostics/guard.h"
#include "messagepanel.h"
#include "platform/connection.h"
#include "platform/prompts.h"
#include "timedwarningpanel.h"
#include "update/checkforupdates.h"
#include "waitpanel.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollBar>

using namespace Qt::Literals::StringLiterals;

StatusPanels::StatusPanels(AppState &state, QWidget &client, QPlainTextEdit &runningtext, const Connection &connection)
    : m_state(state), m_client(client), m_runningtext(runningtext), m_connection(connection),
      m_waitframe(std::make_unique<WaitPanel>(client)), m_messageframe(std::make_unique<MessagePanel>(client)),
      m_frawarntimed(std::make_unique<TimedWarningPanel>(client))
{
    connect(m_messageframe->messageok(), &QPushButton::clicked, this, &StatusPanels::messageok_Click);
}

StatusPanels::~StatusPanels() = default;

void StatusPanels::checkstatus()
{
    guard("Statuspanels", "Sub checkstatus", [&] {
        const bool connected = m_connection.connected();
        if (connected && m_updates != nullptr && !m_updates->finished())
            m_updates->go();
        QString status = connected ? u"(Internet Connected"_s : u"(Internet NOT Connected"_s;
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
        QWidget *window = m_client.window();
        if (window->windowTitle() != title) {
            window->setWindowTitle(title);
            ++m_titlechanges;
        }
    });
}

void StatusPanels::writemessagebox(const QString &text)
{
    guard("Statuspanels", "Sub writemessagebox", [&] {
        const qsizetype before = m_running.text().size();
        m_running.writemessagebox(text, m_logging && m_state.settings.uselog);
        QPlainTextEdit *box = &m_runningtext;
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

void StatusPanels::setwait(const QString &text)
{
    guard("Statuspanels", "Sub setwait", [&] {
        m_waitframe->waitlab()->setText(u"Please wait "_s + text + u" ...."_s);
        m_waitframe->setshown(true);
    });
}

void StatusPanels::clearwait()
{
    guard("Statuspanels", "Sub clearwait", [&] { m_waitframe->setshown(false); });
}

void StatusPanels::showmessage(const QString &text)
{
    guard("Statuspanels", "Sub showmessage", [&] {
        m_messageframe->messagelab()->setText(text);
        m_messageframe->setshown(true);
    });
}

void StatusPanels::fileproblem(const QString &text, Prompts &prompts)
{
    guard("Statuspanels", "Sub fileproblem", [&] {
        writemessagebox(text);
        if (m_problemshown)
            return;
        const QScopedValueRollback showing(m_problemshown, true);
        prompts.message(text);
    });
}

void StatusPanels::messageok_Click()
{
    guard("Statuspanels", "Sub messageok_Click", [&] {
        m_messageframe->visitdownload()->hide();
        m_messageframe->Autodownload()->hide();
        m_messageframe->setshown(false);
    });
}

void StatusPanels::showWarning(const QString &text)
{
    m_frawarntimed->lblwarn()->setText(text);
    m_frawarntimed->setshown(true);
}

void StatusPanels::hideWarning()
{
    m_frawarntimed->setshown(false);
}
