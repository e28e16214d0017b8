#pragma once

// Whether the computer has an Internet connection. Searches refuse to start without one and
// make no progress while it is lost.
class Connection
{
public:
    virtual ~Connection() = default;
    virtual bool connected() const = 0;
};

// Asks the system's network information backend. Where no backend exists, or the backend
// cannot tell, the connection counts as present: a wrong "offline" would block every search,
// a wrong "online" only lets requests fail and retry.
class SystemConnection final : public Connection
{
public:
    SystemConnection();
    bool connected() const override;

private:
    bool m_backend = false;
};
