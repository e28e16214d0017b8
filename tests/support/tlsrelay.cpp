#include "tlsrelay.h"

#include <QFile>
#include <QProcess>
#include <QSslSocket>

using namespace Qt::Literals::StringLiterals;

bool TlsRelay::start(const QString &dir, quint16 target)
{
    const QString script =
        u"set -e; k='-newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -keyout';"
        "openssl req -x509 $k ca.key -out ca.pem -days 2 -subj /CN=ZorvaneTestCA;"
        "openssl req $k server.key -out server.csr -subj /CN=test -addext subjectAltName=IP:127.0.0.1;"
        "openssl x509 -req -in server.csr -CA ca.pem -CAkey ca.key -days 2 -copy_extensions copy -out server.pem"_s;
    QProcess sh;
    sh.setWorkingDirectory(dir);
    sh.start(u"sh"_s, {u"-c"_s, script});
    m_target = target;
    cafile = dir + u"/ca.pem"_s;
    m_certificate =
        sh.waitForFinished(60000) ? QSslCertificate::fromPath(dir + u"/server.pem"_s).value(0) : m_certificate;
    QFile keyfile(dir + u"/server.key"_s);
    m_key = keyfile.open(QIODevice::ReadOnly) ? QSslKey(&keyfile, QSsl::Ec) : m_key;
    return sh.exitCode() == 0 && !m_certificate.isNull() && !m_key.isNull() && listen(QHostAddress::LocalHost);
}

void TlsRelay::incomingConnection(qintptr descriptor)
{
    auto *tls = new QSslSocket(this);
    auto *plain = new QTcpSocket(tls);
    tls->setSocketDescriptor(descriptor);
    tls->setLocalCertificate(m_certificate);
    tls->setPrivateKey(m_key);
    connect(tls, &QSslSocket::encrypted, plain, [this, plain] { plain->connectToHost(u"127.0.0.1"_s, m_target); });
    connect(tls, &QSslSocket::readyRead, plain, [tls, plain] { plain->write(tls->readAll()); });
    connect(plain, &QTcpSocket::readyRead, tls, [tls, plain] { tls->write(plain->readAll()); });
    connect(plain, &QTcpSocket::disconnected, tls, [tls] { tls->disconnectFromHost(); });
    connect(tls, &QSslSocket::disconnected, tls, &QObject::deleteLater);
    tls->startServerEncryption();
}
