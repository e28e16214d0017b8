#pragma once

#include "runningtext.h"

#include <QObject>

#include <memory>

struct AppState;
class Checkforupdates;
class Connection;
class MessagePanel;
class Prompts;
class QPlainTextEdit;
class TimedWarningPanel;
class WaitPanel;
class QWidget;

// What the window tells the user: the title, the running message box, and the wait, message
// and timed-warning panels, which it creates over the window and owns.
class StatusPanels final : public QObject
{
    Q_OBJECT
public:
    // The panels go over client; the title is that of the window client is in.
    StatusPanels(AppState &state, QWidget &client, QPlainTextEdit &runningtext, const Connection &connection);
    ~StatusPanels() override;

    void checkstatus();
    // The update check that checkstatus starts while connected and until it has finished.
    void setupdatecheck(Checkforupdates *updates) { m_updates = updates; }
    // With logging on, the line goes to the day log too, once start-up has read the settings.
    void writemessagebox(const QString &text);
    void startlogging() { m_logging = true; }
    const QString &runningtext() const { return m_running.text(); }
    void endlog(const QString &closing) { m_running.endlog(closing); }
    void setwait(const QString &text);
    void clearwait();
    void showmessage(const QString &text);
    // A file that could not be read or written: the user's to fix, not a program error. Goes to
    // the message box, and into one plain box at a time; the message box keeps any that come
    // while it is open.
    void fileproblem(const QString &text, Prompts &prompts);
    void messageok_Click();
    void showWarning(const QString &text);
    void hideWarning();

    WaitPanel &waitframe() const { return *m_waitframe; }
    MessagePanel &messageframe() const { return *m_messageframe; }
    TimedWarningPanel &frawarntimed() const { return *m_frawarntimed; }

    // How often checkstatus changed the title, so a repeated call in the same state is seen
    // to leave it alone.
    int titlechanges() const { return m_titlechanges; }

private:
    AppState &m_state;
    QWidget &m_client;
    QPlainTextEdit &m_runningtext;
    const Connection &m_connection;
    RunningText m_running;
    bool m_logging = false;
    bool m_problemshown = false;
    std::unique_ptr<WaitPanel> m_waitframe;
    std::unique_ptr<MessagePanel> m_messageframe;
    std::unique_ptr<TimedWarningPanel> m_frawarntimed;
    int m_titlechanges = 0;
    Checkforupdates *m_updates = nullptr;
};
