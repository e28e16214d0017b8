#include "tempfolder.h"

#include "platform/programfolder.h"

#include <QFile>

QByteArray readbytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writebytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

TempProgramFolder::TempProgramFolder()
{
    programfolder::setPath(m_dir.path());
}

TempProgramFolder::~TempProgramFolder()
{
    programfolder::setPath({});
}
