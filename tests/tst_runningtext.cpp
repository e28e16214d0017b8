#include "app/runningtext.h"
#include "diagnostics/errorreports.h"
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
};

QTEST_GUILESS_MAIN(TestRunningText)
#include "tst_runningtext.moc"
