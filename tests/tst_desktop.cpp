#include "app/aboutpanel.h"
#include "app/errorreportcontroller.h"
#include "app/errorreportdisplay.h"
#include "app/errorreportpanel.h"
#include "app/helpcontroller.h"
#include "app/localepanel.h"
#include "app/messagepanel.h"
#include "app/optionscontroller.h"
#include "app/optionspanel.h"
#include "app/searchcontroller.h"
#include "app/statuspanels.h"
#include "app/timedwarningpanel.h"
#include "cli/foldersession.h"
#include "cli/headlesswindow.h"
#include "diagnostics/errormail.h"
#include "search/searchstate.h"
#include "support/desktop.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QToolButton>

const QString Website = u"http://www.zorvane.example"_s;

class TestDesktop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setStyle(u"Fusion"_s); }
    void init() { errorreports::reset(); }

    // A corrupt settings file raises the report panel and the program carries on. A search from
    // the window: its lines, header clicks, details and the first-hit box. Each double click on
    // the emblem (which swaps the list for the raw text and back) raises the report panel too;
    // reports only looked at or cancelled pile up, and sending mails them all at once and
    // forgets them. Then the panels of an update on offer, of help and of the program, and a
    // restart that shows the search again, and a search stopped while it runs.
    void searchSortsRestartsAndStops()
    {
        Desktop desktop;
        desktop.engine.setAnnounce(u"V9.9.9"_s);
        QVERIFY(desktop.folder.write(u"zorvane.ini"_s, "[settings]\r\ncounturls=99999\r\ntxturl=x\r\n\x01\xff[[\r\n"));
        MainWindow &window = desktop.open();
        const ErrorReportController &errors = window.errorreports();
        const ResultsControls &results = desktop.controls().results;
        QVERIFY(desktop.shown(&errors.fraerrorreport()));
        desktop.click(errors.fraerrorreport().traceview());
        QVERIFY(!desktop.shown(&errors.fraerrorreport()));
        QVERIFY(desktop.shown(&errors.fraerrorreportdisplay()));
        QVERIFY(errors.fraerrorreportdisplay().errorreporttxt()->toPlainText().contains(u"readi"_s));
        desktop.click(errors.fraerrorreportdisplay().traceviewdontsend());
        QVERIFY(!desktop.shown(&errors.fraerrorreportdisplay()));

        desktop.type(desktop.inputs().txturls, u"http://WWW.MySite.Example"_s);
        desktop.type(desktop.inputs().txtkeys, u"alpha\nbeta\ngamma"_s);
        desktop.type(desktop.inputs().pagedepth, u"2"_s);
        desktop.click(desktop.controls().buttons.doit);
        QVERIFY(QTest::qWaitFor([&] { return !desktop.state->searching; }, 20000));
        QCOMPARE(desktop.inputs().txturls->currentText(), u"mysite.example"_s);
        QVERIFY(desktop.prompts.messages().isEmpty());
        const QStringList built = {u"alpha|3|"_s + Site + u"a.html"_s, u"alpha|12|"_s + Site + u"b.html"_s,
                                   u"beta|1|"_s + Site, u"gamma|None|"_s};
        QCOMPARE(desktop.lines(), built);
        QCOMPARE(desktop.list()->item(4).subitem(4), u"Finished search"_s);
        QVERIFY(results.resultslab1->text().startsWith(u"Results at: "_s));
        QCOMPARE(desktop.controls().status.searchstatus->text(),
                 u"3 Total searches , 0 Searches in progress , 3 Searches Completed"_s);

        // Position (column 2) twice: up, then down with the not-found marker first; then the
        // search term (1) keeps that order among equal terms. The header marks the column and
        // direction; Operation (4) sorts by search term, URL (0) by none.
        const QHeaderView *header = desktop.tree()->header();
        desktop.clickheader(2);
        QCOMPARE(desktop.lines(), (QStringList{built[2], built[0], built[1], built[3]}));
        QCOMPARE(sortmark(header), u"2 up"_s);
        desktop.clickheader(2);
        QCOMPARE(desktop.lines(), (QStringList{built[3], built[1], built[0], built[2]}));
        QCOMPARE(sortmark(header), u"2 down"_s);
        desktop.clickheader(1);
        QCOMPARE(desktop.lines(), (QStringList{built[1], built[0], built[2], built[3]}));
        desktop.clickheader(4);
        QCOMPARE(sortmark(header), u"1 up"_s);
        QCOMPARE(desktop.list()->item(2).forecolor(), QColor(0, 0, 255));

        desktop.clickline(1);
        QCOMPARE(results.txtdisplay->toPlainText(), u"Result 12 for alpha\n\nSnippet of result 12"_s);
        desktop.clickline(4);
        QCOMPARE(results.txtdisplay->toPlainText(), u"\n\n"_s);

        desktop.click(results.chkdispfirst);
        QCOMPARE(desktop.lines(), (QStringList{built[0], built[2], built[3]}));
        desktop.clickheader(0);
        QCOMPARE(sortmark(header), QString());

        QTest::mouseDClick(desktop.controls().buttons.Picture1, Qt::LeftButton);
        QVERIFY(desktop.shown(results.restxt) && !desktop.shown(results.resultsview));
        QVERIFY(desktop.shown(&errors.fraerrorreport()));
        desktop.click(errors.fraerrorreport().tracecancel());
        QTest::mouseDClick(desktop.controls().buttons.Picture1, Qt::LeftButton);
        QVERIFY(!desktop.shown(results.restxt) && desktop.shown(results.resultsview));
        QVERIFY(desktop.shown(&errors.fraerrorreport()));
        QCOMPARE(errorreports::errortext().count(u"Error trapped: Division by zero"_s), 2);
        const QString report = errorreports::errortext();
        QVERIFY(report.contains(u"readi"_s));
        desktop.click(errors.fraerrorreport().tracesend());
        QVERIFY(errorreports::errortext().isEmpty());
        QVERIFY(!desktop.shown(&errors.fraerrorreport()));
        QCOMPARE(errormail::address(u"\r\nA\r\nB"_s),
                 u"mailto:errors@zorvane.example?subject=Zorvane ERROR REPORT V1.0.0&body=%0D%0AA%0D%0AB"_s);

        const MessagePanel &message = window.panels().messageframe();
        QTRY_VERIFY_WITH_TIMEOUT(desktop.shown(&message), 20000);
        QVERIFY(message.messagelab()->text().contains(u"a new version is available! V9.9.9"_s));
        QVERIFY(desktop.shown(message.visitdownload()) && desktop.shown(message.Autodownload()));
        desktop.click(message.visitdownload());

        // No updater beside the test program: nothing is started, the panel says where the new
        // version is, and the window stays.
        desktop.click(message.Autodownload());
        QVERIFY(message.messagelab()->text().startsWith(u"There is no automatic update for this copy"_s));
        QVERIFY(message.messagelab()->text().endsWith(u"The download page has version V9.9.9."_s));
        QVERIFY(!desktop.shown(message.Autodownload()) && window.isVisible());
        QVERIFY(!desktop.shown(&errors.fraerrorreport()));
        desktop.click(message.messageok());
        QVERIFY(!desktop.shown(&message) && !desktop.shown(message.Autodownload()));

        // No help file and no guide beside the test program: help is the web site's page.
        desktop.click(desktop.controls().helpbuttons.at(1));
        desktop.click(desktop.controls().buttons.dohelp);
        window.menus().mnuwebsite->trigger();
        const AboutPanel &about = window.help().aboutframe();
        window.menus().mnuabout->trigger();
        QVERIFY(desktop.shown(&about));
        QCOMPARE(about.namelab()->text(), u"Zorvane Version 1.0.0"_s);
        desktop.click(about.Contactquenlith());
        desktop.click(about.aboutok());
        QVERIFY(!desktop.shown(&about));
        QCOMPARE(desktop.shell.opened, QStringList({errormail::address(report), Website, Website + u"/help"_s,
                                                    Website + u"/help"_s, Website, Website}));

        // The end of the run stored it already; a restart shows it again as it was left.
        QVERIFY(desktop.folder.read(u"zorvane.ini"_s).contains("\r\nkeys3=gamma\r\naction3=Finished search\r\n"));
        desktop.click(results.chkdispfirst);
        QCOMPARE(desktop.lines(), built);
        const QString caption = results.resultslab1->text();
        desktop.list()->setcolumnwidth(4, 2880);
        QVERIFY(!desktop.shown(desktop.controls().status.runningtext));
        desktop.state->settings.showrunning = true;
        desktop.close();
        MainWindow &again = desktop.open();
        QCOMPARE(desktop.inputs().txturls->currentText(), u"mysite.example"_s);
        QCOMPARE(desktop.inputs().txtkeys->toPlainText(), u"alpha\nbeta\ngamma\n"_s);
        QCOMPARE(desktop.inputs().pagedepth->text(), u"2"_s);
        QCOMPARE(desktop.lines(), built);
        QCOMPARE(desktop.controls().results.resultslab1->text(), caption);
        QCOMPARE(desktop.list()->columnwidth(4), 2880);
        QVERIFY(desktop.shown(desktop.controls().status.runningtext));
        QVERIFY(desktop.running().contains(u"----Start Zorvane ---\n"_s));
        QVERIFY(desktop.running().contains(u"-Scheduler NOT running\n"_s));
        const QString log = QString::fromLatin1(desktop.folder.read(errorreports::daylogname()));
        QVERIFY(log.contains(u"-Searches complete\r\n"_s));
        QVERIFY(log.contains(u"\r\n---End Zorvane --- at "_s));

        // A search that hangs: the title says what the program does (changed only when that
        // changes), a second start is refused, a stopped search keeps its state, the timed warning
        // goes on OK, and the log box shows the running text.
        FakeEngine::Behaviour hang;
        hang.reply = FakeEngine::Reply::Hang;
        desktop.engine.setDefaultBehaviour(hang);
        desktop.click(desktop.controls().buttons.doit);
        QVERIFY(desktop.state->searching);
        QTRY_COMPARE(again.windowTitle(), u"Zorvane (Internet Connected, Searching)"_s);
        again.menus().mnusearch->trigger();
        QCOMPARE(desktop.prompts.messages().value(0), u"A search is already running, please wait.."_s);

        desktop.click(desktop.controls().buttons.dostop);
        QVERIFY(!desktop.state->searching);
        QCOMPARE(desktop.controls().status.searchstatus->text(), u"Searching Manually Stopped"_s);
        QCOMPARE(desktop.list()->item(1).subitem(4), u"stopped"_s);
        QVERIFY(desktop.folder.read(u"zorvane.ini"_s).contains("\r\nkeys1=alpha\r\naction1=stopped\r\n"));
        QCOMPARE(again.windowTitle(), u"Zorvane (Internet Connected)"_s);

        again.searchrun().timedwarning(u"Please re-establish your Internet Connection"_s);
        QVERIFY(desktop.shown(&again.panels().frawarntimed()));
        desktop.click(again.panels().frawarntimed().cmdwarnok());
        QVERIFY(!desktop.shown(&again.panels().frawarntimed()));

        StatusPanels &panels = again.panels();
        desktop.connection.set(false);
        const int changes = panels.titlechanges();
        panels.checkstatus();
        panels.checkstatus();
        QCOMPARE(again.windowTitle(), u"Zorvane (Internet NOT Connected)"_s);
        QCOMPARE(panels.titlechanges(), changes + 1);
        again.displaybits(2);
        panels.checkstatus();
        QCOMPARE(again.windowTitle(), u"Zorvane (Internet NOT Connected, Displaying Analysis)"_s);

        // The box shows exactly the running text, also across a trim into the day log.
        for (int i = 0; i < 150; ++i)
            panels.writemessagebox(QString(90, QChar(u'a' + i % 26)));
        QString expected = panels.runningtext();
        QVERIFY(expected.size() < 10000);
        QCOMPARE(desktop.running(), expected.replace(u"\r\n"_s, u"\n"_s));
    }

    // A start value changed in the settings table is what a first start holds, in the window
    // and on the command line alike. Then the domain buttons and the place panel. A number a
    // search cannot use is refused where it is typed, naming the box and its range: the depth box
    // says so on Enter, the options panel under its boxes and stays open.
    void startValuesDomainsNumbersAndServiceTest()
    {
        using S = Settings;
        const Settings before;
        const auto restore = qScopeGuard([&] {
            setmissingvalue(&S::inettimeout, before.inettimeout);
            setmissingvalue(&S::contexthelp, before.contexthelp);
            setmissingvalue(&S::colorscheme, before.colorscheme);
        });
        setmissingvalue(&S::inettimeout, Int16(45));
        setmissingvalue(&S::contexthelp, !before.contexthelp);
        setmissingvalue(&S::colorscheme, S::greyScheme());
        Desktop desktop;
        SearchState cli;
        HeadlessWindow headless(cli);
        FolderSession(cli).load(headless);
        MainWindow &window = desktop.open();
        for (const Settings *settings : {&cli.settings, &desktop.state->settings}) {
            QCOMPARE(int(settings->inettimeout), 45);
            QCOMPARE(settings->contexthelp, !before.contexthelp);
            QCOMPARE(settings->colorscheme, S::greyScheme());
        }

        // Domains added, picked, saved and deleted with their buttons, and the place panel.
        auto *domains = desktop.inputs().txturls;
        desktop.type(desktop.inputs().txtkeys, u"first"_s);
        desktop.type(desktop.inputs().txturls, u"www.One.example"_s);
        desktop.click(desktop.inputs().cmdadddomain);
        desktop.type(desktop.inputs().txturls, u"two.example"_s);
        desktop.type(desktop.inputs().txtkeys, u"second\nthird"_s);
        desktop.prompts.setNextAnswer(Prompts::Answer::Yes);
        desktop.click(desktop.inputs().cmdsavechanges);
        QCOMPARE(domains->count(), 2);
        QCOMPARE(domains->itemText(0), u"one.example"_s);

        // Picking the first domain shows its own keywords and its not-yet-searched lines.
        desktop.pickdomain(0);
        QCOMPARE(desktop.inputs().txtkeys->toPlainText(), u"first\n"_s);
        QCOMPARE(desktop.lines(), QStringList{u"first|Unknown|"_s});

        desktop.prompts.setNextAnswer(Prompts::Answer::Yes);
        desktop.click(desktop.inputs().cmddeletedomain);
        QCOMPARE(domains->count(), 1);
        QCOMPARE(domains->currentText(), u"two.example"_s);
        QCOMPARE(desktop.list()->itemcount(), 0);
        desktop.pickdomain(0);
        QCOMPARE(desktop.inputs().txtkeys->toPlainText(), u"second\nthird\n"_s);
        QCOMPARE(desktop.lines(), (QStringList{u"second|Unknown|"_s, u"third|Unknown|"_s}));

        // A selection in the keyword box takes only the selected line and then collapses where
        // it began.
        auto *keys = desktop.inputs().txtkeys;
        keys->setFocus();
        QTest::keyClick(keys, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(keys, Qt::Key_Down);
        QTest::keyClick(keys, Qt::Key_End, Qt::ShiftModifier);
        desktop.click(desktop.inputs().cmdsavechanges);
        QCOMPARE(desktop.state->urldata.ubound(), 1);
        QCOMPARE(desktop.state->urldata[1].keys.ubound(), 1);
        QCOMPARE(desktop.state->urldata[1].keys[1].key, u"third"_s);
        QVERIFY(!keys->textCursor().hasSelection());
        QCOMPARE(keys->textCursor().position(), 7);

        // The place panel names a wrong box and stays; OK keeps the place and the competitors
        // (tidied, once each, without the domain itself) with the listed domain at once, and the
        // label under the domain buttons shows them.
        LocalePanel &place = window.search().fralocale();
        desktop.click(desktop.inputs().cmdlocale);
        QVERIFY(place.isVisible());
        desktop.type(place.txtcompetitors, u"http://www.Rival.example, two.example;rival.example  b.example"_s);
        const struct
        {
            QString country, language, place, message;
        } places[] = {
            {u"usa"_s, {}, {}, u"The Country box takes a two-letter country code such as us or de."_s},
            {u"US"_s, u"english"_s, {}, u"The Language box takes a language code such as en, de or pt-br."_s},
            {u" US "_s, u"pt-BR"_s, u"Berlin, Germany"_s, {}},
        };
        for (const auto &row : places) {
            desktop.type(place.txtcountry, row.country);
            desktop.type(place.txtlanguage, row.language);
            desktop.type(place.txtlocation, row.place);
            desktop.prompts.clear();
            desktop.click(place.cmdlocaleok);
            QCOMPARE(desktop.prompts.messages().value(0), row.message);
            QCOMPARE(place.isVisible(), !row.message.isEmpty());
        }
        QCOMPARE(desktop.state->urldata[1].locale, (SearchLocale{u"us"_s, u"pt-BR"_s, {}, u"Berlin, Germany"_s}));
        QCOMPARE(desktop.state->urldata[1].competitors, (QStringList{u"rival.example"_s, u"b.example"_s}));
        QCOMPARE(desktop.inputs().txturlslab3->text(),
                 u"Country us, language pt-BR, Berlin, Germany; competitors rival.example, b.example"_s);

        // The box takes what is typed, not a listed domain that begins with it.
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        desktop.type(domains, u"two"_s);
        desktop.click(desktop.inputs().cmdadddomain);
        QCOMPARE(domains->itemText(1), u"two"_s);

        OptionsPanel &panel = window.options().fraoptions();
        const struct
        {
            QLineEdit *box;
            QString text, message;
        } rows[] = {
            {desktop.inputs().pagedepth, u"abc"_s,
             u"The Search depth box takes a whole number of result pages from 1 to 32767."_s},
            {desktop.inputs().pagedepth, u" 12 "_s, {}},
            {panel.connections, u"1001"_s,
             u"The connections box takes a whole number of connections from 1 to 1000."_s},
            {panel.connections, u"7"_s, {}},
            {panel.txttimeout, u"0"_s, u"The time-out box takes a whole number of seconds from 1 to 32767."_s},
            {panel.txttimeout, u"90"_s, {}},
        };
        for (const auto &row : rows) {
            const bool inoptions = row.box != desktop.inputs().pagedepth;
            if (inoptions && !panel.isVisible())
                window.options().mnuOptions_Click();
            desktop.prompts.clear();
            desktop.type(row.box, row.text);
            QTest::keyClick(row.box, Qt::Key_Return);
            QTRY_COMPARE(inoptions ? panel.labnumbers->text() : desktop.prompts.messages().value(0), row.message);
            if (inoptions) {
                desktop.click(panel.btnoptionscont);
                QCOMPARE(panel.isVisible(), !row.message.isEmpty());
                QVERIFY(row.message.isEmpty() || window.focusWidget() == row.box);
            }
        }

        // Test in the options panel checks the service its boxes name, without taking them over
        // and without holding the window; an offline computer is told through the connection seam.
        window.options().mnuOptions_Click();
        const struct
        {
            QString host;
            bool online;
            QString verdict;
        } services[] = {
            {desktop.engine.hostport(), true,
             u"html at "_s + desktop.engine.hostport() + u" answered with 10 results for \"wikipedia\""_s},
            {u"offline.example"_s, false,
             u"html at offline.example: You must connect ot the internet before searching."_s},
        };
        for (const auto &row : services) {
            desktop.state->settings.searchhost = row.host;
            desktop.connection.set(row.online);
            desktop.click(panel.cmdtestservice);
            QVERIFY(!panel.cmdtestservice->isEnabled());
            QTRY_COMPARE(panel.labtestservice->text(), row.verdict);
            QVERIFY(panel.cmdtestservice->isEnabled());
        }
        QVERIFY(panel.isVisible());
        QCOMPARE(desktop.state->settings.searchhost, u"offline.example"_s);
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
