#pragma once

#include <QString>
#include <QStringList>

// Hands a document, a web address or a mail link to the program the user has registered for
// it, or runs a given program with it. The window uses the system's; tests record what would
// have been opened.
class Shell
{
public:
    virtual ~Shell() = default;
    virtual void open(const QString &target) = 0;
    // Starts program with the arguments in folder (the current one when empty) and does not
    // wait for it; false when it could not be started.
    virtual bool run(const QString &program, const QStringList &arguments, const QString &folder = {});
};
