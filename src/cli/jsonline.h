#pragma once

#include <QString>
#include <QStringList>

// One JSON object on one line with its keys in the order they were added (QJsonObject
// would sort them).
class JsonLine
{
public:
    JsonLine &add(QStringView key, const QString &value);
    JsonLine &add(QStringView key, qint64 value);
    JsonLine &add(QStringView key, const QStringList &values);
    // Adds a value that is already JSON text (an array of objects, say).
    JsonLine &addRaw(QStringView key, const QString &json);
    QString text() const;

    static QString quote(QStringView text);

private:
    QString m_body;
};
