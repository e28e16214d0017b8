#pragma once

#include <QIODevice>
#include <QSaveFile>
#include <QString>

class QFile;

// A whole file written beside its place and renamed over it only once every byte has reached
// the disk, so a full disk, a missing folder or a kill leaves the old file byte for byte. Every
// write is checked as it is made (nothing waits in a buffer to fail unseen), a failed write
// keeps the copy from ever being committed, and the copy is synced before the rename.
class CheckedFile final : public QIODevice
{
public:
    enum class Access
    {
        Kept,      // a new file gets the usual mode, an existing one keeps its own
        OwnerOnly, // readable and writable by its owner only: it holds a secret
    };

    // An uncommitted copy is removed when the object goes.
    explicit CheckedFile(const QString &path, Access access = Access::Kept);

    // Creates the copy beside the file; false when it cannot (a missing folder, no permission,
    // a folder of that name). The mode is always write-only.
    bool open(OpenMode mode = WriteOnly) override;
    // Syncs the copy and renames it into place. False, with the old file as it was, when a
    // write failed or the copy could not be synced or renamed.
    bool commit();
    const QString &fileName() const { return m_path; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 len) override;

private:
    void fail(const QString &reason);

    QString m_path;
    Access m_access;
    QSaveFile m_file;
    bool m_failed = false;
};

// Appends bytes to the end of file, open for appending: every byte checked to have reached the
// file and, with sync, synced. On a failure the file is cut back to the size it had, so it
// stays as it was, and the system's reason is returned; "" when all went well.
QString appendchecked(QFile &file, QByteArrayView bytes, bool sync);

// The name of the file a writer writes to (a CheckedFile or any QFileDevice), "" for others.
QString devicefilename(const QIODevice &device);
