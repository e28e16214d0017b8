#include "diagnostics/errorreports.h"
#include "search/searchlocale.h"
#include "search/searchstate.h"
#include "storage/historydata.h"
#include "storage/historyfile.h"
#include "storage/historyindex.h"
#include "storage/savemark.h"
#include "support/sampledata.h"
#include "support/samplehistory.h"
#include "support/tempfolder.h"

#include <QBuffer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// What the views read of a history, a line per record, domain and keyword: of each keyword the
// parts asked for.
QStringList dump(const HistoryData &data, int parts = HistoryIndex::All)
{
    QStringList out;
    for (int n = 1; n <= data.count(); ++n) {
        out << u"R "_s + data.when(n);
        for (int d = 1; d <= data.domaincount(n); ++d) {
            out << u"D "_s + data.url(n, d) + u' ' + searchlocale::summary(data.locale(n, d));
            data.keywords(n, d, parts, [&](const KeywordResult &k) {
                QString line = u"K "_s + k.key;
                if (parts & HistoryIndex::Status)
                    line += u" ("_s + k.action + u')';
                if (parts & HistoryIndex::Hits) {
                    for (const SearchHit &hit : k.positions)
                        line += u" | %1 %2 %3"_s.arg(int(hit.position)).arg(hit.url, hit.title);
                }
                if (parts & HistoryIndex::Tops)
                    line += u" || "_s + QStringList(k.urls.begin(), k.urls.end()).join(u' ') + u" || "_s +
                            QStringList(k.titles.begin(), k.titles.end()).join(u' ');
                out << line;
            });
        }
    }
    return out;
}

// The failures a reading reports, without their traces.
QStringList failures()
{
    QStringList lines = errorreports::errortext().split(u"\r\n"_s).filter(u"Error trapped: "_s);
    errorreports::reset();
    return lines;
}

// Three records of two domains, the second keyword of each found twice.
QByteArray threerecords()
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    for (int day = 1; day <= 3; ++day) {
        SearchState state;
        const QList<SearchHit> hits{{u"http://a.example/1"_s, u"One"_s, u"x"_s, Int16(day + 4), {}},
                                    {u"http://a.example/2"_s, u"Two"_s, {}, Int16(20), {}}};
        state.urldata = sample::array<SearchSession>(
            {sample::domain(u"a.example"_s, {sample::keyword(u"k1"_s, {u"http://t/1"_s, u"http://t/2"_s}),
                                             sample::keyword(u"k2"_s, {u"http://t/2"_s}, {}, hits)}),
             sample::domain(u"b.example"_s, {sample::keyword(u"k1"_s, {u"http://t/3"_s})})});
        historyfile::writerecord(out, u"0%1-Jan-2025 10:00:00"_s.arg(day), state, {}, {});
    }
    return out.data();
}

} // namespace

class TestHistoryIndex : public QObject
{
    Q_OBJECT

private:
    TempProgramFolder m_folder;
    QString m_file = m_folder.file(u"h.sav"_s);

    // Replaces the file's bytes with the clock moved on, as for a person editing the file: a
    // file system's clock may not tick between two quick writes.
    void rewrite(const QByteArray &bytes)
    {
        QVERIFY(writebytes(m_file, bytes));
        QFile file(m_file);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(file.fileTime(QFileDevice::FileModificationTime).addSecs(2),
                                 QFileDevice::FileModificationTime));
    }
    // Each kind of change to the file or its index, and how the next open catches up.
    struct Change
    {
        const char *name;
        HistoryIndex::Refresh refresh;
        std::function<void()> apply;
    };
    QList<Change> changes()
    {
        using R = HistoryIndex::Refresh;
        return {
            {"unchanged", R::Current, [] {}},
            {"our delete rewrites", R::Rebuilt,
             [this] { historyfile::deleterecords(m_file, u"02-Jan-2025 10:00:00"_s, m_folder.file(u"temp.sav"_s)); }},
            // more top URLs for the last keyword, then a record
            {"another program appends", R::Appended,
             [this] {
                 rewrite(readbytes(m_file) +
                         "urls: http://late/\r\ntitles: Late\r\n----------04-Jan-2025 10:00:00\r\nURL: "
                         "a.example\r\nKEY: k1\r\npos: 3\r\nurl: http://a.example/3\r\n");
             }},
            {"last line completed later", R::Appended,
             [this] {
                 rewrite(readbytes(m_file) + "----------06-Jan-2025 10:00:00\r\nURL: a.example\r\nKEY: k\r\npos: 1");
                 HistoryIndex::open(m_file);
                 rewrite(readbytes(m_file) + "2\r\n");
             }},
            {"edited in the middle, same length", R::Rebuilt,
             [this] { rewrite(readbytes(m_file).replace("pos: 5\r\n", "pos: 7\r\n")); }},
            {"edited in the middle, then grown", R::Rebuilt,
             [this] {
                 rewrite(readbytes(m_file).replace("KEY: k1\r\n", "KEY: k1 again\r\n"));
                 rewrite(readbytes(m_file) + "----------05-Jan-2025 10:00:00\r\n");
             }},
            // a save killed half-way leaves its mark and part of its record
            {"a killed save's bytes", R::Rebuilt,
             [this] {
                 const QByteArray record = "----------09-Jan-2025 10:00:00\r\nURL: cut.example\r\nKEY: k\r\n";
                 QFile marked(m_file);
                 QVERIFY(marked.open(QIODevice::ReadOnly));
                 QVERIFY(writebytes(m_file + u".saving"_s, historyfile::SaveMark::of(marked, record).bytes()));
                 rewrite(readbytes(m_file) + record.first(40));
             }},
            {"damaged index", R::Rebuilt, [this] { QVERIFY(writebytes(m_file + u".idx"_s, "not an index")); }},
            {"index of another version", R::Rebuilt,
             [this] {
                 QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"test"_s);
                 db.setDatabaseName(m_file + u".idx"_s);
                 QVERIFY(db.open());
                 QVERIFY(QSqlQuery(db).exec(u"UPDATE meta SET value = 0 WHERE name = 'version'"_s));
                 db.close();
                 db = QSqlDatabase();
                 QSqlDatabase::removeDatabase(u"test"_s);
             }},
        };
    }

