#include "autostart.h"

#include "product.h"
#include "programfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

std::unique_ptr<Autostart> systemautostart(const QString &programpath)
{
#ifdef Q_OS_WIN
    return std::make_unique<RegistryAutostart>(programpath);
#else
    return std::make_unique<XdgAutostart>(programpath);
#endif
}

namespace {

// What the panel says of a copy at programpath outside the place where programs are installed.
QString refusaltext(const QString &place, const QString &programpath)
{
    const qsizetype slash = std::max(programpath.lastIndexOf(u'/'), programpath.lastIndexOf(u'\\'));
    return u"Only a "_s + product::name() + u" installed "_s + place +
           u" starts with the computer; this copy runs from "_s + programpath.first(std::max<qsizetype>(slash, 0)) +
           u", so ticking the box registers nothing."_s;
}

} // namespace

RegistryAutostart::RegistryAutostart(const QString &programpath) : m_programpath(programpath) {}

QString RegistryAutostart::command() const
{
    QString path = m_programpath;
    path.replace(u'/', u'\\');
    const qsizetype slash = path.lastIndexOf(u'\\');
    QString name = path.sliced(slash + 1);
    if (const qsizetype dot = name.lastIndexOf(u'.'); dot > 0)
        name.truncate(dot);
    const QString command = u'"' + path.first(slash + 1) + name + u".exe\" /hide"_s;
    // Characters 5 to 17: after the quote, the drive letter and ":\", the folder's name.
    if (command.mid(4, 13).toLower() != u"program files")
        return {};
    return command;
}

QString RegistryAutostart::refusal() const
{
    if (!command().isEmpty())
        return {};
    return refusaltext(u"in a Program Files folder"_s, m_programpath);
}

void RegistryAutostart::setstartupreg(bool enable)
{
    const QString command = this->command();
    if (command.isEmpty())
        return;
    // A failure to write is not reported: nothing else depends on the entry.
    QSettings run(u"HKEY_CURRENT_USER\\SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN"_s, QSettings::NativeFormat);
    run.setValue(product::name(), enable ? command : QString());
}

namespace {

// A desktop entry's Exec argument: quoted, with the characters that are special inside quotes escaped.
QString execargument(const QString &path)
{
    QString escaped;
    for (const QChar c : path) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            escaped += u'\\';
        escaped += c;
    }
    return u'"' + escaped + u'"';
}

} // namespace

XdgAutostart::XdgAutostart(const QString &programpath) : m_programpath(QFileInfo(programpath).absoluteFilePath()) {}

QString XdgAutostart::entrypath() const
{
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || QDir::isRelativePath(config))
        config = QDir::homePath() + u"/.config"_s;
    return config + u"/autostart/zorvane.desktop"_s;
}

bool XdgAutostart::installed() const
{
    return programfolder::systemwide(m_programpath);
}

QString XdgAutostart::refusal() const
{
    if (installed())
        return {};
    return refusaltext(u"under /usr or /opt"_s, m_programpath);
}

void XdgAutostart::setstartupreg(bool enable)
{
    if (!installed())
        return;
    const QString path = entrypath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QString entry = u"[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name="_s +
                          product::name() +
                          u"\n"
                          "Comment=Search-rank tracker\n"
                          "Exec="_s +
                          execargument(m_programpath) + u"\nHidden="_s + (enable ? u"false"_s : u"true"_s) +
                          u"\nX-GNOME-Autostart-enabled="_s + (enable ? u"true"_s : u"false"_s) + u'\n';
    // Like the registry, a failure to write is not reported.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(entry.toUtf8()) >= 0)
        file.commit();
}
