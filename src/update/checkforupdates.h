#pragma once

#include "diagnostics/int16.h"
#include "search/requesttarget.h"
#include "search/socketcontrol.h"

#include <QObject>
#include <QString>
#include <QTimer>

struct Settings;

// Asks the update host which version is current, once per run: started by the status check
// while the computer is connected and until a reply has been evaluated. Driven by a one-second
// timer that walks the socket through connect, request and wait; the server's close ends the
// reply. A newer announcement is handed to the window as the message text of its message panel.
class Checkforupdates final : public QObject
{
    Q_OBJECT
public:
    enum class Outcome
    {
        Evaluated,   // a reply came and was read (whether or not it announced anything)
        SocketError, // the connection failed
        TimedOut,    // the request went unanswered
    };
    Q_ENUM(Outcome)

    static constexpr int DefaultTimeout = 600; // ticks after the request: ten minutes

    // The settings are read on every tick, so a changed proxy or update host applies to the
    // next attempt.
    explicit Checkforupdates(const Settings &settings, QObject *parent = nullptr);

    // Starts an attempt unless one is running.
    void go();
    bool running() const { return m_running; }
    // A reply has been evaluated in this run; the status check stops calling go().
    bool finished() const { return m_finished; }
    // The newer version the last reply announced ("V1.0.3"), "" before one did.
    const QString &announced() const { return m_announced; }

    // How many ticks a request may go unanswered, and the tick interval in milliseconds (the
    // command line's --timeout; tests).
    void settimeout(int ticks) { m_timeout = ticks; }
    void setinterval(int ms) { m_interval = ms; }

signals:
    // A newer version is announced: show `message` in the message panel with the buttons
    // "Update Now !" (update::Autodownload) and "Visit Download Page" (Help::visitdownload) and the
    // OK button captioned "Ignore".
    void newversion(const QString &message);
    // The attempt is over.
    void ended(Checkforupdates::Outcome outcome);

private:
    void Timer1_Timer();
    void winsock1_DataArrival(qint64 bytes);
    void winsock1_Close();
    void stop(Outcome outcome);

    const Settings &m_settings;
    QTimer m_timer;
    SocketControl m_socket;
    bool m_running = false;
    bool m_requested = false;
    bool m_finished = false;
    Int16 m_ticks;
    QString m_reply;
    QString m_announced;
    int m_timeout = DefaultTimeout;
    int m_interval = 1000;
};

namespace update {

// Where the update check connects: the update host, through the proxy when one is used.
RequestTarget target(const Settings &settings);
// The update request, line by line; through the proxy with the absolute address.
QString request(const Settings &settings);
// The version a reply announces: from the "V" of the first "<V" up to the next ">", CR or LF;
// "" when there is no "<V". Without a terminator the last character of the reply is left out.
QString announcedversion(const QString &reply);
// The number formed by all decimal digits of the text ("<V1.0.2>" is 102). More than 16 bits
// fail through the error trap; `ok` then reads false.
Int16 getint(const QString &text, bool *ok = nullptr);
// The message panel's text for an announcement newer than the program.
QString updatemessage(const QString &announced);

} // namespace update
