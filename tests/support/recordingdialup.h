#pragma once

#include "platform/dialup.h"

#include <QStringList>

// Records every dial ("dial FLAGS") and hang-up ("hangup") in order.
class RecordingDialup final : public Dialup
{
public:
    bool InternetAutodial(int flags) override
    {
        calls.append(QStringLiteral("dial %1").arg(flags));
        return true;
    }
    void InternetAutodialHangup() override { calls.append(QStringLiteral("hangup")); }

    QStringList calls;
};
