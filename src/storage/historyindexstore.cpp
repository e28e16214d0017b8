#include "historyindexstore.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

#include <filesystem>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace historyindex {

namespace {

// Raised when the layout of the index changes: an index of another version is rebuilt.
constexpr int Version = 3;

// One connection to an index file, closed and forgotten with the object.
class Connection final
{
public:
    explicit Connection(const QString &path)
    {
        // Without the driver the index lives in memory only.
        if (!QSqlDatabase::isDriverAvailable(u"QSQLITE"_s))
            return;
        static int serial = 0;
        m_name = u"historyindex-"_s + QString::number(++serial);
        m_db = QSqlDatabase::addDatabase(u"QSQLITE"_s, m_name);
        m_db.setDatabaseName(path);
        // Another process may be updating the same index.
        m_db.setConnectOptions(u"QSQLITE_BUSY_TIMEOUT=20000"_s);
        m_open = m_db.open();
    }
    ~Connection()
    {
        if (m_name.isEmpty())
            return;
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    bool open() const { return m_open; }
    bool run(const QString &statement, const QVariantList &values = {})
    {
        QSqlQuery query(m_db);
        if (values.isEmpty())
            return query.exec(statement);
        query.prepare(statement);
        for (int i = 0; i < values.size(); ++i)
            query.bindValue(i, values[i]);
        return query.exec();
    }
    QSqlQuery query() const { return QSqlQuery(m_db); }
    QSqlQuery prepared(const QString &statement) const
    {
        QSqlQuery query(m_db);
        query.prepare(statement);
        return query;
    }

private:
    QString m_name;
    QSqlDatabase m_db;
    bool m_open = false;
};

bool exec(QSqlQuery &query, const QVariantList &values)
{
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values[i]);
    return query.exec();
}

std::optional<FileState> readstate(Connection &db, const QString &filename)
{
    QSqlQuery query = db.query();
    if (!query.exec(u"SELECT name, value FROM meta"_s))
        return std::nullopt;
    QHash<QString, QVariant> meta;
    while (query.next())
        meta.insert(query.value(0).toString(), query.value(1));
    if (meta.value(u"version"_s).toInt() != Version || meta.value(u"file"_s).toString() != filename)
        return std::nullopt;
    return FileState{meta.value(u"size"_s).toLongLong(), meta.value(u"mtime"_s).toLongLong(),
                     meta.value(u"head"_s).toByteArray(), meta.value(u"tail"_s).toByteArray()};
}

bool writestate(Connection &db, const QString &filename, const FileState &state)
{
    QSqlQuery query = db.prepared(u"INSERT OR REPLACE INTO meta(name, value) VALUES(?, ?)"_s);
    const std::pair<QString, QVariant> values[] = {{u"version"_s, Version}, {u"file"_s, filename},
                                                   {u"size"_s, state.size}, {u"mtime"_s, state.mtime},
                                                   {u"head"_s, state.head}, {u"tail"_s, state.tail}};
    for (const auto &[name, value] : values) {
        if (!exec(query, {name, value}))
            return false;
    }
    return true;
}

bool loadrecords(Connection &db, Catalogue &catalogue)
{
    QSqlQuery query = db.query();
    query.setForwardOnly(true);
    if (!query.exec(u"SELECT n, offset, whentext, faulty, description, number, source FROM records ORDER BY n"_s))
        return false;
    while (query.next()) {
        if (query.value(0).toLongLong() != qint64(catalogue.records.size()) + 1)
            return false;
        catalogue.records.push_back(
            {query.value(1).toLongLong(),
             query.value(2).toByteArray(),
             query.value(3).toBool(),
             {query.value(4).toString(), query.value(5).toString(), query.value(6).toString()}});
    }
    return true;
}

bool loaddomains(Connection &db, Catalogue &catalogue)
{
    QSqlQuery query = db.query();
    query.setForwardOnly(true);
    if (!query.exec(u"SELECT record, url, keywords, country, language, device, location FROM domains ORDER BY id"_s))
        return false;
    while (query.next()) {
        IndexedDomain &domain = catalogue.domains.emplace_back(
            IndexedDomain{query.value(0).toInt(), quint32(query.value(1).toLongLong()), query.value(2).toByteArray()});
        for (size_t i = 0; i < domain.locale.size(); ++i)
            domain.locale[i] = quint32(query.value(int(i) + 3).toLongLong());
    }
    return true;
}

bool loadtexts(Connection &db, Catalogue &catalogue)
{
    QSqlQuery query = db.query();
    query.setForwardOnly(true);
    if (!query.exec(u"SELECT block, data FROM texts ORDER BY block"_s))
        return false;
    for (int b = 0; query.next(); ++b) {
        if (query.value(0).toInt() != b || !catalogue.texts.addblock(query.value(1).toByteArray()))
            return false;
    }
    return true;
}

bool createtables(Connection &db)
{
    for (const QString &statement :
         {u"CREATE TABLE meta(name TEXT PRIMARY KEY, value)"_s,
          u"CREATE TABLE records(n INTEGER PRIMARY KEY, offset INTEGER NOT NULL, whentext BLOB NOT NULL, "
          "faulty INTEGER NOT NULL, description TEXT, number TEXT, source TEXT)"_s,
          // A domain's place is four texts, as its url is one.
          u"CREATE TABLE domains(id INTEGER PRIMARY KEY, record INTEGER NOT NULL, url INTEGER NOT NULL, "
          "keywords BLOB, country INTEGER, language INTEGER, device INTEGER, location INTEGER)"_s,
          u"CREATE INDEX domainsbyrecord ON domains(record)"_s,
          u"CREATE TABLE texts(block INTEGER PRIMARY KEY, data BLOB NOT NULL)"_s}) {
        if (!db.run(statement))
            return false;
    }
    return true;
}

// Records from number `from` on, with their domains, and the text blocks from the one that
// holds text number `texts` + 1 on.
bool writefrom(Connection &db, const Catalogue &catalogue, int from, quint32 texts)
{
    QSqlQuery records = db.prepared(u"INSERT INTO records(n, offset, whentext, faulty, description, number, source) "
                                    "VALUES(?, ?, ?, ?, ?, ?, ?)"_s);
    for (int n = from; n <= int(catalogue.records.size()); ++n) {
        const IndexedRecord &r = catalogue.records[size_t(n - 1)];
        if (!exec(records, {n, r.offset, r.when, r.faulty, r.fault.description, r.fault.number, r.fault.source}))
            return false;
    }
    QSqlQuery domains = db.prepared(u"INSERT INTO domains(record, url, keywords, country, language, device, location) "
                                    "VALUES(?, ?, ?, ?, ?, ?, ?)"_s);
    for (const IndexedDomain &d : catalogue.domains) {
        if (d.record < from)
            continue;
        if (!exec(domains, {d.record, qint64(d.url), d.keywords, qint64(d.locale[0]), qint64(d.locale[1]),
                            qint64(d.locale[2]), qint64(d.locale[3])}))
            return false;
    }
    QSqlQuery blocks = db.prepared(u"INSERT OR REPLACE INTO texts(block, data) VALUES(?, ?)"_s);
    for (int b = int(texts / TextTable::BlockSize); b < catalogue.texts.blockcount(); ++b) {
        if (!exec(blocks, {b, catalogue.texts.block(b)}))
            return false;
    }
    return true;
}

// The index repeats what the history file holds: whoever may not read the file may not read the
// index either. Its owner keeps reading and writing it. (The User flags say what this process
// may do, not the file's mode.)
QFileDevice::Permissions allowed(const QString &filename)
{
    const QFileDevice::Permissions mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                          QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther;
    return (QFile::permissions(filename) | QFileDevice::ReadOwner | QFileDevice::WriteOwner) & mode;
}

// A new index that a process killed while building it left behind.
void dropstale(const QString &path)
{
    const QFileInfo info(path);
    const QDateTime old = QDateTime::currentDateTime().addSecs(-600);
    for (const QFileInfo &stale : info.dir().entryInfoList({info.fileName() + u".new*"_s}, QDir::Files)) {
        if (stale.lastModified() < old)
            QFile::remove(stale.filePath());
    }
}

} // namespace

