#pragma once

#include <QString>

class QFileDevice;

// Makes the folder's entries (a file just renamed into place) survive a power loss: a file's
// own data is synced when it is written, its new name only when the folder is. False when the
// folder could not be synced.
bool syncfolder(const QString &folder);

// Makes what was written to the open file survive a power loss. False, with the system's
// reason, when the data could not be written out: a full disk or a failing device may show
// only here.
bool syncfile(QFileDevice &file, QString &reason);
