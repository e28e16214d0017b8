#include "diagnostics/errorreports.h"
#include "diagnostics/fileops.h"
#include "diagnostics/guard.h"
#include "diagnostics/int16.h"
#include "diagnostics/traprun.h"
#include "support/mockclock.h"
#include "support/tempfolder.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// Names must outlive the ring, as the program's literals do.
const char *const kNames[] = {"P1",  "P2",  "P3",  "P4",  "P5",  "P6",  "P7",  "P8",  "P9",  "P10", "P11", "P12",
                              "P13", "P14", "P15", "P16", "P17", "P18", "P19", "P20", "P21", "P22", "P23", "P24",
                              "P25", "P26", "P27", "P28", "P29", "P30", "P31", "P32", "P33", "P34", "P35", "P36",
                              "P37", "P38", "P39", "P40", "P41", "P42", "P43", "P44", "P45", "P46", "P47", "P48",
                              "P49", "P50", "P51", "P52", "P53", "P54", "P55", "P56", "P57", "P58", "P59", "P60"};

int failingCounter(int start)
{
    int result = 0;
    guard("Test", "Function failingCounter", [&] {
        Int16 n = start;
        result = n; // set before the failure: the caller gets it back
        n += 1;
        result = n;
    });
    return result;
}

} // namespace

class TestDiagnostics : public QObject
{
    Q_OBJECT

private slots:
    void init() { errorreports::reset(); }

    // Each report lists what ran since the last one; the whole text keeps the newest reports.
    void reports()
    {
        QSignalSpy raised(&errorreports::notifier(), &errorreports::Notifier::raised);
        errorreports::addtrace("Google", "Sub first");
        errorreports::errortrap(u"Overflow"_s, u"6"_s, u"Zorvane"_s, u"Google"_s);
        const QString first =
            u"\r\nError trapped: Overflow 6 Zorvane Google\r\n\r\nTrace -- \r\n\r\nGoogle Sub first\r\n"_s;
        QCOMPARE(errorreports::errortext(), first);
        QCOMPARE(errorreports::tracecursor(), 0);

        // The second report lists only what ran after the first, oldest first after wrapping.
        for (int i = 0; i < 60; ++i)
            errorreports::addtrace("M", kNames[i]);
        errorreports::errortrap(u"D"_s, u"1"_s, u"S"_s, u"M"_s);
        const QString second = errorreports::errortext().mid(first.size());
        QVERIFY(errorreports::errortext().startsWith(first));
        QVERIFY(second.startsWith(u"\r\nError trapped: D 1 S M\r\n\r\nTrace -- \r\n\r\nM P11\r\nM P12"_s));
        QVERIFY(second.endsWith(u"\r\nM P59\r\nM P60\r\n"_s));
        QCOMPARE(second.count(u"\r\nM P"_s), 50);
        QCOMPARE(raised.count(), 2);

        // Bounded: the newest reports whole, and how many older ones went.
        for (int i = 0; i < 5000; ++i) {
            errorreports::addtrace("M", kNames[i % 60]);
            errorreports::errortrap(u"Failure "_s + QString::number(i), u"5"_s, u"S"_s, u"M"_s);
        }
        const QString text = errorreports::errortext();
        QVERIFY(text.size() <= errorreports::ErrorTextLimit + 64);
        QVERIFY(text.endsWith(errorreports::lastreport()));
        QVERIFY(errorreports::lastreport().startsWith(u"\r\nError trapped: Failure 4999 5 S M\r\n"_s));
        const qsizetype gone = 5002 - text.count(u"\r\nError trapped: "_s);
        QVERIFY(text.startsWith(
            u"\r\n(%1 earlier reports left out)\r\nError trapped: Failure %2 "_s.arg(gone).arg(gone - 2)));
    }

