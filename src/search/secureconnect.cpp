#include "secureconnect.h"

#include "platform/codepage.h"
#include "requesttarget.h"
#include "search/settings.h"

#include <QFileInfo>
#include <QSslCertificate>

using namespace Qt::Literals::StringLiterals;

namespace {

// The TLS configuration for a CA file, read again only when the file changes.
QSslConfiguration configurationfor(const QString &cafile, QString &problem)
{
    static QString cachedfile;
    static QDateTime cachedtime;
    static QSslConfiguration cached = QSslConfiguration::defaultConfiguration();
    if (cafile.isEmpty())
        return QSslConfiguration::defaultConfiguration();
    const QFileInfo info(cafile);
    if (cafile == cachedfile && info.lastModified() == cachedtime)
        return cached;
    const QList<QSslCertificate> certificates = QSslCertificate::fromPath(cafile, QSsl::Pem);
    if (!info.isReadable() || certificates.isEmpty()) {
        problem = u"TLS error: no certificate could be read from the CA file \""_s + cafile + u'"';
        return {};
    }
    cached = QSslConfiguration::defaultConfiguration();
    cached.addCaCertificates(certificates);
    cachedfile = cafile;
    cachedtime = info.lastModified();
    return cached;
}

} // namespace

QByteArray tunnelrequest(const RequestTarget &target)
{
    const QString name = target.name.contains(u':') ? u'[' + target.name + u']' : target.name;
    const QString authority = name + u':' + QString::number(target.port);
    QString request = u"CONNECT "_s + authority + u" HTTP/1.1\r\nHost: "_s + authority + u"\r\n"_s;
    request += proxyauthorization(target.proxyauth) + u"\r\n"_s;
    return codepage::toBytes(request);
}

Endpoint endpointfor(const Settings &settings, const RequestTarget &target, QString &problem)
{
    Endpoint endpoint{target.connecthost, target.connectport, target.tls, target.name, {}, {}};
    if (!endpoint.tls)
        return endpoint;
    endpoint.configuration = configurationfor(settings.cafile.trimmed(), problem);
    if (target.proxied)
        endpoint.tunnel = tunnelrequest(target);
    return endpoint;
}
