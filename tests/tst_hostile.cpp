#include "searchrig.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray garbage(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(20050304);
    for (char &c : bytes)
        c = char(generator.bounded(256));
    return bytes;
}

} // namespace

// Whatever a server sends, the run goes on: each of these replies counts as a page received
// (with or without hits) and the next tick finishes the keyword.
class TestHostile : public QObject
{
    Q_OBJECT

private slots:
    void survives_data()
    {
        QTest::addColumn<int>("reply");
        QTest::addColumn<QByteArray>("raw");
        const auto raw = int(FakeEngine::Reply::Raw);
        const QByteArray chunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
        QTest::newRow("50 MB") << raw << "HTTP/1.1 200 OK\r\n\r\n" + QByteArray(50 * 1024 * 1024, 'x');
        QTest::newRow("never ends") << int(FakeEngine::Reply::Endless) << QByteArray();
        QTest::newRow("binary garbage") << raw << garbage(300000);
        QTest::newRow("garbage claiming chunks") << raw << chunked + garbage(300000);
        QTest::newRow("16 hex digit chunk size") << raw << chunked + "FFFFFFFFFFFFFFFF\r\nabc\r\n0\r\n\r\n";
        QTest::newRow("chunk size past the end") << raw << chunked + "7fffffff\r\nabc\r\n0\r\n\r\n";
        QTest::newRow("NUL bytes in a page")
            << raw << "HTTP/1.1 200 OK\r\n\r\n<p class=g><a href=http://a\0b/ x>T\0</a>"_ba;
        QTest::newRow("flood of hits")
            << raw
            << QByteArray("<p class=g><a href=http://mysite.example/ >T</a><font size=-1>s<font>").repeated(40000);
    }
    void survives()
    {
        QFETCH(int, reply);
        QFETCH(QByteArray, raw);
        SearchRig rig;
        rig.engine.setBehaviour(u"alpha"_s, 0, {FakeEngine::Reply(reply), 0, {}, raw});
        rig.start(u"mysite.example"_s, u"alpha\r\nbeta"_s, u"1"_s);
        QVERIFY(rig.finish(60000));
        QCOMPARE(rig.job(1).status, u"Finished search"_s);
        QCOMPARE(int(rig.job(1).page), 1);
        QVERIFY(rig.job(1).buffer.size() <= 2 * Fetcher::ReplyLimit);
        QVERIFY(!rig.window.restxt().isEmpty());
        QCOMPARE(rig.job(2).status, u"Finished search"_s);
        QCOMPARE(rig.job(2).hits.ubound(), 10);
        QCOMPARE(rig.run.pool().openCount(), 0);
        // A failure inside a parser is trapped and reported, never fatal.
        errorreports::clearerrortext();
    }

    // The cut is at the limit: what was read up to there is what gets parsed.
    void replyLimit()
    {
        SearchRig rig;
        const QByteArray head = "HTTP/1.1 200 OK\r\n\r\n<p class=g><a href=http://mysite.example/ x>T</a><font "
                                "size=-1>s<br><font color=#008000>";
        QByteArray raw = head + QByteArray(Fetcher::ReplyLimit, ' ') +
                         "<p class=g><a href=http://mysite.example/late x>T</a><font size=-1>s<br><font>";
        rig.engine.setBehaviour(u"alpha"_s, 0, {FakeEngine::Reply::Raw, 0, {}, raw});
        rig.start(u"mysite.example"_s, u"alpha"_s, u"1"_s);
        QVERIFY(rig.finish(30000));
        QCOMPARE(rig.window.restxt().size(), Fetcher::ReplyLimit);
        QCOMPARE(rig.job(1).hits.ubound(), 1);
        QCOMPARE(rig.job(1).hits[1].url, u"http://mysite.example/"_s);
        QCOMPARE(errorreports::errortext(), QString());
    }
};

QTEST_GUILESS_MAIN(TestHostile)
#include "tst_hostile.moc"
