#pragma once

// The index of a history file on disk: an SQLite file that keeps the catalogue between runs,
// and what it knew of the history file when it was last brought up to date. Not part of the
// storage layer's interface.

#include "historycatalogue.h"

#include <QString>

namespace historyindex {

// Where the index of a history file lives: beside it (its name followed by ".idx") when the
// folder can be written, else in the user's cache folder under a name made from its path.
QString indexpath(const QString &filename);

// The history file as the index last read it: how many bytes of records, when it was last
// written, and checksums of the first and last bytes of those records.
struct FileState
{
    qint64 size = -1;
    qint64 mtime = 0; // milliseconds since the epoch, UTC
    QByteArray head;
    QByteArray tail;

    bool operator==(const FileState &) const = default;
};

class IndexStore final
{
public:
    explicit IndexStore(const QString &path) : m_path(path) {}

    // The catalogue and the file state of the index of filename; false when there is no index,
    // or it is damaged, of another version or of another file.
    bool load(const QString &filename, Catalogue &catalogue, FileState &state) const;
    // Writes a whole new index beside the old one and renames it over it.
    bool create(const QString &filename, const Catalogue &catalogue, const FileState &state) const;
    // Replaces the records from number `from` on and the texts from number `texts` + 1 on, when
    // the index still describes the file as `before`.
    bool update(const QString &filename, const Catalogue &catalogue, int from, quint32 texts, const FileState &before,
                const FileState &after) const;

    // Takes from the index every permission the history file does not give, such as those of an
    // index made before the file's were narrowed.
    void limitpermissions(const QString &filename) const;

private:
    QString m_path;
};

} // namespace historyindex
