#include "historydiff.h"

#include "diagnostics/guard.h"
#include "historyrows.h"
#include "search/parsers.h"
#include "search/ranking.h"
#include "search/searchlocale.h"

#include <QHash>

using namespace Qt::Literals::StringLiterals;

namespace historydiff {

namespace {

// A keyword of one domain in one record: its standing and its top ten with titles.
struct Reading
{
    Standing standing;
    QStringList urls;
    QHash<QString, QString> titles; // of the top ten and of the domain's hits, without markup
};

struct DomainReading
{
    QString domain;
    QString place;
    QStringList keys;
    QHash<QString, Reading> readings;
};

Standing standingof(const KeywordResult &keyword)
{
    const Ranking rank = ranking(keyword);
    Standing standing;
    if (rank.kind == Ranking::Kind::Unknown) {
        standing.kind = Standing::Kind::Unknown;
    } else if (!rank.best) {
        standing.kind = Standing::Kind::NotFound;
    } else {
        standing.kind = Standing::Kind::Found;
        standing.position = *rank.best;
        for (const SearchHit &hit : keyword.positions) {
            if (int(hit.position) == *rank.best) {
                standing.url = hit.url;
                break;
            }
        }
    }
    return standing;
}

// The better of two listings of the same keyword: a known ranking over an unknown one, found
// over not found, a better position over a worse.
bool better(const Standing &a, const Standing &b)
{
    if (a.kind != b.kind)
        return int(a.kind) > int(b.kind);
    return a.kind == Standing::Kind::Found && a.position < b.position;
}

void addreading(DomainReading &domain, const KeywordResult &keyword)
{
    if (!domain.readings.contains(keyword.key))
        domain.keys.append(keyword.key);
    Reading &reading = domain.readings[keyword.key];
    const Standing standing = standingof(keyword);
    if (better(standing, reading.standing))
        reading.standing = standing;
    for (const SearchHit &hit : keyword.positions)
        reading.titles.insert(hit.url, remtags(hit.title));
    if (!reading.urls.isEmpty() || keyword.urls.isEmpty())
        return;
    for (int j = 1; j <= keyword.urls.ubound(); ++j) {
        reading.urls.append(keyword.urls[j]);
        reading.titles.insert(keyword.urls[j], remtags(keyword.title(j)));
    }
}

bool wanted(const QString &filter, const QString &value)
{
    return filter.isEmpty() || filter == historyrows::ShowAll || filter == value;
}

QList<DomainReading> readrecord(const HistoryData &historydata, int n, const QString &domain, const QString &keyword)
{
    QList<DomainReading> domains;
    for (int d = 1; d <= historydata.domaincount(n); ++d) {
        const QString &url = historydata.url(n, d);
        if (url.isEmpty() || !wanted(domain, url))
            continue;
        const QString place = searchlocale::summary(historydata.locale(n, d));
        auto found = std::find_if(domains.begin(), domains.end(),
                                  [&](const DomainReading &r) { return r.domain == url && r.place == place; });
        if (found == domains.end())
            found = domains.insert(domains.end(), DomainReading{url, place, {}, {}});
        historydata.keywords(n, d, HistoryIndex::All, [&](const KeywordResult &result) {
            if (wanted(keyword, result.key))
                addreading(*found, result);
        });
    }
    return domains;
}

QStringList missing(const QStringList &from, const QStringList &in)
{
    QStringList out;
    for (const QString &url : from) {
        if (!in.contains(url))
            out.append(url);
    }
    return out;
}

Change comparekeyword(const QString &key, const Reading &then, const Reading &now)
{
    Change change{{}, {}, key, then.standing, now.standing, {}, {}, {}, {}};
    if (!then.urls.isEmpty() && !now.urls.isEmpty()) {
        change.entered = missing(now.urls, then.urls);
        change.left = missing(then.urls, now.urls);
    }
    if (then.standing.kind == Standing::Kind::Found && now.standing.kind == Standing::Kind::Found &&
        then.standing.url != now.standing.url)
        change.replaced = {{}, then.standing.url, now.standing.url};
    QStringList seen;
    for (const QString &url : now.urls + QStringList{now.standing.url}) {
        if (url.isEmpty() || seen.contains(url) || !then.titles.contains(url))
            continue;
        seen.append(url);
        const QString before = then.titles.value(url);
        const QString after = now.titles.value(url);
        if (before != after)
            change.titles.append({url, before, after});
    }
    return change;
}

// The domains of the later record, then those only the earlier has; keywords likewise.
QList<DomainReading> merged(QList<DomainReading> later, const QList<DomainReading> &earlier)
{
    for (const DomainReading &old : earlier) {
        auto found = std::find_if(later.begin(), later.end(), [&](const DomainReading &r) {
            return r.domain == old.domain && r.place == old.place;
        });
        if (found == later.end())
            found = later.insert(later.end(), DomainReading{old.domain, old.place, {}, {}});
        for (const QString &key : old.keys) {
            if (!found->keys.contains(key))
                found->keys.append(key);
        }
    }
    return later;
}

const Reading &readingof(const QList<DomainReading> &domains, const DomainReading &which, const QString &key)
{
    static const Reading none;
    for (const DomainReading &d : domains) {
        if (d.domain == which.domain && d.place == which.place)
            return d.readings.contains(key) ? d.readings.find(key).value() : none;
    }
    return none;
}

} // namespace

QString Standing::text() const
{
    switch (kind) {
    case Kind::Absent:
        return {};
    case Kind::Unknown:
        return u"unknown"_s;
    case Kind::NotFound:
        return u"not found"_s;
    case Kind::Found:
        break;
    }
    return QString::number(position);
}

bool Change::changed() const
{
    return then != now || !entered.isEmpty() || !left.isEmpty() || !titles.isEmpty();
}

QList<Change> compare(const HistoryData &historydata, int from, int to, const QString &domain, const QString &keyword)
{
    QList<Change> changes;
    guard("Historydiff", "Function compare", [&] {
        const QList<DomainReading> earlier = readrecord(historydata, from, domain, keyword);
        const QList<DomainReading> later = readrecord(historydata, to, domain, keyword);
        for (const DomainReading &d : merged(later, earlier)) {
            for (const QString &key : d.keys) {
                Change change = comparekeyword(key, readingof(earlier, d, key), readingof(later, d, key));
                change.domain = d.domain;
                change.place = d.place;
                if (change.changed())
                    changes.append(change);
            }
        }
    });
    return changes;
}

int recordof(const HistoryData &historydata, const QString &text)
{
    for (int n = 1; n <= historydata.count(); ++n) {
        if (historydata.when(n) == text)
            return n;
    }
    return 0;
}

std::pair<int, int> lasttwo(const HistoryData &historydata, const QString &to)
{
    const int later = wanted(to, {}) ? historydata.count() : recordof(historydata, to);
    if (later < 2)
        return {0, 0};
    return {later - 1, later};
}

QStringList facts(const Change &change)
{
    QStringList out;
    if (change.then != change.now) {
        const QString then = change.then.kind == Standing::Kind::Absent ? u"not listed"_s : change.then.text();
        const QString now = change.now.kind == Standing::Kind::Absent ? u"not listed"_s : change.now.text();
        if (then != now)
            out << u"position "_s + then + u" -> "_s + now;
    }
    if (!change.replaced.then.isEmpty())
        out << u"page "_s + change.replaced.then + u" replaced by "_s + change.replaced.now;
    for (const QString &url : change.entered)
        out << u"entered the top ten: "_s + url;
    for (const QString &url : change.left)
        out << u"left the top ten: "_s + url;
    for (const TitleChange &title : change.titles)
        out << u"title of "_s + title.url + u": \""_s + title.then + u"\" -> \""_s + title.now + u'"';
    return out;
}

} // namespace historydiff
