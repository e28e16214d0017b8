#include "syncfolder.h"

#include <QFileDevice>

// Where a rename is made durable by the file system itself there is nothing to do.
bool syncfolder(const QString &)
{
    return true;
}

bool syncfile(QFileDevice &file, QString &reason)
{
    if (file.flush())
        return true;
    reason = file.errorString();
    return false;
}
