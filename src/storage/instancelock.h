#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// Tells whether another instance of the program runs from the same folder. The first instance
// holds a lock file there for its whole run; a lock left behind by a crashed instance names a
// process that no longer exists and is taken over.
class InstanceLock final
{
public:
    explicit InstanceLock(const QString &folder);
    ~InstanceLock();

    bool anotherinstance() const { return m_another; }
    // "zorvane.ini", or "zorvane2.ini" while another instance runs.
    QString inifile() const;

    // Removes the temporary copies of this instance's settings file that a program killed while
    // replacing it left behind ("zorvane.ini.XXXXXX"), those older than the lock: newer ones
    // may belong to a replacement in progress. Returns how many were removed.
    int removeleftovers() const;

private:
    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
    bool m_another = false;
};
