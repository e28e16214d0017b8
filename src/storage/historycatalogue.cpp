#include "historycatalogue.h"

#include <QHashFunctions>

#include <algorithm>
#include <bit>

namespace historyindex {

namespace {

void putnumber(QByteArray &out, quint64 value)
{
    while (value >= 0x80) {
        out.append(char((value & 0x7f) | 0x80));
        value >>= 7;
    }
    out.append(char(value));
}

// Positions may be negative in a hand-edited file: the sign goes to the lowest bit.
quint64 zigzag(int value)
{
    return (quint64(std::int64_t(value)) << 1) ^ quint64(std::int64_t(value) >> 63);
}

int unzigzag(quint64 value)
{
    return int(std::int64_t(value >> 1) ^ -std::int64_t(value & 1));
}

// Most numbers fit one byte: that case costs one comparison.
inline bool readnumber(QByteArrayView data, qsizetype &pos, quint64 &value)
{
    if (pos < data.size() && quint8(data[pos]) < 0x80) {
        value = quint8(data[pos++]);
        return true;
    }
    value = 0;
    for (int shift = 0; shift < 64 && pos < data.size(); shift += 7) {
        const auto byte = quint8(data[pos++]);
        value |= quint64(byte & 0x7f) << shift;
        if ((byte & 0x80) == 0)
            return true;
    }
    return false;
}

size_t hashof(QByteArrayView bytes)
{
    return qHashBits(bytes.data(), size_t(bytes.size()), 0);
}

} // namespace

QByteArrayView TextTable::bytes(quint32 id) const
{
    if (id == 0 || id > count())
        return {};
    return QByteArrayView(m_bytes).sliced(m_ends[id - 1], m_ends[id] - m_ends[id - 1]);
}

quint32 TextTable::find(QByteArrayView bytes, size_t hash) const
{
    const size_t mask = m_slots.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const quint32 id = m_slots[i];
        if (id == 0 || this->bytes(id) == bytes)
            return id;
    }
}

void TextTable::place(quint32 id, size_t hash)
{
    const size_t mask = m_slots.size() - 1;
    size_t i = hash & mask;
    while (m_slots[i] != 0)
        i = (i + 1) & mask;
    m_slots[i] = id;
}

void TextTable::rehash()
{
    m_slots.assign(std::bit_ceil(std::max<size_t>(1024, 4 * size_t(count()))), 0);
    for (quint32 id = 1; id <= count(); ++id)
        place(id, hashof(bytes(id)));
}

quint32 TextTable::intern(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return 0;
    if (m_slots.size() < 2 * size_t(count()) + 2)
        rehash();
    const size_t hash = hashof(bytes);
    if (const quint32 id = find(bytes, hash))
        return id;
    m_bytes.append(bytes);
    m_ends.push_back(m_bytes.size());
    place(count(), hash);
    return count();
}

QByteArray TextTable::block(int b) const
{
    QByteArray out;
    const quint32 first = quint32(b) * BlockSize + 1;
    const quint32 last = std::min(count(), first + BlockSize - 1);
    for (quint32 id = first; id <= last; ++id) {
        putnumber(out, quint64(m_ends[id] - m_ends[id - 1]));
        out.append(bytes(id));
    }
    return out;
}

bool TextTable::addblock(QByteArrayView block)
{
    if (count() % BlockSize != 0)
        return false; // only the last block may be short
    qsizetype pos = 0;
    int added = 0;
    while (pos < block.size()) {
        quint64 length = 0;
        if (!readnumber(block, pos, length) || length > quint64(block.size() - pos) || ++added > BlockSize)
            return false;
        m_bytes.append(block.sliced(pos, qsizetype(length)));
        m_ends.push_back(m_bytes.size());
        pos += qsizetype(length);
    }
    m_slots.clear(); // rebuilt when a text is next interned
    return true;
}

void PackedKeyword::clear()
{
    key = 0;
    status = 0;
    hits.clear();
    urls.clear();
    titles.clear();
}

void packkeyword(QByteArray &out, const PackedKeyword &keyword)
{
    // The key, then the length of the rest, so that a reader wanting only keys skips the rest.
    thread_local QByteArray rest;
    rest.resize(0);
    putnumber(rest, keyword.status);
    putnumber(rest, keyword.hits.size());
    for (const PackedKeyword::Hit &hit : keyword.hits) {
        putnumber(rest, zigzag(hit.position));
        putnumber(rest, hit.url);
        putnumber(rest, hit.title);
    }
    for (const std::vector<quint32> *ids : {&keyword.urls, &keyword.titles}) {
        putnumber(rest, ids->size());
        for (const quint32 id : *ids)
            putnumber(rest, id);
    }
    putnumber(out, keyword.key);
    putnumber(out, quint64(rest.size()));
    out.append(rest);
}

inline bool KeywordReader::number(quint64 &value)
{
    if (readnumber(m_data, m_pos, value))
        return true;
    m_damaged = true;
    return false;
}

inline bool KeywordReader::text(quint32 &id)
{
    quint64 value = 0;
    if (!number(value) || value > m_texts)
        return m_damaged = true, false;
    id = quint32(value);
    return true;
}

bool KeywordReader::list(std::vector<quint32> &ids, qsizetype end)
{
    quint64 count = 0;
    if (!number(count) || count > quint64(end - m_pos))
        return m_damaged = true, false;
    ids.resize(size_t(count));
    for (quint32 &id : ids) {
        if (!text(id))
            return false;
    }
    return true;
}

bool KeywordReader::next(PackedKeyword &keyword, int parts)
{
    keyword.clear();
    quint64 length = 0;
    if (m_damaged || m_pos >= m_data.size() || !text(keyword.key) || !number(length))
        return false;
    if (length > quint64(m_data.size() - m_pos))
        return m_damaged = true, false;
    const qsizetype end = m_pos + qsizetype(length);
    if (parts == KeyOnly) {
        m_pos = end;
        return true;
    }
    quint64 count = 0;
    if (!text(keyword.status) || !number(count) || count > quint64(end - m_pos))
        return m_damaged = true, false;
    keyword.hits.resize(size_t(count));
    for (PackedKeyword::Hit &hit : keyword.hits) {
        quint64 position = 0;
        if (!number(position) || !text(hit.url) || !text(hit.title))
            return false;
        hit.position = unzigzag(position);
        if (hit.position < -32768 || hit.position > 32767)
            return m_damaged = true, false;
    }
    if (parts == HitsOnly) {
        m_pos = end;
        return true;
    }
    if (!list(keyword.urls, end) || !list(keyword.titles, end))
        return false;
    if (m_pos != end)
        return m_damaged = true, false;
    return true;
}

void Catalogue::truncate(int n)
{
    records.resize(size_t(std::max(0, n - 1)));
    while (!domains.empty() && domains.back().record >= n)
        domains.pop_back();
}

bool Catalogue::consistent() const
{
    int last = 1;
    PackedKeyword keyword;
    for (const IndexedDomain &domain : domains) {
        if (domain.record < last || domain.record > int(records.size()) || domain.url > texts.count() ||
            std::any_of(domain.locale.begin(), domain.locale.end(), [&](quint32 id) { return id > texts.count(); }))
            return false;
        last = domain.record;
        KeywordReader reader(domain.keywords, texts.count());
        while (reader.next(keyword)) {
        }
        if (reader.damaged())
            return false;
    }
    qint64 offset = -1;
    for (const IndexedRecord &record : records) {
        if (record.offset <= offset || record.offset > end)
            return false;
        offset = record.offset;
    }
    return true;
}

} // namespace historyindex
