#include "diagnostics/datetext.h"
#include "diagnostics/errorreports.h"
#include "search/searchstate.h"
#include "storage/historycommands.h"
#include "storage/savemark.h"
#include "support/mockclock.h"
#include "support/sampledata.h"
#include "support/tempfolder.h"
#include "support/testfiledialogs.h"
#include "support/testprompts.h"
#include "views/historyrows.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// The window of the history commands, as plain values.
class Window final : public HistoryWindow
{
public:
    QStringList domains;
    QString domaintext;
    QStringList lines;
    WindowPlacement window{3000, 2000, 7500, 9000, WindowState::Normal, 15360, 11520};
    std::optional<WindowPlacement> placed;
    int loads = 0;

    void cleardomains() override { domains.clear(), domaintext.clear(); }
    void adddomain(const QString &url) override { domains << url; }
    void setdomaintext(const QString &text) override { domaintext = text; }
    void clearrecord() override {}
    void displaybits(int) override {}
    void clearresults() override {}
    void setwait(const QString &) override {}
    void clearwait() override {}
    void writemessagebox(const QString &text) override { lines << text; }
    void endlog(const QString &closing) override { errorreports::writedaylog(lines.join(u"\r\n"_s) + closing); }
    WindowPlacement placement() const override { return window; }
    RecordWindow recordwindow() const override
    {
        return {1200.7, 300, 9600, 11520, {1980, 1738, 735, 3330, 2145}, domaintext};
    }
    void showloaded(const WindowPlacement *p) override
    {
        ++loads;
        if (p)
            placed = *p;
    }
};

struct State : SearchState, WindowSettings
{
};

using sample::domain;

// Two domains: the first with a keyword of two hits and one of none, the second searched from a
// place and with a keyword holding a line break.
State sampleState()
{
    State state;
    Settings &s = state.settings;
    s.useproxy = true;
    s.proxyserver = u"proxy.example"_s;
    s.proxyport = u"8080"_s;
    s.apikey = u"KEY"_s;
    s.proxypass = u"secret"_s;
    s.colorscheme = Settings::greyScheme();
    s.readfile = u"r.sav"_s;
    s.writefile = u"w.sav"_s;
    state.scheduledialogpath = u"s.sav"_s;
    KeywordResult blue = sample::keyword(u"blue widgets"_s, {u"x"_s, u"y"_s}, {u"X"_s, u"Y"_s},
                                         {{u"http://mysite.example/a"_s, u"A"_s, u"first"_s, 4, {}},
                                          {u"http://mysite.example/b"_s, u"B"_s, u"second"_s, 17, {}}});
    blue.action = u"Finished search"_s;
    SearchSession first = domain(u"mysite.example"_s, {blue, sample::keyword(u"red"_s, {})}, u"04-Mar-2005 09:07:03"_s);
    first.pagedepth = u"2"_s;
    first.checkstop = u"0"_s;
    first.checkfirst = u"1"_s;
    state.urldata.append(first);
    state.urldata.append(domain(u"other.example"_s, {sample::keyword(u"two\r\nlines"_s, {})}));
    state.urldata[2].locale = {u"de"_s, {}, u"mobile"_s, u"Berlin, Germany"_s};
    return state;
}

const QByteArray SampleRecord = "----------04-Mar-2005 09:07:03\r\n"
                                "uselog: 1\r\ncontexthelp: 1\r\nsearchday: 1\r\nuseproxy: 1\r\n"
                                "showrunning: 0\r\nisautoconnect: 0\r\nisautodisconnect: 0\r\nautostart: 0\r\n"
                                "searchhour: 0\r\nsearchweek: 0\r\nschedulerunning: 0\r\nuseapi: 0\r\n"
                                "proxyserver: proxy.example\r\nproxyport: 8080\r\nproxyuser: \r\nproxypass: \r\n"
                                "apikey: \r\ncolorscheme: Windows Grey\r\n"
                                "readfilename: r.sav\r\nwritefilename: w.sav\r\nhistoryfilename: \r\n"
                                "schedulefilename: s.sav\r\nhtmlfilename: \r\n"
                                "maxconnections: 5\r\ninettimeout: 60\r\n"
                                "metop: 1200\r\nmeleft: 300\r\nmewidth: 9600\r\nmeheight: 11520\r\n"
                                "head1w: 1980\r\nhead2w: 1738\r\nhead3w: 735\r\nhead4w: 3330\r\nhead5w: 2145\r\n"
                                "TXTURL: mysite.example\r\n"
                                "URL: mysite.example\r\nDATETIME: 04-Mar-2005 09:07:03\r\nPAGEDEPTH: 2\r\n"
                                "CHECKSTOP: 0\r\nCHECKFIRST: 1\r\n"
                                "KEY: blue widgets\r\nact: Finished search\r\n"
                                "pos: 4\r\nurl: http://mysite.example/a\r\ntitle: A\r\nabstract: first\r\n"
                                "pos: 17\r\nurl: http://mysite.example/b\r\ntitle: B\r\nabstract: second\r\n"
                                "urls: x\r\ntitles: X\r\nurls: y\r\ntitles: Y\r\n"
                                "KEY: red\r\nact: \r\n"
                                "URL: other.example\r\nDATETIME: \r\nPAGEDEPTH: \r\nCHECKSTOP: \r\nCHECKFIRST: \r\n"
                                "COUNTRY: de\r\nDEVICE: mobile\r\nLOCATION: Berlin, Germany\r\n"
                                "KEY: two\r\nlines\r\nact: \r\n";

