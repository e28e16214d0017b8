#pragma once

#include "platform/prompts.h"

#include <QTextStream>

// Message boxes on the command line: printed, never waiting. The only question a command-line
// run can meet is whether to add the domain it was asked to search, which it answers Yes.
class StderrPrompts final : public Prompts
{
public:
    void message(const QString &text) override { QTextStream(stderr) << text << '\n'; }
    Answer question(const QString &text) override
    {
        QTextStream(stderr) << text << " Yes\n";
        return Answer::Yes;
    }
};
