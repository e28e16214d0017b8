#pragma once

#include "platform/codepage.h"
#include "profilefile.h"

#include <QString>

// Access to the INI file in the program's folder. A value longer than 254 characters reads
// back cut to 254, as through the profile functions' 255-character buffer.
namespace servertools {

QString readini(const QString &key, const QString &section, const QString &filename);
// True when the value is in the file (or in the open batch's copy of it).
bool writeini(const QString &value, const QString &key, const QString &section, const QString &filename);
// The same with the names as the file spells them: start-up and shut-down name the settings
// from a table that holds them so.
QString readini(QByteArrayView key, QByteArrayView section, const QString &filename);
bool writeini(const QString &value, QByteArrayView key, QByteArrayView section, const QString &filename);
// The same for a value that is 8-bit text as it stands, such as a number or a flag: no text
// conversion on the way.
void readinibytes(QByteArrayView key, QByteArrayView section, const QString &filename, codepage::ShortBytes &value);
bool writeinibytes(QByteArrayView value, QByteArrayView key, QByteArrayView section, const QString &filename);

QString inipath(const QString &filename);

// Whether the settings file holds a password or a key. Such a file is written readable by its
// owner only, as is every new settings file.
bool holdssecret(const ProfileFile &profile);
// The settings file, when it holds a password or a key and other users may read it, made
// readable by its owner only. Returns what to tell the user ("" when nothing was done).
QString protectsecrets(const QString &filename);
// Where the settings files are read from and written to: the program's folder, unless another
// place was put in (the fuzz target keeps them in memory, to read thousands a second).
class IniFiles
{
public:
    virtual ~IniFiles() = default;
    virtual ProfileFile::LoadResult load(const QString &filename, ProfileFile &profile) = 0;
    virtual bool save(const QString &filename, const ProfileFile &profile) = 0;
};
// Puts files in the program folder's place; nullptr puts the folder back.
void setinifiles(IniFiles *files);

// Start-up and shut-down read and write thousands of keys: while a batch is open, readini and
// writeini on its file work on one parsed copy, read on first use; save() writes it once.
// Without a batch each call reads (and writes) the whole file.
class IniBatch final
{
public:
    explicit IniBatch(const QString &filename);
    ~IniBatch();
    IniBatch(const IniBatch &) = delete;
    IniBatch &operator=(const IniBatch &) = delete;

    // Writes the file if anything changed. False when it could not be written (a file problem,
    // with the old file as it was), or when the file existed but could not be read (said when it
    // was read; writing would lose what it holds).
    bool save();

    // The batch open on filename, if any.
    static IniBatch *active(const QString &filename);
    ProfileFile &profile();

private:
    QString m_filename;
    ProfileFile m_profile;
    ProfileFile::LoadResult m_load = ProfileFile::LoadResult::Missing;
    bool m_loaded = false;
    IniBatch *m_outer = nullptr;
};

} // namespace servertools