// Loads record n of path into a fresh state, as the load command does.
State loaded(const QString &path, int n, Window &window, bool restorewindow = false)
{
    State state;
    TestPrompts prompts;
    readall(path, n, restorewindow, {state, state, window.window, window}, prompts);
    return state;
}

// The record a save writes of state at date.
QByteArray record(const State &state, const QString &date, const RecordWindow &window = {})
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    historyfile::writerecord(out, date, state, state, window);
    return out.data();
}

} // namespace

class TestHistoryFile : public QObject
{
    Q_OBJECT

private:
    TempProgramFolder m_folder;
    QString path(const QString &name = u"h.sav"_s) const { return m_folder.file(name); }

private slots:
    void init() { errorreports::reset(); }

    // A record's lines as a save writes them and as the reader takes them back.
    void recordLayoutAndReadBack()
    {
        State state = sampleState();
        Window window;
        window.domaintext = u"mysite.example"_s;
        QCOMPARE(record(state, u"04-Mar-2005 09:07:03"_s, window.recordwindow()), SampleRecord);

        // Read back: the line break cut the keyword; everything else as saved.
        QVERIFY(writebytes(path(), "lines before the first record\r\n" + SampleRecord));
        const State back = loaded(path(), 1, window);
        state.urldata[2].keys[1].key = u"two"_s;
        QCOMPARE(back.urldata, state.urldata);
        QCOMPARE(back.txturl, u"mysite.example"_s);
        QCOMPARE(window.domains, QStringList({u"mysite.example"_s, u"other.example"_s}));
        QVERIFY(back.settings.useproxy && back.settings.uselog && !back.settings.useapi);
        QCOMPARE(back.settings.colorscheme, Settings::greyScheme());
        QCOMPARE(back.scheduledialogpath, u"s.sav"_s);

        // Old and odd lines as the reader takes them. Only a complete record's nine window lines,
        // and only when asked, place the window and set the column widths.
        const QByteArray nine = "metop: 2000\r\nmeleft: 1000\r\nmewidth: 9000\r\nmeheight: 20000\r\n"
                                "head1w: 1\r\nhead2w: 2\r\nhead3w: 3\r\nhead4w: 4\r\n";
        const QByteArray file =
            "pos: 1\r\n----------\r\n----------01-Jan-2006 00:00:00\r\n"
            "uselog: 1abc\r\ncontexthelp: 0\r\nschedulerunning: 1\r\ncolorscheme: Purple\r\n" +
            nine +
            "head5w: 5\r\n"
            "proxypass: \r\napikey: old\r\npos: 5\r\nKEY: orphan\r\nURL:nospace\r\nURL: a.example\r\nurl: orphan\r\n"
            "KEY: k\r\nurl: orphan\r\nurls: u1\r\npos: 3\r\nPos: 9\r\nurl: http://a.example/3\r\n"
            "\r\nurl: http://a.example/3b\nURL: b.example\r\n----------01-Jan-2006 00:00:00\r\n" +
            nine;
        QVERIFY(writebytes(path(), file));
        TestPrompts prompts;
        Array1<QString> dates;
        QCOMPARE(int(checkreadall(path(), prompts, dates)), 2);
        QCOMPARE(dates[1], u"01-Jan-2006 00:00:00"_s);
        Window reader;
        State mine;
        mine.settings.schedulerunning = mine.settings.contexthelp = true;
        mine.settings.proxypass = mine.settings.apikey = u"mine"_s;
        readall(path(), 1, false, {mine, mine, reader.window, reader}, prompts);
        // A record saved without the password keeps the user's; an old one that has a key sets it.
        QVERIFY(mine.settings.proxypass == u"mine"_s && mine.settings.apikey == u"old"_s);
        QVERIFY(mine.settings.uselog && !mine.settings.contexthelp && !mine.settings.schedulerunning);
        QCOMPARE(mine.settings.colorscheme, Settings::standardScheme());
        KeywordResult k = sample::keyword(u"k"_s, {}, {}, {{u"http://a.example/3b"_s, {}, {}, 3, {}}});
        k.urls.append(u"u1"_s);
        const auto expected = sample::array<SearchSession>({domain(u"a.example"_s, {k}), domain(u"b.example"_s, {})});
        QCOMPARE(mine.urldata, expected);
        QCOMPARE(historyfile::readhistory(path())[1].urldata, expected);
        QCOMPARE(historyfile::readhistory(path())[2].urldata.ubound(), 0);
        QCOMPARE(reader.window, Window().window);
        QCOMPARE(mine.reswid, WindowSettings::startReswid());
        QCOMPARE(loaded(path(), 1, reader, true).reswid, (std::array<Int16, 6>{0, 1, 2, 3, 4, 5}));
        QCOMPARE(reader.window, (WindowPlacement{1000, 2000, 9000, 11520, WindowState::Normal, 15360, 11520}));
        Window other; // the second record lacks head5w
        QCOMPARE(loaded(path(), 2, other, true).reswid, WindowSettings::startReswid());
        QCOMPARE(other.window, Window().window);
        QVERIFY(errorreports::errortext().isEmpty());

        // Fewer titles than top URLs: the lines before the failure are written.
        state.urldata[1].keys[1].titles.remove(2);
        saveall(path(u"short.sav"_s), state, state, window.recordwindow());
        QVERIFY(errorreports::errortext().contains(u"Subscript out of range"_s));
        QVERIFY(readbytes(path(u"short.sav"_s)).endsWith("titles: X\r\nurls: y\r\n"));
    }

