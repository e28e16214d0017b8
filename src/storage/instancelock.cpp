#include "instancelock.h"

#include "diagnostics/guard.h"
#include "platform/filelock.h"

#include <QDir>

using namespace Qt::Literals::StringLiterals;

InstanceLock::InstanceLock(const QString &folder)
{
    guard("Google", "Sub instancelock", [&] {
        m_lock = std::make_unique<QFile>(QDir(folder).filePath(u"zorvane.lock"_s));
        // A folder where no lock can be made (read-only) cannot tell: take the first name.
        if (!m_lock->open(QIODevice::ReadWrite))
            return;
        m_another = !filelock::trylock(*m_lock);
    });
}

InstanceLock::~InstanceLock() = default;

QString InstanceLock::inifile() const
{
    return m_another ? u"zorvane2.ini"_s : u"zorvane.ini"_s;
}
