#include "diagnostics/errorreports.h"
#include "diagnostics/numtext.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

// Every number the program reads from a box or a file goes through these three readers.
class TestNumText : public QObject
{
    Q_OBJECT

private slots:
    void readers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");    // numvalue
        QTest::addColumn<int>("rounded");     // int16value; 99999 for an Overflow failure
        QTest::addColumn<qlonglong>("whole"); // leadingnumber
        QTest::newRow("sign, trailing text") << u"+12abc"_s << 12.0 << 12 << 12LL;
        QTest::newRow("blanks, sign, fraction") << u" \t-3.5x"_s << -3.5 << -4 << -3LL;
        QTest::newRow("sign alone") << u"- 5"_s << 0.0 << 0 << 0LL;
        QTest::newRow("half to even down") << u"2.5"_s << 2.5 << 2 << 2LL;
        QTest::newRow("half to even up") << u"3.5"_s << 3.5 << 4 << 3LL;
        QTest::newRow("fraction only") << u".7"_s << 0.7 << 1 << 0LL;
        QTest::newRow("no exponent") << u"1e2"_s << 1.0 << 1 << 1LL;
        QTest::newRow("only ASCII digits") << u"\u0663"_s << 0.0 << 0 << 0LL;
        QTest::newRow("line break is not blank") << u"\n5"_s << 0.0 << 0 << 0LL;
        QTest::newRow("no-break space is not blank") << u"\u00a05"_s << 0.0 << 0 << 0LL;
        QTest::newRow("largest") << u"32767"_s << 32767.0 << 32767 << 32767LL;
        QTest::newRow("too large") << u"-32768.6"_s << -32768.6 << 99999 << -32768LL;
        QTest::newRow("long digit run") << u"99999999999999999999999"_s << 1e23 << 99999 << 9999999999999LL;
        QTest::newRow("tiny") << u"0."_s + QString(400, u'0') + u'1' << 0.0 << 0 << 0LL;
    }
    void readers()
    {
        QFETCH(QString, text);
        QFETCH(int, rounded);
        QTEST(numvalue(text), "value");
        QTEST(qlonglong(leadingnumber(text)), "whole");
        // Stored numbers are read from the file's bytes, to the same value.
        const QByteArray bytes = text.toLatin1();
        QTEST(qlonglong(leadingnumber(QLatin1StringView(bytes))), "whole");
        if (rounded == 99999)
            QVERIFY_THROWS_EXCEPTION(Failure, int16value(text));
        else
            QCOMPARE(int(int16value(text)), rounded);
        QVERIFY(errorreports::errortext().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestNumText)
#include "tst_numtext.moc"
