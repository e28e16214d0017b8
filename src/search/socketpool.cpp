#include "socketpool.h"

#include "diagnostics/failure.h"
#include "diagnostics/guard.h"

SocketPool::SocketPool(QObject *parent) : QObject(parent)
{
    m_sockets.append(new SocketControl(this));
}

int SocketPool::getsocket(int maxconnections)
{
    int result = 0;
    guard("Fetcher", "Function getsocket", [&] {
        for (int i = 1; i < count(); ++i) {
            if (m_sockets[i]->state() == SocketControl::Closed) {
                result = i;
                return;
            }
        }
        if (count() > maxconnections)
            return;
        const int index = count();
        auto *socket = new SocketControl(this);
        connect(socket, &SocketControl::dataArrival, this, [this, index](qint64 n) { emit dataArrival(index, n); });
        connect(socket, &SocketControl::closeEvent, this, [this, index] { emit closeEvent(index); });
        m_sockets.append(socket);
        result = index;
    });
    return result;
}

SocketControl &SocketPool::socket(int index)
{
    if (index < 0 || index >= count())
        throw Failure::subscriptOutOfRange();
    return *m_sockets[index];
}

int SocketPool::openCount() const
{
    int n = 0;
    for (int i = 1; i < count(); ++i) {
        if (m_sockets[i]->state() != SocketControl::Closed)
            ++n;
    }
    return n;
}
