#pragma once

#include <QSslCertificate>
#include <QSslKey>
#include <QTcpServer>

// A test CA and a certificate it signed for 127.0.0.1, made by openssl in `dir` at test time.
struct TestPki
{
    QString cafile;
    QSslCertificate certificate;
    QSslKey key;

    bool make(const QString &dir);
};

// A TLS front on 127.0.0.1 for a plain server such as the fake engine: it takes TLS
// connections with the certificate of `pki` and relays the bytes to and from `target`.
class TlsRelay final : public QTcpServer
{
public:
    TlsRelay(const TestPki &pki, quint16 target) : m_pki(pki), m_target(target) {}
    QString hostport(const QString &name = QStringLiteral("127.0.0.1")) const
    {
        return QStringLiteral("https://") + name + u':' + QString::number(serverPort());
    }

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    const TestPki &m_pki;
    quint16 m_target;
};
