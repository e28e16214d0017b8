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
        // Spaces and repeats kept, an empty line skipped, a line feed dropped, a lone CR a break.
        QTest::newRow("whole text") << u" a\r\n\r\nb\nc\r a"_s << 0 << 0 << QStringList{u" a"_s, u"bc"_s, u" a"_s};
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

    // Reading past the end and removing index 0 fail. A removal moving the rest down is tst_desktop's
    // deleted domain; the 16-bit bound is tst_parsers' hit count.
    void array1Bounds()
    {
        Array1<QString> a;
        a.append(u"x"_s);
        QCOMPARE(a.ubound(), 1);
        QVERIFY_THROWS_EXCEPTION(Failure, a[2]);
        QVERIFY_THROWS_EXCEPTION(Failure, a.remove(0));
    }
};

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
