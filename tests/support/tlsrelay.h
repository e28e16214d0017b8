#pragma once

#include <QSslCertificate>
#include <QSslKey>
#include <QTcpServer>

// A TLS front on 127.0.0.1 for a plain server's port. Its certificate, for 127.0.0.1, is signed
// by a test CA (cafile) that openssl makes in `dir`.
class TlsRelay final : public QTcpServer
{
public:
    bool start(const QString &dir, quint16 target);
    QString cafile;
    QString hostport(const QString &name = QStringLiteral("127.0.0.1")) const
    {
        return QStringLiteral("https://") + name + u':' + QString::number(serverPort());
    }

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    QSslCertificate m_certificate;
    QSslKey m_key;
    quint16 m_target = 0;
};
