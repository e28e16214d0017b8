#include "syncfolder.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

bool syncfolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

bool syncfile(QFileDevice &file, QString &reason)
{
    if (!file.flush()) {
        reason = file.errorString();
        return false;
    }
    int result;
    do {
        result = ::fsync(file.handle());
    } while (result != 0 && errno == EINTR);
    // A file that cannot be synced at all (a pipe, some special file systems) is as written as
    // it will ever be.
    if (result == 0 || errno == EINVAL)
        return true;
    reason = QString::fromLocal8Bit(std::strerror(errno));
    return false;
}
