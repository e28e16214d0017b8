#pragma once

#include <QByteArray>
#include <QString>

class QFile;

// Advisory locks on files that more than one process writes (the desktop program and the
// command line on the same history file). A lock is held until the file is closed, and the
// system drops it when its process dies, so a crash never leaves a file locked.
namespace filelock {

// Waits for the lock on the open file: exclusive for writers, shared for readers.
bool lock(QFile &file, bool exclusive);
// Takes the exclusive lock if nobody holds it; false at once otherwise.
bool trylock(QFile &file);
// Whether path still names the open file: a writer that replaced the file by renaming a new
// one over it may have held the lock while this process waited on the old one.
bool stillnamed(const QFile &file, const QString &path);
// The open file's identity (its device and inode), which a file renamed into its place does
// not share; "" when the system cannot tell.
QByteArray identity(const QFile &file);

} // namespace filelock
