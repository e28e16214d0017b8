#pragma once

#include <QString>

// A server as the settings and the command line name it: "name", "name:port", "[v6]",
// "[v6]:port" or a bare IPv6 address such as "::1", each optionally led by "http://" or
// "https://". "https://" asks for TLS.
struct HostPort
{
    QString host; // without the scheme, the port and the brackets of an IPv6 address
    QString port; // as written; empty when the server names none
    bool tls = false;
};

// A port is taken only when it is a number from 0 to 65535 after the last ":" of a name with
// one ":" or after the "]" of an IPv6 address; otherwise the whole text is the host.
HostPort splithost(const QString &server);

// The two halves as connections take them: the host, and the port ("443" for "https://",
// otherwise "80", when none is named).
QString hostpart(const QString &server);
QString portpart(const QString &server);

// Whether the server is written "https://...".
bool istls(const QString &server);
// The server without its "http://" or "https://", as the Host line and the request name it.
QString withoutscheme(const QString &server);