private slots:
    void init() { errorreports::reset(); }

    // After each kind of change the index reads what a plain reading of the file reads, with
    // the same failures, and is stored for the next open. It gives away nothing the file does
    // not: no one may read it who may not read the file (narrowed later, the file takes its index
    // along), and the password and key lines older records kept filled are not in it.
    void keptInStep_data()
    {
        QTest::addColumn<int>("change");
        for (int n = 0; n < changes().size(); ++n)
            QTest::newRow(changes()[n].name) << n;
    }
    void keptInStep()
    {
        QFETCH(int, change);
        QFile::remove(m_file + u".saving"_s);
        QFile::remove(m_file + u".idx"_s);
        const QByteArray secrets = threerecords()
                                       .replace("proxypass: \r\n", "proxypass: hunter2\r\n")
                                       .replace("apikey: \r\n", "apikey: k-7731\r\n");
        QVERIFY(writebytes(m_file, secrets + "pos: 70000\r\n")); // the last record's reading fails here
        QVERIFY(
            QFile::setPermissions(m_file, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup));
        QCOMPARE(HistoryIndex::open(m_file).refreshed(), HistoryIndex::Refresh::Rebuilt);
        changes()[change].apply();
        errorreports::reset();

        const Array1<HistoryEntry> plain = historyfile::readhistory(m_file);
        const QStringList plainfailures = failures();
        const HistoryIndex index = HistoryIndex::open(m_file);
        QCOMPARE(index.refreshed(), changes()[change].refresh);
        QCOMPARE(failures(), plainfailures);
        QCOMPARE(dump(index), dump(plain));
        const auto shared =
            QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther;
        QCOMPARE(QFile::permissions(index.indexfile()) & shared & ~QFileDevice::ReadGroup, QFileDevice::Permissions());
        const QByteArray bytes = readbytes(index.indexfile());
        QVERIFY(bytes.contains("a.example") && !bytes.contains("hunter2") && !bytes.contains("k-7731"));
        QVERIFY(QFile::setPermissions(m_file, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QCOMPARE(HistoryIndex::open(m_file).refreshed(), HistoryIndex::Refresh::Current);
        QCOMPARE(failures(), plainfailures);
        QCOMPARE(QFile::permissions(index.indexfile()) & shared, QFileDevice::Permissions());
    }

    // A generated history of many texts gives through the index what a plain reading gives, with
    // each part of a keyword asked for alone; so do days added to its index later.
    void largeHistoryMatchesPlainReading()
    {
        QFile out(m_folder.file(u"days.sav"_s));
        for (const auto &[days, seed, first] : {std::tuple(40, 1u, 0), std::tuple(3, 2u, 40)}) {
            QVERIFY(out.open(QIODevice::Append));
            samplehistory::write(out, days, 60, seed, first);
            out.close();
            const HistoryIndex index = HistoryIndex::open(out.fileName());
            QCOMPARE(index.refreshed(), first == 0 ? HistoryIndex::Refresh::Rebuilt : HistoryIndex::Refresh::Appended);
            const Array1<HistoryEntry> plain = historyfile::readhistory(out.fileName());
            QCOMPARE(plain.ubound(), first + days);
            for (const int parts : {HistoryIndex::KeyOnly, HistoryIndex::Hits, HistoryIndex::Tops, HistoryIndex::Status,
                                    HistoryIndex::All})
                QCOMPARE(dump(index, parts), dump(plain, parts));
        }
        QVERIFY(errorreports::errortext().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestHistoryIndex)
#include "tst_historyindex.moc"
