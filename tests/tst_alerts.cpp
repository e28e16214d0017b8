#include "alerts/alertcommand.h"
#include "alerts/alertrules.h"
#include "search/searchstate.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString Domain = u"mysite.example"_s;
const QString Done = u"Finished search"_s;

// One keyword found at position (0: not found). Without pages the status is the action the
// previous run stored with it; with pages, the status of its job in the run that just ended.
struct Keyword
{
    QString key;
    int position;
    QString status;
    int pages = -1;
};

SearchState domain(const QList<Keyword> &keywords)
{
    SearchState state;
    state.urldata.append({Domain, {}, {}, {}, {}, {}, {}, {}});
    for (const Keyword &k : keywords) {
        KeywordResult keyword{k.key, {}, k.pages < 0 ? k.status : QString(), {}, {}};
        if (k.position > 0)
            keyword.positions.append({u"http://mysite.example/"_s, {}, {}, Int16(k.position), {}});
        // A page fetched lists something; a depth of 0 fetched none.
        if (k.pages != 0)
            keyword.urls.append(u"http://top.example/"_s);
        state.urldata[1].keys.append(keyword);
        FetchJob job;
        job.url = Domain;
        job.key = k.key;
        job.status = k.status;
        job.page = k.pages;
        if (k.pages >= 0)
            state.jobs.append(job);
    }
    return state;
}

QString summary(const SearchState &was, const SearchState &now, int delta)
{
    QStringList order;
    for (const KeywordResult &keyword : now.urldata[1].keys)
        order.append(keyword.key);
    return alertrules::summary(alertrules::compare(Domain, alertrules::standings(was, Domain),
                                                   alertrules::standings(now, Domain), delta, order));
}

} // namespace

class TestAlerts : public QObject
{
    Q_OBJECT

private slots:
    // One keyword's move, told after a second keyword's that fell further.
    void rules()
    {
        // was and now: positions, 0 not found; action: what the previous run stored; status and pages:
        // the keyword's job in the run that just ended; change: "" for no alert.
        const std::tuple<QString, int, QString, int, QString, int, int, QString> rows[] = {
            {u"entered"_s, 15, Done, 4, Done, 2, 3, u"entered the top 10 (was 15, now 4)"_s},
            {u"left"_s, 10, Done, 11, Done, 2, 3, u"left the top 10 (was 10, now 11)"_s},
            {u"dropped out of the top"_s, 3, Done, 0, Done, 2, 3, u"left the top 10 (was 3, now not found)"_s},
            {u"at the threshold"_s, 20, Done, 17, Done, 2, 3, u"up 3 places (was 20, now 17)"_s},
            {u"below the threshold"_s, 20, Done, 18, Done, 2, 3, {}},
            {u"within the top"_s, 2, Done, 8, Done, 1, 5, u"down 6 places (was 2, now 8)"_s},
            {u"first hit"_s, 0, Done, 40, u"Complete after 4 pages"_s, 4, 3, u"appeared (was not found, now 40)"_s},
            {u"blocked"_s, 3, Done, 0, u"blocked (HTTP 429)"_s, 1, 3, {}},
            {u"depth 0 fetched nothing"_s, 3, Done, 0, Done, 0, 3, {}},
            {u"first run"_s, 0, {}, 4, Done, 1, 3, {}},
            {u"failed before"_s, 0, u"TLS error: handshake failed"_s, 4, Done, 1, 3, {}},
        };
        const QString big = Domain + u" \"big\": left the top 10 (was 1, now not found)"_s;
        for (const auto &[name, was, action, now, status, pages, delta, change] : rows) {
            const SearchState previous = domain({{u"red"_s, was, action}, {u"big"_s, 1, Done}});
            const SearchState next = domain({{u"red"_s, now, status, pages}, {u"big"_s, 0, Done, 1}});
            const QString expected = change.isEmpty() ? big : big + u"\n"_s + Domain + u" \"red\": "_s + change;
            QCOMPARE(name + u": "_s + summary(previous, next, delta), name + u": "_s + expected);
        }
    }

    // Visibility moves by percentage points, from the keywords with a standing on each side.
    void visibility()
    {
        const auto state = [](const QList<int> &positions) {
            QList<Keyword> keywords;
            for (int i = 0; i < int(positions.size()); ++i) {
                const bool blocked = positions[i] < 0;
                keywords.append({u"k"_s + QString::number(i), std::max(positions[i], 0),
                                 blocked ? u"blocked (HTTP 429)"_s : Done, 1});
            }
            return alertrules::standings(domain(keywords), Domain);
        };
        // Positions before and after (0 not found, -1 blocked), the threshold, the line ("" for none).
        const std::tuple<QList<int>, QList<int>, int, QString> rows[] = {
            {{10, 0}, {1, 0}, 3, u"up 47.5 points (was 2.5 %, now 50.0 %)"_s},
            {{1}, {3}, 3, u"down 66.7 points (was 100.0 %, now 33.3 %)"_s},
            {{2}, {3}, 20, {}},
            {{1, 1}, {1, -1}, 1, {}}, // the blocked keyword is left out on both sides
            {{1}, {-1}, 1, {}},
        };
        for (const auto &[was, now, delta, line] : rows) {
            QCOMPARE(alertrules::visibilityline(Domain, state(was), state(now), delta),
                     line.isEmpty() ? QString() : Domain + u" visibility: "_s + line);
        }
    }

    // A program that cannot be started or ends badly is reported.
    void commandFails()
    {
        for (const auto &[command, problem] : {std::pair{u"/nonexistent/alert"_s, u"could not be started"_s},
                                               std::pair{u"false"_s, u"ended with status 1"_s}}) {
            AlertCommand alerts;
            QSignalSpy finished(&alerts, &AlertCommand::finished);
            alerts.start(command, u"line"_s);
            alerts.waitall();
            QCOMPARE(finished.size(), 1);
            QVERIFY2(finished[0][0].toString().contains(problem), qPrintable(finished[0][0].toString()));
        }
    }
};

QTEST_GUILESS_MAIN(TestAlerts)
#include "tst_alerts.moc"
