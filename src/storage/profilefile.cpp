#include "profilefile.h"

#include "diagnostics/guard.h"

#include <QFile>
#include <QSaveFile>

#include <array>

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

const QByteArray &crlf()
{
    static const QByteArray text("\r\n");
    return text;
}

// Shared copies of the three line ends, so 100,000 lines do not allocate 100,000 of them.
QByteArray lineEnd(QByteArrayView end)
{
    static const QByteArray cr("\r");
    static const QByteArray lf("\n");
    if (end.size() == 2)
        return crlf();
    if (end == "\r")
        return cr;
    if (end == "\n")
        return lf;
    return {};
}

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
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

QByteArray ProfileFile::foldedName(QByteArrayView name)
{
    const QByteArrayView t = trimmed(name);
    QByteArray result(t.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < t.size(); ++i)
        result[i] = kFold[static_cast<unsigned char>(t[i])];
    return result;
}

ProfileFile::ProfileFile()
{
    parse({});
}

ProfileFile ProfileFile::fromBytes(QByteArrayView bytes)
{
    ProfileFile result;
    result.parse(bytes);
    return result;
}

ProfileFile::LoadResult ProfileFile::load(const QString &path)
{
    LoadResult result = LoadResult::Failed;
    guard("Servertools", "Function loadprofile", [&] {
        *this = ProfileFile();
        QFile file(path);
        if (!file.exists()) {
            result = LoadResult::Missing;
            return;
        }
        if (!file.open(QIODevice::ReadOnly))
            return;
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return;
        *this = fromBytes(bytes);
        result = LoadResult::Loaded;
    });
    return result;
}

void ProfileFile::parse(QByteArrayView bytes)
{
    m_sections.clear();
    m_index.clear();
    m_sections.append(Section());
    m_index.insert(QByteArray(), 0);
    qsizetype start = 0;
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        const qsizetype endLength = (c == '\r' && i + 1 < size && bytes[i + 1] == '\n') ? 2 : 1;
        addLine(bytes.sliced(start, i - start), bytes.sliced(i, endLength));
        i += endLength - 1;
        start = i + 1;
    }
    if (start < size)
        addLine(bytes.sliced(start), {});
}

void ProfileFile::addLine(QByteArrayView text, QByteArrayView end)
{
    const QByteArrayView t = trimmed(text);
    if (t.startsWith('[')) {
        const qsizetype close = t.lastIndexOf(']');
        if (close > 0) {
            Section &section = appendSection(t.sliced(1, close - 1));
            section.header = text.toByteArray();
            section.headerEnd = lineEnd(end);
            return;
        }
    }
    Section &section = m_sections.last();
    section.lines.append(Line{text.toByteArray(), lineEnd(end)});
    if (t.isEmpty() || t.startsWith(';'))
        return;
    const int index = int(section.lines.size()) - 1;
    section.lastEntry = index;
    const qsizetype eq = t.indexOf('=');
    if (eq < 0)
        return;
    QByteArray name = foldedName(t.first(eq));
    if (!section.keys.contains(name))
        section.keys.insert(std::move(name), index);
}

ProfileFile::Section &ProfileFile::appendSection(QByteArrayView name)
{
    QByteArray folded = foldedName(name);
    if (!m_index.contains(folded))
        m_index.insert(std::move(folded), int(m_sections.size()));
    Section &section = m_sections.emplace_back();
    section.hasHeader = true;
    return section;
}

const ProfileFile::Section *ProfileFile::findSection(QByteArrayView section) const
{
    const auto found = m_index.constFind(foldedName(section));
    return found == m_index.cend() ? nullptr : &m_sections[*found];
}

QByteArray ProfileFile::value(QByteArrayView section, QByteArrayView key) const
{
    const Section *s = findSection(section);
    if (!s)
        return {};
    const auto found = s->keys.constFind(foldedName(key));
    if (found == s->keys.cend())
        return {};
    return unquoted(rawValue(s->lines[*found].text)).toByteArray();
}

bool ProfileFile::contains(QByteArrayView section, QByteArrayView key) const
{
    const Section *s = findSection(section);
    return s && s->keys.contains(foldedName(key));
}

void ProfileFile::endLastLine()
{
    Section &last = m_sections.last();
    if (!last.lines.isEmpty()) {
        if (last.lines.last().end.isEmpty())
            last.lines.last().end = crlf();
    } else if (last.hasHeader && last.headerEnd.isEmpty()) {
        last.headerEnd = crlf();
    }
}

bool ProfileFile::setValue(QByteArrayView section, QByteArrayView key, QByteArrayView value)
{
    const QByteArray entry = key.toByteArray() + '=' + value.toByteArray();
    const auto found = m_index.constFind(foldedName(section));
    if (found == m_index.cend()) {
        endLastLine();
        Section &s = appendSection(section);
        s.header = '[' + section.toByteArray() + ']';
        s.headerEnd = crlf();
        s.lines.append(Line{entry, crlf()});
        s.lastEntry = 0;
        s.keys.insert(foldedName(key), 0);
        m_modified = true;
        return true;
    }
    Section &s = m_sections[*found];
    const QByteArray folded = foldedName(key);
    const auto existing = s.keys.constFind(folded);
    if (existing != s.keys.cend()) {
        Line &line = s.lines[*existing];
        if (rawValue(line.text) == value)
            return false;
        // The key keeps the spelling it has in the file; only the value changes.
        const QByteArrayView text = line.text;
        line.text = trimmed(text.first(text.indexOf('='))).toByteArray() + '=' + value.toByteArray();
        m_modified = true;
        return true;
    }
    // A new key goes after the section's last entry, ahead of any blank lines or comments
    // that lead to the next section.
    if (s.lastEntry >= 0 && s.lines[s.lastEntry].end.isEmpty())
        s.lines[s.lastEntry].end = crlf();
    else if (s.lastEntry < 0 && s.hasHeader && s.headerEnd.isEmpty())
        s.headerEnd = crlf();
    const int at = s.lastEntry + 1;
    s.lines.insert(at, Line{entry, crlf()});
    s.lastEntry = at;
    s.keys.insert(folded, at);
    m_modified = true;
    return true;
}

int ProfileFile::lineCount() const
{
    qsizetype count = 0;
    for (const Section &s : m_sections)
        count += s.lines.size() + (s.hasHeader ? 1 : 0);
    return int(qMin<qsizetype>(count, 1 << 30));
}

QByteArray ProfileFile::toBytes() const
{
    qsizetype size = 0;
    for (const Section &s : m_sections) {
        size += s.header.size() + s.headerEnd.size();
        for (const Line &line : s.lines)
            size += line.text.size() + line.end.size();
    }
    QByteArray result;
    result.reserve(size);
    for (const Section &s : m_sections) {
        if (s.hasHeader)
            result.append(s.header).append(s.headerEnd);
        for (const Line &line : s.lines)
            result.append(line.text).append(line.end);
    }
    return result;
}

bool ProfileFile::write(QIODevice *device) const
{
    bool result = false;
    guard("Servertools", "Function writeprofile", [&] {
        const QByteArray bytes = toBytes();
        result = device && device->write(bytes) == bytes.size();
    });
    return result;
}

bool ProfileFile::save(const QString &path, QString *error) const
{
    bool result = false;
    guard("Servertools", "Function saveprofile", [&] {
        QSaveFile file(path);
        if (file.open(QIODevice::WriteOnly) && write(&file) && file.commit()) {
            result = true;
            return;
        }
        if (error)
            *error = file.errorString();
        file.cancelWriting();
    });
    return result;
}
