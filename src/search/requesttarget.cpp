#include "requesttarget.h"

#include "base64.h"
#include "diagnostics/guard.h"
#include "hostport.h"
#include "search/settings.h"
#include "searchservice.h"

using namespace Qt::Literals::StringLiterals;

QString RequestTarget::connection() const
{
    const QString bracketed = connecthost.contains(u':') ? u'[' + connecthost + u']' : connecthost;
    return bracketed + u':' + QString::number(connectport);
}

RequestTarget requesttarget(const Settings &settings, const ServiceTarget &server)
{
    RequestTarget target;
    guard("Requesttarget", "Function requesttarget", [&] {
        target.host = withoutscheme(server.host);
        target.name = hostpart(server.host);
        target.port = server.port.trimmed().toUShort();
        target.tls = server.tls || istls(server.host);
        target.prefix = server.prefix;
        target.problem = server.problem;
        target.proxied = settings.useproxy;
        target.server = target.proxied ? settings.proxyserver : target.host;
        target.connecthost = target.proxied ? hostpart(settings.proxyserver) : target.name;
        target.connectport = target.proxied ? settings.proxyport.trimmed().toUShort() : target.port;
        target.proxyauth = proxycredentials(settings);
    });
    return target;
}

RequestTarget requesttarget(const Settings &settings, const QString &host)
{
    ServiceTarget server;
    server.host = host;
    server.port = portpart(host);
    server.tls = istls(host);
    return requesttarget(settings, server);
}

RequestTarget searchtarget(const Settings &settings, bool useapi)
{
    return requesttarget(settings, makeservice(settings, useapi)->target());
}

QString proxycredentials(const Settings &settings)
{
    if (!settings.useproxy || settings.proxyuser.isEmpty())
        return {};
    return u"Basic "_s + encode(settings.proxyuser + u':' + settings.proxypass);
}

QString proxyauthorization(const QString &credentials)
{
    return credentials.isEmpty() ? QString() : u"Proxy-Authorization: "_s + credentials + u"\r\n"_s;
}