    // A bad line ends its record's read through the error trap; what was read stays, and the
    // one-pass reader builds exactly what loading each record builds.
    void failuresKeepWhatWasRead_data()
    {
        QTest::addColumn<QByteArray>("bad");
        QTest::addColumn<QString>("report");
        QTest::addColumn<int>("hits");
        QTest::newRow("pos 70000") << QByteArray("pos: 70000\r\n") << u"Overflow"_s << 1;
        QTest::newRow("pos x") << QByteArray("pos: x\r\n") << u"Type mismatch"_s << 1;
        QTest::newRow("maxconnections") << QByteArray("maxconnections: 40000\r\n") << u"Overflow"_s << 1;
        QTest::newRow("NUL bytes") << QByteArray("pos: 2\r\ntitle: a\0b\r\n", 20) << QString() << 3;
    }

    void failuresKeepWhatWasRead()
    {
        QFETCH(QByteArray, bad);
        QFETCH(QString, report);
        const QByteArray record = "----------02-Feb-2006 10:00:00\r\nURL: a.example\r\nKEY: k\r\npos: 1\r\n";
        const QByteArray file = record + bad + "pos: 3\r\n" + record + "pos: 4\r\nurl: http://a.example/long\r\n";
        QVERIFY(writebytes(path(), file));
        const Array1<HistoryEntry> entries = historyfile::readhistory(path());
        QCOMPARE(entries.ubound(), 2);
        QTEST(entries[1].urldata[1].keys[1].positions.ubound(), "hits");
        QCOMPARE(entries[2].urldata[1].keys[1].positions.ubound(), 2);
        QCOMPARE(errorreports::errortext().contains(u"Sub readall"_s), !report.isEmpty());
        QVERIFY(errorreports::errortext().contains(report));
        Window window;
        for (int n = 1; n <= 2; ++n)
            QCOMPARE(loaded(path(), n, window).urldata, entries[n].urldata);
        if (report.isEmpty())
            QCOMPARE(entries[1].urldata[1].keys[1].positions[2].title, QString::fromLatin1("a\0b", 3));

        // A file cut inside a line reads up to the cut.
        QVERIFY(writebytes(path(), file.left(file.size() - 4)));
        const Array1<HistoryEntry> cut = historyfile::readhistory(path());
        QCOMPARE(cut[2].urldata[1].keys[1].positions[2].url, u"http://a.example/lo"_s);
    }

