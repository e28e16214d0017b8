#pragma once

#include <QObject>
#include <QString>

// Runs the user's alert program with the summary on its standard input. The setting is split
// into the program and its arguments as a command line is, but no shell ever sees it, so
// nothing in it (";", "|", "$(...)") is run as a command of its own. The program runs beside
// the caller; one that outlives the time limit is ended.
class AlertCommand final : public QObject
{
    Q_OBJECT
public:
    static constexpr int TimeLimitMs = 30000;

    explicit AlertCommand(QObject *parent = nullptr);

    void start(const QString &command, const QString &text);
    // Programs started and not yet ended.
    int running() const { return m_running; }
    // Lets the event loop run until every started program has ended (for the command line).
    void waitall();

signals:
    // A program ended; problem is "" when it exited with status 0.
    void finished(const QString &problem);
    void allfinished();

private:
    void ended(const QString &problem);

    int m_running = 0;
};
