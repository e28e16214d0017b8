#include "connection.h"

#include <QNetworkInformation>

SystemConnection::SystemConnection()
{
    m_backend = QNetworkInformation::instance() || QNetworkInformation::loadDefaultBackend();
}

bool SystemConnection::connected() const
{
    const QNetworkInformation *info = m_backend ? QNetworkInformation::instance() : nullptr;
    if (!info || !info->supports(QNetworkInformation::Feature::Reachability))
        return true;
    // Local and site reachability still let a proxy on the same network through.
    return info->reachability() != QNetworkInformation::Reachability::Disconnected;
}
