#pragma once

#include <QString>

// The modal message boxes the engine shows: an OK box, an OK/Cancel box and a Yes/No/Cancel
// question, with the bare message text. The window shows real boxes; tests answer from a queue;
// the command line prints and never waits for a person.
class Prompts
{
public:
    enum class Answer
    {
        Yes,
        No,
        Cancel
    };

    virtual ~Prompts() = default;
    virtual void message(const QString &text) = 0;
    virtual Answer question(const QString &text) = 0;
    // A box with OK and Cancel buttons; true for OK. A front end without such a box of its own
    // asks the Yes/No/Cancel question, where only Cancel cancels.
    virtual bool confirm(const QString &text) { return question(text) != Answer::Cancel; }
};
