#pragma once

#include "runningtext.h"

#include <QObject>

struct AppState;
class Connection;
class MainWindow;
class Shell;

// What the window tells the user: the title, the running message box, the wait, message and
// timed-warning panels, and the error-report panels raised by the error trap.
class StatusPanels final : public QObject
{
    Q_OBJECT
public:
    StatusPanels(MainWindow &window, const Connection &connection, Shell &shell, QObject *parent = nullptr);

    void checkstatus();
    void writemessagebox(const QString &text);
    const QString &runningtext() const { return m_running.text(); }
    void setwait(const QString &text);
    void clearwait();
    void showmessage(const QString &text);
    void messageok_Click();
    void showWarning(const QString &text);
    void hideWarning();

    void raiseerrorreport();
    void traceview_Click();
    void tracecancel_Click();
    void tracesend_Click();

    // How often checkstatus changed the title, so a repeated call in the same state is seen
    // to leave it alone.
    int titlechanges() const { return m_titlechanges; }

private:
    void showpanel(const QString &name, bool visible);

    MainWindow &m_window;
    AppState &m_state;
    const Connection &m_connection;
    Shell &m_shell;
    RunningText m_running;
    int m_titlechanges = 0;
};
