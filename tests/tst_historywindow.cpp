#include "app/appstate.h"
#include "app/gradientbutton.h"
#include "app/historyfilescontroller.h"
#include "app/historypanels.h"
#include "app/mainwindow.h"
#include "app/qtprompts.h"
#include "app/schedulercontroller.h"
#include "app/searchcontroller.h"
#include "diagnostics/errorreports.h"
#include "platform/shell.h"
#include "storage/historyfile.h"
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
#include <QMessageBox>
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

    // boxes: the window's message boxes, when not the test's queue of answers.
    explicit Window(Prompts *boxes = nullptr)
    {
        window = std::make_unique<MainWindow>(state, MainWindow::Seams{boxes ? boxes : &prompts, &connection, &shell});
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
    HistoryFilesController &files() const { return window->historyfiles(); }
    ListView *list() const { return window->controls().history.historyview; }
    QStringList column(int subitem) const
    {
        QStringList texts;
        for (int i = 1; i <= list()->itemcount(); ++i)
            texts << (subitem == 0 ? list()->item(i).text() : list()->item(i).subitem(subitem));
        return texts;
    }
};

// Presses buttons of the window's real message boxes, built but never shown: the next of
// `presses`, or none when they are used up. Keeps each box's text and buttons.
struct BoxPresser
{
    QList<QMessageBox::StandardButton> presses;
    QStringList asked;

