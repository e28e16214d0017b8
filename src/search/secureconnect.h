#pragma once

#include "socketcontrol.h"

#include <QString>

struct Settings;

// Where one job connects. `server` and `port` are the proxy's or the search host's, `host` the
// search host as configured. A host written "https://" is reached over TLS, checked against the
// system's certificate authorities and those of the setting "cafile"; through a proxy the TLS
// connection runs inside a tunnel the proxy opens on CONNECT. `problem` is set, and nothing
// should connect, when the CA file cannot be used.
Endpoint endpointfor(const Settings &settings, const QString &server, const QString &port, const QString &host,
                     QString &problem);

// The proxy request that opens a tunnel to `host` (with its port), with the proxy's Basic
// credentials when "useproxy" names a user.
QByteArray tunnelrequest(const Settings &settings, const QString &host);
