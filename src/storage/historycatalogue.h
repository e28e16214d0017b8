#pragma once

// What the index of a history file holds, in memory: the records with their offsets and dates,
// the domain records of each, and their keywords, hits and top tens packed over numbered texts.
// The indexer fills it from the file, the store keeps it in SQLite beside the file, and the
// history index reads it for the views. Not part of the storage layer's interface.

#include "diagnostics/errorreports.h"

#include <QByteArray>
#include <QByteArrayView>

#include <array>
#include <cstdint>
#include <vector>

namespace historyindex {

// Each distinct text of a history file once, as the file's bytes, numbered from 1; 0 is the
// empty text.
class TextTable final
{
public:
    // Texts are stored in blocks of this many, one row each.
    static constexpr int BlockSize = 4096;

    // The number of a text, added when new.
    quint32 intern(QByteArrayView bytes);
    quint32 count() const { return quint32(m_ends.size()) - 1; }
    QByteArrayView bytes(quint32 id) const;

    int blockcount() const { return int((count() + BlockSize - 1) / BlockSize); }
    // Block b (from 0): the lengths and bytes of its texts, each length a variable-length number.
    QByteArray block(int b) const;
    // Adds the texts of the next block; false when it does not read as one.
    bool addblock(QByteArrayView block);

private:
    quint32 find(QByteArrayView bytes, size_t hash) const;
    void place(quint32 id, size_t hash);
    void rehash();

    QByteArray m_bytes;
    std::vector<qint64> m_ends{0}; // text i is m_bytes[m_ends[i - 1], m_ends[i])
    std::vector<quint32> m_slots;  // open addressing over the texts' hashes, 0 free
};

// A keyword of a domain record as its ids: the text of its key, its status (the "act: " line),
// its hits (position, url, title) and its top ten (urls and titles, which a hand-edited file may
// hold in unequal numbers).
struct PackedKeyword
{
    struct Hit
    {
        int position = 0;
        quint32 url = 0;
        quint32 title = 0;
    };
    quint32 key = 0;
    quint32 status = 0;
    std::vector<Hit> hits;
    std::vector<quint32> urls;
    std::vector<quint32> titles;

    void clear();
};

// The keywords of a domain record, one after the other, as variable-length numbers.
void packkeyword(QByteArray &out, const PackedKeyword &keyword);

// Reads the keywords packed in a domain record. Never reads past the bytes, and reports a
// text number beyond texts as damage.
class KeywordReader final
{
public:
    // What next() reads besides the key: the status and the hits, or those and the top ten.
    enum Parts
    {
        KeyOnly,
        HitsOnly,
        Everything
    };

    KeywordReader(QByteArrayView packed, quint32 texts) : m_data(packed), m_texts(texts) {}
    // The next keyword; false at the end or on damage (damaged() tells which). What parts
    // leaves out is left empty and is not checked.
    bool next(PackedKeyword &keyword, int parts = Everything);
    bool damaged() const { return m_damaged; }

private:
    bool number(quint64 &value);
    bool text(quint32 &id);
    bool list(std::vector<quint32> &ids, qsizetype end);

    QByteArrayView m_data;
    qsizetype m_pos = 0;
    quint32 m_texts;
    bool m_damaged = false;
};

// One record of the file: where its separator line begins, its date-time text, and the
// failure that ended its reading, if one did.
struct IndexedRecord
{
    qint64 offset = 0;
    QByteArray when;
    bool faulty = false;
    errorreports::Trapped fault;
};

// One domain record of a record: its url, its place (the texts of searchlocale::fields(), in
// their order) and its packed keywords.
struct IndexedDomain
{
    int record = 0; // 1-based
    quint32 url = 0;
    QByteArray keywords;
    std::array<quint32, 4> locale{};
};

struct Catalogue
{
    std::vector<IndexedRecord> records; // record n at n - 1
    std::vector<IndexedDomain> domains; // in file order
    TextTable texts;
    qint64 end = 0; // how far the file was read

    // Drops record n and everything after it.
    void truncate(int n);
    // Whether every domain names a record in order and every packed keyword reads.
    bool consistent() const;
};

} // namespace historyindex
