#pragma once

#include <QObject>
#include <QTcpSocket>

// One asynchronous TCP client socket with the events and the readable state the fetcher
// works with. Everything is non-blocking; results arrive as signals on the owning thread.
class SocketControl final : public QObject
{
    Q_OBJECT
public:
    // The readable state. Only Closed, Connected and Error mean something to the fetcher;
    // every other value is "in progress".
    enum State : int
    {
        Closed = 0,
        Open = 1,
        Resolving = 4,
        Resolved = 5,
        Connecting = 6,
        Connected = 7,
        Closing = 8,
        Error = 9,
    };

    explicit SocketControl(QObject *parent = nullptr);

    void connectTo(const QString &host, quint16 port);
    void send(const QByteArray &bytes);
    // Takes everything received so far.
    QByteArray read();
    qint64 bytesAvailable() const { return m_socket.bytesAvailable(); }
    // Drops the connection at once, without waiting for unsent data or notifying anybody.
    void close();
    int state() const;

signals:
    // Bytes are waiting to be read.
    void dataArrival(qint64 bytes);
    // The other side ended the connection; the state reads Closing until close() is called.
    void closeEvent();

private:
    void onError(QAbstractSocket::SocketError error);
    void onDisconnected();

    QTcpSocket m_socket;
    bool m_failed = false;
    bool m_peerClosed = false;
    bool m_closing = false;
};
