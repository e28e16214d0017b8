#pragma once

#include <QObject>
#include <QSslConfiguration>
#include <QSslSocket>

// Where a socket connects and how: plain TCP, TLS to the server, or TLS through an HTTP proxy's
// tunnel (`tunnel` is the CONNECT request sent to the proxy before the handshake starts).
struct Endpoint
{
    QString host; // the server, or the proxy
    quint16 port = 0;
    bool tls = false;
    QString peername; // the name the server's certificate must carry
    QByteArray tunnel;
    QSslConfiguration configuration; // over TLS: the certificate authorities trusted, among others
};

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
    // Over TLS the state reads Connected only once the handshake has verified the server.
    void connectTo(const Endpoint &endpoint);
    void send(const QByteArray &bytes);
    // Takes everything received so far.
    QByteArray read();
    qint64 bytesAvailable() const { return m_socket->bytesAvailable(); }
    // Drops the connection at once, without waiting for unsent data or notifying anybody.
    void close();
    int state() const;
    // In the Error state: why, when more can be said than "socket error"; and whether trying
    // again cannot help (a certificate that does not verify, credentials the proxy refuses).
    QString errortext() const { return m_errortext; }
    bool fatal() const { return m_fatal; }

signals:
    // Bytes are waiting to be read.
    void dataArrival(qint64 bytes);
    // The other side ended the connection; the state reads Closing until close() is called.
    void closeEvent();

private:
    void onReadyRead();
    void onError(QAbstractSocket::SocketError error);
    void onDisconnected();
    void readtunnel();
    void fail(const QString &text, bool fatal);

    QTcpSocket m_plain;
    QSslSocket m_secure;
    QTcpSocket *m_socket = &m_plain; // the one of the two in use
    Endpoint m_endpoint;
    QByteArray m_tunnelreply;
    bool m_intunnel = false;
    bool m_encrypted = false;
    bool m_failed = false;
    bool m_fatal = false;
    QString m_errortext;
    bool m_peerClosed = false;
    bool m_closing = false;
};
