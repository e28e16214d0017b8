#pragma once

#include <QDateTime>
#include <QFile>
#include <QString>

#include <memory>

// Tells whether another instance of the program runs from the same folder. The first instance
// holds a lock on the file "zorvane.lock" there for its whole run. The system drops the lock when
// its process ends, however it ends, so a crashed or killed instance never leaves one behind.
class InstanceLock final
{
public:
    explicit InstanceLock(const QString &folder);
    ~InstanceLock();

    bool anotherinstance() const { return m_another; }
    // "zorvane.ini", or "zorvane2.ini" while another instance runs.
    QString inifile() const;

    // Removes the temporary copies of the settings file that a program killed while replacing
    // it left behind ("zorvane.ini.XXXXXX"), those older than the lock: while this instance
    // holds it, nobody else replaces that file. A second instance removes nothing, as another
    // one may be replacing its file right now. Returns how many were removed.
    int removeleftovers() const;

private:
    QString m_folder;
    std::unique_ptr<QFile> m_lock;
    // When this instance took the lock; invalid while another one holds it.
    QDateTime m_lockedat;
    bool m_another = false;
};
