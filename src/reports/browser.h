#pragma once

#include <QString>

class Shell;

namespace reports {

// The program the desktop opens HTML files with, looked up once at start-up; "" when none.
QString browserexe();
// Opens target (a file or a web address) with the browser when one was found, otherwise
// hands it to the system's own association.
void openbrowser(Shell &shell, const QString &browserpath, const QString &target);

} // namespace reports
