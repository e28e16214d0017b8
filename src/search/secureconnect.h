#pragma once

#include "socketcontrol.h"

#include <QString>

struct RequestTarget;
struct Settings;

// How a socket reaches a target. A server written "https://" is reached over TLS, checked
// against the system's certificate authorities and those of the setting "cafile"; through a
// proxy the TLS connection runs inside a tunnel the proxy opens on CONNECT. `problem` is set,
// and nothing should connect, when the CA file cannot be used.
Endpoint endpointfor(const Settings &settings, const RequestTarget &target, QString &problem);

// The proxy request that opens a tunnel to the target's server, with the proxy's credentials.
QByteArray tunnelrequest(const RequestTarget &target);
