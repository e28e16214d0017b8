#pragma once

#include "platform/connection.h"

struct Settings;

// A search whose server is on this machine (the demo engine, or a proxy on the loopback)
// needs no Internet connection: the run must not refuse to start, or stall, because the
// computer is offline. Every other search asks the given connection.
class LocalConnection final : public Connection
{
public:
    LocalConnection(const Connection &connection, const Settings &settings);
    bool connected() const override;

    // Whether the searches a run starts connect to a loopback address: their server, or the
    // proxy they go through.
    static bool localserver(const Settings &settings);

private:
    const Connection &m_connection;
    const Settings &m_settings;
};
