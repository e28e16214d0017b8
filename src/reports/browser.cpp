#include "browser.h"

#include "diagnostics/guard.h"
#include "platform/desktopbrowser.h"
#include "platform/shell.h"

#include <QProcess>

namespace reports {

QString browserexe()
{
    QString path;
    guard("Browser", "Function browserexe", [&] { path = desktopbrowser::htmlcommand(); });
    return path;
}

void openbrowser(Shell &shell, const QString &browserpath, const QString &target)
{
    guard("Browser", "Sub openbrowser", [&] {
        QStringList command = QProcess::splitCommand(browserpath);
        if (command.isEmpty()) {
            shell.open(target);
            return;
        }
        const QString program = command.takeFirst();
        shell.run(program, command << target);
    });
}

} // namespace reports
