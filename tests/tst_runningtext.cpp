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
    // Each line reaches the log as it is written (nothing waits for the trim or the end), the
    // box keeps its last 5001 characters past 10000, and lines written while logging was off
    // go to the log with the next logged line, as they went with the end line before.
    void linesGoToTheLogAsWritten()
    {
        TempProgramFolder folder;
        MockClock clock(QDateTime(QDate(2005, 3, 4), QTime(9, 5, 0)));
        const QString log = u"Zorvane050304.log"_s;
        RunningText box;
        box.writemessagebox(u"off"_s, false);
        QVERIFY(!QFile::exists(folder.file(log)));
        box.writemessagebox(u"Starting Search example.com"_s, true);
        const QByteArray twolines = "04-Mar-2005 09:05:00-off\r\n04-Mar-2005 09:05:00-Starting Search example.com\r\n";
        QCOMPARE(folder.read(log), twolines);
        QCOMPARE(box.text(), QString::fromLatin1(twolines));

        const QString filler(RunningText::Limit - box.text().size() + 1, u'a');
        box.writemessagebox(filler, true);
        box.writemessagebox(u"y"_s, true);
        QCOMPARE(box.text().size(), RunningText::Limit + 24 - RunningText::Cut + 24);
        QVERIFY(box.text().endsWith(u"04-Mar-2005 09:05:00-y\r\n"_s));
        box.endlog(u"\r\n---End Zorvane --- at 04-Mar-2005 09:05:00\r\n"_s);
        QCOMPARE(folder.read(log),
                 twolines + "04-Mar-2005 09:05:00-" + filler.toLatin1() +
                     "\r\n04-Mar-2005 09:05:00-y\r\n\r\n---End Zorvane --- at 04-Mar-2005 09:05:00\r\n");
        QVERIFY(errorreports::errortext().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestRunningText)
#include "tst_runningtext.moc"
