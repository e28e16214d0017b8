#pragma once

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

private:
    std::unique_ptr<QFile> m_lock;
    bool m_another = false;
};
