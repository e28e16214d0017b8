#include "desktopbrowser.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

using namespace Qt::Literals::StringLiterals;

// The freedesktop.org way: xdg-mime names the desktop entry registered for text/html, and the
// entry's Exec key says how to run it.
namespace {

QString defaultentry()
{
    QProcess query;
    query.start(u"xdg-mime"_s, {u"query"_s, u"default"_s, u"text/html"_s});
    if (!query.waitForFinished(5000)) {
        query.kill();
        query.waitForFinished();
        return {};
    }
    if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
        return {};
    const QString out = QString::fromLocal8Bit(query.readAllStandardOutput());
    return out.section(u'\n', 0, 0).section(u';', 0, 0).trimmed();
}

QStringList datadirs()
{
    QString home = qEnvironmentVariable("XDG_DATA_HOME");
    if (home.isEmpty())
        home = QDir::homePath() + u"/.local/share"_s;
    QStringList dirs = qEnvironmentVariable("XDG_DATA_DIRS").split(u':', Qt::SkipEmptyParts);
    if (dirs.isEmpty())
        dirs = {u"/usr/local/share"_s, u"/usr/share"_s};
    dirs.prepend(home);
    return dirs;
}

// An entry's id is its path below an applications folder with "/" written as "-".
QString entryfile(const QString &id)
{
    const QStringList dirs = datadirs();
    for (const QString &dir : dirs) {
        const QString path = dir + u"/applications/"_s + id;
        if (QFile::exists(path))
            return path;
    }
    for (const QString &dir : dirs) {
        const QDir applications(dir + u"/applications"_s);
        QDirIterator it(applications.path(), {u"*.desktop"_s}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (applications.relativeFilePath(path).replace(u'/', u'-') == id)
                return path;
        }
    }
    return {};
}

QString execvalue(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    bool inentry = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(u'['))
            inentry = line == u"[Desktop Entry]";
        else if (inentry && line.startsWith(u"Exec") && line.sliced(4).trimmed().startsWith(u'='))
            return line.section(u'=', 1).trimmed();
    }
    return {};
}

// The Exec value's arguments: blanks separate them, double quotes group them, and a backslash
// inside quotes takes the next character literally.
QStringList arguments(const QString &exec)
{
    QStringList args;
    QString current;
    bool quoted = false;
    bool any = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (quoted && c == u'\\' && i + 1 < exec.size()) {
            current += exec[++i];
        } else if (c == u'"') {
            quoted = !quoted;
            any = true;
        } else if (!quoted && c == u' ') {
            if (any || !current.isEmpty())
                args << current;
            current.clear();
            any = false;
        } else {
            current += c;
        }
    }
    if (any || !current.isEmpty())
        args << current;
    return args;
}

// Field codes stand for the files to open (and flatpak's markers frame them); the target is
// added at the end instead.
bool fieldcode(const QString &arg)
{
    return (arg.size() == 2 && arg[0] == u'%' && arg[1] != u'%') || arg == u"@@" || arg == u"@@u";
}

QString quoted(const QString &arg)
{
    if (!arg.contains(u' ') && !arg.contains(u'"'))
        return arg;
    return u'"' + QString(arg).replace(u"\""_s, u"\"\"\""_s) + u'"';
}

} // namespace

namespace desktopbrowser {

QString htmlcommand()
{
    const QString id = defaultentry();
    if (id.isEmpty())
        return {};
    const QString file = entryfile(id);
    if (file.isEmpty())
        return {};
    QStringList args = arguments(execvalue(file));
    args.removeIf(fieldcode);
    if (args.isEmpty())
        return {};
    const QString program = QStandardPaths::findExecutable(args.first());
    if (program.isEmpty())
        return {};
    args.first() = program;
    QStringList parts;
    for (QString &arg : args)
        parts << quoted(arg.replace(u"%%"_s, u"%"_s));
    return parts.join(u' ');
}

} // namespace desktopbrowser
