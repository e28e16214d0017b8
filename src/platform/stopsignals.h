#pragma once

#include <QObject>

class QSocketNotifier;

// The requests to end that come from outside: SIGTERM (kill, a service manager, shutdown),
// SIGINT (Ctrl-C) and SIGHUP (the terminal or the session went away). They arrive here as a
// signal delivered by the event loop, so the program ends the way it ends by itself. While an
// object exists the three are caught; afterwards they act as before. One at a time.
class StopSignals final : public QObject
{
    Q_OBJECT
public:
    explicit StopSignals(QObject *parent = nullptr);
    ~StopSignals() override;

    // "SIGTERM" and the like, for messages.
    static QString name(int signal);

signals:
    void received(int signal);

private:
    QSocketNotifier *m_notifier = nullptr;
};
