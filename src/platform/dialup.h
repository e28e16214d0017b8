#pragma once

// The dial-up connection the scheduler may open before a search while the computer is offline,
// and hang up afterwards.
class Dialup
{
public:
    virtual ~Dialup() = default;
    // Dials the default connection; flags as the system's autodial call takes them (2: without
    // asking anybody). True when the connection came up.
    virtual bool InternetAutodial(int flags) = 0;
    virtual void InternetAutodialHangup() = 0;
};

// Systems without dial-up networking of their own (and connections that are always up) have
// nothing to dial: dialling reports failure and hanging up does nothing, so the search runs
// offline and waits for the connection as any search does.
class SystemDialup final : public Dialup
{
public:
    bool InternetAutodial(int) override { return false; }
    void InternetAutodialHangup() override {}
};
