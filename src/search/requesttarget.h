#pragma once

#include <QString>

struct ServiceTarget;
struct Settings;

// Where one request goes and how it gets there: the server as the request names it, and the
// connection, which goes to the proxy when one is used. The run, the fetcher, the TLS
// connection, the connection check and the update check all take it from here.
struct RequestTarget
{
    QString host; // the server as the Host line names it: "name", "name:port" or "[v6]:port"
    QString name; // the server's name alone, as its certificate carries it
    quint16 port = 0;
    bool tls = false;
    QString prefix; // the path a service lives under, without a trailing "/"; "" for the root

    bool proxied = false;
    // What the request builders compare with `host` to choose the proxy form: the proxy as
    // written, or `host` itself.
    QString server;
    QString connecthost; // where the socket connects: the proxy's name, or `name`
    quint16 connectport = 0;
    QString proxyauth; // the Proxy-Authorization value; "" without a proxy or its user

    QString problem; // why the settings name no usable server; "" when they do

    // A plain request through the proxy names the server in full; over TLS the proxy only
    // opens a tunnel, and the request inside it is the direct one.
    bool proxyform() const { return proxied && !tls; }
    // The server the request builders are given beside `host`.
    QString requestserver() const { return proxyform() ? server : host; }
    // "name:port" of where the socket connects, for messages.
    QString connection() const;
};

// The target for a server as a service names it, through the proxy when "useproxy" is on.
RequestTarget requesttarget(const Settings &settings, const ServiceTarget &server);
// The same for a host as the settings write one: "name", "name:port" or "https://name[:port]".
RequestTarget requesttarget(const Settings &settings, const QString &host);
// Where the searches of a job go: the server of the service the settings choose (the SOAP
// service's when `useapi`), through the proxy when one is used.
RequestTarget searchtarget(const Settings &settings, bool useapi);

// The value of the Proxy-Authorization header, "Basic " and the encoded user and password;
// "" when no proxy is used or it names no user.
QString proxycredentials(const Settings &settings);
// The header line of those credentials with its line end; "" for none.
QString proxyauthorization(const QString &credentials);
