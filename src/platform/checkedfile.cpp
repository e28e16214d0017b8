#include "checkedfile.h"

#include "killpoint.h"
#include "syncfolder.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace {

// Writes all of bytes, counting them with the kill tests' trigger. A write the disk takes only
// in part is continued, so that the reason comes from the system. "" or the reason.
QString writeall(QFileDevice &file, const char *data, qint64 len)
{
    qint64 done = 0;
    while (done < len) {
        const qint64 written = file.write(data + done, killpoint::allow(len - done));
        if (written < 0)
            return file.errorString();
        if (written == 0)
            return u"the disk took no more data"_s;
        killpoint::spend(written);
        done += written;
    }
    return {};
}

} // namespace

CheckedFile::CheckedFile(const QString &path, Access access) : m_path(path), m_access(access), m_file(path) {}

bool CheckedFile::open(OpenMode)
{
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        setErrorString(m_file.errorString());
        return false;
    }
    // The copy is still empty, so nobody can have read a secret from it before this.
    if (m_access == Access::OwnerOnly && !m_file.setPermissions(QFile::ReadOwner | QFile::WriteOwner)) {
        fail(m_file.errorString());
        return false;
    }
    return QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 CheckedFile::writeData(const char *data, qint64 len)
{
    if (m_failed)
        return -1;
    const QString reason = writeall(m_file, data, len);
    if (reason.isEmpty())
        return len;
    fail(reason);
    return -1;
}

void CheckedFile::fail(const QString &reason)
{
    setErrorString(reason);
    m_failed = true;
    m_file.cancelWriting();
}

bool CheckedFile::commit()
{
    if (!isOpen() || m_failed)
        return false;
    QString reason;
    killpoint::step();
    if (!syncfile(m_file, reason)) {
        fail(reason);
        return false;
    }
    killpoint::step();
    const bool renamed = m_file.commit();
    if (!renamed)
        setErrorString(m_file.errorString());
    m_failed = !renamed;
    close();
    // The new name, not only the new bytes, must outlive a power cut.
    if (renamed)
        syncfolder(QFileInfo(m_path).absolutePath());
    return renamed;
}

QString appendchecked(QFile &file, QByteArrayView bytes, bool sync)
{
    const qint64 start = file.size();
    QString reason = writeall(file, bytes.data(), bytes.size());
    if (reason.isEmpty() && !file.flush())
        reason = file.errorString();
    if (reason.isEmpty() && sync) {
        killpoint::step();
        syncfile(file, reason);
    }
    if (reason.isEmpty())
        return {};
    // A full disk still gives back the space of what was written.
    file.resize(start);
    return reason;
}

QString devicefilename(const QIODevice &device)
{
    if (const auto *checked = dynamic_cast<const CheckedFile *>(&device))
        return checked->fileName();
    if (const auto *file = dynamic_cast<const QFileDevice *>(&device))
        return file->fileName();
    return {};
}
