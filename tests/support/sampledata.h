#pragma once

#include "search/session.h"

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

} // namespace sample