    // A mark left by a killed save hides, and the next save cuts, only that save's own bytes:
    // not a record another program added since, not when the file was put back from a copy, not
    // when the mark itself was cut short, and not a record that was written whole.
    void leftMarks_data()
    {
        QTest::addColumn<int>("part"); // how much of the killed save's record reached the file
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<bool>("replaced");
        QTest::addColumn<int>("markcut");
        QTest::addColumn<int>("records");
        const int lines = int(SampleRecord.indexOf("proxyserver"));
        QTest::newRow("killed inside its write") << lines << QByteArray() << false << 0 << 1;
        QTest::newRow("a record added since") << lines << SampleRecord << false << 0 << 3;
        QTest::newRow("file put back from a copy") << lines << QByteArray() << true << 0 << 2;
        QTest::newRow("mark cut short") << lines << QByteArray() << false << 1 << 2;
        QTest::newRow("record written whole") << int(SampleRecord.size()) << QByteArray() << false << 0 << 2;
    }

    void leftMarks()
    {
        QFETCH(int, part);
        QFETCH(QByteArray, after);
        QFETCH(bool, replaced);
        QFETCH(int, markcut);
        QFETCH(int, records);
        const QString file = path(u"cut.sav"_s);
        QVERIFY(writebytes(file, SampleRecord));
        QFile marked(file);
        QVERIFY(marked.open(QIODevice::ReadOnly));
        QVERIFY(
            writebytes(file + u".saving"_s, historyfile::SaveMark::of(marked, SampleRecord).bytes().chopped(markcut)));
        const QByteArray before = SampleRecord + SampleRecord.left(part) + after;
        QVERIFY(writebytes(file + (replaced ? u".copy"_s : u""_s), before));
        QVERIFY(!replaced || (QFile::remove(file) && QFile::rename(file + u".copy"_s, file)));
        QCOMPARE(historyfile::readhistory(file).ubound(), records);
        State state = sampleState();
        QVERIFY(saveall(file, state, state, {}));
        QVERIFY(readbytes(file).startsWith(QByteArray((records == 1 ? SampleRecord : before) + "----------")));
        QVERIFY(!QFile::exists(file + u".saving"_s));
    }

    // Four saves through the commands, the last two within one second and the third with logging
    // off; LOAD DATA takes the first record of the newest second, and the manage panel deletes a
    // record, then both records of one second, then the last.
    void saveLoadAndDelete()
    {
        MockClock clock(QDateTime(QDate(2006, 5, 1), QTime(12, 0, 0)));
        State state = sampleState();
        Window window;
        TestPrompts prompts;
        TestFileDialogs dialogs;
        Array1<QString> dates;
        HistoryCommands commands{state, state, dates, window, prompts, dialogs};
        const QString file = path(u"cmd.sav"_s);
        QList<QByteArray> records;
        for (int i = 0; i < 4; ++i) {
            state.settings.uselog = i != 2;
            state.txturl = window.domaintext = QString::number(i);
            dialogs.setNextFileName(file);
            prompts.setNextAnswer(Prompts::Answer::No); // add to the file
            commands.mnusave_Click();
            QCOMPARE(prompts.questions().size(), i); // a new file is not asked about
            records << record(state, GetDateFormat(), window.recordwindow());
            QCOMPARE(readbytes(file), records.join());
            clock.advanceSeconds(i == 2 ? 0 : 60);
        }

        dialogs.setNextFileName(file);
        commands.mnuload_Click();
        SelectReadPanel &select = commands.selectread();
        const QString newest = u"01-May-2006 12:02:00"_s;
        QVERIFY(select.visible);
        QCOMPARE(select.seldate.size(), 4);
        QCOMPARE(select.seldatetext, newest);
        select.seldatetext = u"01-May-2006"_s;
        commands.cmdloadcontinue_Click();
        QCOMPARE(prompts.messages().last(), u"enter date does not match any entry in the file, please try again"_s);
        QVERIFY(select.visible && window.loads == 0);
        select.seldatetext = newest;
        commands.cmdloadcontinue_Click();
        QVERIFY(!select.visible && window.loads == 1 && window.placed);
        QCOMPARE(state.txturl, u"2"_s);
        QVERIFY(!state.settings.uselog);
        const QByteArray log = m_folder.read(errorreports::daylogname());
        QVERIFY(log.contains(QByteArray("Loading data from " + file.toLatin1())));
        QVERIFY(log.contains("---End log Zorvane --- at 01-May-2006 12:03:00"));

        QVERIFY(writebytes(file, "header\r\n" + records.join()));
        ManagePanel &manage = commands.manage();
        manage.txtmhfile = file;
        commands.cmdmhread_Click();
        QCOMPARE(manage.mhdates.size(), 4);
        manage.mhdatestext = manage.mhdates[1];
        commands.cmdmhdelete_Click();
        QCOMPARE(readbytes(file), "header\r\n" + records[0] + records[2] + records[3]);
        QCOMPARE(manage.mhdates.size(), 3);
        commands.cmdmhdelete_Click();
        QCOMPARE(readbytes(file), "header\r\n" + records[0]);
        QVERIFY(manage.datesvisible);
        QCOMPARE(QDir(m_folder.path()).entryList({u"cmd.sav*"_s}), QStringList(u"cmd.sav"_s));
        commands.cmdmhdelete_Click();
        QCOMPARE(readbytes(file), "header\r\n");
        QCOMPARE(prompts.messages().last(), u"No suitable data in file"_s);
    }

