#pragma once

#include <QString>

namespace desktopbrowser {

// The command the desktop opens HTML files with: the program's full path, followed by any
// fixed arguments its registration carries (quoted where they hold blanks); "" when the
// desktop names none or the program cannot be found. A target goes after it as one more
// argument.
QString htmlcommand();

} // namespace desktopbrowser
