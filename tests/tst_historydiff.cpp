#include "support/clirun.h"
#include "support/tempfolder.h"

#include <QFile>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray data(const QString &name)
{
    QFile file(QStringLiteral(ZORVANE_TEST_DATA) + u"/diff/"_s + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs `history COMMAND` on a copy of the two hand-written records (or of bytes), so the index
// lands in the temporary folder.
clirun::Result history(const QString &command, const QStringList &args, const QByteArray &bytes = {})
{
    TempProgramFolder folder;
    QFile copy(folder.file(u"h.sav"_s));
    if (!copy.open(QIODevice::WriteOnly) || copy.write(bytes.isEmpty() ? data(u"two-records.sav"_s) : bytes) <= 0)
        return {};
    copy.close();
    return clirun::run(QStringList{u"history"_s, command, copy.fileName()} + args);
}

} // namespace

class TestHistoryDiff : public QObject
{
    Q_OBJECT

private slots:
    // Entered, left, a replaced page, a changed title (a change of markup alone is none), moves
    // to a position, to "not found" and to "unknown" (a blocked page, whose empty top ten is no
    // change), keywords in one record only; an unchanged keyword is left out.
    void diff_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QString>("err");
        const QList<QByteArray> expected = data(u"expected.jsonl"_s).split('\n');
        QTest::newRow("last two records") << QStringList() << 0 << data(u"expected.jsonl"_s) << QString();
        QTest::newRow("domain and keyword")
            << QStringList{u"--domain"_s, u"b.example"_s, u"--keyword"_s, u"shoes"_s} << 0 << expected[4] + '\n'
            << QString();
        QTest::newRow("same record twice")
            << QStringList{u"--from"_s, u"02-Mar-2025 10:00:00"_s} << 0 << QByteArray() << QString();
        QTest::newRow("unknown date") << QStringList{u"--to"_s, u"03-Mar-2025 10:00:00"_s} << 1 << QByteArray()
                                      << u"no record is dated \"03-Mar-2025 10:00:00\""_s;
        QTest::newRow("nothing before the first")
            << QStringList{u"--to"_s, u"01-Mar-2025 10:00:00"_s} << 1 << QByteArray() << u"give --from"_s;
        QTest::newRow("wrong option") << QStringList{u"--date"_s, u"x"_s} << 2 << QByteArray() << u"usage:"_s;
    }

    void diff()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, err);
        const clirun::Result run = history(u"diff"_s, args);
        QTEST(run.status, "status");
        QTEST(run.out, "out");
        QVERIFY2(QString::fromUtf8(run.err).contains(err), run.err.constData());
    }

    // Per record and domain; a blocked keyword is left out of the maximum.
    void visibility()
    {
        const clirun::Result run = history(u"visibility"_s, {});
        QCOMPARE(run.status, 0);
        QCOMPARE(
            run.out.split('\n'),
            (QList<QByteArray>{
                R"({"date":"01-Mar-2025 10:00:00","domain":"a.example","visibility":12.5,"keywords":4,"unknown":0})",
                R"({"date":"01-Mar-2025 10:00:00","domain":"b.example","visibility":8.3,"keywords":1,"unknown":0})",
                R"({"date":"02-Mar-2025 10:00:00","domain":"a.example","visibility":27.8,"keywords":3,"unknown":1})",
                R"({"date":"02-Mar-2025 10:00:00","domain":"b.example","visibility":0.0,"keywords":1,"unknown":0})",
                ""}));
        // A file without records has nothing to show either command.
        for (const QString &command : {u"visibility"_s, u"diff"_s}) {
            const clirun::Result none = history(command, {}, "no records\r\n");
            QVERIFY(none.status == 1 && none.out.isEmpty() && none.err.contains("No suitable data in file"));
        }
    }
};

QTEST_GUILESS_MAIN(TestHistoryDiff)
#include "tst_historydiff.moc"
