#include "instancelock.h"

#include "diagnostics/guard.h"

#include <QDir>

using namespace Qt::Literals::StringLiterals;

InstanceLock::InstanceLock(const QString &folder)
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
