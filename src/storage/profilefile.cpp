#include "profilefile.h"

#include "diagnostics/guard.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// The profile functions trim tabs, line feed, vertical tab, form feed, carriage return,
// space and the old end-of-file mark 0x1A.
constexpr bool isBlank(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (u >= 0x09 && u <= 0x0D) || u == 0x20 || u == 0x1A;
}

// Upper to lower case for ASCII and the Latin-1 letters, as the system's case-blind compare does.
constexpr std::array<char, 256> makeFoldTable()
{
    std::array<char, 256> table{};
    for (int i = 0; i < 256; ++i) {
        const bool upper = (i >= 'A' && i <= 'Z') || (i >= 0xC0 && i <= 0xDE && i != 0xD7);
        table[i] = static_cast<char>(upper ? i + 0x20 : i);
    }
    return table;
}
constexpr std::array<char, 256> kFold = makeFoldTable();

// The text after the first "=", trimmed but with its quotes.
QByteArrayView rawValue(QByteArrayView line)
{
    const qsizetype eq = line.indexOf('=');
    return eq < 0 ? QByteArrayView() : ProfileFile::trimmed(line.sliced(eq + 1));
}

QByteArrayView unquoted(QByteArrayView value)
{
    const bool quoted =
        value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
    return quoted ? value.sliced(1, value.size() - 2) : value;
}

} // namespace

QByteArrayView ProfileFile::trimmed(QByteArrayView text)
{
    const char *begin = text.data();
    const char *end = begin + text.size();
    while (begin < end && isBlank(*begin))
        ++begin;
    while (end > begin && isBlank(end[-1]))
        --end;
    return QByteArrayView(begin, end);
}

bool operator==(const ProfileFile::Name &a, const ProfileFile::Name &b) noexcept
{
    if (a.bytes.size() != b.bytes.size())
        return false;
    const char *x = a.bytes.constData();
    const char *y = b.bytes.constData();
    for (const char *end = x + a.bytes.size(); x != end; ++x, ++y) {
        if (kFold[static_cast<unsigned char>(*x)] != kFold[static_cast<unsigned char>(*y)])
            return false;
    }
    return true;
}

size_t qHash(const ProfileFile::Name &name, size_t seed) noexcept
{
    // FNV-1a over the folded bytes.
    size_t hash = seed ^ size_t(14695981039346656037ULL);
    for (const char c : name.bytes) {
        hash ^= static_cast<unsigned char>(kFold[static_cast<unsigned char>(c)]);
        hash *= size_t(1099511628211ULL);
    }
    return hash;
}

ProfileFile::End ProfileFile::endOf(QByteArrayView end)
{
    if (end.size() == 2)
        return End::CrLf;
    if (end == "\r")
        return End::Cr;
    return end == "\n" ? End::Lf : End::None;
}

// One shared copy of each line end's text.
const QByteArray &ProfileFile::textOf(End end)
{
    static const std::array<QByteArray, 4> texts{QByteArray(), QByteArray("\r\n"), QByteArray("\r"), QByteArray("\n")};
    return texts[static_cast<int>(end)];
}

ProfileFile::ProfileFile()
{
    parse({});
}

ProfileFile ProfileFile::fromBytes(QByteArrayView bytes)
{
    ProfileFile result;
    result.parse(bytes.toByteArray());
    return result;
}

ProfileFile::LoadResult ProfileFile::load(const QString &path, QString *error)
{
    LoadResult result = LoadResult::Failed;
    guard("Servertools", "Function loadprofile", [&] {
        parse({});
        QFile file(path);
        if (!file.exists()) {
            result = LoadResult::Missing;
            return;
        }
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        if (file.error() != QFileDevice::NoError) {
            if (error)
                *error = file.errorString();
            return;
        }
        parse(bytes);
        result = LoadResult::Loaded;
    });
    return result;
}

void ProfileFile::parse(const QByteArray &source)
{
    m_source = source;
    m_blocks.clear();
    m_blockUsed = 0;
    m_sections.clear();
    m_index.clear();
    m_lastIndex = -1;
    m_modified = false;
    // The lines before the first header: a blank section name finds them, and is not indexed
    // so that an empty profile costs no index.
    m_sections.append(Section());
    // Line ends are found by memchr, not byte by byte: a file of 100,000 lines is read at
    // every start.
    const char *start = m_source.constData();
    const char *const end = start + m_source.size();
    const char *cr = static_cast<const char *>(std::memchr(start, '\r', end - start));
    const char *lf = static_cast<const char *>(std::memchr(start, '\n', end - start));
    while (cr || lf) {
        const char *brk = cr && (!lf || cr < lf) ? cr : lf;
        const qsizetype endLength = brk == cr && lf == cr + 1 ? 2 : 1;
        addLine(QByteArrayView(start, brk), QByteArrayView(brk, endLength));
        start = brk + endLength;
        if (cr && cr < start)
            cr = static_cast<const char *>(std::memchr(start, '\r', end - start));
        if (lf && lf < start)
            lf = static_cast<const char *>(std::memchr(start, '\n', end - start));
    }
    if (start < end)
        addLine(QByteArrayView(start, end), {});
}

