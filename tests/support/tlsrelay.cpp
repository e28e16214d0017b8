#include "tlsrelay.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSslSocket>

using namespace Qt::Literals::StringLiterals;

bool TestPki::make(const QString &dir)
{
    const QDir d(dir);
    const auto openssl = [&](const QString &args) {
        QProcess process;
        process.setWorkingDirectory(dir);
        process.start(u"openssl"_s, args.split(u' '));
        return process.waitForFinished(30000) && process.exitCode() == 0;
    };
    QFile ext(d.filePath(u"ext.cnf"_s));
    if (!ext.open(QIODevice::WriteOnly) || ext.write("subjectAltName=IP:127.0.0.1\nbasicConstraints=CA:FALSE\n") < 0)
        return false;
    ext.close();
    const QString newkey = u"-newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -keyout "_s;
    if (!openssl(u"req -x509 "_s + newkey + u"ca.key -out ca.pem -days 2 -subj /CN=ZorvaneTestCA"_s) ||
        !openssl(u"req "_s + newkey + u"server.key -out server.csr -subj /CN=zorvane-test-server"_s) ||
        !openssl(u"x509 -req -in server.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 2 -extfile ext.cnf "
                 u"-out server.pem"_s))
        return false;
    cafile = d.filePath(u"ca.pem"_s);
    certificate = QSslCertificate::fromPath(d.filePath(u"server.pem"_s)).value(0);
    QFile keyfile(d.filePath(u"server.key"_s));
    if (keyfile.open(QIODevice::ReadOnly))
        key = QSslKey(&keyfile, QSsl::Ec);
    return !certificate.isNull() && !key.isNull();
}

void TlsRelay::incomingConnection(qintptr descriptor)
{
    auto *tls = new QSslSocket(this);
    auto *plain = new QTcpSocket(tls);
    tls->setSocketDescriptor(descriptor);
    tls->setLocalCertificate(m_pki.certificate);
    tls->setPrivateKey(m_pki.key);
    connect(tls, &QSslSocket::encrypted, plain, [this, plain] { plain->connectToHost(u"127.0.0.1"_s, m_target); });
    connect(tls, &QSslSocket::readyRead, plain, [tls, plain] { plain->write(tls->readAll()); });
    connect(plain, &QTcpSocket::readyRead, tls, [tls, plain] { tls->write(plain->readAll()); });
    connect(plain, &QTcpSocket::disconnected, tls, [tls] { tls->disconnectFromHost(); });
    connect(tls, &QSslSocket::disconnected, tls, &QObject::deleteLater);
    tls->startServerEncryption();
}
