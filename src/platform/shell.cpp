#include "shell.h"

#include <QProcess>

void Shell::run(const QString &program, const QStringList &arguments)
{
    // Whether the program starts is its own business, as with a document handed to the system.
    QProcess::startDetached(program, arguments);
}
