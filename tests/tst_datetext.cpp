#include "diagnostics/datetext.h"
#include "diagnostics/errorreports.h"
#include "support/mockclock.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestDateText : public QObject
{
    Q_OBJECT

private slots:
    void format_data()
    {
        QTest::addColumn<QDateTime>("local");
        QTest::addColumn<QString>("text");
        QTest::newRow("morning") << QDateTime(QDate(2005, 3, 4), QTime(9, 5, 0)) << u"04-Mar-2005 09:05:00"_s;
        QTest::newRow("year end") << QDateTime(QDate(2005, 12, 31), QTime(23, 59, 59)) << u"31-Dec-2005 23:59:59"_s;
        QTest::newRow("midnight") << QDateTime(QDate(2024, 2, 29), QTime(0, 0, 0)) << u"29-Feb-2024 00:00:00"_s;
        QTest::newRow("january") << QDateTime(QDate(1999, 1, 10), QTime(10, 10, 10)) << u"10-Jan-1999 10:10:10"_s;
    }

    void format()
    {
        QFETCH(QDateTime, local);
        // Local time, not UTC, and English months whatever the locale.
        QLocale::setDefault(QLocale(QLocale::German));
        MockClock clock(local, local.addSecs(-7200));
        QTEST(GetDateFormat(), "text");
        QCOMPARE(GetDateFormat().size(), 20);
        QLocale::setDefault(QLocale::c());
    }

    void invalidClockGivesEmptyText()
    {
        errorreports::reset();
        MockClock clock{QDateTime()};
        QCOMPARE(GetDateFormat(), QString());
        QVERIFY(errorreports::errortext().contains(u"Function GetDateFormat"_s));
    }
};

QTEST_GUILESS_MAIN(TestDateText)
#include "tst_datetext.moc"