QString indexpath(const QString &filename)
{
    const QFileInfo file(filename);
    const QString beside = file.absoluteFilePath() + u".idx"_s;
    const QFileInfo existing(beside);
    if (QFileInfo(file.absolutePath()).isWritable() && (!existing.exists() || existing.isWritable()))
        return beside;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + u"/history-index"_s;
    QDir().mkpath(folder);
    const QByteArray key = QCryptographicHash::hash(file.absoluteFilePath().toUtf8(), QCryptographicHash::Sha1);
    return folder + u'/' + file.completeBaseName() + u'-' + QString::fromLatin1(key.toHex().left(16)) + u".idx"_s;
}

void IndexStore::limitpermissions(const QString &filename) const
{
    const QFileDevice::Permissions now =
        QFile::permissions(m_path) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
    if ((now & allowed(filename)) != now)
        QFile::setPermissions(m_path, now & allowed(filename));
}

bool IndexStore::load(const QString &filename, Catalogue &catalogue, FileState &state) const
{
    if (!QFileInfo::exists(m_path))
        return false;
    Connection db(m_path);
    if (!db.open())
        return false;
    const std::optional<FileState> stored = readstate(db, filename);
    if (!stored || !loadrecords(db, catalogue) || !loaddomains(db, catalogue) || !loadtexts(db, catalogue))
        return false;
    state = *stored;
    catalogue.end = state.size;
    return catalogue.consistent();
}

