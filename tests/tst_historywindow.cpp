#include "app/appstate.h"
#include "app/gradientbutton.h"
#include "app/historycontroller.h"
#include "app/historypanels.h"
#include "app/mainwindow.h"
#include "app/searchcontroller.h"
#include "diagnostics/errorreports.h"
#include "platform/shell.h"
#include "support/fakeconnection.h"
#include "support/mockclock.h"
#include "support/sampledata.h"
#include "support/tempfolder.h"
#include "support/testfiledialogs.h"
#include "support/testprompts.h"
#include "views/listview.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString Site = u"http://www.mysite.example/"_s;

class RecordingShell final : public Shell
{
public:
    void open(const QString &target) override { opened.append(target); }
    void run(const QString &, const QStringList &arguments) override { opened.append(arguments.value(0)); }
    QStringList opened;
};

SearchHit hit(int position, const QString &url)
{
    SearchHit h;
    h.url = url;
    h.position = position;
    return h;
}

// The window over a program folder of its own, a domain whose two keywords share a top URL.
struct Window
{
    TempProgramFolder folder;
    MockClock clock{QDateTime(QDate(2026, 3, 1), QTime(10, 0))};
    AppState state;
    TestPrompts prompts;
    TestFileDialogs dialogs;
    FakeConnection connection;
    RecordingShell shell;
    std::unique_ptr<MainWindow> window;

    Window()
    {
        window = std::make_unique<MainWindow>(state, MainWindow::Seams{&prompts, &connection, &shell});
        window->setfiledialogs(&dialogs);
        setresults(3);
        window->search().filldomains();
    }
    void setresults(int alphaposition)
    {
        const QString page = Site + u"a.html"_s;
        state.urldata = sample::array<SearchSession>({sample::domain(
            Site, {sample::keyword(u"alpha"_s, {u"http://x.example/"_s, page}, {}, {hit(alphaposition, page)}),
                   sample::keyword(u"beta"_s, {u"http://x.example/"_s, u"http://y.example/"_s})})});
        state.txturl = Site;
    }
    void save(const QString &file)
    {
        dialogs.setNextFileName(file);
        window->menus().mnusave->trigger();
    }
    HistoryController &history() const { return window->history(); }
    ListView *list() const { return window->controls().history.historyview; }
    QStringList column(int subitem) const
    {
        QStringList texts;
        for (int i = 1; i <= list()->itemcount(); ++i)
            texts << (subitem == 0 ? list()->item(i).text() : list()->item(i).subitem(subitem));
        return texts;
    }
};

QStringList items(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

} // namespace

class TestHistoryWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setStyle(u"Fusion"_s); }

    // A file that cannot be written or read is said once, in plain words with the file and the
    // reason, never as an error report, and nothing is said to be done.
    void fileProblems_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("save") << u"missing/h.sav"_s << u"Could not write %1: No such file or directory"_s;
        QTest::newRow("report") << u"missing/r.html"_s << u"Could not write %1: No such file or directory"_s;
        QTest::newRow("load") << u"folder.sav"_s << u"Could not read %1: file to open is a directory"_s;
    }
    void fileProblems()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        Window w;
        QVERIFY(QDir(w.folder.path()).mkdir(u"folder.sav"_s));
        errorreports::reset();
        const QString file = w.folder.file(name);
        w.dialogs.setNextFileName(file);
        const QHash<QString, QAction * MainMenus::*> commands{
            {u"save"_s, &MainMenus::mnusave}, {u"report"_s, &MainMenus::mnuhtml}, {u"load"_s, &MainMenus::mnuload}};
        (w.window->menus().*commands[QString::fromLatin1(QTest::currentDataTag())])->trigger();
        QTRY_COMPARE(w.prompts.messages(), QStringList{message.arg(file)});
        QVERIFY(errorreports::errortext().isEmpty() && w.shell.opened.isEmpty());
        const QString box = w.window->controls().status.runningtext->toPlainText();
        QVERIFY(box.contains(message.arg(file)) && !box.contains(u"Saved"_s) && !box.contains(u"loaded"_s));
    }

    // Two saves, then the history view: its filters, its lines, the first-hit box and a sort.
    void historyview()
    {
        Window w;
        const QString file = w.folder.file(u"h.sav"_s);
        w.save(file);
        w.clock.advanceSeconds(3600);
        w.setresults(7);
        w.prompts.setNextAnswer(Prompts::Answer::No); // append
        w.save(file);
        const Array1<SearchSession> before = w.state.urldata;

        w.dialogs.setNextFileName(file);
        w.window->controls().buttons.dohistory->click();
        QCOMPARE(int(w.state.viewmode), 1);
        const HistoryControls &h = w.window->controls().history;
        QCOMPARE(items(h.historydates).size(), 3);
        QCOMPARE(h.historydates->currentText(), u"(Show ALL)"_s);
        QCOMPARE(h.historyurls->currentText(), Site);
        QCOMPARE(items(h.historykeys), (QStringList{u"(Show ALL)"_s, u"alpha"_s, u"beta"_s}));
        QCOMPARE(w.list()->headertext(1), u"DATE"_s);
        QCOMPARE(w.column(2), (QStringList{u"3"_s, u"7"_s}));
        QCOMPARE(w.state.urldata, before);

        // A header click sorts by position, a second one the other way round.
        emit w.list()->columnclick(3, u"Position"_s);
        emit w.list()->columnclick(3, u"Position"_s);
        QCOMPARE(w.column(2), (QStringList{u"7"_s, u"3"_s}));
        // Picking the first date leaves that record's line.
        h.historydates->setCurrentIndex(1);
        emit h.historydates->activated(1);
        QCOMPARE(w.column(2), QStringList{u"3"_s});

        // Export to CSV writes the lines the filters leave, not the whole history.
        const QString csv = w.folder.file(u"lines.csv"_s);
        w.dialogs.setNextFileName(csv);
        w.window->menus().mnucsv->trigger();
        QFile exported(csv);
        QVERIFY(exported.open(QIODevice::ReadOnly));
        const QList<QByteArray> records = exported.readAll().split('\n');
        QCOMPARE(records.size(), 3); // header, one line, the empty rest after the last "\r\n"
        QVERIFY(records[1].contains(QByteArray("," + Site.toUtf8() + ",alpha,3," + Site.toUtf8() + "a.html,")));
        QCOMPARE(w.state.settings.csvfile, csv);

        w.window->menus().mnuhistory->trigger();
        QCOMPARE(int(w.state.viewmode), 0);
    }

    // LOAD DATA on a file of two records: the date-choice panel, the older record picked; then
    // the manage panel.
    void dateload()
    {
        Window w;
        const QString file = w.folder.file(u"h.sav"_s);
        w.save(file);
        w.clock.advanceSeconds(86400);
        w.setresults(9);
        w.save(file);
        w.setresults(1);

        w.dialogs.setNextFileName(file);
        w.window->controls().buttons.doload->click();
        SelectReadFrame &panel = w.history().fraselectread();
        QVERIFY(panel.isVisibleTo(w.window.get()));
        QCOMPARE(panel.seldate()->count(), 2);
        QCOMPARE(panel.seldate()->currentIndex(), 1);
        panel.seldate()->setCurrentIndex(0);
        panel.cmdloadcontinue()->click();
        QVERIFY(!panel.isVisibleTo(w.window.get()));
        QCOMPARE(int(w.state.urldata[1].keys[1].positions[1].position), 3);

        // The manage panel deletes the older record: the newer one is left.
        const QString newer = panel.seldate()->itemText(1);
        w.window->menus().mnumanhis->trigger();
        ManageHistoryFrame &manage = w.history().frahistory();
        QVERIFY(manage.isVisibleTo(w.window.get()));
        QVERIFY(!manage.mhdates()->isVisibleTo(w.window.get()));
        manage.txtmhfile()->setText(file);
        manage.cmdmhread()->click();
        QCOMPARE(manage.mhdates()->currentIndex(), 1);
        manage.mhdates()->setCurrentIndex(0);
        manage.cmdmhdelete()->click();
        QCOMPARE(items(manage.mhdates()), QStringList{newer});
        manage.cmdmhclose()->click();
        QVERIFY(!manage.isVisibleTo(w.window.get()));
    }

    // The analysis of the current results: ranking with a separator, the detail panel, the way
    // back; then the report command writes its file and hands it to the browser.
    void analysisandreport()
    {
        Window w;
        w.window->controls().buttons.doanalyze->click();
        QCOMPARE(int(w.state.viewmode), 2);
        QCOMPARE(w.column(0), (QStringList{u"http://x.example/"_s, u""_s, Site + u"a.html"_s, u"http://y.example/"_s}));
        QCOMPARE(w.column(2), (QStringList{u"1"_s, u""_s, u"2"_s, u"2"_s}));
        const HistoryControls &h = w.window->controls().history;
        QVERIFY(!h.historydates->isVisibleTo(w.window.get()));

        w.list()->tree()->setCurrentItem(w.list()->tree()->topLevelItem(0));
        emit w.list()->itemclick();
        QVERIFY(h.historydetailview->isVisibleTo(w.window.get()));
        QCOMPARE(h.historydetailview->itemcount(), 2);
        w.list()->tree()->setCurrentItem(w.list()->tree()->topLevelItem(1));
        emit w.list()->itemclick();
        QVERIFY(!h.historydetailview->isVisibleTo(w.window.get()));

        const QString report = w.folder.file(u"r.html"_s);
        w.dialogs.setNextFileName(report);
        w.window->menus().mnuhtml->trigger();
        QFile file(report);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readLine().startsWith("<html>"));
        QVERIFY(file.readAll().contains("http://x.example/"));
        QCOMPARE(w.shell.opened, QStringList{report});
        QCOMPARE(w.state.settings.htmlfile, report);

        w.window->menus().mnuanalyze->trigger();
        QCOMPARE(int(w.state.viewmode), 0);
    }
};

QTEST_MAIN(TestHistoryWindow)
#include "tst_historywindow.moc"
