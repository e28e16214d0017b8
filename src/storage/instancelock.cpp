#include "instancelock.h"

#include "diagnostics/guard.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

InstanceLock::InstanceLock(const QString &folder) : m_folder(folder)
{
    guard("Google", "Sub instancelock", [&] {
        m_lock = std::make_unique<QLockFile>(QDir(folder).filePath(u"zorvane.lock"_s));
        // Only a dead owner makes a lock stale; a long run must not lose it to its age.
        m_lock->setStaleLockTime(0);
        if (m_lock->tryLock(0))
            return;
        // A folder where no lock can be made (read-only) cannot tell: take the first name.
        m_another = m_lock->error() == QLockFile::LockFailedError;
    });
}

InstanceLock::~InstanceLock() = default;

QString InstanceLock::inifile() const
{
    return m_another ? u"zorvane2.ini"_s : u"zorvane.ini"_s;
}

int InstanceLock::removeleftovers() const
{
    int removed = 0;
    guard("Google", "Function removeleftovers", [&] {
        const QFileInfo lock(QDir(m_folder).filePath(u"zorvane.lock"_s));
        if (!lock.exists())
            return;
        const QDateTime since = lock.lastModified();
        const QRegularExpression leftover(u"^"_s + QRegularExpression::escape(inifile()) + u"\\.[A-Za-z0-9]{6}$"_s);
        const QDir dir(m_folder);
        for (const QFileInfo &file : dir.entryInfoList({inifile() + u".*"_s}, QDir::Files | QDir::Hidden)) {
            if (leftover.match(file.fileName()).hasMatch() && file.lastModified() < since &&
                QFile::remove(file.filePath()))
                ++removed;
        }
    });
    return removed;
}