    void operator()(QMessageBox &box)
    {
        QStringList buttons;
        for (const auto &[button, name] :
             {std::pair(QMessageBox::Ok, u"OK"_s), std::pair(QMessageBox::Yes, u"Yes"_s),
              std::pair(QMessageBox::No, u"No"_s), std::pair(QMessageBox::Cancel, u"Cancel"_s)}) {
            if (box.standardButtons().testFlag(button))
                buttons << name;
        }
        asked << box.text() + u" [" + buttons.join(u'/') + u']';
        if (QAbstractButton *button = box.button(presses.isEmpty() ? QMessageBox::NoButton : presses.takeFirst()))
            button->click();
    }
    // The boxes `action` shows, pressing `buttons` in turn.
    QStringList ask(const QList<QMessageBox::StandardButton> &buttons, const std::function<void()> &action)
    {
        presses = buttons;
        asked.clear();
        action();
        return asked;
    }
};

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

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
        SelectReadFrame &panel = w.files().fraselectread();
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
        ManageHistoryFrame &manage = w.files().frahistory();
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

    // Every question the window asks, through the real message box: the buttons it offers and
    // what each of them does. OK/Cancel where Cancel alone cancels; Yes/No/Cancel only where No
    // has a meaning of its own or anything but Yes stops.
    void messageBoxes()
    {
        using B = QMessageBox::StandardButton;
        BoxPresser boxes;
        QtPrompts prompts(nullptr, std::ref(boxes));
        Window w(&prompts);
        const QString sav = w.folder.file(u"h.sav"_s), html = w.folder.file(u"r.html"_s);
        const QString csv = w.folder.file(u"r.csv"_s), missing = w.folder.file(u"missing.sav"_s);
        for (const QString &old : {html, csv}) {
            QFile file(old);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("old") == 3);
        }
        const auto chosen = [&](const QString &file, const std::function<void()> &action) {
            return [&w, file, action] {
                w.dialogs.setNextFileName(file);
                action();
            };
        };
        const auto report = chosen(html, [&] { w.window->menus().mnuhtml->trigger(); });
        QCOMPARE(boxes.ask({B::Cancel}, report), QStringList{u"File exists, Overwrite ?  [OK/Cancel]"_s});
        QCOMPARE(contents(html), "old");
        boxes.ask({B::Ok}, report);
        QVERIFY(contents(html).startsWith("<html>"));
        QCOMPARE(boxes.ask({B::Cancel}, chosen(csv, [&] { w.window->menus().mnucsv->trigger(); })),
                 QStringList{csv + u" already exists. Replace it? [OK/Cancel]"_s});
        QCOMPARE(contents(csv), "old");

        QVERIFY(boxes.ask({}, [&] { w.save(sav); }).isEmpty()); // a new file
        QCOMPARE(boxes.ask({B::No}, [&] { w.save(sav); }),
                 QStringList{u"File exists, Yes=Overwrite No=Add ?  [Yes/No/Cancel]"_s});
        QCOMPARE(historyfile::readhistory(sav).ubound(), 2);
        const auto results = chosen(sav, [&] { w.window->scheduler().cmdschedulebrowse_Click(); });
        QCOMPARE(boxes.ask({B::Cancel}, results),
                 QStringList{u"File exists, Add results to existing file?  [OK/Cancel]"_s});
        QVERIFY(w.state.settings.schedulefile.isEmpty());
        boxes.ask({B::Ok}, results);
        QCOMPARE(w.state.settings.schedulefile, sav);

        const auto load = chosen(missing, [&] { w.window->controls().buttons.doload->click(); });
        QCOMPARE(boxes.ask({B::Cancel}, load), QStringList{u"File doesn't exist!  [OK/Cancel]"_s});
        QCOMPARE(boxes.ask({B::Ok}, load),
                 (QStringList{u"File doesn't exist!  [OK/Cancel]"_s, u"File doesn't exist!  [OK]"_s,
                              u"No suitable data in file [OK]"_s}));

        // Manage History deletes a date of the file read, not after a file without records nor
        // once the name was changed; two records of one date go after OK, none after Cancel.
        w.window->menus().mnumanhis->trigger();
        ManageHistoryFrame &manage = w.files().frahistory();
        const auto read = [&](const QString &file) {
            manage.txtmhfile()->setText(file);
            return boxes.ask({B::Ok}, [&] { manage.cmdmhread()->click(); });
        };
        const auto remove = [&](B press) { return boxes.ask({press}, [&] { manage.cmdmhdelete()->click(); }); };
        QVERIFY(read(sav).isEmpty());
        QCOMPARE(read(csv), QStringList{u"No suitable data in file [OK]"_s});
        QVERIFY(remove(B::Ok).isEmpty() && !manage.cmdmhdelete()->isVisibleTo(w.window.get()));
        QVERIFY(read(sav).isEmpty());
        QTest::keyClicks(manage.txtmhfile(), u"x"_s);
        QVERIFY(remove(B::Ok).isEmpty() && !manage.cmdmhdelete()->isVisibleTo(w.window.get()));
        QCOMPARE(contents(csv), "old");
        QVERIFY(read(sav).isEmpty());
        const QByteArray before = contents(sav);
        QCOMPARE(remove(B::Cancel), QStringList{u"Do you want to delete 2 records of "_s +
                                                manage.mhdates()->currentText() + u" from h.sav ? [OK/Cancel]"_s});
        QCOMPARE(contents(sav), before);
        remove(B::Ok);
        QCOMPARE(historyfile::readhistory(sav).ubound(), 0);

        // A domain is added on Yes only, and removed on Yes only.
        const SearchControls &domains = w.window->controls().search;
        domains.txturls->setEditText(u"new.example"_s);
        const QString add = u"Do you want to add new.example to the list of selected domains ? [Yes/No/Cancel]"_s;
        QCOMPARE(boxes.ask({B::No}, [&] { domains.cmdsavechanges->click(); }), QStringList{add});
        QCOMPARE(w.state.urldata.ubound(), 1);
        boxes.ask({B::Yes}, [&] { domains.cmdsavechanges->click(); });
        QCOMPARE(w.state.urldata.ubound(), 2);
        domains.txturls->setEditText(u"new.example"_s);
        QCOMPARE(boxes.ask({B::No}, [&] { domains.cmddeletedomain->click(); }),
                 QStringList{u"Do you want to remove new.example and any associated data ? [Yes/No/Cancel]"_s});
        QCOMPARE(w.state.urldata.ubound(), 2);
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
