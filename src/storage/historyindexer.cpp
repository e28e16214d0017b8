#include "historyindexer.h"

#include "diagnostics/numtext.h"
#include "historylines.h"
#include "platform/codepage.h"
#include "search/searchlocale.h"

#include <utility>

namespace historyindex {

namespace {

// A list of a record (its domains, a domain's keywords, a keyword's hits or top ten) holds
// as many entries as a 16-bit index counts.
constexpr size_t MaxEntries = 32767;

void checkroom(size_t entries)
{
    if (entries >= MaxEntries)
        throw Failure::overflow();
}

bool prefixed(QByteArrayView line, QByteArrayView prefix, QByteArrayView &value)
{
    if (!line.startsWith(prefix))
        return false;
    value = line.sliced(prefix.size());
    return true;
}

// The lines of a domain's place, "COUNTRY: " and the others, in the order of its fields.
const std::vector<QByteArray> &localeprefixes()
{
    static const std::vector<QByteArray> prefixes = [] {
        std::vector<QByteArray> list;
        for (const LocaleField &field : searchlocale::fields())
            list.push_back(field.name.toUpper().toLatin1() + ": ");
        return list;
    }();
    return prefixes;
}

// The lines of the records being read, each by its prefix. A line whose parent (domain,
// keyword, hit) is missing is dropped, as the loader drops it.
class RecordReader final
{
public:
    explicit RecordReader(Catalogue &catalogue) : m_catalogue(catalogue) {}

    bool inside() const { return m_inside; }

    void separator(qint64 offset, QByteArrayView line)
    {
        finish();
        m_catalogue.records.push_back({offset, line.sliced(10).toByteArray(), false, {}});
        m_inside = true;
        m_domains = 0;
    }

    // The failure being handled ends the record: what was read stays, the rest is skipped.
    void fail()
    {
        IndexedRecord &record = m_catalogue.records.back();
        record.faulty = true;
        record.fault = errorreports::describecurrent();
        finish();
        m_inside = false;
    }

    void finish()
    {
        endkeyword();
        if (m_indomain)
            m_catalogue.domains.push_back(std::move(m_domain));
        m_indomain = false;
    }

    void apply(QByteArrayView line)
    {
        QByteArrayView value;
        switch (line.isEmpty() ? 0 : line[0]) {
        case 'U':
            if (prefixed(line, "URL: ", value))
                domain(value);
            return;
        case 'K':
            if (prefixed(line, "KEY: ", value))
                keyword(value);
            return;
        case 'a':
            if (prefixed(line, "act: ", value) && m_inkeyword)
                m_keyword.status = m_catalogue.texts.intern(value);
            return;
        case 'p':
            if (prefixed(line, "pos: ", value))
                hit(value);
            return;
        case 'u':
            if (prefixed(line, "url: ", value))
                hitfield(value, &PackedKeyword::Hit::url);
            else if (prefixed(line, "urls: ", value))
                top(m_keyword.urls, value);
            return;
        case 't':
            if (prefixed(line, "title: ", value))
                hitfield(value, &PackedKeyword::Hit::title);
            else if (prefixed(line, "titles: ", value))
                top(m_keyword.titles, value);
            return;
        case 'm':
        case 'i':
            // The two number options fail past 16 bits, ending the record like a bad "pos: ".
            if (prefixed(line, "maxconnections: ", value) || prefixed(line, "inettimeout: ", value))
                Int16(leadingnumber(codepage::toText(value)));
            return;
        default:
            for (size_t i = 0; i < localeprefixes().size(); ++i) {
                if (prefixed(line, localeprefixes()[i], value) && m_indomain)
                    m_domain.locale.at(i) = m_catalogue.texts.intern(value);
            }
            return;
        }
    }

private:
    void endkeyword()
    {
        if (m_inkeyword)
            packkeyword(m_domain.keywords, m_keyword);
        m_inkeyword = false;
    }

    void domain(QByteArrayView url)
    {
        finish();
        checkroom(m_domains);
        ++m_domains;
        m_domain = {int(m_catalogue.records.size()), m_catalogue.texts.intern(url), {}};
        m_indomain = true;
        m_keys = 0;
    }

    void keyword(QByteArrayView key)
    {
        if (!m_indomain)
            return;
        endkeyword();
        checkroom(m_keys);
        ++m_keys;
        m_keyword.clear();
        m_keyword.key = m_catalogue.texts.intern(key);
        m_inkeyword = true;
    }

    void hit(QByteArrayView position)
    {
        if (!m_inkeyword)
            return;
        const int value = cint(codepage::toText(position));
        checkroom(m_keyword.hits.size());
        m_keyword.hits.push_back({value, 0, 0});
    }

    void hitfield(QByteArrayView value, quint32 PackedKeyword::Hit::*field)
    {
        if (m_inkeyword && !m_keyword.hits.empty())
            m_keyword.hits.back().*field = m_catalogue.texts.intern(value);
    }

    void top(std::vector<quint32> &list, QByteArrayView value)
    {
        if (!m_inkeyword)
            return;
        checkroom(list.size());
        list.push_back(m_catalogue.texts.intern(value));
    }

    Catalogue &m_catalogue;
    bool m_inside = false;
    bool m_indomain = false;
    bool m_inkeyword = false;
    size_t m_domains = 0;
    size_t m_keys = 0;
    IndexedDomain m_domain;
    PackedKeyword m_keyword;
};

} // namespace

void readrecords(Catalogue &catalogue, QIODevice &in, qint64 start, qint64 limit, const std::function<void()> &started)
{
    RecordReader reader(catalogue);
    historyfile::LineReader lines(in, limit);
    bool first = true;
    QByteArrayView line;
    try {
        while (lines.next(line)) {
            if (historyfile::isseparator(line)) {
                if (std::exchange(first, false) && started)
                    started();
                reader.separator(start + lines.linestart(), line);
                continue;
            }
            if (!reader.inside())
                continue;
            try {
                reader.apply(line);
            } catch (...) {
                reader.fail();
            }
        }
    } catch (...) {
        // A file that fails to read keeps what was read of its last domain, as a plain reading does.
        reader.finish();
        throw;
    }
    reader.finish();
}

} // namespace historyindex
