#pragma once

#include "platform/dialup.h"

#include <QStringList>

#include <functional>

// Records every dial ("dial FLAGS") and hang-up ("hangup") in order.
class RecordingDialup final : public Dialup
{
public:
    bool InternetAutodial(int flags) override
    {
        calls.append(QStringLiteral("dial %1").arg(flags));
        if (ondial)
            ondial();
        return true;
    }
    void InternetAutodialHangup() override { calls.append(QStringLiteral("hangup")); }

    QStringList calls;
    // What dialling does to the connection, if anything.
    std::function<void()> ondial;
};
