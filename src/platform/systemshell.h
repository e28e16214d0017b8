#pragma once

#include "shell.h"

// The system's registered programs without a window toolkit, for the command line.
class SystemShell final : public Shell
{
public:
    void open(const QString &target) override;
};
