#include "samplehistory.h"

#include "search/searchstate.h"
#include "storage/historyfile.h"

#include <QDateTime>
#include <QLocale>
#include <QRandomGenerator>

#include <algorithm>
#include <array>

using namespace Qt::Literals::StringLiterals;

namespace samplehistory {

namespace {

constexpr int Sites = 2000;
constexpr int Pool = 14;

QString page(int k, int i)
{
    const int site = (k * 13 + i * 151) % Sites;
    const QString root = u"http://www.site"_s + QString::number(site) + u".example/"_s;
    // Every seventh keyword has a site's front page among its results.
    return i == 0 && k % 7 == 0 ? root : root + u"topic-"_s + QString::number(k) + u"/page-"_s + QString::number(i);
}

KeywordResult searched(int k, QRandomGenerator &random)
{
    KeywordResult result;
    result.key = keyword(k);
    result.action = u"Complete after 5 pages"_s;
    std::array<std::pair<int, int>, Pool> order{};
    for (int i = 0; i < Pool; ++i)
        order[size_t(i)] = {i + int(random.bounded(5)), i};
    std::stable_sort(order.begin(), order.end());
    for (int r = 0; r < 10; ++r) {
        const int i = order[size_t(r)].second;
        result.urls.append(page(k, i));
        result.titles.append(u"Site page "_s + QString::number(i) + u" - all about <b>"_s + result.key + u"</b>"_s);
    }
    if (random.bounded(100) < 45) {
        const QString own = u"http://www.mysite.example/section-"_s + QString::number(k % 40) + u"/page-"_s;
        const int hits = random.bounded(100) < 15 ? 2 : 1;
        int position = random.bounded(100) == 0 ? 1 + int(random.bounded(10)) : 11 + int(random.bounded(30));
        for (int h = 0; h < hits; ++h, position += 1 + int(random.bounded(20))) {
            const QString url = own + QString::number(k % 9 + h) + u".html"_s;
            result.positions.append({url,
                                     u"My site: <b>"_s + result.key + u"</b> explained"_s,
                                     u"The snippet the search engine shows for this page of my site, with the words of "
                                     "the keyword phrase in bold and some more text around them."_s,
                                     Int16(position),
                                     {}});
            if (position <= 10)
                result.urls[position] = url;
        }
    }
    return result;
}

} // namespace

QString keyword(int k)
{
    return u"keyword phrase number "_s + QString::number(k);
}

void write(QIODevice &out, int days, int keywords, unsigned seed, int first)
{
    QRandomGenerator random(seed);
    const RecordWindow window{1200, 2400, 12000, 11520, {1980, 1738, 735, 3330, 2145}, Domain};
    const WindowSettings windowsettings;
    QDateTime when(QDate(2025, 1, 1).addDays(first), QTime(9, 0, 0));
    for (int day = 0; day < days; ++day, when = when.addDays(1)) {
        SearchState state;
        for (const auto &[url, count] : {std::pair{Domain, keywords}, std::pair{u"othersite.example"_s, 5}}) {
            SearchSession domain;
            domain.url = url;
            domain.resulttime = QLocale::c().toString(when, u"dd-MMM-yyyy hh:mm:ss"_s);
            domain.pagedepth = u"5"_s;
            domain.checkstop = u"0"_s;
            domain.checkfirst = u"0"_s;
            for (int k = 1; k <= count; ++k)
                domain.keys.append(searched(k, random));
            state.urldata.append(domain);
        }
        historyfile::writerecord(out, QLocale::c().toString(when, u"dd-MMM-yyyy hh:mm:ss"_s), state, windowsettings,
                                 window);
    }
}

} // namespace samplehistory
