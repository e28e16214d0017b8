#include "localconnection.h"

#include "diagnostics/guard.h"
#include "requesttarget.h"
#include "search/settings.h"
#include "searchservice.h"

#include <QHostAddress>

using namespace Qt::Literals::StringLiterals;

namespace {

bool loopback(const QString &name)
{
    return name.compare(u"localhost"_s, Qt::CaseInsensitive) == 0 || QHostAddress(name).isLoopback();
}

} // namespace

LocalConnection::LocalConnection(const Connection &connection, const Settings &settings)
    : m_connection(connection), m_settings(settings)
{}

bool LocalConnection::localserver(const Settings &settings)
{
    bool local = false;
    guard("Localconnection", "Function localserver",
          [&] { local = loopback(searchtarget(settings, usesoap(settings)).connecthost); });
    return local;
}

bool LocalConnection::connected() const
{
    // Asked for every job on every tick: the server is worked out only while offline.
    return m_connection.connected() || localserver(m_settings);
}
