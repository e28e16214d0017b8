#include "analysistable.h"

#include "search/parsers.h"

#include <algorithm>
#include <vector>

void AnalysisTable::clear(bool group)
{
    m_failures.flush();
    m_records.clear();
    m_group = group;
    m_indexed = true;
    m_exact.clear();
    m_prefixes.clear();
    m_found.clear();
    m_titles.clear();
}

int AnalysisTable::find(const QString &url) const
{
    if (!m_group)
        return m_exact.value(url, 0);
    const auto found = m_found.constFind(url);
    return found != m_found.cend() ? *found : m_prefixes.first(url);
}

void AnalysisTable::index(const QString &url, int record)
{
    if (m_group)
        m_prefixes.insert(url, record);
    else if (!m_exact.contains(url))
        m_exact.insert(url, record);
}

// After a ranking the records moved; callers empty the table before counting again, but
// counting into a ranked table must find what a walk of it would find.
void AnalysisTable::reindex()
{
    m_exact.clear();
    m_prefixes.clear();
    m_found.clear();
    for (int i = 1; i <= m_records.ubound(); ++i)
        index(m_records[i].url, i);
    m_indexed = true;
}

void AnalysisTable::addana(int position, const QString &url, const QString &title)
{
    m_failures.step("Sub addana", [&] {
        if (!m_indexed)
            reindex();
        int i = find(url);
        QString key = url;
        bool renamed = false;
        if (i == 0) {
            m_records.append(AnalysisRecord{});
            i = m_records.ubound();
            index(url, i);
        } else if (m_group && m_records[i].url.size() <= url.size()) {
            key = m_records[i].url; // the record's URL is the shorter one, a prefix of url
        } else {
            renamed = m_records[i].url != key;
        }
        if (m_group)
            m_found.insert(url, i);
        AnalysisRecord &record = m_records[i];
        record.count += 1;
        record.total += position;
        if (!record.url.isSharedWith(key))
            record.url = key;
        if (renamed) {
            index(key, i);
            // A shorter URL may now be the first match of URLs looked up before.
            m_found.clear();
        }
        auto stripped = m_titles.constFind(title);
        if (stripped == m_titles.cend())
            stripped = m_titles.insert(title, remtags(title));
        if (!record.title.isSharedWith(*stripped))
            record.title = *stripped;
    });
}

void AnalysisTable::rank(bool separators)
{
    m_failures.flush();
    std::vector<int> order;
    order.reserve(m_records.ubound());
    for (int i = 1; i <= m_records.ubound(); ++i) {
        if (m_records[i].count > 0)
            order.push_back(i);
    }
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
        const AnalysisRecord &x = m_records[a];
        const AnalysisRecord &y = m_records[b];
        return x.count != y.count ? x.count > y.count : x.total < y.total;
    });
    List1<AnalysisRecord> ranked;
    ranked.reserve(int(order.size()));
    for (size_t n = 0; n < order.size(); ++n) {
        AnalysisRecord &record = ranked.append(m_records[order[n]]);
        record.taken = true;
        const int count = record.count;
        const bool groupends = n + 1 == order.size() || m_records[order[n + 1]].count != count;
        if (separators && groupends && count >= 2)
            ranked.append(AnalysisRecord{});
    }
    m_records = std::move(ranked);
    m_indexed = false;
}

namespace analysis {

QString avetext(int total, int count)
{
    return QString::number(double(total) / count, 'G', 15);
}

} // namespace analysis
