#include "programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString s_override;

QString defaultFolder()
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    if (!exeDir.isEmpty() && QFileInfo(exeDir).isWritable())
        return exeDir;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return data;
}

} // namespace

namespace programfolder {

QString path()
{
    if (!s_override.isEmpty())
        return s_override;
    static const QString folder = defaultFolder();
    return folder;
}

void setPath(const QString &folder)
{
    s_override = folder;
}

QString problem(const QString &folder)
{
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.exists())
        return QStringLiteral("no such folder \"%1\"").arg(folder);
    if (!info.isDir())
        return QStringLiteral("\"%1\" is not a folder").arg(folder);
    return {};
}

} // namespace programfolder
