#pragma once

#include "historycatalogue.h"
#include "search/session.h"

#include <QString>

#include <functional>
#include <vector>

// The index of a history file: every record's offset, date-time text, domains with their
// places, keywords with their statuses, hits and top tens. It is kept in an SQLite file beside the history file
// (FILE.idx), or in the user's cache folder when that folder cannot be written, and brought up to date whenever the
// file is opened: a file that only grew is read from its last record on; one whose indexed part
// changed (a delete, an edit, another program's write) is read again from the start. The
// history file stays the record of truth: an index that is missing, damaged or of another
// version is built again, and one that cannot be stored is kept in memory only.
class HistoryIndex final
{
public:
    // How open() found the index.
    enum class Refresh
    {
        Current,  // it matched the file
        Appended, // the file had grown: the new records were added
        Rebuilt,  // missing, damaged, of another version, or the file changed: built anew
    };

    // What a keyword visit fills besides the key: its hits, its top ten, its status (`action`).
    enum Parts
    {
        KeyOnly = 0,
        Hits = 1,
        Tops = 2,
        Status = 4,
        All = Hits | Tops | Status
    };

    HistoryIndex() = default;

    // The records of filename, read under the file's lock. started runs once the file is known
    // to hold records, before the long part of the work. A file that cannot be read goes to the
    // error trap and gives no records; a record whose reading failed keeps what was read before
    // the failure, and the failure goes to the error trap again at every open, as a reading of
    // the file would report it.
    static HistoryIndex open(const QString &filename, const std::function<void()> &started = {});

    int count() const { return int(m_catalogue.records.size()); }
    const QString &when(int n) const { return m_whens[size_t(n - 1)]; }
    // The domain records of record n, numbered from 1.
    int domaincount(int n) const { return m_first[size_t(n)] - m_first[size_t(n - 1)]; }
    const QString &url(int n, int d) const { return text(domain(n, d).url); }
    // Where and on what domain d of record n was searched.
    SearchLocale locale(int n, int d) const;
    // Calls visit with each keyword of domain d of record n, in order; its hits and top ten are
    // filled as parts asks (the hits without their abstracts).
    void keywords(int n, int d, int parts, const std::function<void(const KeywordResult &)> &visit) const;

    Refresh refreshed() const { return m_refresh; }
    // The index file; empty when it could not be stored and lives in memory only.
    const QString &indexfile() const { return m_indexfile; }

private:
    void refresh(const QString &filename, const std::function<void()> &started);
    void prepare();
    void reportfaults() const;
    const historyindex::IndexedDomain &domain(int n, int d) const
    {
        return m_catalogue.domains[size_t(m_first[size_t(n - 1)] + d - 1)];
    }
    const QString &text(quint32 id) const;

    historyindex::Catalogue m_catalogue;
    std::vector<QString> m_whens;
    std::vector<int> m_first{0}; // the domains of record n are m_first[n - 1] .. m_first[n] - 1
    mutable std::vector<QString> m_texts;
    Refresh m_refresh = Refresh::Rebuilt;
    QString m_indexfile;
};
