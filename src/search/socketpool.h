#pragma once

#include "socketcontrol.h"

#include <QList>
#include <QObject>

// The fetcher's sockets, indexed from 0. Element 0 is a template that exists from the start
// and is never used for fetching; elements 1 to maxconnections are created on demand and
// re-used once closed.
class SocketPool final : public QObject
{
    Q_OBJECT
public:
    explicit SocketPool(QObject *parent = nullptr);

    // The index of a free (closed) socket, creating one while fewer than maxconnections
    // exist; 0 when none may be used.
    int getsocket(int maxconnections);
    // The number of loaded sockets, the template included.
    int count() const { return int(m_sockets.size()); }
    SocketControl &socket(int index);
    // How many sockets are not closed (the template excluded).
    int openCount() const;

signals:
    void dataArrival(int index, qint64 bytes);
    void closeEvent(int index);

private:
    QList<SocketControl *> m_sockets;
};
