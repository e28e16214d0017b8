#include "app/runningtext.h"
#include "diagnostics/errorreports.h"
#include "diagnostics/numtext.h"
#include "support/mockclock.h"
#include "support/tempfolder.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestRunningText : public QObject
{
    Q_OBJECT

private slots:
    void trimsIntoDayLog()
    {
        TempProgramFolder folder;
        MockClock clock(QDateTime(QDate(2005, 3, 4), QTime(9, 5, 0)));
        RunningText box;
        box.writemessagebox(u"Starting Search example.com"_s, true);
        QCOMPARE(box.text(), u"04-Mar-2005 09:05:00-Starting Search example.com\r\n"_s);

        box.setText(QString(10000, u'a'));
        box.writemessagebox(u"x"_s, true);
        QCOMPARE(box.text().size(), 10000 + 24); // exactly 10000 is not trimmed
        QVERIFY(folder.read(u"Zorvane050304.log"_s).isEmpty());

        box.setText(QString(5000, u'a') + QString(5001, u'b'));
        box.writemessagebox(u"y"_s, true);
        QCOMPARE(box.text(), QString(5001, u'b') + u"04-Mar-2005 09:05:00-y\r\n"_s);
        QCOMPARE(folder.read(u"Zorvane050304.log"_s), QByteArray(5000, 'a') + "\r\n");

        box.setText(QString(10001, u'c'));
        box.writemessagebox(u"z"_s, false);
        QCOMPARE(box.text().size(), 5001 + 24);
        QCOMPARE(folder.read(u"Zorvane050304.log"_s).size(), 5002); // nothing more without uselog
    }

    void numericValues()
    {
        QCOMPARE(numvalue(u"12abc"), 12.0);
        QCOMPARE(numvalue(u"  -3.5x"), -3.5);
        QCOMPARE(numvalue(u"x12"), 0.0);
        QCOMPARE(numvalue(u""), 0.0);
        QCOMPARE(int(int16value(u"2.5")), 2); // halves to even
        QCOMPARE(int(int16value(u"3.5")), 4);
        QCOMPARE(int(int16value(u"-1")), -1);
        QCOMPARE(int(int16value(u"32767")), 32767);
        QVERIFY_THROWS_EXCEPTION(Failure, int16value(u"32768"));
        QVERIFY_THROWS_EXCEPTION(Failure, int16value(u"99999999999999999999999"));
    }
};

QTEST_GUILESS_MAIN(TestRunningText)
#include "tst_runningtext.moc"
