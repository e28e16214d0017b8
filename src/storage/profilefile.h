#pragma once

#include "platform/checkedfile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <QVarLengthArray>

#include <initializer_list>

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

    // Replaces the contents by the file at path; a missing file gives an empty profile. When it
    // fails, error gets the system's reason.
    LoadResult load(const QString &path, QString *error = nullptr);

    // The value as the profile functions deliver it (trimmed, outer quotes removed, not cut);
    // an empty text when the section or the key is missing.
    QByteArray value(QByteArrayView section, QByteArrayView key) const;
    // The same without a copy; valid until the next change of the profile.
    QByteArrayView valueView(QByteArrayView section, QByteArrayView key) const;
    bool contains(QByteArrayView section, QByteArrayView key) const;

    // Sets key=value in section, creating either as needed. Returns whether anything changed.
    bool setValue(QByteArrayView section, QByteArrayView key, QByteArrayView value);

    bool isModified() const { return m_modified; }
    int lineCount() const;
    QByteArray toBytes() const;
    bool write(QIODevice *device) const;
    // Replaces the file at path by one written beside it, every byte checked, and renamed over
    // it; on a failure the old file stays as it was and error gets the system's reason.
    bool save(const QString &path, QString *error = nullptr,
              CheckedFile::Access access = CheckedFile::Access::Kept) const;

    static QByteArrayView trimmed(QByteArrayView text);

    // A section or key name in the indexes, compared and hashed without regard to letter case.
    // It points into the text of its line, which outlives it, so the index costs no copies.
    struct Name
    {
        QByteArray bytes;
        static Name of(QByteArrayView text) { return Name{QByteArray::fromRawData(text.data(), text.size())}; }
        friend bool operator==(const Name &a, const Name &b) noexcept;
        friend size_t qHash(const Name &name, size_t seed) noexcept;
    };

private:
    template <typename> friend class QTypeInfo;
    // An index into the lines or the sections; -1 until one is set, so that reading a file,
    // where the first of a name wins, finds and inserts with one look-up.
    struct FirstIndex
    {
        FirstIndex(int index = -1) : value(index) {}
        operator int() const { return value; }
        int value;
    };
    // How a line ends: a last line may have no end. Kept as a mark, not as text, so that a
    // line costs one string.
    enum class End : char
    {
        None,
        CrLf,
        Cr,
        Lf
    };
    static End endOf(QByteArrayView end);
    static const QByteArray &textOf(End end);
    struct Line
    {
        QByteArray text; // without its line end
        End end = End::None;
    };
    struct Section
    {
        QByteArray header; // the "[name]" line; unused for the lines before the first section
        End headerEnd = End::None;
        bool hasHeader = false;
        QList<Line> lines;
        QHash<Name, FirstIndex> keys; // key name -> index into lines; the first one wins
        int lastEntry = -1;           // where a new key goes after; -1 means right after the header
    };

    void parse(const QByteArray &bytes);
    // Calls put with every piece of the file's text in order: headers, lines and line ends.
    template <typename Put> void forEachPiece(Put &&put) const;
    qsizetype byteCount() const;
    void addLine(QByteArrayView text, QByteArrayView end);
    Section &appendSection(QByteArrayView name);
    void indexSection(QByteArrayView name);
    void endLastLine();
    int findSection(QByteArrayView section) const;
    QByteArray newText(std::initializer_list<QByteArrayView> pieces);
    // A new section at the end that holds key=value.
    void addSection(QByteArrayView section, QByteArrayView key, QByteArrayView value);
    void replaceValue(Line &line, QByteArrayView value);

    // Lines own no text: it is in the file as read or in the blocks of new text, which live as
    // long as the profile, so the indexes may point into lines that were replaced since.
    QByteArray m_source;
    QList<QByteArray> m_blocks;
    qsizetype m_blockUsed = 0;
    QList<Section> m_sections;
    QHash<Name, FirstIndex> m_index; // section name -> first section of that name
    // The section asked for last, as asked, and its index: readi and writei ask for one
    // section thousands of times in a row.
    mutable QVarLengthArray<char, 32> m_lastSection;
    mutable int m_lastIndex = -1;
    bool m_modified = false;
};

// Lines and sections hold only implicitly shared Qt values: their lists move them as bytes.
Q_DECLARE_TYPEINFO(ProfileFile::Line, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(ProfileFile::Section, Q_RELOCATABLE_TYPE);
