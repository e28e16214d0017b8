#include "instancelock.h"

#include "diagnostics/guard.h"
#include "platform/filelock.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

InstanceLock::InstanceLock(const QString &folder) : m_folder(folder)
{
    guard("Instancelock", "Sub instancelock", [&] {
        m_lock = std::make_unique<QFile>(QDir(folder).filePath(u"zorvane.lock"_s));
        // A folder where no lock can be made (read-only) cannot tell: take the first name.
        if (!m_lock->open(QIODevice::ReadWrite))
            return;
        m_another = !filelock::trylock(*m_lock);
        if (!m_another)
            m_lockedat = QDateTime::currentDateTime();
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
    guard("Instancelock", "Function removeleftovers", [&] {
        if (!m_lockedat.isValid())
            return;
        const QRegularExpression leftover(u"^"_s + QRegularExpression::escape(inifile()) + u"\\.[A-Za-z0-9]{6}$"_s);
        const QDir dir(m_folder);
        for (const QFileInfo &file : dir.entryInfoList({inifile() + u".*"_s}, QDir::Files | QDir::Hidden)) {
            if (leftover.match(file.fileName()).hasMatch() && file.lastModified() < m_lockedat &&
                QFile::remove(file.filePath()))
                ++removed;
        }
    });
    return removed;
}
