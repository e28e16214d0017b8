// One refresh of the current results (disres through the real list view) with 5,000
// keywords: the first rendering into an empty list, a refresh of the full list as a running
// search does it on every tick, and a header click that sorts and refills the list. Run with
// QT_QPA_PLATFORM=offscreen and build with -DCMAKE_BUILD_TYPE=Release for figures worth quoting.
#include "app/appstate.h"
#include "views/listview.h"
#include "views/resultsview.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextStream>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int Keywords = 5000;
constexpr int Rounds = 5;

// Every third keyword found once or twice, the others not found: a typical mix of lines.
void fill(AppState &state)
{
    SearchSession session;
    session.url = u"mysite.example"_s;
    session.resulttime = u"05-Dec-2026 12:00:00"_s;
    for (int k = 1; k <= Keywords; ++k) {
        KeywordResult keyword;
        keyword.key = u"keyword "_s + QString::number(k);
        keyword.action = u"Finished search"_s;
        for (int h = 1; k % 3 == 0 && h <= 1 + k % 2; ++h) {
            SearchHit hit;
            hit.position = (k + h) % 50 + 1;
            hit.url = u"http://www.mysite.example/page"_s + QString::number(h) + u".html"_s;
            hit.title = u"Title of <b>page</b> "_s + QString::number(h);
            hit.abstract = u"Snippet"_s;
            keyword.positions.append(hit);
        }
        session.keys.append(keyword);
    }
    state.urldata.append(session);
    state.txturl = session.url;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    AppState state;
    fill(state);
    QWidget window;
    ListView list(&window);
    QLabel label(&window);
    QPlainTextEdit detail(&window);
    QCheckBox dispfirst(&window);
    list.resize(900, 500);
    const QStringList headers = {u"URL"_s, u"Search term"_s, u"Position"_s, u"Exact URL"_s, u"Operation"_s};
    for (const QString &header : headers)
        list.addcolumn(header, 1500);
    ResultsView view(state, list, label, detail, dispfirst);
    window.show();

    QList<double> first;
    QList<double> refresh;
    QList<double> sorted;
    QElapsedTimer timer;
    // Each figure includes the repaint that follows, as the user waits for that too.
    auto measure = [&](QList<double> &figures, const auto &work) {
        timer.start();
        work();
        QApplication::processEvents();
        figures.append(timer.nsecsElapsed() / 1e6);
    };
    for (int round = 0; round < Rounds; ++round) {
        view.clear();
        QApplication::processEvents();
        measure(first, [&] { view.disres(); });
        measure(refresh, [&] { view.disres(); });
        measure(sorted, [&] { view.resultsview_ColumnClick(u"Position"_s); });
    }
    QTextStream out(stdout);
    out << "keywords: " << Keywords << ", list lines: " << list.itemcount() << "\n";
    out << "first render into an empty list: median " << median(first) << " ms of " << Rounds << "\n";
    out << "refresh of the full list:        median " << median(refresh) << " ms of " << Rounds << "\n";
    out << "header click (sort and refill):  median " << median(sorted) << " ms of " << Rounds << "\n";
    return 0;
}