void ProfileFile::addLine(QByteArrayView text, QByteArrayView end)
{
    const QByteArrayView t = trimmed(text);
    if (t.startsWith('[')) {
        const qsizetype close = t.lastIndexOf(']');
        if (close > 0) {
            Section &section = appendSection(t.sliced(1, close - 1));
            section.header = QByteArray::fromRawData(text.data(), text.size());
            section.headerEnd = endOf(end);
            return;
        }
    }
    Section &section = m_sections.last();
    section.lines.append(Line{QByteArray::fromRawData(text.data(), text.size()), endOf(end)});
    if (t.isEmpty() || t.startsWith(';'))
        return;
    const int index = int(section.lines.size()) - 1;
    section.lastEntry = index;
    const qsizetype eq = t.indexOf('=');
    if (eq < 0)
        return;
    const Name name = Name::of(trimmed(t.first(eq)));
    FirstIndex &first = section.keys[name];
    if (first < 0)
        first = index;
}

ProfileFile::Section &ProfileFile::appendSection(QByteArrayView name)
{
    Section &section = m_sections.emplace_back();
    section.hasHeader = true;
    indexSection(name);
    return section;
}

// Only the first section of a name is ever searched.
void ProfileFile::indexSection(QByteArrayView name)
{
    const Name key = Name::of(trimmed(name));
    if (key.bytes.isEmpty())
        return;
    FirstIndex &first = m_index[key];
    if (first < 0)
        first = int(m_sections.size()) - 1;
}

int ProfileFile::findSection(QByteArrayView section) const
{
    if (m_lastIndex >= 0 && QByteArrayView(m_lastSection.constData(), m_lastSection.size()) == section)
        return m_lastIndex;
    const QByteArrayView name = trimmed(section);
    if (name.isEmpty())
        return 0;
    const auto found = m_index.constFind(Name::of(name));
    if (found == m_index.cend())
        return -1;
    m_lastSection.resize(section.size());
    std::copy_n(section.data(), section.size(), m_lastSection.data());
    m_lastIndex = *found;
    return m_lastIndex;
}

QByteArrayView ProfileFile::valueView(QByteArrayView section, QByteArrayView key) const
{
    const int index = findSection(section);
    if (index < 0)
        return {};
    const Section &s = m_sections[index];
    const auto found = s.keys.constFind(Name::of(trimmed(key)));
    if (found == s.keys.cend())
        return {};
    return unquoted(rawValue(s.lines[*found].text));
}

QByteArray ProfileFile::value(QByteArrayView section, QByteArrayView key) const
{
    return valueView(section, key).toByteArray();
}

bool ProfileFile::contains(QByteArrayView section, QByteArrayView key) const
{
    const int index = findSection(section);
    return index >= 0 && m_sections[index].keys.contains(Name::of(trimmed(key)));
}

void ProfileFile::endLastLine()
{
    Section &last = m_sections.last();
    if (!last.lines.isEmpty()) {
        if (last.lines.last().end == End::None)
            last.lines.last().end = End::CrLf;
    } else if (last.hasHeader && last.headerEnd == End::None) {
        last.headerEnd = End::CrLf;
    }
}

// Copies the pieces into the last block of new text, or a new block when it is full or shared
// with a copy of this profile: shut-down writes thousands of lines, and a block never moves or
// goes while the profile lives, so what points into it stays valid.
QByteArray ProfileFile::newText(std::initializer_list<QByteArrayView> pieces)
{
    qsizetype size = 0;
    for (const QByteArrayView piece : pieces)
        size += piece.size();
    constexpr qsizetype BlockSize = 4096;
    const bool fits = !m_blocks.isEmpty() && m_blocks.isDetached() && std::as_const(m_blocks).last().isDetached() &&
                      m_blocks.constLast().size() - m_blockUsed >= size;
    if (!fits) {
        m_blocks.append(QByteArray(qMax(size, BlockSize), Qt::Uninitialized));
        m_blockUsed = 0;
    }
    char *const start = m_blocks.last().data() + m_blockUsed;
    char *to = start;
    for (const QByteArrayView piece : pieces)
        to = std::copy_n(piece.data(), piece.size(), to);
    m_blockUsed += size;
    return QByteArray::fromRawData(start, size);
}

