#include "alerts/alertcommand.h"
#include "alerts/alertrules.h"
#include "search/searchstate.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString Domain = u"mysite.example"_s;

// One keyword found at position (0: not found) as the previous run left it: its stored action.
SearchState before(const QString &key, int position, const QString &action)
{
    SearchState state;
    SearchSession session;
    session.url = Domain;
    KeywordResult keyword{key, {}, action, {}, {}};
    if (position > 0)
        keyword.positions.append({u"http://mysite.example/"_s, {}, {}, Int16(position), {}});
    session.keys.append(keyword);
    state.urldata.append(session);
    return state;
}

// The same keyword after a run: its job's status and the pages it fetched.
SearchState after(const QString &key, int position, const QString &status, int pages)
{
    SearchState state = before(key, position, {});
    FetchJob job;
    job.url = Domain;
    job.key = key;
    job.status = status;
    job.page = pages;
    state.jobs.append(job);
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
        const QString done = u"Finished search"_s;
        QTest::newRow("entered") << 15 << done << 4 << done << 2 << 3 << u"entered the top 10 (was 15, now 4)"_s;
        QTest::newRow("entered from nowhere")
            << 0 << done << 10 << done << 1 << 3 << u"entered the top 10 (was not found, now 10)"_s;
        QTest::newRow("left") << 10 << done << 11 << done << 2 << 3 << u"left the top 10 (was 10, now 11)"_s;
        QTest::newRow("dropped out of the top")
            << 3 << done << 0 << done << 2 << 3 << u"left the top 10 (was 3, now not found)"_s;
        QTest::newRow("at the threshold") << 20 << done << 17 << done << 2 << 3 << u"up 3 places (was 20, now 17)"_s;
        QTest::newRow("below the threshold") << 20 << done << 18 << done << 2 << 3 << QString();
        QTest::newRow("within the top") << 2 << done << 8 << done << 1 << 5 << u"down 6 places (was 2, now 8)"_s;
        QTest::newRow("delta 0 counts one place")
            << 5 << done << 6 << done << 1 << 0 << u"down 1 place (was 5, now 6)"_s;
        QTest::newRow("unchanged") << 4 << done << 4 << done << 1 << 0 << QString();
        QTest::newRow("lost beyond the top")
            << 25 << done << 0 << done << 3 << 3 << u"dropped out (was 25, now not found)"_s;
        QTest::newRow("appeared beyond the top")
            << 0 << done << 30 << done << 3 << 3 << u"appeared (was not found, now 30)"_s;
        QTest::newRow("first hit") << 15 << done << 4 << u"Complete after 1 pages"_s << 1 << 3
                                   << u"entered the top 10 (was 15, now 4)"_s;
        QTest::newRow("blocked") << 3 << done << 0 << u"blocked (HTTP 429)"_s << 1 << 3 << QString();
        QTest::newRow("quota") << 3 << done << 0 << u"quota exhausted"_s << 1 << 3 << QString();
        QTest::newRow("stopped") << 3 << done << 0 << u"stopped"_s << 1 << 3 << QString();
        QTest::newRow("gave up") << 3 << done << 0 << u"gave up after 3 retries (timeout)"_s << 1 << 3 << QString();
        QTest::newRow("depth 0 fetched nothing") << 3 << done << 0 << done << 0 << 3 << QString();
        QTest::newRow("first run") << 0 << QString() << 4 << done << 1 << 3 << QString();
        QTest::newRow("blocked before") << 40 << u"TLS error: handshake failed"_s << 4 << done << 1 << 3 << QString();
        QTest::newRow("stopped before") << 40 << u"stopped"_s << 4 << done << 1 << 3 << QString();
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
        const QString expected = change.isEmpty() ? QString() : Domain + u" \"red\": "_s + change;
        QCOMPARE(summary(before(u"red"_s, was, action), after(u"red"_s, now, status, pages), delta), expected);
    }

    // Several keywords: the biggest move first, not found counting as farther than any place.
    void biggestFirst()
    {
        SearchState was = before(u"a"_s, 9, u"Finished search"_s);
        SearchState now = after(u"a"_s, 12, u"Finished search"_s, 2);
        const QList<std::pair<int, int>> moves = {{40, 20}, {2, 0}, {30, 35}};
        for (const auto &[from, to] : moves) {
            const QString key = QString::number(from);
            was.urldata[1].keys.append(before(key, from, u"Finished search"_s).urldata[1].keys[1]);
            now.urldata[1].keys.append(after(key, to, {}, 0).urldata[1].keys[1]);
            now.jobs.append(after(key, to, u"Finished search"_s, 4).jobs[1]);
        }
        const QStringList lines = summary(was, now, 3).split(u'\n');
        QCOMPARE(lines.size(), 4);
        const QStringList keys = {u"\"2\""_s, u"\"40\""_s, u"\"30\""_s, u"\"a\""_s};
        for (int i = 0; i < 4; ++i)
            QVERIFY2(lines[i].contains(keys[i]), qPrintable(lines[i]));
    }

    // The program gets the summary on its standard input and its arguments as a list; no shell
    // reads the command, so a ";" in the program's name is only a character of it.
    void command_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<QByteArray>("received");
        QTest::newRow("script with ; in its name")
            << u"%1/alert;date>pwned \"two words\""_s << QString() << QByteArray("two words\nline 1\nline 2\n");
        QTest::newRow("missing program") << u"%1/absent"_s << u"could not be started"_s << QByteArray();
        QTest::newRow("failing program") << u"false %1"_s << u"ended with status 1"_s << QByteArray();
    }
    void command()
    {
        QFETCH(QString, command);
        QFETCH(QString, problem);
        QFETCH(QByteArray, received);
        QTemporaryDir dir;
        const QString script = dir.filePath(u"alert;date>pwned"_s);
        QFile file(script);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\nprintf '%s\\n' \"$1\" > \"$(dirname \"$0\")/got\"\ncat >> \"$(dirname \"$0\")/got\"\n");
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        AlertCommand alerts;
        QSignalSpy finished(&alerts, &AlertCommand::finished);
        alerts.start(command.arg(dir.path()), u"line 1\nline 2"_s);
        alerts.waitall();
        QDir::setCurrent(previous);
        QCOMPARE(finished.size(), 1);
        const QString reported = finished[0][0].toString();
        QVERIFY2(problem.isEmpty() ? reported.isEmpty() : reported.contains(problem), qPrintable(reported));
        QFile got(dir.filePath(u"got"_s));
        QCOMPARE(got.open(QIODevice::ReadOnly) ? got.readAll() : QByteArray(), received);
        QVERIFY(!QFile::exists(dir.filePath(u"pwned"_s)));
        QCOMPARE(alerts.running(), 0);
    }
};

QTEST_GUILESS_MAIN(TestAlerts)
#include "tst_alerts.moc"
