#pragma once

#include <QString>
#include <QTemporaryDir>

// A file's bytes, empty when it cannot be read.
QByteArray readbytes(const QString &path);
// Replaces the file by bytes; false when not all of them were written.
bool writebytes(const QString &path, const QByteArray &bytes);

// A fresh folder installed as the program's folder for the test's lifetime.
class TempProgramFolder
{
public:
    TempProgramFolder();
    ~TempProgramFolder();
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }
    QByteArray read(const QString &name) const { return readbytes(file(name)); }
    bool write(const QString &name, const QByteArray &bytes) const { return writebytes(file(name), bytes); }

private:
    QTemporaryDir m_dir;
};
