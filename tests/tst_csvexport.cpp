#include "export/csvexport.h"
#include "search/searchstate.h"
#include "support/faildevice.h"
#include "views/historyrows.h"

#include <QBuffer>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// Reads RFC 4180 strictly: every record ends in CR LF; a field is either bare (no quote, comma,
// CR or LF) or quoted with its quotes doubled. Anything else is a failure, not a guess.
QList<QStringList> readstrict(const QString &text, bool *ok)
{
    QList<QStringList> records;
    QStringList record;
    QString field;
    *ok = false;
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i] == u'"') {
            for (++i;; ++i) {
                if (i >= text.size())
                    return {};
                if (text[i] == u'"' && i + 1 < text.size() && text[i + 1] == u'"')
                    field += text[++i];
                else if (text[i] == u'"')
                    break;
                else
                    field += text[i];
            }
            ++i;
        } else {
            while (i < text.size() && !QStringView(u",\r\n\"").contains(text[i]))
                field += text[i++];
        }
        record.append(std::exchange(field, {}));
        if (i < text.size() && text[i] == u',') {
            ++i;
        } else if (text.mid(i, 2) == u"\r\n") {
            records.append(std::exchange(record, {}));
            i += 2;
        } else {
            return {};
        }
    }
    *ok = true;
    return records;
}

} // namespace

class TestCsvExport : public QObject
{
    Q_OBJECT

private slots:
    // Each value goes into the keyword and the title columns and must come back out of a
    // strict reader as it went in (a title that a spreadsheet would run as a formula is
    // marked as text).
    void quoting_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("quoted");
        QTest::newRow("plain") << u"blue widgets"_s << u"blue widgets"_s << false;
        QTest::newRow("empty") << QString() << QString() << false;
        QTest::newRow("comma") << u"red, green"_s << u"red, green"_s << true;
        QTest::newRow("quotes") << u"the \"best\" one"_s << u"the \"best\" one"_s << true;
        QTest::newRow("CR LF") << u"two\r\nlines"_s << u"two\r\nlines"_s << true;
        QTest::newRow("bare LF") << u"a\nb"_s << u"a\nb"_s << true;
        QTest::newRow("bare CR") << u"a\rb"_s << u"a\rb"_s << true;
        QTest::newRow("leading space") << u" indented"_s << u" indented"_s << true;
        QTest::newRow("trailing space") << u"trailing "_s << u"trailing "_s << true;
        QTest::newRow("inner space only") << u"in side"_s << u"in side"_s << false;
        QTest::newRow("non-Latin-1") << u"поиск 検索 €"_s << u"поиск 検索 €"_s << false;
        QTest::newRow("formula") << u"=1+1"_s << u"'=1+1"_s << false;
    }
    void quoting()
    {
        QFETCH(QString, value);
        QFETCH(QString, title);
        QFETCH(bool, quoted);
        QCOMPARE(csvexport::csvfield(value).startsWith(u'"'), quoted);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(csvexport::writecsv(
            buffer,
            {{u"01-Jan-2024 10:00:00"_s, u"mysite.example"_s, value, u"4"_s, u"http://mysite.example/"_s, value}},
            true));
        const QByteArray bytes = buffer.data();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        bool ok = false;
        const QList<QStringList> records = readstrict(QString::fromUtf8(bytes.sliced(3)), &ok);
        QVERIFY(ok);
        QCOMPARE(records.size(), 2);
        QCOMPARE(records[0], csvexport::header());
        QCOMPARE(records[1], (QStringList{u"01-Jan-2024 10:00:00"_s, u"mysite.example"_s, value, u"4"_s,
                                          u"http://mysite.example/"_s, title}));
    }

    // The lines of the results list and of the history view, and a device that fills up.
    void lines()
    {
        SearchState state;
        SearchSession session;
        session.url = u"mysite.example"_s;
        KeywordResult found{u"red"_s, {}, {}, {}, {}};
        found.positions.append({u"http://mysite.example/a"_s, u"Title, A"_s, {}, Int16(4), {}});
        found.positions.append({u"http://mysite.example/b"_s, u"B"_s, {}, Int16(17), {}});
        session.keys.append(found);
        session.keys.append({u"green"_s, {}, {}, {}, {}});
        state.urldata.append(session);
        const QList<csvexport::CsvLine> current =
            csvexport::resultlines(resultrows::build(state, 1, false), u"02-Feb-2024 09:00:00"_s);
        QCOMPARE(current.size(), 3);
        QCOMPARE(current[1].position, u"17"_s);
        QCOMPARE(current[2].keyword, u"green"_s);
        QVERIFY(current[2].position.isEmpty() && current[2].url.isEmpty());
        QCOMPARE(current[2].date, u"02-Feb-2024 09:00:00"_s);

        Array1<HistoryEntry> history;
        history.append({u"01-Jan-2024 10:00:00"_s, state.urldata});
        HistoryLists lists;
        lists.chkhistoryfirst = true;
        historyrows::setuphistory(history, u"mysite.example"_s, lists);
        const QList<csvexport::CsvLine> past = csvexport::historylines(lists.listed);
        QCOMPARE(past.size(), 1);
        QCOMPARE(QStringList({past[0].date, past[0].domain, past[0].keyword, past[0].position, past[0].title}),
                 QStringList({u"01-Jan-2024 10:00:00"_s, u"mysite.example"_s, u"red"_s, u"4"_s, u"Title, A"_s}));

        FailDevice full(40);
        full.open(QIODevice::WriteOnly);
        QVERIFY(!csvexport::writecsv(full, current, false));
    }
};

QTEST_GUILESS_MAIN(TestCsvExport)
#include "tst_csvexport.moc"
