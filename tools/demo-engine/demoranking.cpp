#include "demoranking.h"

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int HitsPerPage = 10;

struct Site
{
    QString host;
    QString name;
};

// A prime count, so a stride walks through every site before one repeats.
const QList<Site> &sites()
{
    static const QList<Site> list = {
        {u"widgetworld.example.net"_s, u"Widget World"_s},
        {u"shop-direct.example.org"_s, u"ShopDirect"_s},
        {u"thereviewhub.example.com"_s, u"The Review Hub"_s},
        {u"en.wikipedia.example.org"_s, u"Wikipedia, the free encyclopedia"_s},
        {u"bestbuyguide.example.net"_s, u"Best Buy Guide"_s},
        {u"forum.hobbyists.example.org"_s, u"Hobbyists Forum"_s},
        {u"pricecompare.example.com"_s, u"PriceCompare"_s},
        {u"dailynews.example.co.uk"_s, u"The Daily News"_s},
        {u"howto-corner.example.net"_s, u"How-To Corner"_s},
        {u"directory.example.org"_s, u"Web Directory"_s},
        {u"megastore.example.com"_s, u"MegaStore"_s},
        {u"blog.tinkerer.example.net"_s, u"A Tinkerer's Blog"_s},
        {u"consumerwatch.example.org"_s, u"Consumer Watch"_s},
        {u"localfinder.example.com"_s, u"LocalFinder"_s},
        {u"answers.example.net"_s, u"Answers"_s},
        {u"tradezone.example.co.uk"_s, u"TradeZone"_s},
        {u"magazine.example.com"_s, u"Monthly Magazine"_s},
        {u"outlet.example.net"_s, u"The Outlet"_s},
        {u"university.example.edu"_s, u"University Library"_s},
        {u"photos.example.com"_s, u"Photo Gallery"_s},
        {u"classifieds.example.org"_s, u"Classifieds"_s},
        {u"techtalk.example.net"_s, u"TechTalk"_s},
        {u"gov-info.example.gov"_s, u"Public Information Service"_s},
    };
    return list;
}

const QList<QString> &titles()
{
    static const QList<QString> list = {
        u"%K - %S"_s,
        u"The complete guide to %k | %S"_s,
        u"%K: reviews, prices and tips - %S"_s,
        u"Best %k of the year - %S"_s,
        u"%S - %K discussion"_s,
        u"Buy %k online at %S"_s,
        u"%K explained - %S"_s,
    };
    return list;
}

const QList<QString> &snippets()
{
    static const QList<QString> list = {
        u"Everything you need to know about %k. Compare offers, read reviews and find the right one "
        "for you ..."_s,
        u"Our experts tested twelve %k so you do not have to. See which came out on top and why ..."_s,
        u"Find %k near you. Opening hours, directions and customer ratings ..."_s,
        u"A beginner's question about %k: where do I start? Replies from members with years of "
        "experience ..."_s,
        u"Free delivery on all %k. Order today and save up to 30% on selected items ..."_s,
        u"History and background of %k, with references and further reading ..."_s,
    };
    return list;
}

// FNV-1a over the keyword's bytes: stable across runs and machines, unlike qHash.
quint32 fingerprint(const QString &keyword)
{
    quint32 hash = 2166136261u;
    for (const char byte : keyword.trimmed().toLower().toUtf8()) {
        hash ^= quint8(byte);
        hash *= 16777619u;
    }
    return hash;
}

QString slug(const QString &keyword)
{
    QString out;
    for (const QChar c : keyword.trimmed().toLower())
        out += c.isLetterOrNumber() && c.unicode() < 128 ? c : u'-';
    return out.isEmpty() ? u"index"_s : out;
}

QString capitalised(const QString &keyword)
{
    QString text = keyword.trimmed();
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

QString fill(QString text, const QString &keyword, const QString &site)
{
    // Result pages show the searched words in bold.
    text.replace(u"%K"_s, u"<b>"_s + capitalised(keyword) + u"</b>"_s);
    text.replace(u"%k"_s, u"<b>"_s + keyword.trimmed() + u"</b>"_s);
    return text.replace(u"%S"_s, site);
}

} // namespace

DemoRanking::DemoRanking(const QString &domain) : m_domain(domain) {}

QList<int> DemoRanking::domainpositions(const QString &keyword) const
{
    const quint32 h = fingerprint(keyword);
    const quint32 band = h % 100;
    int first;
    if (band < 30)
        first = 1 + int((h >> 8) % 10); // on the first page
    else if (band < 60)
        first = 11 + int((h >> 8) % 20); // pages two and three
    else if (band < 80)
        first = 31 + int((h >> 8) % 20); // further down
    else
        first = 51 + int((h >> 8) % 50); // beyond what most searches fetch
    QList<int> positions{first};
    // Now and then a second page of the site ranks a little lower.
    if ((h >> 16) % 4 == 0)
        positions.append(first + 1 + int((h >> 20) % 7));
    return positions;
}

FakeEngine::Hit DemoRanking::domainhit(const QString &keyword, int nth) const
{
    QString name = m_domain;
    if (!name.isEmpty())
        name[0] = name[0].toUpper();
    const QString path = nth == 0 ? QString(slug(keyword) + u".html"_s) : u"blog/"_s + slug(keyword) + u"-tips.html"_s;
    return {u"http://www."_s + m_domain + u'/' + path, fill(titles().at(nth % 2 == 0 ? 0 : 6), keyword, name),
            fill(snippets().at(nth % 2 == 0 ? 0 : 1), keyword, name)};
}

FakeEngine::Hit DemoRanking::otherhit(const QString &keyword, int position) const
{
    const quint32 h = fingerprint(keyword);
    const int count = int(sites().size());
    const int stride = 1 + int((h >> 4) % quint32(count - 1));
    const int index = int((h + quint32(position) * quint32(stride)) % quint32(count));
    const Site &site = sites().at(index);
    // A site met again further down shows another of its pages.
    const int round = (position - 1) / count;
    const QString suffix = round == 0 ? QString() : u'-' + QString::number(round);
    const QString path = slug(keyword) + suffix + u".html"_s;
    const quint32 mix = h ^ quint32(position) * 2654435761u;
    return {u"http://"_s + site.host + u'/' + path, fill(titles().at(int(mix % titles().size())), keyword, site.name),
            fill(snippets().at(int((mix >> 8) % snippets().size())), keyword, site.name)};
}

QList<FakeEngine::Hit> DemoRanking::page(const QString &query, int page) const
{
    // The engine undoes only "+" and "%22"; the demo shows the words as they were typed.
    const QString keyword = QString::fromLatin1(QByteArray::fromPercentEncoding(query.toLatin1()));
    const QList<int> mine = domainpositions(keyword);
    QList<FakeEngine::Hit> hits;
    for (int i = 1; i <= HitsPerPage; ++i) {
        const int position = page * HitsPerPage + i;
        const qsizetype nth = mine.indexOf(position);
        hits.append(nth >= 0 ? domainhit(keyword, int(nth)) : otherhit(keyword, position));
    }
    return hits;
}
