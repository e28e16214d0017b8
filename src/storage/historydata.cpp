#include "historydata.h"

int HistoryData::count() const
{
    if (m_index)
        return m_index->count();
    return m_entries ? m_entries->ubound() : 0;
}

const QString &HistoryData::when(int n) const
{
    return m_index ? m_index->when(n) : (*m_entries)[n].when;
}

int HistoryData::domaincount(int n) const
{
    return m_index ? m_index->domaincount(n) : (*m_entries)[n].urldata.ubound();
}

const QString &HistoryData::url(int n, int d) const
{
    return m_index ? m_index->url(n, d) : (*m_entries)[n].urldata[d].url;
}

SearchLocale HistoryData::locale(int n, int d) const
{
    return m_index ? m_index->locale(n, d) : (*m_entries)[n].urldata[d].locale;
}

void HistoryData::keywords(int n, int d, int parts, const std::function<void(const KeywordResult &)> &visit) const
{
    if (m_index) {
        m_index->keywords(n, d, parts, visit);
        return;
    }
    for (const KeywordResult &keyword : (*m_entries)[n].urldata[d].keys)
        visit(keyword);
}
