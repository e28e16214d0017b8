#include "servertools.h"

#include "diagnostics/guard.h"
#include "platform/codepage.h"
#include "platform/programfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace servertools {

namespace {

IniBatch *s_batch = nullptr;
IniFiles *s_files = nullptr;

ProfileFile::LoadResult loadini(const QString &filename, ProfileFile &profile, QString *error = nullptr)
{
    return s_files ? s_files->load(filename, profile) : profile.load(inipath(filename), error);
}

// A profile read trims blanks and takes off one pair of outer quotes. A value that would lose
// either is written in quotes, which every reader removes again, so keywords keep their outer
// spaces. A line break would end the entry and start a line of its own: it is kept as a space.
// Shut-down writes thousands of values: the stored form is built on the stack.
void storedform(QByteArrayView value, codepage::ShortBytes &bytes)
{
    bytes.clear();
    bytes.append(value.data(), value.size());
    std::replace_if(
        bytes.begin(), bytes.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    const QByteArrayView plain(bytes.constData(), bytes.size());
    const bool quoted =
        plain.size() >= 2 && (plain.front() == '"' || plain.front() == '\'') && plain.back() == plain.front();
    if (quoted || ProfileFile::trimmed(plain).size() != plain.size()) {
        bytes.insert(bytes.cbegin(), '"');
        bytes.append('"');
    }
}

// Names are converted on the stack: start-up and shut-down name thousands of keys, in sections
// that take turns.
QByteArrayView bytesof(const QString &text, codepage::ShortBytes &buffer)
{
    codepage::toBytes(text, buffer);
    return QByteArrayView(buffer.constData(), buffer.size());
}

// Nothing in the settings file is for others to read, and a file that holds a password or a
// key is kept from them even where its mode was widened; any other keeps its mode.
CheckedFile::Access access(const ProfileFile &profile, const QString &path)
{
    return !QFileInfo::exists(path) || holdssecret(profile) ? CheckedFile::Access::OwnerOnly
                                                            : CheckedFile::Access::Kept;
}

void saveini(const QString &filename, const ProfileFile &profile)
{
    if (s_files) {
        if (!s_files->save(filename, profile))
            throw Failure::cannotWrite(inipath(filename), {});
        return;
    }
    const QString path = inipath(filename);
    QString error;
    if (!profile.save(path, &error, access(profile, path)))
        throw Failure::cannotWrite(path, error);
}

// Calls deliver with the value as the profile functions give it.
template <typename Deliver>
auto readbytes(QByteArrayView key, QByteArrayView section, const QString &filename, Deliver &&deliver)
{
    const auto give = [&](const ProfileFile &profile) {
        const QByteArrayView value = profile.valueView(section, key);
        return deliver(value.first(qMin<qsizetype>(value.size(), ProfileFile::ValueLimit)));
    };
    if (IniBatch *batch = IniBatch::active(filename))
        return give(batch->profile());
    ProfileFile profile;
    loadini(filename, profile);
    return give(profile);
}

QString readtext(QByteArrayView key, QByteArrayView section, const QString &filename)
{
    return readbytes(key, section, filename, [](QByteArrayView value) { return codepage::toText(value); });
}

void writebytes(QByteArrayView value, QByteArrayView key, QByteArrayView section, const QString &filename)
{
    codepage::ShortBytes stored;
    storedform(value, stored);
    const QByteArrayView v(stored.constData(), stored.size());
    if (IniBatch *batch = IniBatch::active(filename)) {
        batch->profile().setValue(section, key, v);
        return;
    }
    ProfileFile profile;
    QString error;
    if (loadini(filename, profile, &error) == ProfileFile::LoadResult::Failed)
        throw Failure::cannotRead(inipath(filename), error);
    if (profile.setValue(section, key, v))
        saveini(filename, profile);
}

void writetext(const QString &value, QByteArrayView key, QByteArrayView section, const QString &filename)
{
    codepage::ShortBytes bytes;
    codepage::toBytes(value, bytes);
    writebytes(QByteArrayView(bytes.constData(), bytes.size()), key, section, filename);
}

} // namespace

bool holdssecret(const ProfileFile &profile)
{
    for (const QByteArrayView key : {"proxypass", "apikey", "enginekey"}) {
        if (!profile.valueView("settings", key).isEmpty())
            return true;
    }
    return false;
}

QString protectsecrets(const QString &filename)
{
    QString notice;
    guard("Servertools", "Function protectsecrets", [&] {
        const QString path = inipath(filename);
        const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                                QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                QFileDevice::WriteOther | QFileDevice::ExeOther;
        const QFileDevice::Permissions mode = QFile::permissions(path);
        // Only a file others may read is read a second time.
        if (!(mode & others))
            return;
        ProfileFile profile;
        if (profile.load(path) != ProfileFile::LoadResult::Loaded || !holdssecret(profile))
            return;
        if (QFile::setPermissions(path, mode & ~others))
            notice = path + u" held a password or a key that other users could read; it is now readable by you only"_s;
        else
            notice = path + u" holds a password or a key that other users can read, and its permissions could not "
                            "be changed"_s;
    });
    return notice;
}

QString inipath(const QString &filename)
{
    QString result;
    guard("Servertools", "Function inipath", [&] { result = QDir(programfolder::path()).filePath(filename); });
    return result;
}

QString readini(const QString &key, const QString &section, const QString &filename)
{
    QString result;
    guard("Servertools", "Function readini", [&] {
        codepage::ShortBytes sectionname, keyname;
        result = readtext(bytesof(key, keyname), bytesof(section, sectionname), filename);
    });
    return result;
}

QString readini(QByteArrayView key, QByteArrayView section, const QString &filename)
{
    QString result;
    guard("Servertools", "Function readini", [&] { result = readtext(key, section, filename); });
    return result;
}

void readinibytes(QByteArrayView key, QByteArrayView section, const QString &filename, codepage::ShortBytes &value)
{
    value.clear();
    guard("Servertools", "Function readini", [&] {
        readbytes(key, section, filename, [&value](QByteArrayView bytes) { value.append(bytes.data(), bytes.size()); });
    });
}

bool writeini(const QString &value, const QString &key, const QString &section, const QString &filename)
{
    bool result = false;
    guard("Servertools", "Function writeini", [&] {
        codepage::ShortBytes sectionname, keyname;
        writetext(value, bytesof(key, keyname), bytesof(section, sectionname), filename);
        result = true;
    });
    return result;
}

bool writeini(const QString &value, QByteArrayView key, QByteArrayView section, const QString &filename)
{
    bool result = false;
    guard("Servertools", "Function writeini", [&] {
        writetext(value, key, section, filename);
        result = true;
    });
    return result;
}

bool writeinibytes(QByteArrayView value, QByteArrayView key, QByteArrayView section, const QString &filename)
{
    bool result = false;
    guard("Servertools", "Function writeini", [&] {
        writebytes(value, key, section, filename);
        result = true;
    });
    return result;
}

void setinifiles(IniFiles *files)
{
    s_files = files;
}

IniBatch::IniBatch(const QString &filename) : m_filename(filename), m_outer(s_batch)
{
    s_batch = this;
}

IniBatch::~IniBatch()
{
    s_batch = m_outer;
}

IniBatch *IniBatch::active(const QString &filename)
{
    for (IniBatch *batch = s_batch; batch; batch = batch->m_outer) {
        if (batch->m_filename == filename)
            return batch;
    }
    return nullptr;
}

ProfileFile &IniBatch::profile()
{
    if (!m_loaded) {
        QString error;
        m_load = loadini(m_filename, m_profile, &error);
        m_loaded = true;
        if (m_load == ProfileFile::LoadResult::Failed)
            throw Failure::cannotRead(inipath(m_filename), error);
    }
    return m_profile;
}

bool IniBatch::save()
{
    bool result = false;
    guard("Servertools", "Function saveini", [&] {
        if (!m_loaded || !m_profile.isModified()) {
            result = true;
            return;
        }
        // Said when it was read.
        if (m_load == ProfileFile::LoadResult::Failed)
            return;
        saveini(m_filename, m_profile);
        result = true;
    });
    return result;
}

} // namespace servertools
