#include "localconnection.h"

#include "diagnostics/guard.h"
#include "hostport.h"
#include "search/settings.h"

#include <QHostAddress>

using namespace Qt::Literals::StringLiterals;

namespace {

bool loopback(const QString &server)
{
    const QString host = hostpart(server.trimmed()).toLower();
    return host == u"localhost"_s || QHostAddress(host).isLoopback();
}

} // namespace

LocalConnection::LocalConnection(const Connection &connection, const Settings &settings)
    : m_connection(connection), m_settings(settings)
{}

bool LocalConnection::localserver(const Settings &settings)
{
    bool local = false;
    guard("Searchrun", "Function localserver", [&] {
        if (settings.useproxy)
            local = loopback(settings.proxyserver);
        else
            local = loopback(settings.useapi ? settings.apihost : settings.searchhost);
    });
    return local;
}

bool LocalConnection::connected() const
{
    return localserver(m_settings) || m_connection.connected();
}
