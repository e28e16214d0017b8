#pragma once

#include <QString>

// What the program knows about itself: its name, its version (one value, set in the build),
// where it lives and where its maker can be found.
namespace product {

QString name();
// "major.minor.revision", e.g. "1.0.2".
QString version();
// "<V1.0.2>": how the update file announces a version, and what the updater is given.
QString versiontag();
// "Zorvane Version 1.0.2", the about panel's name line.
QString versiontext();
// The product's web site; its "/help" page is the help of last resort.
QString website();
// The folder of the executable, where the help files, the guide and the updater lie
// (not the program's folder of settings and logs, which may be elsewhere).
QString folder();

} // namespace product
