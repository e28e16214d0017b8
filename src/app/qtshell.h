#pragma once

#include "platform/shell.h"

// Opens targets through the desktop's registered programs.
class QtShell final : public Shell
{
public:
    void open(const QString &target) override;
};
