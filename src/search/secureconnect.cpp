#include "secureconnect.h"

#include "base64.h"
#include "hostport.h"
#include "platform/codepage.h"
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

QByteArray tunnelrequest(const Settings &settings, const QString &host)
{
    const HostPort target = splithost(host);
    const QString name = target.host.contains(u':') ? u'[' + target.host + u']' : target.host;
    const QString authority = name + u':' + portpart(host);
    QString request = u"CONNECT "_s + authority + u" HTTP/1.1\r\nHost: "_s + authority + u"\r\n"_s;
    if (settings.useproxy && !settings.proxyuser.isEmpty())
        request +=
            u"Proxy-Authorization: Basic "_s + encode(settings.proxyuser + u':' + settings.proxypass) + u"\r\n"_s;
    request += u"\r\n"_s;
    return codepage::toBytes(request);
}

Endpoint endpointfor(const Settings &settings, const QString &server, const QString &port, const QString &host,
                     QString &problem)
{
    Endpoint endpoint{hostpart(server), port.trimmed().toUShort(), istls(host), hostpart(host), {}, {}};
    if (!endpoint.tls)
        return endpoint;
    endpoint.configuration = configurationfor(settings.cafile.trimmed(), problem);
    if (server != host)
        endpoint.tunnel = tunnelrequest(settings, host);
    return endpoint;
}
