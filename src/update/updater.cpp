#include "updater.h"

#include "diagnostics/guard.h"
#include "platform/product.h"
#include "platform/shell.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace update {

namespace {

// Whether the package manager installed the executable: its list of the package's files names it.
bool packaged(const Installation &installation)
{
    QFile list(installation.packagelist);
    if (installation.executable.isEmpty() || !list.open(QIODevice::ReadOnly))
        return false;
    const QByteArray executable = QFile::encodeName(QFileInfo(installation.executable).canonicalFilePath());
    while (!list.atEnd()) {
        if (list.readLine().trimmed() == executable)
            return true;
    }
    return false;
}

QString packageoffer(const QString &announced)
{
    const QString version = announced.startsWith(u'V') ? announced.sliced(1) : announced;
    const QString file =
        product::name().toLower() + u'_' + (version.isEmpty() ? u"*"_s : version + u"_*"_s) + u".deb"_s;
    return product::name() + u" was installed as a package, so the package manager updates it: download "_s +
           (version.isEmpty() ? u"the new package"_s : u"the package of version "_s + announced) +
           u" from the download page, then install it with\r\n\r\n    sudo apt-get install ./"_s + file;
}

QString downloadoffer(const QString &why, const QString &announced)
{
    return u"There is no automatic update for this copy of "_s + product::name() + u": "_s + why +
           u".\r\n\r\nThe download page has "_s +
           (announced.isEmpty() ? u"the new version."_s : u"version "_s + announced + u'.');
}

} // namespace

Installation thisinstallation()
{
    return {product::folder(), QCoreApplication::applicationFilePath(),
            u"/var/lib/dpkg/info/"_s + product::name().toLower() + u".list"_s};
}

QString updatername()
{
#ifdef Q_OS_WIN
    return product::name().toLower() + u"update.exe"_s;
#else
    return product::name().toLower() + u"update"_s;
#endif
}

QString offer(const QString &announced, const Installation &installation)
{
    if (QFileInfo(QDir(installation.folder).filePath(updatername())).isFile())
        return {};
    if (packaged(installation))
        return packageoffer(announced);
    return downloadoffer(u"there is no "_s + updatername() + u" in "_s + QDir::toNativeSeparators(installation.folder),
                         announced);
}

UpdateStart Autodownload(Shell &shell, const QString &announced, const Installation &installation)
{
    UpdateStart result;
    guard("Updater", "Sub Autodownload", [&] {
        result.offer = offer(announced, installation);
        if (!result.offer.isEmpty())
            return;
        const QString program = QDir(installation.folder).filePath(updatername());
        result.started = shell.run(program, {product::versiontag()}, installation.folder);
        if (!result.started)
            result.offer = downloadoffer(QDir::toNativeSeparators(program) + u" could not be started"_s, announced);
    });
    return result;
}

} // namespace update
