#include "hostport.h"

namespace {

bool isport(QStringView text)
{
    bool numeric = false;
    [[maybe_unused]] const ushort port = text.toUShort(&numeric);
    return numeric;
}

} // namespace

HostPort splithost(const QString &server)
{
    const qsizetype close = server.indexOf(u']');
    if (server.startsWith(u'[') && close > 0) {
        const QStringView rest = QStringView(server).sliced(close + 1);
        const bool port = rest.startsWith(u':') && isport(rest.sliced(1));
        return {server.sliced(1, close - 1), port ? rest.sliced(1).toString() : QString()};
    }
    const qsizetype colon = server.indexOf(u':');
    if (colon > 0 && colon == server.lastIndexOf(u':') && isport(QStringView(server).sliced(colon + 1)))
        return {server.left(colon), server.sliced(colon + 1)};
    return {server, {}};
}

QString hostpart(const QString &server)
{
    return splithost(server).host;
}

QString portpart(const QString &server)
{
    const QString port = splithost(server).port;
    return port.isEmpty() ? QStringLiteral("80") : port;
}
