#include "qtshell.h"

#include <QDesktopServices>
#include <QUrl>

void QtShell::open(const QString &target)
{
    // What happens next is the registered program's business; a missing one is not an error.
    QDesktopServices::openUrl(QUrl(target, QUrl::TolerantMode));
}
