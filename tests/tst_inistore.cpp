#include "diagnostics/errorreports.h"
#include "platform/programfolder.h"
#include "search/searchservice.h"
#include "storage/inistore.h"
#include "support/sampledata.h"
#include "support/tempfolder.h"

#include <QFile>
#include <QStandardPaths>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// The settings file's whole content: the search state and what it keeps of the window.
struct StoredState : SearchState, WindowSettings
{
};

WindowPlacement designWindow(WindowState state = WindowState::Normal)
{
    // A 1024 x 768 screen at 15 twips a pixel, the window at its design size in the middle.
    return WindowPlacement{3000, 2000, 7500, 9000, state, 15360, 11520};
}

// Reads the settings file as start-up does, into a fresh state.
StoredState load(bool restorewindow = true, WindowPlacement *placed = nullptr)
{
    StoredState state;
    WindowPlacement window = designWindow();
    readi(state, state, placed != nullptr ? *placed : window, restorewindow);
    return state;
}

SearchHit hit(int position, const QString &url)
{
    return SearchHit{url, u"Title of "_s + url, u"About "_s + url, position, {}};
}

KeywordResult keyword(const QString &key, const QList<SearchHit> &hits, int top)
{
    KeywordResult result = sample::keyword(key, sample::numbered(u"http://top.example/"_s + key + u'/', top),
                                           sample::numbered(u"Top "_s, top), hits);
    result.action = u"Complete after 1 pages"_s;
    return result;
}

StoredState sampleState()
{
    StoredState state;
    Settings &s = state.settings;
    s.showrunning = s.useproxy = s.searchweek = s.schedulerunning = true;
    s.uselog = s.searchday = false;
    s.schedulefile = u"C:\\data\\schedule.sav"_s;
    s.searchhost = u"127.0.0.1:8081"_s;
    state.scheduledialogpath = s.schedulefile;
    state.txturl = u"beta.example"_s;
    SearchSession alpha{u"alpha.example"_s, {}, u"04-Mar-2005 09:05:00"_s, u"3"_s, u"0"_s, u"1"_s, {}, {}};
    alpha.keys.append(keyword(u" two words "_s, {hit(3, u"http://alpha.example/a"_s), hit(17, u"x"_s)}, 10));
    alpha.keys.append(keyword(u"none"_s, {}, 0));
    alpha.keys.append(keyword(u"third"_s, {hit(1, u"http://alpha.example/"_s)}, 2));
    state.urldata.append(alpha);
    state.urldata.append(SearchSession{}); // counted, but gets no section
    SearchSession beta{u"beta.example"_s, {}, {}, u"1"_s, u"1"_s, u"0"_s, u"05-Mar-2005 10:00:00"_s, {}};
    beta.locale = {u"de"_s, u"pt-br"_s, u"mobile"_s, u"Berlin, Germany"_s};
    beta.keys.append(keyword(u"b"_s, {hit(24, u"http://beta.example/"_s)}, 1));
    state.urldata.append(beta);
    return state;
}

} // namespace

class TestIniStore : public QObject
{
    Q_OBJECT

private slots:
    void init() { errorreports::reset(); }

