#include "filelock.h"

#include <QFile>

#include <cerrno>
#include <sys/file.h>
#include <sys/stat.h>

namespace filelock {

bool lock(QFile &file, bool exclusive)
{
    const int fd = file.handle();
    if (fd < 0)
        return false;
    int result;
    do {
        result = ::flock(fd, exclusive ? LOCK_EX : LOCK_SH);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

bool trylock(QFile &file)
{
    const int fd = file.handle();
    int result;
    do {
        result = fd < 0 ? -1 : ::flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

bool stillnamed(const QFile &file, const QString &path)
{
    struct stat open = {};
    struct stat named = {};
    if (::fstat(file.handle(), &open) != 0 || ::stat(QFile::encodeName(path).constData(), &named) != 0)
        return false;
    return open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

QByteArray identity(const QFile &file)
{
    struct stat open = {};
    if (::fstat(file.handle(), &open) != 0)
        return {};
    return QByteArray::number(qulonglong(open.st_dev)) + ':' + QByteArray::number(qulonglong(open.st_ino));
}

} // namespace filelock
