#pragma once

#include "platform/connection.h"

// A connection state the test sets.
class FakeConnection final : public Connection
{
public:
    bool connected() const override { return m_connected; }
    void set(bool connected) { m_connected = connected; }

private:
    bool m_connected = true;
};
