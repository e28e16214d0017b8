#include "tempfolder.h"

#include "platform/programfolder.h"

#include <QFile>

TempProgramFolder::TempProgramFolder()
{
    programfolder::setPath(m_dir.path());
}

TempProgramFolder::~TempProgramFolder()
{
    programfolder::setPath({});
}

QByteArray TempProgramFolder::read(const QString &name) const
{
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}
