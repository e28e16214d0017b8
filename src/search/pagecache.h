#pragma once

#include "searchservice.h"

#include <QHash>
#include <QList>
#include <QString>

struct FetchJob;
struct SearchLocale;
struct SearchState;
class SearchWindow;

// The result pages read so far in a run or a scheduled cycle, each as the service read it, by
// keyword, page, service and locale: a domain that searches a keyword another domain searched
// takes those pages from here instead of asking the service again.
class PageCache final
{
public:
    // Whether another domain may take pages from here; off, every domain asks for its own.
    bool sharing = true;

    void clear();
    // A new run: the count of requests saved starts again, the pages stay.
    void beginrun() { m_savedrun = 0; }
    // `notes` are what the page adds to its keyword's status, as addnote takes them.
    void remember(const SearchState &state, const FetchJob &job, const QList<ServiceHit> &hits, const QString &notes);
    // Gives the job every page it still needs that is held here, as a reply would; whether the
    // job needs no request now (done, or at its depth).
    bool serve(SearchState &state, int jobindex, SearchWindow &window);
    // Requests saved otherwise, such as the pages a competitor would have asked for.
    void countsaved(int requests)
    {
        m_savedrun += requests;
        m_savedtotal += requests;
    }
    int savedrun() const { return m_savedrun; }
    int savedtotal() const { return m_savedtotal; }

private:
    struct Page
    {
        QList<ServiceHit> hits;
        QString note;
    };
    QHash<QString, Page> m_pages;
    int m_savedrun = 0;
    int m_savedtotal = 0;
};

// The text that says how many requests a run or a cycle saved; "" when it saved none.
QString savedtext(int saved, const QString &what);
