#pragma once

#include <QString>

// Makes the folder's entries (a file just renamed into place) survive a power loss: a file's
// own data is synced when it is written, its new name only when the folder is. False when the
// folder could not be synced.
bool syncfolder(const QString &folder);
