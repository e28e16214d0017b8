#include "hostport.h"

namespace {

constexpr QStringView Https = u"https://";
constexpr QStringView Http = u"http://";

bool isport(QStringView text)
{
    bool numeric = false;
    [[maybe_unused]] const ushort port = text.toUShort(&numeric);
    return numeric;
}

} // namespace

bool istls(const QString &server)
{
    return server.trimmed().startsWith(Https, Qt::CaseInsensitive);
}

QString withoutscheme(const QString &server)
{
    const QString trimmed = server.trimmed();
    for (const QStringView scheme : {Https, Http}) {
        if (trimmed.startsWith(scheme, Qt::CaseInsensitive))
            return trimmed.sliced(scheme.size());
    }
    return trimmed;
}

HostPort splithost(const QString &written)
{
    const bool tls = istls(written);
    const QString server = withoutscheme(written);
    const qsizetype close = server.indexOf(u']');
    if (server.startsWith(u'[') && close > 0) {
        const QStringView rest = QStringView(server).sliced(close + 1);
        const bool port = rest.startsWith(u':') && isport(rest.sliced(1));
        return {server.sliced(1, close - 1), port ? rest.sliced(1).toString() : QString(), tls};
    }
    const qsizetype colon = server.indexOf(u':');
    if (colon > 0 && colon == server.lastIndexOf(u':') && isport(QStringView(server).sliced(colon + 1)))
        return {server.left(colon), server.sliced(colon + 1), tls};
    return {server, {}, tls};
}

QString hostpart(const QString &server)
{
    return splithost(server).host;
}

QString portpart(const QString &server)
{
    const HostPort split = splithost(server);
    if (!split.port.isEmpty())
        return split.port;
    return split.tls ? QStringLiteral("443") : QStringLiteral("80");
}