    // Three records of one keyword across a month end, found at 5, 3 and 4 (and 9 twice).
    void historyRows()
    {
        const QString dates[] = {u"31-Jan-2006 23:59:59"_s, u"01-Feb-2006 00:00:00"_s, u"28-Jan-2006 10:00:00"_s};
        Array1<HistoryEntry> data = sample::records({
            dates[0] + u"|other.example k 1|mysite.example k 5 9|mysite.example none -"_s,
            dates[1] + u"|other.example k 1|mysite.example k 3 9|mysite.example none -"_s,
            dates[2] + u"|other.example k 1|mysite.example k 4 9|mysite.example late -"_s,
        });
        data[2].urldata[2].locale.device = u"mobile"_s; // the second record searched on a phone
        const auto column = [](const HistoryLists &lists, QString ResultRow::*field) {
            QStringList values;
            for (const ResultRow &row : lists.listed)
                values << row.*field;
            return values;
        };
        HistoryLists lists;
        historyrows::setuphistory(data, u"mysite.example"_s, lists);
        QCOMPARE(lists.historyurls.items, QStringList({u"other.example"_s, u"mysite.example"_s}));
        QCOMPARE(lists.historyurls.text, u"mysite.example"_s);
        QCOMPARE(lists.historykeys.items, QStringList({u"(Show ALL)"_s, u"k"_s, u"none"_s, u"late"_s}));
        QCOMPARE(column(lists, &ResultRow::position), QStringList({u"5"_s, u"9"_s, u"3"_s, u"9"_s, u"4"_s, u"9"_s}));
        QCOMPARE(column(lists, &ResultRow::place), QStringList({{}, {}, u"mobile"_s, u"mobile"_s, {}, {}}));
        QVERIFY(historyrows::hasplaces(lists.listed));
        QCOMPARE(historyrows::columns(true).last().header, u"Searched from"_s);
        lists.chkhistoryfirst = true;
        historyrows::dishis(data, lists);
        historyrows::columnclick(lists, u"DATE"_s);
        QCOMPARE(column(lists, &ResultRow::date), QStringList({dates[2], dates[0], dates[1]}));
        historyrows::columnclick(lists, u"DATE"_s);
        QCOMPARE(column(lists, &ResultRow::date), QStringList({dates[1], dates[0], dates[2]}));
        // One date: the keyword filter comes from that record alone.
        lists.historydates.text = dates[0];
        historyrows::dishisurl(data, lists);
        QCOMPARE(lists.historykeys.items, QStringList({u"(Show ALL)"_s, u"k"_s, u"none"_s}));
        QCOMPARE(column(lists, &ResultRow::position), QStringList({u"5"_s}));
        // Without the selected domain the first one met is chosen.
        historyrows::setuphistory(data, u"elsewhere"_s, lists);
        QCOMPARE(lists.historyurls.text, u"other.example"_s);
        QCOMPARE(lists.listed.ubound(), 3);
    }
};

QTEST_GUILESS_MAIN(TestHistoryFile)
#include "tst_historyfile.moc"
