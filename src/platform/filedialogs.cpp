#include "filedialogs.h"

#include <QStringList>

using namespace Qt::Literals::StringLiterals;

QString FileDialogs::qtfilter(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts.at(i).trimmed();
        const QString pattern = parts.at(i + 1).trimmed();
        // Qt reads the patterns from the parentheses; a description without them gets the
        // pattern of its pair so the entry still filters.
        if (description.contains(u'(') && description.endsWith(u')'))
            entries.append(description);
        else
            entries.append(description + u" ("_s + pattern + u')');
    }
    return entries.join(u";;"_s);
}
