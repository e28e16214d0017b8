// Times readi and writei on a large settings file: 100 domains of 100 keywords with 3 hits
// each (about 150,000 keys), and again with each keyword's ten top URLs.
#include "platform/programfolder.h"
#include "storage/inistore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

// The settings file's whole content: the search state and what it keeps of the window.
struct StoredState : SearchState, WindowSettings
{
};

StoredState bigState(int topUrls)
{
    StoredState state;
    for (int d = 1; d <= 100; ++d) {
        const QString domain = u"domain"_s + QString::number(d) + u".example"_s;
        SearchSession session{domain, {}, u"04-Mar-2005 09:05:00"_s, u"5"_s, u"0"_s, u"1"_s, {}, {}};
        for (int k = 1; k <= 100; ++k) {
            KeywordResult keyword{u"keyword number "_s + QString::number(k), {}, u"Complete after 5 pages"_s, {}, {}};
            for (int h = 1; h <= 3; ++h) {
                const QString url = u"http://"_s + domain + u"/page"_s + QString::number(k * 10 + h) + u".html"_s;
                keyword.positions.append(SearchHit{url,
                                                   u"A <b>page</b> about keyword "_s + QString::number(k),
                                                   u"Some snippet text of about a line, as result pages give it."_s,
                                                   h * 7,
                                                   {}});
            }
            for (int t = 1; t <= topUrls; ++t) {
                keyword.urls.append(u"http://top"_s + QString::number(t) + u".example/"_s);
                keyword.titles.append(u"Top result "_s + QString::number(t));
            }
            session.keys.append(keyword);
        }
        state.urldata.append(session);
    }
    state.txturl = u"domain1.example"_s;
    return state;
}

double seconds(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

void run(const char *label, int topUrls)
{
    QTemporaryDir dir;
    programfolder::setPath(dir.path());
    StoredState state = bigState(topUrls);
    const WindowPlacement window{1500, 1200, 9000, 11300, WindowState::Normal, 15360, 11520};
    const QList<int> columns{1980, 1738, 735, 3330, 2145};

    QElapsedTimer timer;
    timer.start();
    writei(state, state, window, columns);
    const double fresh = seconds(timer);

    timer.restart();
    writei(state, state, window, columns);
    const double unchanged = seconds(timer);

    state.urldata[50].keys[50].positions[2].title = u"changed"_s;
    timer.restart();
    writei(state, state, window, columns);
    const double edited = seconds(timer);

    StoredState loaded;
    WindowPlacement placed = window;
    timer.restart();
    readi(loaded, loaded, placed, true);
    const double read = seconds(timer);

    const qint64 bytes = QFileInfo(dir.filePath(u"zorvane.ini"_s)).size();
    std::printf("%s: file %.1f MB, %s\n", label, bytes / 1e6,
                loaded.urldata == state.urldata ? "read back equal" : "READ BACK DIFFERS");
    std::printf("  writei new file      %7.3f s\n", fresh);
    std::printf("  writei unchanged     %7.3f s\n", unchanged);
    std::printf("  writei one change    %7.3f s\n", edited);
    std::printf("  readi                %7.3f s\n", read);
    programfolder::setPath({});
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    run("100 domains x 100 keywords x 3 hits", 0);
    run("same with ten top URLs per keyword", 10);
    return 0;
}
