#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>

class QIODevice;

// An INI ("private profile") file, read and written the way the Windows profile functions do,
// so files stay interchangeable with them. The file is parsed once; every original line keeps
// its bytes and its line end, so whatever is not changed is written back byte for byte.
// Names are 8-bit text; section and key names match without regard to letter case.
class ProfileFile final
{
public:
    enum class LoadResult
    {
        Loaded,
        Missing,
        Failed
    };

    // What a profile read returns at most: a buffer of 255 characters holds 254 and the terminator.
    static constexpr int ValueLimit = 254;

    ProfileFile();
    static ProfileFile fromBytes(QByteArrayView bytes);

    // Replaces the contents by the file at path; a missing file gives an empty profile.
    LoadResult load(const QString &path);

    // The value as the profile functions deliver it (trimmed, outer quotes removed, not cut);
    // an empty text when the section or the key is missing.
    QByteArray value(QByteArrayView section, QByteArrayView key) const;
    bool contains(QByteArrayView section, QByteArrayView key) const;

    // Sets key=value in section, creating either as needed. Returns whether anything changed.
    bool setValue(QByteArrayView section, QByteArrayView key, QByteArrayView value);

    bool isModified() const { return m_modified; }
    int lineCount() const;
    QByteArray toBytes() const;
    bool write(QIODevice *device) const;
    // Replaces the file at path atomically (temporary file, then rename).
    bool save(const QString &path, QString *error = nullptr) const;

    // Names are trimmed like file text and folded to lower case for the index.
    static QByteArray foldedName(QByteArrayView name);
    static QByteArrayView trimmed(QByteArrayView text);

private:
    struct Line
    {
        QByteArray text; // without its line end
        QByteArray end;  // "\r\n", "\r", "\n", or empty for a last line without one
    };
    struct Section
    {
        QByteArray header; // the "[name]" line; empty for the lines before the first section
        QByteArray headerEnd;
        bool hasHeader = false;
        QList<Line> lines;
        QHash<QByteArray, int> keys; // folded key name -> index into lines; the first one wins
        int lastEntry = -1;          // where a new key goes after; -1 means right after the header
    };

    void parse(QByteArrayView bytes);
    void addLine(QByteArrayView text, QByteArrayView end);
    Section &appendSection(QByteArrayView name);
    void endLastLine();
    const Section *findSection(QByteArrayView section) const;

    QList<Section> m_sections;
    QHash<QByteArray, int> m_index; // folded section name -> first section of that name
    bool m_modified = false;
};
