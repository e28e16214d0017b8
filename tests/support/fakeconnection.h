#pragma once

#include "platform/connection.h"

// A connection state the test sets; counts how often it was asked.
class FakeConnection final : public Connection
{
public:
    bool connected() const override
    {
        ++m_asked;
        return m_connected;
    }
    void set(bool connected) { m_connected = connected; }
    int asked() const { return m_asked; }

private:
    bool m_connected = true;
    mutable int m_asked = 0;
};
