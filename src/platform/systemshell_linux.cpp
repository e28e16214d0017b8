#include "systemshell.h"

#include <QProcess>

void SystemShell::open(const QString &target)
{
    // The desktop's own opener; without one nothing opens, as with a missing association.
    QProcess::startDetached(QStringLiteral("xdg-open"), {target});
}
