#pragma once

#include "search/session.h"
#include "storage/historyentry.h"

#include <QStringList>

// Search results for tests: keywords with their top tens and hits, and domains holding them.
namespace sample {

template <typename T> Array1<T> array(const QList<T> &items)
{
    Array1<T> out;
    for (const T &item : items)
        out.append(item);
    return out;
}

// A URL without a title of its own gets "<b>URL</b>".
inline KeywordResult keyword(const QString &key, const QStringList &urls, const QStringList &titles = {},
                             const QList<SearchHit> &hits = {})
{
    KeywordResult k;
    k.key = key;
    k.urls = array(urls);
    for (qsizetype i = 0; i < urls.size(); ++i)
        k.titles.append(i < titles.size() ? titles[i] : QStringLiteral("<b>") + urls[i] + QStringLiteral("</b>"));
    k.positions = array(hits);
    return k;
}

inline SearchSession domain(const QString &url, const QList<KeywordResult> &keys, const QString &resulttime = {})
{
    SearchSession s;
    s.url = url;
    s.resulttime = resulttime;
    s.keys = array(keys);
    return s;
}

// stem1 to stemN.
inline QStringList numbered(const QString &stem, int n)
{
    QStringList list;
    for (int i = 1; i <= n; ++i)
        list << stem + QString::number(i);
    return list;
}

// Records of a history from one text each, "when|a k 5 9|a j -|b k !": domain, keyword and its
// hits, "-" for searched and not found, "!" for a blocked page, "?" for stopped; "a@de" is domain
// a searched from country de. Neighbouring parts of one domain go to one domain record.
inline Array1<HistoryEntry> records(const QStringList &texts)
{
    using namespace Qt::Literals::StringLiterals;
    Array1<HistoryEntry> data;
    for (const QString &record : texts) {
        const QStringList parts = record.split(u'|');
        HistoryEntry entry{parts[0], {}};
        for (const QString &part : parts.mid(1)) {
            const QStringList words = part.split(u' ');
            const QStringList where = words[0].split(u'@');
            QList<SearchHit> hits;
            for (const QString &word : words.mid(2)) {
                if (word.toInt() > 0) {
                    hits.append({u"http://"_s + where[0] + u'/', {}, {}, {}, {}});
                    hits.last().position = word.toInt();
                }
            }
            const bool blocked = words[2] == u"!";
            KeywordResult k =
                keyword(words[1], blocked ? QStringList() : QStringList{u"http://top.example/"_s}, {}, hits);
            k.action = blocked ? u"blocked (HTTP 429)"_s : words[2] == u"?" ? u"stopped"_s : u"Finished search"_s;
            int d = entry.urldata.ubound();
            if (d == 0 || entry.urldata[d].url != where[0] || entry.urldata[d].locale.country != where.value(1)) {
                entry.urldata.append(domain(where[0], {}));
                d = entry.urldata.ubound();
                entry.urldata[d].locale.country = where.value(1);
            }
            entry.urldata[d].keys.append(k);
        }
        data.append(entry);
    }
    return data;
}

} // namespace sample
