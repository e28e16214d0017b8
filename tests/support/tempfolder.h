#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh folder installed as the program's folder for the test's lifetime.
class TempProgramFolder
{
public:
    TempProgramFolder();
    ~TempProgramFolder();
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }
    QByteArray read(const QString &name) const;

private:
    QTemporaryDir m_dir;
};