bool IndexStore::create(const QString &filename, const Catalogue &catalogue, const FileState &state) const
{
    dropstale(m_path);
    const QString temp = m_path + u".new"_s + QString::number(QCoreApplication::applicationPid());
    QFile::remove(temp);
    // Given its permissions before it holds anything; SQLite takes an empty file for an empty
    // database.
    QFile made(temp);
    if (!made.open(QIODevice::WriteOnly) || !made.setPermissions(allowed(filename))) {
        made.remove();
        return false;
    }
    made.close();
    bool written = false;
    {
        Connection db(temp);
        // A file no one reads before it is complete needs no journal.
        written = db.open() && db.run(u"PRAGMA journal_mode=OFF"_s) && db.run(u"PRAGMA synchronous=OFF"_s) &&
                  createtables(db) && db.run(u"BEGIN"_s) && writefrom(db, catalogue, 1, 0) &&
                  writestate(db, filename, state) && db.run(u"COMMIT"_s);
    }
    std::error_code error;
    if (written)
        std::filesystem::rename(temp.toStdString(), m_path.toStdString(), error);
    if (!written || error)
        QFile::remove(temp);
    return written && !error;
}

bool IndexStore::update(const QString &filename, const Catalogue &catalogue, int from, quint32 texts,
                        const FileState &before, const FileState &after) const
{
    Connection db(m_path);
    if (!db.open() || !db.run(u"PRAGMA synchronous=OFF"_s) || !db.run(u"BEGIN IMMEDIATE"_s))
        return false;
    // Another process may have brought it up to date meanwhile, or rebuilt it.
    const std::optional<FileState> stored = readstate(db, filename);
    const bool done = stored && *stored == before && db.run(u"DELETE FROM domains WHERE record >= ?"_s, {from}) &&
                      db.run(u"DELETE FROM records WHERE n >= ?"_s, {from}) && writefrom(db, catalogue, from, texts) &&
                      writestate(db, filename, after) && db.run(u"COMMIT"_s);
    if (!done)
        db.run(u"ROLLBACK"_s);
    return done;
}

} // namespace historyindex
