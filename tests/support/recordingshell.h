#pragma once

#include "platform/shell.h"

#include <QStringList>

// A shell that opens and starts nothing and remembers what it was asked to.
class RecordingShell final : public Shell
{
public:
    void open(const QString &target) override { opened.append(target); }
    // A program run with a target (the browser with a page) counts as opening the target.
    bool run(const QString &program, const QStringList &arguments, const QString &folder) override
    {
        opened.append(arguments.value(0));
        ran.append(program + u' ' + arguments.join(u' ') + QStringLiteral(" in ") + folder);
        return starts;
    }
    bool starts = true; // what run() answers
    QStringList opened;
    QStringList ran; // "program arguments in folder"
};
