#pragma once

#include <QString>

// A server setting "host[:port]" as connections take it: the host, and the port as text
// ("80" when no numeric port follows the last colon).
QString hostpart(const QString &server);
QString portpart(const QString &server);
