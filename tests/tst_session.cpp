#include "search/array1.h"
#include "search/keysplit.h"
#include "search/session.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestSession : public QObject
{
    Q_OBJECT

private slots:
    void splitkeys_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selstart");
        QTest::addColumn<int>("sellength");
        QTest::addColumn<QStringList>("keys");
        QTest::newRow("empty middle line") << u"one\r\n\r\ntwo"_s << 0 << 0 << QStringList{u"one"_s, u"two"_s};
        QTest::newRow("spaces kept") << u" a b "_s << 0 << 0 << QStringList{u" a b "_s};
        QTest::newRow("trailing break") << u"a\r\nb\r\n"_s << 0 << 0 << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("lf only joins") << u"a\nb"_s << 0 << 0 << QStringList{u"ab"_s};
        QTest::newRow("cr only splits") << u"a\rb"_s << 0 << 0 << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("duplicates kept") << u"x\r\nx"_s << 0 << 0 << QStringList{u"x"_s, u"x"_s};
        QTest::newRow("breaks only") << u"\r\n\r\n"_s << 0 << 0 << QStringList{};
        QTest::newRow("selection across lines") << u"one\r\ntwo\r\nthree"_s << 1 << 6 << QStringList{u"ne"_s, u"tw"_s};
    }

    void splitkeys()
    {
        QFETCH(QString, text);
        QFETCH(int, selstart);
        QFETCH(int, sellength);
        const KeySplit split = ::splitkeys(text, selstart, sellength);
        QTEST(split.keys, "keys");
        // The selection is left where it started, empty.
        QCOMPARE(split.selstart, selstart);
        QCOMPARE(split.sellength, 0);
    }

    void array1Bounds()
    {
        Array1<QString> a;
        a.append(u"x"_s);
        a.append(u"y"_s);
        QCOMPARE(a.ubound(), 2);
        QCOMPARE(a[2], u"y"_s);
        QVERIFY_THROWS_EXCEPTION(Failure, a[3]);
        a.remove(1);
        QCOMPARE(a[1], u"y"_s);
        QVERIFY_THROWS_EXCEPTION(Failure, a.remove(0));
        // Its 16-bit bound: tst_parsers' hit count.
    }
};

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
