#include "savemark.h"

#include "diagnostics/failure.h"
#include "platform/checkedfile.h"
#include "platform/filelock.h"
#include "platform/killpoint.h"

#include <QCryptographicHash>
#include <QFile>

using namespace Qt::Literals::StringLiterals;

namespace historyfile {

namespace {

constexpr QByteArrayView Magic = "zorvane-save-mark 1";
// The mark is small beside the record it carries; a larger one is no mark of ours.
constexpr qint64 LargestMark = qint64(1) << 30;

QByteArray checksum(QByteArrayView bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

} // namespace

QString markname(const QString &filename)
{
    return filename + u".saving"_s;
}

SaveMark SaveMark::of(const QFile &file, const QByteArray &record)
{
    SaveMark mark;
    mark.m_valid = true;
    mark.m_identity = filelock::identity(file);
    mark.m_start = file.size();
    mark.m_record = record;
    return mark;
}

// The header's lines, then an empty line and the record.
QByteArray SaveMark::bytes() const
{
    return Magic.toByteArray() + "\nfile " + m_identity + "\nstart " + QByteArray::number(m_start) + "\nlength " +
           QByteArray::number(m_record.size()) + "\nsha256 " + checksum(m_record) + "\n\n" + m_record;
}

SaveMark SaveMark::read(const QString &filename)
{
    SaveMark mark;
    QFile file(markname(filename));
    if (!file.open(QIODevice::ReadOnly) || file.size() > LargestMark)
        return mark;
    const QByteArray bytes = file.readAll();
    const qsizetype end = bytes.indexOf("\n\n");
    if (end < 0)
        return mark;
    const QList<QByteArray> lines = bytes.first(end).split('\n');
    if (lines.size() != 5 || lines[0] != Magic)
        return mark;
    const auto field = [&](int i, QByteArrayView name) {
        return lines[i].startsWith(name) ? lines[i].sliced(name.size()) : QByteArray();
    };
    bool startok = false;
    bool lengthok = false;
    mark.m_identity = field(1, "file ");
    mark.m_start = field(2, "start ").toLongLong(&startok);
    const qint64 length = field(3, "length ").toLongLong(&lengthok);
    mark.m_record = bytes.sliced(end + 2);
    // A mark cut short was being written when its save was killed, before the file was touched.
    mark.m_valid = startok && lengthok && mark.m_start >= 0 && length == mark.m_record.size() &&
                   field(4, "sha256 ") == checksum(mark.m_record);
    return mark;
}

qint64 SaveMark::committedsize(QFile &file) const
{
    if (!m_valid || filelock::identity(file) != m_identity)
        return -1;
    const qint64 size = file.size();
    // The whole record there is a save that was done but for removing its mark.
    if (size < m_start || size >= m_start + m_record.size())
        return -1;
    const QByteArray written = file.seek(m_start) ? file.read(size - m_start) : QByteArray();
    file.seek(0);
    return written.size() == size - m_start && m_record.startsWith(written) ? m_start : -1;
}

qint64 openlocked(QFile &file, int mode, bool exclusive)
{
    for (int attempt = 0;; ++attempt) {
        if (!file.open(QIODevice::OpenMode(mode))) {
            if (exclusive)
                throw Failure::cannotWrite(file.fileName(), file.errorString());
            throw Failure::cannotRead(file.fileName(), file.errorString());
        }
        // On a file system without locks the file is used unlocked.
        if (!filelock::lock(file, exclusive) || filelock::stillnamed(file, file.fileName()) || attempt == 10)
            return SaveMark::read(file.fileName()).committedsize(file);
        file.close();
    }
}

void dropunfinished(QFile &file)
{
    const SaveMark mark = SaveMark::read(file.fileName());
    const qint64 size = mark.committedsize(file);
    if (size >= 0 && file.size() > size) {
        killpoint::step();
        if (!file.resize(size))
            throw Failure::cannotWrite(file.fileName(), file.errorString());
    }
    if (QFile::exists(markname(file.fileName())))
        finishsave(file);
}

bool startsave(const QFile &file, const QByteArray &record)
{
    QFile mark(markname(file.fileName()));
    if (!mark.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return false;
    // Synced, so that after a power cut no part of the record is there without its mark.
    if (appendchecked(mark, SaveMark::of(file, record).bytes(), true).isEmpty())
        return true;
    mark.close();
    mark.remove();
    return false;
}

void finishsave(const QFile &file)
{
    killpoint::step();
    QFile::remove(markname(file.fileName()));
}

} // namespace historyfile
