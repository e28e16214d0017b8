#include "product.h"

#include <QCoreApplication>

using namespace Qt::Literals::StringLiterals;

namespace product {

QString name()
{
    return u"Zorvane"_s;
}

QString version()
{
    return QString::number(ZORVANE_VERSION_MAJOR) + u'.' + QString::number(ZORVANE_VERSION_MINOR) + u'.' +
           QString::number(ZORVANE_VERSION_PATCH);
}

QString versiontag()
{
    return u"<V"_s + version() + u'>';
}

QString versiontext()
{
    return name() + u" Version "_s + version();
}

QString website()
{
    return QStringLiteral(ZORVANE_WEBSITE);
}

QString folder()
{
    return QCoreApplication::applicationDirPath();
}

} // namespace product
