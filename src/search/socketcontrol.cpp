#include "socketcontrol.h"

#include "replyhead.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// The most a proxy may say before its tunnel is up; a CONNECT reply is a few lines.
constexpr qsizetype TunnelReplyLimit = 64 * 1024;

} // namespace

SocketControl::SocketControl(QObject *parent) : QObject(parent)
{
    for (QTcpSocket *socket : {&m_plain, static_cast<QTcpSocket *>(&m_secure)}) {
        connect(socket, &QTcpSocket::readyRead, this, &SocketControl::onReadyRead);
        connect(socket, &QTcpSocket::errorOccurred, this, &SocketControl::onError);
        connect(socket, &QTcpSocket::disconnected, this, &SocketControl::onDisconnected);
    }
    connect(&m_secure, &QSslSocket::connected, this, [this] {
        if (m_intunnel)
            m_secure.write(m_endpoint.tunnel);
    });
    connect(&m_secure, &QSslSocket::encrypted, this, [this] { m_encrypted = true; });
    connect(&m_secure, &QSslSocket::sslErrors, this, [this](const QList<QSslError> &errors) {
        // Qt refuses the handshake by itself; this only keeps the first reason for the status.
        if (!errors.isEmpty() && m_errortext.isEmpty())
            m_errortext = u"TLS error: "_s + errors.first().errorString();
    });
}

void SocketControl::connectTo(const QString &host, quint16 port)
{
    connectTo(Endpoint{host, port, false, {}, {}, {}});
}

void SocketControl::connectTo(const Endpoint &endpoint)
{
    close();
    m_endpoint = endpoint;
    // Plain connections keep the plain socket: a TLS socket copies every byte once more.
    m_socket = endpoint.tls ? &m_secure : &m_plain;
    if (!endpoint.tls) {
        m_plain.connectToHost(endpoint.host, endpoint.port);
        return;
    }
    m_secure.setSslConfiguration(endpoint.configuration);
    m_secure.setPeerVerifyMode(QSslSocket::VerifyPeer);
    m_secure.setPeerVerifyName(endpoint.peername);
    m_intunnel = !endpoint.tunnel.isEmpty();
    if (m_intunnel)
        m_secure.connectToHost(endpoint.host, endpoint.port);
    else
        m_secure.connectToHostEncrypted(endpoint.host, endpoint.port, endpoint.peername);
}

void SocketControl::send(const QByteArray &bytes)
{
    if (state() == Connected)
        m_socket->write(bytes);
}

QByteArray SocketControl::read()
{
    return m_intunnel ? QByteArray() : m_socket->readAll();
}

void SocketControl::close()
{
    // abort() reports our own close through disconnected(); that is not the server's close.
    m_closing = true;
    m_socket->abort();
    m_closing = false;
    m_failed = false;
    m_fatal = false;
    m_errortext.clear();
    m_peerClosed = false;
    m_intunnel = false;
    m_encrypted = false;
    m_tunnelreply.clear();
}

int SocketControl::state() const
{
    if (m_failed)
        return Error;
    if (m_peerClosed)
        return Closing;
    switch (m_socket->state()) {
    case QAbstractSocket::UnconnectedState:
        return Closed;
    case QAbstractSocket::HostLookupState:
        return Resolving;
    case QAbstractSocket::ConnectingState:
        return Connecting;
    case QAbstractSocket::ConnectedState:
        // Nothing may be sent before the server has shown a certificate that verifies.
        return m_endpoint.tls && !m_encrypted ? Connecting : Connected;
    case QAbstractSocket::ClosingState:
        return Closing;
    case QAbstractSocket::BoundState:
    case QAbstractSocket::ListeningState:
        return Open;
    }
    return Error;
}

void SocketControl::onReadyRead()
{
    if (m_intunnel)
        readtunnel();
    else
        emit dataArrival(m_socket->bytesAvailable());
}

// The proxy's answer to CONNECT: on 200 the tunnel stands and TLS starts inside it.
void SocketControl::readtunnel()
{
    m_tunnelreply += m_socket->readAll();
    const QString reply = QString::fromLatin1(m_tunnelreply);
    if (bodystart(reply) < 0) {
        if (m_tunnelreply.size() > TunnelReplyLimit)
            fail(u"proxy error: no answer to CONNECT"_s, false);
        return;
    }
    const int status = statuscode(reply);
    // Only the proxy answers a CONNECT; some proxies refuse credentials with 401 instead of 407.
    if (status == 407 || status == 401) {
        fail(u"proxy authentication failed"_s, true);
    } else if (status / 100 != 2) {
        fail(u"proxy error: CONNECT refused (HTTP "_s + QString::number(status) + u')', false);
    } else {
        m_intunnel = false;
        m_tunnelreply.clear();
        m_secure.startClientEncryption();
    }
}

void SocketControl::fail(const QString &text, bool fatal)
{
    // The first reason stands: a refused tunnel is followed by the proxy's close.
    if (m_failed)
        return;
    m_failed = true;
    m_fatal = fatal;
    if (m_errortext.isEmpty())
        m_errortext = text;
}

void SocketControl::onError(QAbstractSocket::SocketError error)
{
    // An orderly close by the server is the normal end of a reply and is reported through
    // disconnected(); everything else (refused, unknown host, network down) is an error. Qt
    // reports a reset of an established connection as a close too, so it ends the reply.
    // A close before the TLS handshake or the tunnel is done ends nothing: it is a failure.
    const bool handshaking = m_endpoint.tls && !m_encrypted;
    if (error == QAbstractSocket::RemoteHostClosedError && !handshaking)
        return;
    if (error == QAbstractSocket::SslHandshakeFailedError || error == QAbstractSocket::SslInternalError ||
        error == QAbstractSocket::SslInvalidUserDataError)
        fail(u"TLS error: "_s + m_socket->errorString(), true);
    else if (handshaking && error == QAbstractSocket::RemoteHostClosedError)
        fail(m_intunnel ? u"proxy error: closed during CONNECT"_s : u"TLS error: closed during the handshake"_s, false);
    else
        fail(m_socket->errorString(), false); // "Connection refused", "Host not found"
}

void SocketControl::onDisconnected()
{
    if (m_failed || m_closing)
        return;
    if (m_endpoint.tls && !m_encrypted) {
        fail(u"TLS error: closed during the handshake"_s, false);
        return;
    }
    m_peerClosed = true;
    emit closeEvent();
}
