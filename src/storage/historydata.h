#pragma once

#include "historyentry.h"
#include "historyindex.h"

#include <functional>

// What the history, analysis and detail views, the rank chart and the history report read: the
// records of an opened history file through its index, or records held in memory (the current
// results as one record without a date, and tests). Refers to either; both must outlive it.
class HistoryData final
{
public:
    HistoryData() = default;
    HistoryData(const Array1<HistoryEntry> &entries) : m_entries(&entries) {} // NOLINT: implicit on purpose
    HistoryData(const HistoryIndex &index) : m_index(&index) {}               // NOLINT

    int count() const;
    const QString &when(int n) const;
    // The domain records of record n, numbered from 1.
    int domaincount(int n) const;
    const QString &url(int n, int d) const;
    // Where and on what domain d of record n was searched.
    SearchLocale locale(int n, int d) const;
    // Calls visit with each keyword of domain d of record n, in order; parts (HistoryIndex::Parts)
    // says whether its hits, top ten and status are needed. Held records always have them all.
    void keywords(int n, int d, int parts, const std::function<void(const KeywordResult &)> &visit) const;

private:
    const Array1<HistoryEntry> *m_entries = nullptr;
    const HistoryIndex *m_index = nullptr;
};
