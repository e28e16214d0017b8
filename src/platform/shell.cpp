#include "shell.h"

#include <QProcess>

bool Shell::run(const QString &program, const QStringList &arguments, const QString &folder)
{
    return QProcess::startDetached(program, arguments, folder);
}
