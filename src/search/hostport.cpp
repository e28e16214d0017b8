#include "hostport.h"

namespace {

// Where the numeric port suffix starts (its colon), or -1.
qsizetype portcolon(const QString &server)
{
    const qsizetype colon = server.lastIndexOf(u':');
    if (colon <= 0)
        return -1;
    bool numeric = false;
    server.sliced(colon + 1).toUShort(&numeric);
    return numeric ? colon : -1;
}

} // namespace

QString hostpart(const QString &server)
{
    const qsizetype colon = portcolon(server);
    return colon < 0 ? server : server.left(colon);
}

QString portpart(const QString &server)
{
    const qsizetype colon = portcolon(server);
    return colon < 0 ? QStringLiteral("80") : server.sliced(colon + 1);
}
