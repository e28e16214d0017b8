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
    void rules_data()
    {
        QTest::addColumn<int>("was");
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("now");
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("delta");
        QTest::addColumn<QString>("change"); // "" for no alert
        QTest::newRow("entered") << 15 << Done << 4 << Done << 2 << 3 << u"entered the top 10 (was 15, now 4)"_s;
        QTest::newRow("left") << 10 << Done << 11 << Done << 2 << 3 << u"left the top 10 (was 10, now 11)"_s;
        QTest::newRow("dropped out of the top")
            << 3 << Done << 0 << Done << 2 << 3 << u"left the top 10 (was 3, now not found)"_s;
        QTest::newRow("at the threshold") << 20 << Done << 17 << Done << 2 << 3 << u"up 3 places (was 20, now 17)"_s;
        QTest::newRow("below the threshold") << 20 << Done << 18 << Done << 2 << 3 << QString();
        QTest::newRow("within the top") << 2 << Done << 8 << Done << 1 << 5 << u"down 6 places (was 2, now 8)"_s;
        QTest::newRow("first hit") << 0 << Done << 40 << u"Complete after 4 pages"_s << 4 << 3
                                   << u"appeared (was not found, now 40)"_s;
        QTest::newRow("blocked") << 3 << Done << 0 << u"blocked (HTTP 429)"_s << 1 << 3 << QString();
        QTest::newRow("depth 0 fetched nothing") << 3 << Done << 0 << Done << 0 << 3 << QString();
        QTest::newRow("first run") << 0 << QString() << 4 << Done << 1 << 3 << QString();
        QTest::newRow("failed before") << 0 << u"TLS error: handshake failed"_s << 4 << Done << 1 << 3 << QString();
    }
    void rules()
    {
        QFETCH(int, was);
        QFETCH(QString, action);
        QFETCH(int, now);
        QFETCH(QString, status);
        QFETCH(int, pages);
        QFETCH(int, delta);
        QFETCH(QString, change);
        // A second keyword that fell further comes first.
        const QString big = Domain + u" \"big\": left the top 10 (was 1, now not found)"_s;
        const SearchState previous = domain({{u"red"_s, was, action}, {u"big"_s, 1, Done}});
        const SearchState next = domain({{u"red"_s, now, status, pages}, {u"big"_s, 0, Done, 1}});
        QCOMPARE(summary(previous, next, delta),
                 change.isEmpty() ? big : big + u"\n"_s + Domain + u" \"red\": "_s + change);
    }

    // Visibility moves by percentage points, from the keywords with a standing on each side.
    void visibility_data()
    {
        QTest::addColumn<QList<int>>("was"); // positions, 0 not found, -1 blocked
        QTest::addColumn<QList<int>>("now");
        QTest::addColumn<int>("delta");
        QTest::addColumn<QString>("line");
        QTest::newRow("up") << QList<int>{10, 0} << QList<int>{1, 0} << 3
                            << u"visibility: up 47.5 points (was 2.5 %, now 50.0 %)"_s;
        QTest::newRow("down") << QList<int>{1} << QList<int>{3} << 3
                              << u"visibility: down 66.7 points (was 100.0 %, now 33.3 %)"_s;
        QTest::newRow("below the threshold") << QList<int>{2} << QList<int>{3} << 20 << QString();
        QTest::newRow("blocked is left out") << QList<int>{1, 1} << QList<int>{1, -1} << 1 << QString();
        QTest::newRow("all blocked") << QList<int>{1} << QList<int>{-1} << 1 << QString();
    }
    void visibility()
    {
        QFETCH(QList<int>, was);
        QFETCH(QList<int>, now);
        QFETCH(int, delta);
        const auto state = [](const QList<int> &positions) {
            QList<Keyword> keywords;
            for (int i = 0; i < int(positions.size()); ++i) {
                const bool blocked = positions[i] < 0;
                keywords.append({u"k"_s + QString::number(i), std::max(positions[i], 0),
                                 blocked ? u"blocked (HTTP 429)"_s : Done, 1});
            }
            return domain(keywords);
        };
        const QString got = alertrules::visibilityline(Domain, alertrules::standings(state(was), Domain),
                                                       alertrules::standings(state(now), Domain), delta);
        QFETCH(QString, line);
        QCOMPARE(got, line.isEmpty() ? QString() : Domain + u' ' + line);
    }

    // A program that cannot be started or ends badly is reported.
    void commandFails_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("problem");
        QTest::newRow("missing program") << u"/nonexistent/alert"_s << u"could not be started"_s;
        QTest::newRow("failing program") << u"false"_s << u"ended with status 1"_s;
    }
    void commandFails()
    {
        QFETCH(QString, command);
        QFETCH(QString, problem);
        AlertCommand alerts;
        QSignalSpy finished(&alerts, &AlertCommand::finished);
        alerts.start(command, u"line"_s);
        alerts.waitall();
        QCOMPARE(finished.size(), 1);
        QVERIFY2(finished[0][0].toString().contains(problem), qPrintable(finished[0][0].toString()));
    }
};

QTEST_GUILESS_MAIN(TestAlerts)
#include "tst_alerts.moc"
