#pragma once

// How history files are opened and appended to by more than one process, and what a killed
// save leaves. Not part of the storage layer's interface.

#include <QByteArray>
#include <QString>

class QFile;

namespace historyfile {

// A save appends its record in one write, but a process killed inside that write can leave
// part of it. While it saves, a mark beside the file (its name followed by ".saving") describes
// that write: the file's identity, the size it had, and the record with its length and
// checksum. A mark left behind counts only while it still describes the file's end: the same
// file, ending inside that very write, with that record's own bytes. Then readers stop where
// the record began and the next save cuts the part off. Any other mark (cut short, another file
// in the place of the one marked, bytes added by another program since) cuts nothing.
class SaveMark final
{
public:
    // The mark left beside filename; none when there is none or it was cut short.
    static SaveMark read(const QString &filename);
    // The mark of record about to be appended to the open file.
    static SaveMark of(const QFile &file, const QByteArray &record);

    bool exists() const { return m_valid; }
    // Where the records of the open file end: where a killed save's part begins, or -1 for the
    // whole file. Leaves the file at its start.
    qint64 committedsize(QFile &file) const;
    QByteArray bytes() const;

private:
    bool m_valid = false;
    QByteArray m_identity;
    qint64 m_start = 0;
    QByteArray m_record;
};

QString markname(const QString &filename);

// Opens path for mode and waits for its lock, again when a writer renamed a new file over the
// one it waited on. A file that cannot be opened is a file problem (of writing, for the
// exclusive lock a writer takes). Returns how much of the
// file its records take: the bytes past that belong to a save that was killed (-1: the whole
// file).
qint64 openlocked(QFile &file, int mode, bool exclusive);
// Under the writer's lock: cuts off what a killed save left and forgets its mark.
void dropunfinished(QFile &file);
// Marks the save of record at the file's present end. False when no mark can be made (a folder
// that cannot be written to): the save goes on without one.
bool startsave(const QFile &file, const QByteArray &record);
// Forgets the mark; one that cannot be removed describes a file that has moved on, and so
// cuts nothing.
void finishsave(const QFile &file);

} // namespace historyfile
