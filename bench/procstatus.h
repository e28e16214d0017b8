#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// A figure of /proc/self/status in megabytes, such as "VmRSS:" (resident now) or "VmHWM:" (at
// the most); 0 where there is none.
inline double residentmb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}