bool ProfileFile::setValue(QByteArrayView section, QByteArrayView key, QByteArrayView value)
{
    const int index = findSection(section);
    if (index < 0) {
        addSection(section, key, value);
        return true;
    }
    // Looked up once, without a copy of a shared profile: shut-down stores every setting, and
    // most did not change.
    const auto existing = std::as_const(m_sections)[index].keys.constFind(Name::of(trimmed(key)));
    if (existing != m_sections.at(index).keys.cend()) {
        const int line = *existing;
        if (rawValue(m_sections.at(index).lines.at(line).text) == value)
            return false;
        replaceValue(m_sections[index].lines[line], value);
        return true;
    }
    const QByteArray entry = newText({key, "=", value});
    Section &s = m_sections[index];
    // A new key goes after the section's last entry, ahead of any blank lines or comments
    // that lead to the next section.
    if (s.lastEntry >= 0 && s.lines[s.lastEntry].end == End::None)
        s.lines[s.lastEntry].end = End::CrLf;
    else if (s.lastEntry < 0 && s.hasHeader && s.headerEnd == End::None)
        s.headerEnd = End::CrLf;
    const int at = s.lastEntry + 1;
    s.lines.insert(at, Line{entry, End::CrLf});
    s.lastEntry = at;
    s.keys.insert(Name::of(trimmed(QByteArrayView(entry).first(key.size()))), at);
    m_modified = true;
    return true;
}

void ProfileFile::addSection(QByteArrayView section, QByteArrayView key, QByteArrayView value)
{
    endLastLine();
    const QByteArray header = newText({"[", section, "]"});
    const QByteArray entry = newText({key, "=", value});
    Section &s = m_sections.emplace_back();
    s.hasHeader = true;
    s.header = header;
    s.headerEnd = End::CrLf;
    indexSection(QByteArrayView(header).sliced(1, section.size()));
    m_modified = true;
    s.lines.append(Line{entry, End::CrLf});
    s.lastEntry = 0;
    s.keys.insert(Name::of(trimmed(QByteArrayView(entry).first(key.size()))), 0);
}

// The key keeps the spelling it has in the file; only the value changes. The index entry
// still points into the old text, which stays with the profile.
void ProfileFile::replaceValue(Line &line, QByteArrayView value)
{
    const QByteArrayView old = line.text;
    line.text = newText({trimmed(old.first(old.indexOf('='))), "=", value});
    m_modified = true;
}

int ProfileFile::lineCount() const
{
    qsizetype count = 0;
    for (const Section &s : m_sections)
        count += s.lines.size() + (s.hasHeader ? 1 : 0);
    return int(qMin<qsizetype>(count, 1 << 30));
}

template <typename Put> void ProfileFile::forEachPiece(Put &&put) const
{
    for (const Section &s : m_sections) {
        if (s.hasHeader) {
            put(s.header);
            put(textOf(s.headerEnd));
        }
        for (const Line &line : s.lines) {
            put(line.text);
            put(textOf(line.end));
        }
    }
}

qsizetype ProfileFile::byteCount() const
{
    qsizetype size = 0;
    forEachPiece([&size](const QByteArray &piece) { size += piece.size(); });
    return size;
}

QByteArray ProfileFile::toBytes() const
{
    const qsizetype size = byteCount();
    // Copied piece by piece into the finished size: appending runs Qt's general insert for
    // every one of 100,000 lines.
    QByteArray result(size, Qt::Uninitialized);
    char *to = result.data();
    forEachPiece([&to](const QByteArray &piece) {
        if (!piece.isEmpty())
            to = std::copy_n(piece.constData(), piece.size(), to);
    });
    return result;
}

bool ProfileFile::write(QIODevice *device) const
{
    bool result = false;
    guard("Servertools", "Function writeprofile", [&] {
        if (!device)
            return;
        // In blocks: a settings file of a million lines is not held a second time as one text.
        constexpr qsizetype BlockSize = 1 << 16;
        QByteArray block;
        block.reserve(qMin(byteCount(), BlockSize));
        bool written = true;
        const auto send = [&] {
            written = written && device->write(block) == block.size();
            block.resize(0);
        };
        forEachPiece([&](const QByteArray &piece) {
            block.append(piece);
            if (block.size() >= BlockSize)
                send();
        });
        if (!block.isEmpty())
            send();
        result = written;
    });
    return result;
}

bool ProfileFile::save(const QString &path, QString *error, CheckedFile::Access access) const
{
    bool result = false;
    guard("Servertools", "Function saveprofile", [&] {
        CheckedFile file(path, access);
        result = file.open() && write(&file) && file.commit();
        if (!result && error)
            *error = file.errorString();
    });
    return result;
}