    // A guarded procedure gives back what it had when it failed and does not end its caller; a
    // run of the same failure is one report with its count, and another failure ends the run.
    void guardAndRuns()
    {
        QCOMPARE(failingCounter(5), 6);
        QVERIFY(errorreports::errortext().isEmpty());
        QCOMPARE(failingCounter(32767), 32767);
        QVERIFY(errorreports::errortext().contains(u"Error trapped: Overflow 6 Zorvane Test\r\n"_s));
        QVERIFY(errorreports::errortext().endsWith(u"\r\nTest Function failingCounter\r\n"_s));
        int after = 0;
        guard("Test", "Sub outer", [&] {
            failingCounter(-32768 - 0);
            Int16 low = -32768;
            QVERIFY_THROWS_EXCEPTION(Failure, low -= 1);
            after = 1;
        });
        QCOMPARE(after, 1);

        errorreports::reset();
        {
            TrapRun run("Test");
            for (int i = 0; i < 1000; ++i)
                run.step("Sub step", [&] { Int16::checked(32767 + i % 2); });
            run.step("Sub step", [] { throw Failure::typeMismatch(); });
            run.step("Sub step", [] {});
        }
        const QString text = errorreports::errortext();
        QCOMPARE(text.count(u"Error trapped: "_s), 2);
        QVERIFY(text.contains(u"Error trapped: Overflow (500 times) 6 Zorvane Test\r\n"_s));
        QVERIFY(
            text.endsWith(u"Error trapped: Type mismatch 13 Zorvane Test\r\n\r\nTrace -- \r\n\r\nTest Sub step\r\n"_s));
    }

    // The day log by the UTC date, its lines ended by "\r\n"; one that cannot be written is said
    // once in plain words, not as an error report, and again only after a write has worked.
    void dayLog()
    {
        TempProgramFolder folder;
        MockClock clock(QDateTime(QDate(2005, 5, 7), QTime(1, 0)), QDateTime(QDate(2005, 5, 6), QTime(23, 0), Qt::UTC));
        QCOMPARE(errorreports::daylogname(), u"Zorvane050506.log"_s);
        // A carriage return and the line feed after it end one line.
        errorreports::writedaylog(u"a\r\nb\r\n\r\n"_s);
        errorreports::writedaylog(u"no break"_s);
        errorreports::writedaylog(u"x\ny\rz\n\r"_s);
        QCOMPARE(folder.read(u"Zorvane050506.log"_s), "a\r\nb\r\n\r\nno break\r\nx\r\ny\r\nz\r\n\r\n"_ba);
        // Latin-1 characters go out as single bytes.
        clock.set(QDateTime(QDate(2010, 12, 31), QTime(12, 0)));
        errorreports::writedaylog(u"caf\u00e9"_s);
        QCOMPARE(folder.read(u"Zorvane101231.log"_s), "caf\xe9\r\n"_ba);

        QVERIFY(QDir(folder.path()).mkdir(u"Zorvane050507.log"_s)); // a folder where the file should be
        clock.set(QDateTime(QDate(2005, 5, 7), QTime(12, 0)));
        errorreports::writedaylog(u"lost"_s);
        errorreports::writedaylog(u"lost again"_s);
        QVERIFY(errorreports::errortext().isEmpty());
        QCOMPARE(errorreports::fileproblemcount(), 1);
        QCOMPARE(errorreports::lastfileproblem(),
                 u"Could not write "_s + folder.file(u"Zorvane050507.log"_s) + u": Is a directory"_s);
        // The next write to a good file works again: no stream was left open.
        clock.set(QDateTime(QDate(2005, 5, 8), QTime(12, 0)));
        errorreports::writedaylog(u"kept"_s);
        QCOMPARE(folder.read(u"Zorvane050508.log"_s), "kept\r\n"_ba);
        clock.set(QDateTime(QDate(2005, 5, 7), QTime(13, 0)));
        errorreports::writedaylog(u"lost once more"_s);
        QCOMPARE(errorreports::fileproblemcount(), 2);
    }
};

QTEST_GUILESS_MAIN(TestDiagnostics)
#include "tst_diagnostics.moc"
