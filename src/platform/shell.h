#pragma once

#include <QString>

// Hands a document, a web address or a mail link to the program the user has registered for
// it. The window uses the system's; tests record what would have been opened.
class Shell
{
public:
    virtual ~Shell() = default;
    virtual void open(const QString &target) = 0;
};
