#include "diagnostics/datetext.h"
#include "diagnostics/errorreports.h"
#include "support/mockclock.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestDateText : public QObject
{
    Q_OBJECT

private slots:
    // Local time, not UTC, and English months whatever the locale; a clock that cannot tell
    // the time gives an empty text through the error trap.
    void format()
    {
        QLocale::setDefault(QLocale(QLocale::German));
        const std::pair<QDateTime, QString> cases[] = {
            {QDateTime(QDate(2005, 3, 4), QTime(9, 5, 0)), u"04-Mar-2005 09:05:00"_s}, {QDateTime(), QString()}};
        for (const auto &[local, text] : cases) {
            errorreports::reset();
            MockClock clock(local, local.addSecs(-7200));
            QCOMPARE(GetDateFormat(), text);
            QCOMPARE(errorreports::errortext().contains(u"Function GetDateFormat"_s), text.isEmpty());
        }
        QLocale::setDefault(QLocale::c());
    }

    // Moments as seconds since the start of 2005: differences are elapsed seconds across a day,
    // a month, a leap day and a year end; a text that cannot be read counts as 0.
    void calctime_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<bool>("trapped");
        const auto since2005 = [](const QDateTime &moment) {
            return QDateTime(QDate(2005, 1, 1), QTime(0, 0), Qt::UTC).secsTo(moment);
        };
        for (const QDateTime &moment : {QDateTime(QDate(2005, 1, 1), QTime(0, 0, 0), Qt::UTC),
                                        QDateTime(QDate(2008, 2, 29), QTime(23, 59, 59), Qt::UTC),
                                        QDateTime(QDate(2008, 3, 1), QTime(0, 0), Qt::UTC),
                                        QDateTime(QDate(2072, 2, 29), QTime(23, 59, 59), Qt::UTC),
                                        QDateTime(QDate(2004, 12, 31), QTime(23, 59, 59), Qt::UTC)}) {
            const QString text = QLocale::c().toString(moment, u"dd-MMM-yyyy hh:mm:ss"_s);
            QTest::newRow(qPrintable(text)) << text << since2005(moment) << false;
        }
        QTest::newRow("month as number, more fields")
            << u"01-02-2005 00:00:01 extra"_s << qint64(31 * 86400 + 1) << false;
        QTest::newRow("five fields") << u"04-Mar-2005 09:07"_s << qint64(0) << true;
        QTest::newRow("lower-case month") << u"04-mar-2005 09:07:03"_s << qint64(0) << true;
        QTest::newRow("month 13") << u"04-13-2005 09:07:03"_s << qint64(0) << true;
        QTest::newRow("not a number") << u"04-Mar-2005 09:x:03"_s << qint64(0) << true;
        QTest::newRow("beyond 32 bits") << u"01-Jan-2100 00:00:00"_s << qint64(0) << true;
    }

    void calctime()
    {
        QFETCH(QString, text);
        QFETCH(qint64, seconds);
        QFETCH(bool, trapped);
        errorreports::reset();
        QCOMPARE(qint64(::calctime(text)), seconds);
        QCOMPARE(errorreports::errortext().contains(u"Function calctime"_s), trapped);
    }
};

QTEST_GUILESS_MAIN(TestDateText)
#include "tst_datetext.moc"
