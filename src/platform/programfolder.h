#pragma once

#include <QString>

// The folder that holds the settings file, the day logs and (by default) the history files:
// the executable's folder when it can be written to, otherwise the per-user data folder.
namespace programfolder {

QString path();
// Overrides the folder (the command line's --dir, tests). An empty text goes back to the default.
void setPath(const QString &folder);
// Why `folder` cannot be the program's folder ("" when it can): it must exist and be a folder.
QString problem(const QString &folder);
// Whether a program or folder lies in a system-wide installation (under /usr or /opt). Such a
// program never writes beside itself, even when it could, as under root.
bool systemwide(const QString &path);
// The folder of a program whose executable lies in `exeDir`: exeDir itself when it can be
// written to and is not system-wide, otherwise the per-user data folder (created).
QString folderfor(const QString &exeDir);

} // namespace programfolder
