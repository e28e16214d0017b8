#include "socketcontrol.h"

SocketControl::SocketControl(QObject *parent) : QObject(parent)
{
    connect(&m_socket, &QTcpSocket::readyRead, this, [this] { emit dataArrival(m_socket.bytesAvailable()); });
    connect(&m_socket, &QTcpSocket::errorOccurred, this, &SocketControl::onError);
    connect(&m_socket, &QTcpSocket::disconnected, this, &SocketControl::onDisconnected);
}

void SocketControl::connectTo(const QString &host, quint16 port)
{
    close();
    m_socket.connectToHost(host, port);
}

void SocketControl::send(const QByteArray &bytes)
{
    if (m_socket.state() == QAbstractSocket::ConnectedState)
        m_socket.write(bytes);
}

QByteArray SocketControl::read()
{
    return m_socket.readAll();
}

void SocketControl::close()
{
    // abort() reports our own close through disconnected(); that is not the server's close.
    m_closing = true;
    m_socket.abort();
    m_closing = false;
    m_failed = false;
    m_peerClosed = false;
}

int SocketControl::state() const
{
    if (m_failed)
        return Error;
    if (m_peerClosed)
        return Closing;
    switch (m_socket.state()) {
    case QAbstractSocket::UnconnectedState:
        return Closed;
    case QAbstractSocket::HostLookupState:
        return Resolving;
    case QAbstractSocket::ConnectingState:
        return Connecting;
    case QAbstractSocket::ConnectedState:
        return Connected;
    case QAbstractSocket::ClosingState:
        return Closing;
    case QAbstractSocket::BoundState:
    case QAbstractSocket::ListeningState:
        return Open;
    }
    return Error;
}

void SocketControl::onError(QAbstractSocket::SocketError error)
{
    // An orderly close by the server is the normal end of a reply and is reported through
    // disconnected(); everything else (refused, unknown host, network down) is an error. Qt
    // reports a reset of an established connection as a close too, so it ends the reply.
    if (error == QAbstractSocket::RemoteHostClosedError)
        return;
    m_failed = true;
}

void SocketControl::onDisconnected()
{
    if (m_failed || m_closing)
        return;
    m_peerClosed = true;
    emit closeEvent();
}
