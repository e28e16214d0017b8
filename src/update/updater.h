#pragma once

#include <QString>

class Shell;

// "Update Now !": the updater beside the program where there is one, or what to do instead.
namespace update {

// Where the program runs from: the executable's folder and path, and the package manager's
// list of the files of the program's package.
struct Installation
{
    QString folder;
    QString executable;
    QString packagelist;
};
// This program's.
Installation thisinstallation();

struct UpdateStart
{
    bool started = false;
    // Where nothing was started, what to tell the user: the package manager's command for a
    // copy installed as a package, else the download page.
    QString offer;
};
// What "Update Now !" offers instead of the updater where the installation has none: the package
// manager's command for a copy installed as a package, else the download page; "" where there
// is an updater. announced is the version the update file named ("V1.0.3").
QString offer(const QString &announced, const Installation &installation);

// Starts the updater in the installation's folder through shell, with the program's own version
// tag; the window then closes the program. Where there is no updater (on every system but
// Windows) or it does not start, nothing is started, and the result says what to do instead.
UpdateStart Autodownload(Shell &shell, const QString &announced, const Installation &installation);

// The updater's file name.
QString updatername();

} // namespace update
