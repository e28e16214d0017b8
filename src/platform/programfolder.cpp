#include "programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString s_override;

} // namespace

namespace programfolder {

QString path()
{
    if (!s_override.isEmpty())
        return s_override;
    static const QString folder = folderfor(QCoreApplication::applicationDirPath());
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

bool systemwide(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    return absolute.startsWith(u"/usr/") || absolute.startsWith(u"/opt/");
}

QString folderfor(const QString &exeDir)
{
    if (!exeDir.isEmpty() && !systemwide(exeDir) && QFileInfo(exeDir).isWritable())
        return exeDir;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return data;
}

} // namespace programfolder