    // A hand-written file's values as start-up reads them. "window" is the placement it restores
    // (left, top, width, height); "window kept" is not asked to move it, "window minimised" reads
    // over a minimised window.
    void settingsValues_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("expected");
        QTest::newRow("flag yes") << "showrunning=yes"_ba << u"showrunning"_s << u"0"_s;
        QTest::newRow("flag 1") << "ShowRunning = 1"_ba << u"showrunning"_s << u"1"_s;
        QTest::newRow("true flag 0") << "uselog=0"_ba << u"uselog"_s << u"0"_s;
        QTest::newRow("true flag 00") << "contexthelp=00"_ba << u"contexthelp"_s << u"1"_s;
        QTest::newRow("grey") << "colorscheme=Windows Grey"_ba << u"colorscheme"_s << u"Windows Grey"_s;
        QTest::newRow("grey case") << "colorscheme=windows grey"_ba << u"colorscheme"_s << u"Zorvane standard"_s;
        QTest::newRow("connections 0") << "maxconnections=0"_ba << u"maxconnections"_s << u"5"_s;
        QTest::newRow("connections 12abc") << "maxconnections= 12abc"_ba << u"maxconnections"_s << u"12"_s;
        QTest::newRow("empty host") << "searchhost="_ba << u"searchhost"_s << u"www.google.com"_s;
        QTest::newRow("file without engine") << "useapi=1"_ba << u"engine"_s << u"html soap "_s;
        QTest::newRow("searxng") << "engine=searxng\r\nengineurl=http://h:1"_ba << u"engine"_s
                                 << u"searxng searxng http://h:1"_s;
        QTest::newRow("retries 0 kept") << "maxretries=0"_ba << u"maxretries"_s << u"0"_s;
        // The column widths count only when the file says it holds all five.
        const QByteArray widths = "\r\nreswid1=100\r\nreswid2=200\r\nreswid5=500"_ba;
        QTest::newRow("4 columns") << "countreshead=4" + widths << u"reswid"_s << u"1980 1738 2145"_s;
        QTest::newRow("5 columns") << "countreshead=5" + widths << u"reswid"_s << u"100 200 500"_s;
        QTest::newRow("6 columns") << "countreshead=6" + widths << u"reswid"_s << u"1980 1738 2145"_s;
        const QString design = u"3000 2000 7500 9000"_s;
        const QByteArray big = "meleft=120\r\nmetop=90\r\nmewidth=9000\r\nmeheight=11300"_ba;
        QTest::newRow("restored") << big << u"window"_s << u"120 90 9000 11300"_s;
        QTest::newRow("not moved") << big << u"window kept"_s << u"3000 2000 9000 11300"_s;
        QTest::newRow("minimised") << big << u"window minimised"_s << design;
        QTest::newRow("width 7800") << "mewidth=7800\r\nmeheight=11145"_ba << u"window"_s << design;
        QTest::newRow("width 7801") << "mewidth=7801\r\nmeheight=11146"_ba << u"window"_s << u"3000 2000 7801 11146"_s;
        QTest::newRow("meleft 0") << "meleft=0\r\nmetop=90"_ba << u"window"_s << design;
        QTest::newRow("off screen") << "meleft=15360\r\nmetop=90"_ba << u"window"_s << design;
        QTest::newRow("clamped") << "mewidth=20000\r\nmeheight=32000"_ba << u"window"_s << u"3000 2000 15360 11520"_s;
        // Held at the edge of 16 bits, as the writer stores them, rather than failing the load.
        QTest::newRow("beyond 16 bits") << "meleft=-70000\r\nmetop=90\r\nmewidth=99999\r\nmeheight=40000"_ba
                                        << u"window"_s << u"3000 2000 15360 11520"_s;
        // A corrupt file's failure is trapped and reported; what was read before it stays.
        QTest::newRow("counturls overflow") << "uselog=0\r\ncounturls=70000"_ba << u"failure"_s
                                            << u"Error trapped: Overflow 6 Zorvane Inistore | uselog 0 | 0 "_s;
        QTest::newRow("negative count")
            << "uselog=0\r\ncounturls=-1"_ba << u"failure"_s
            << u"Error trapped: Subscript out of range 9 Zorvane Inistore | uselog 0 | 0 "_s;
        QTest::newRow("counts beyond the file")
            << "uselog=0\r\ncounturls=4\r\n[URL1]\r\nurl=a\r\ncountkeys=32000\r\n[URL2]\r\nurl=b\r\n"
               "countkeys=32000\r\n[URL3]\r\nurl=c\r\ncountkeys=32000\r\n[URL4]\r\nurl=d\r\ncountkeys=32000"_ba
            << u"failure"_s << u"Error trapped: Out of memory 7 Zorvane Inistore | uselog 0 | 4 a"_s;
    }

    void settingsValues()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, field);
        TempProgramFolder folder;
        QVERIFY(folder.write(u"zorvane.ini"_s, "; written by hand\r\n[Settings]\r\n" + line + "\r\n"));
        WindowPlacement window =
            designWindow(field == u"window minimised" ? WindowState::Minimised : WindowState::Normal);
        const StoredState state = load(field != u"window kept", &window);
        const QStringList trapped = errorreports::errortext().split(u"\r\n"_s).filter(u"Error trapped: "_s);
        QCOMPARE(trapped.isEmpty(), field != u"failure");
        const Settings &s = state.settings;
        const QString placed = u"%1 %2 %3 %4"_s.arg(window.left).arg(window.top).arg(window.width).arg(window.height);
        const QHash<QString, QString> fields = {
            {u"showrunning"_s, QString::number(s.showrunning)},
            {u"uselog"_s, QString::number(s.uselog)},
            {u"contexthelp"_s, QString::number(s.contexthelp)},
            {u"colorscheme"_s, s.colorscheme},
            {u"maxconnections"_s, QString::number(int(s.maxconnections))},
            {u"searchhost"_s, s.searchhost},
            {u"engine"_s, s.engine + u' ' + (usesoap(s) ? engines::soap : enginename(s)) + u' ' + s.engineurl},
            {u"maxretries"_s, QString::number(int(s.maxretries))},
            {u"reswid"_s, u"%1 %2 %3"_s.arg(int(state.reswid[1])).arg(int(state.reswid[2])).arg(int(state.reswid[5]))},
            {u"window"_s, placed},
            {u"failure"_s, trapped.value(0) + u" | uselog %1 | %2 %3"_s.arg(s.uselog)
                                                  .arg(state.urldata.ubound())
                                                  .arg(state.urldata.ubound() >= 1 ? state.urldata[1].url : QString())},
        };
        QTEST(fields.value(field.startsWith(u"window") ? u"window"_s : field), "expected");
    }

    // Without a settings file the defaults hold and reading makes none. A written file reads back
    // whole. Over a hand-edited file its notes, its spelling and its other sections stay; every
    // option of the settings table is written and reads back; a maximised window keeps the
    // placement it had when normal; a place cleared is stored empty rather than left behind. A
    // very large screen's window is stored and read back. Writing makes no missing program
    // folder; an installed program's folder is the user's data folder, never beside the program
    // (even as root, who may write to /usr/bin).
    void writesAndReadsBack()
    {
        TempProgramFolder folder;
        WindowPlacement window = designWindow();
        const StoredState defaults = load(true, &window);
        QVERIFY(defaults.settings.uselog && defaults.settings.contexthelp && !defaults.settings.schedulerunning);
        QCOMPARE(defaults.reswid, WindowSettings::startReswid());
        QCOMPARE(window, designWindow());
        QVERIFY(errorreports::errortext().isEmpty());
        QVERIFY(!QFile::exists(folder.file(u"zorvane.ini"_s)));

        StoredState saved = sampleState();
        // The file keeps one results file name, which the schedule dialog starts from again.
        saved.scheduledialogpath = u"dialog.sav"_s;
        saved.urldata[1].keys[1].positions[1].abstract = QString(300, u'a');
        // The last domain holds the most keywords a domain can, each with a hit and a top ten: its
        // hit and top-ten numbers run far past 16 bits.
        SearchSession &big = saved.urldata.append(SearchSession{});
        big.url = u"big.example"_s;
        for (int k = 1; k <= 32767; ++k) {
            const QString key = u"k"_s + QString::number(k);
            big.keys.append(keyword(key, {hit(k % 10 + 1, u"http://big.example/"_s + key)}, 10));
        }
        QVERIFY(writei(saved, saved, designWindow(), {100, 200, 300, 400, 500}));
        const StoredState loaded = load();
        QVERIFY(errorreports::errortext().isEmpty());
        // An abstract comes back as long as a value the reader takes.
        saved.urldata[1].keys[1].positions[1].abstract.truncate(254);
        QVERIFY(loaded.urldata == saved.urldata);
        QCOMPARE(loaded.txturl, saved.txturl);
        QCOMPARE(loaded.scheduledialogpath, saved.settings.schedulefile);
        QCOMPARE(int(loaded.reswid[3]), 300);

        const QByteArray bytes = folder.read(u"zorvane.ini"_s);
        // The set flags come first; the hit numbers run on across keywords; no section for entry 2.
        QVERIFY(bytes.startsWith("[settings]\r\nshowrunning=1\r\ncontexthelp=1\r\nsearchweek=1\r\n"
                                 "schedulerunning=1\r\nuseproxy=1\r\nuselog=0\r\n"));
        QVERIFY(bytes.contains("countkeys1=2\r\nposition1=3\r\n"));
        QVERIFY(bytes.contains("countkeys3=1\r\nposition3=1\r\n"));
        QVERIFY(bytes.contains("[URLS1]\r\ncountkeys1=10\r\nurls1="));
        QVERIFY(!bytes.contains("[URL2]") && bytes.contains("[URL3]\r\nurl=beta.example\r\n"));
        QVERIFY(bytes.contains("counturls=4\r\n"));
        QVERIFY(bytes.contains("\r\nurls327670=http://top.example/k32767/10\r\n"));
        QCOMPARE(bytes.count("schedulefile="), 1);
        QVERIFY(bytes.contains("historyfile=\r\nschedulefile=C:\\data\\schedule.sav\r\nhtmlfile=\r\n"));
        // A domain's place follows its schedule time; one without a place writes no key for it.
        QVERIFY(bytes.contains("lastscheduletime=05-Mar-2005 10:00:00\r\ncountry=de\r\nlanguage=pt-br\r\n"
                               "device=mobile\r\nlocation=Berlin, Germany\r\ncountkeys=1\r\n"));
        QCOMPARE(bytes.count("country="), 1);

        const QByteArray notes = "; my notes\r\n\r\n[Other]\r\nfoo = bar \r\n\r\n"_ba;
        QVERIFY(folder.write(u"zorvane.ini"_s, notes + "[Settings]\r\nUseLog = 1\r\n; keep me\r\n[URL1]\r\n"
                                                       "country=us\r\ndevice=mobile\r\n"));
        StoredState every;
        for (const SettingKey &entry : settingkeys()) {
            std::visit(
                [&](const auto &field) {
                    using T = std::decay_t<decltype(field.missing)>;
                    if constexpr (std::is_same_v<T, bool>)
                        every.settings.*field.member = !field.missing;
                    else if constexpr (std::is_same_v<T, Int16>)
                        every.settings.*field.member = Int16(7);
                    else if constexpr (std::is_same_v<T, qint64>)
                        every.settings.*field.member = 65536;
                    else
                        every.settings.*field.member = entry.key == u"colorscheme" ? Settings::greyScheme() : entry.key;
                },
                entry.field);
        }
        every.scheduledialogpath = every.settings.schedulefile;
        every.urldata.append(SearchSession{u"a.example"_s, {}, {}, {}, {}, {}, {}, {{}, {}, u"desktop"_s, {}}});
        QVERIFY(writei(every, every, {1500.7, 1200, 9000, 12000, WindowState::Normal, 15360, 11520}, {}));
        QVERIFY(writei(every, every, {0, 0, 15360, 11520, WindowState::Maximised, 15360, 11520}, {}));
        const QByteArray edited = folder.read(u"zorvane.ini"_s);
        QVERIFY(edited.startsWith(QByteArray(notes + "[Settings]\r\nUseLog=0\r\n")));
        QVERIFY(edited.contains("\r\n; keep me\r\n"));
        QCOMPARE(edited.count("[Settings]"), 1);
        QVERIFY(edited.contains("meleft=1500\r\nmetop=1200\r\nmewidth=9000\r\nmeheight=12000\r\n"));
        QVERIFY(edited.contains("[URL1]\r\ncountry=\r\ndevice=desktop\r\nurl=a.example\r\n"));
        const StoredState back = load();
        for (const SettingKey &entry : settingkeys()) {
            std::visit(
                [&](const auto &field) {
                    QVERIFY2(back.settings.*field.member == every.settings.*field.member, qPrintable(entry.key));
                },
                entry.field);
        }

        const WindowPlacement large{-40000, 45000, 40000, 12000, WindowState::Normal, 57600, 32400};
        QVERIFY(writei(defaults, defaults, large, {50000}));
        // Stored at the edges of the 16-bit range, which files from elsewhere may overstep.
        const QByteArray edges = folder.read(u"zorvane.ini"_s);
        for (const char *line : {"meleft=-32768\r\n", "metop=32767\r\n", "mewidth=32767\r\n", "reswid1=32767\r\n"})
            QVERIFY2(edges.contains(line), line);
        window = {0, 0, 7500, 9000, WindowState::Normal, 57600, 32400};
        load(true, &window);
        QVERIFY(errorreports::errortext().isEmpty());
        QCOMPARE((QList<double>{window.left, window.top, window.width}), (QList<double>{0, 0, 32767}));
        const QString missing = folder.file(u"gone"_s);
        programfolder::setPath(missing);
        QVERIFY(!writei(defaults, defaults, designWindow(), {}));
        QVERIFY(!QFile::exists(missing));
        QStandardPaths::setTestModeEnabled(true);
        QCOMPARE(programfolder::folderfor(u"/usr/bin"_s),
                 QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    }
};

QTEST_GUILESS_MAIN(TestIniStore)
#include "tst_inistore.moc"
