#include "app/appstate.h"
#include "app/colorschemes.h"
#include "app/designlayout.h"
#include "app/errorreportcontroller.h"
#include "app/errorreportdisplay.h"
#include "app/errorreportpanel.h"
#include "app/gradientbutton.h"
#include "app/mainwindow.h"
#include "app/messagepanel.h"
#include "app/popuppanel.h"
#include "app/qtfiledialogs.h"
#include "app/resizerules.h"
#include "app/statuspanels.h"
#include "app/timedwarningpanel.h"
#include "app/waitpanel.h"
#include "diagnostics/errorreports.h"
#include "platform/twips.h"
#include "support/tempfolder.h"
#include "views/listview.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

class TestMainWindow : public QObject
{
    Q_OBJECT

    // Every window reads and writes its settings here, never beside the test program.
    TempProgramFolder m_folder;

    static int px(const MainWindow &window, int twipvalue) { return twips::toPixels(twipvalue, window.dpi()); }

private slots:
    void initTestCase()
    {
        QApplication::setStyle(u"Fusion"_s);
        // The update check every window starts asks a closed local port, never the product's host.
        QFile ini(m_folder.file(u"zorvane.ini"_s));
        QVERIFY(ini.open(QIODevice::WriteOnly) && ini.write("[settings]\r\nupdatehost=127.0.0.1:9\r\n") > 0);
    }

    void newwindow()
    {
        AppState state;
        MainWindow window(state);
        QCOMPARE(window.objectName(), u"google"_s);
        // The layout finds every control and panel by its name, and the colour schemes know every
        // panel, each hidden at the start.
        const ControlRects rects = designlayout::controls();
        for (QWidget *widget : window.controls().all())
            QVERIFY2(rects.contains(widget->objectName()), qPrintable(widget->objectName()));
        QCOMPARE(window.controls().helpbuttons.size(), 20);
        const QList<PopupPanel *> panels = window.findChildren<PopupPanel *>();
        QCOMPARE(panels.size(), colorschemes::popuppanels().size());
        for (PopupPanel *panel : panels) {
            QVERIFY2(rects.contains(panel->objectName()), qPrintable(panel->objectName()));
            QVERIFY2(colorschemes::popuppanels().contains(panel->objectName()), qPrintable(panel->objectName()));
            QVERIFY2(panel->isHidden(), qPrintable(panel->objectName()));
        }
        // Every command of the menus can be chosen.
        const MainMenus &m = window.menus();
        for (QAction *entry : {m.mnuexit, m.mnusearch, m.mnuload, m.mnusave, m.mnuhtml, m.mnumanhis, m.mnuhistory,
                               m.mnuanalyze, m.mnuwinhelp, m.mnuwebsite, m.mnuabout, m.mnuOptions, m.mnustartschedule,
                               m.mnustopschedule, m.mnuscheduleoptions})
            QVERIFY2(entry->isEnabled(), qPrintable(entry->text()));
        QCOMPARE(window.controls().results.resultsview->headertext(5), u"Operation"_s);

        // Without domains the window introduces itself; a view mode it does not know is reported
        // and changes nothing.
        QCOMPARE(window.controls().buttons.titlab->text(),
                 u"This tool will  search with GOOGLE and list the position of your website for the search terms "
                 u"that you specify."_s);
        errorreports::reset();
        window.displaybits(7);
        QCOMPARE(int(state.viewmode), 0);
        QVERIFY(errorreports::errortext().contains(u"displaybits"_s));
        errorreports::reset();
    }

    void displaybits_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("labhistory");
        QTest::addColumn<QString>("chkhistoryfirst");
        QTest::addColumn<QString>("dohistory");
        QTest::addColumn<QString>("mnuhistory");
        QTest::addColumn<QString>("doanalyze");
        QTest::addColumn<int>("doanalyzetop");
        QTest::addColumn<int>("firsticon");
        QTest::addColumn<int>("lasticon");
        const QString firsthit = u"Display only the first hit for each search term"_s;
        const QString grouphits = u"Group all hits from the same domain together"_s;
        QTest::newRow("searches") << 0 << u"Displaying Searches"_s << QString() << QString() << u"OPEN HISTORY"_s
                                  << u"Open-history"_s << u"ANALYZE"_s << 0 << 0 << 5;
        QTest::newRow("history") << 1 << u"Displaying History"_s << u"History Results"_s << firsthit
                                 << u"SHOW CURRENT"_s << u"Show-current"_s << u"ANALYZE"_s << 960 << 6 << 10;
        QTest::newRow("analysis") << 2 << u"Displaying Analysis"_s << u"Analysis Results"_s << grouphits
                                  << u"OPEN HISTORY"_s << u"Open-history"_s << u"SHOW CURRENT"_s << 0 << 16 << 19;
        QTest::newRow("history analysis")
            << 3 << u"Displaying History Analysis"_s << u"History Analysis Results"_s << grouphits << u"SHOW CURRENT"_s
            << u"Show-current"_s << u"SHOW HISTORY"_s << 960 << 11 << 15;
    }

    void displaybits()
    {
        QFETCH(int, mode);
        QFETCH(int, firsticon);
        QFETCH(int, lasticon);
        AppState state;
        MainWindow window(state);
        const MainControls &c = window.controls();
        // Start-up has read the (empty) settings file; the domain arrives afterwards.
        state.urldata.append(SearchSession{u"www.example.com"_s, {}, {}, {}, {}, {}, {}, {}});
        window.show();
        c.history.historydetailview->show();
        window.displaybits(mode);

        QCOMPARE(int(state.viewmode), mode);
        QTEST(c.buttons.titlab->text(), "title");
        if (mode != 0) {
            QTEST(c.history.labhistory->text(), "labhistory");
            QTEST(c.history.chkhistoryfirst->text(), "chkhistoryfirst");
        }
        QTEST(c.buttons.dohistory->text(), "dohistory");
        QTEST(window.menus().mnuhistory->text(), "mnuhistory");
        QTEST(c.buttons.doanalyze->text(), "doanalyze");
        QFETCH(int, doanalyzetop);
        QCOMPARE(c.buttons.doanalyze->y(), px(window, doanalyzetop));
        const SearchControls &s = c.search;
        const ResultsControls &r = c.results;
        const HistoryControls &h = c.history;
        for (QWidget *widget :
             QList<QWidget *>{s.txturlslab1,     s.txturlslab2,    s.txturlslab3,     s.cmdadddomain, s.txturls,
                              s.cmddeletedomain, s.cmdsavechanges, s.txtkeyslab1,     s.txtkeyslab2,  s.txtkeyslab3,
                              s.txtkeyslab4,     s.txtkeys,        s.pagelab1,        s.pagelab2,     s.pagedepth,
                              r.resultslab1,     r.chkdispfirst,   s.chkstopafterhit, r.resultsview,  r.txtdisplay})
            QVERIFY2(widget->isVisible() == (mode == 0), qPrintable(widget->objectName()));
        for (QWidget *widget : QList<QWidget *>{h.labhis0, h.labhis1, h.labhis2, h.historydates, h.historyurls,
                                                h.historykeys, h.chkhistoryfirst, h.labhistory, h.historyview})
            QVERIFY2(widget->isVisible() == (mode != 0), qPrintable(widget->objectName()));
        QVERIFY(!r.restxt->isVisible());
        QVERIFY(!h.historydetailview->isVisible());
        QVERIFY(!h.hdvclose->isVisible());
        for (int i = 0; i < int(c.helpbuttons.size()); ++i) {
            const bool shown = i >= firsticon && i <= lasticon;
            QVERIFY2(c.helpbuttons.at(i)->isVisible() == shown, qPrintable(QString::number(i)));
            QCOMPARE(c.helpbuttons.at(i)->isEnabled(), shown);
        }

        state.settings.contexthelp = false;
        window.displaybits(mode);
        for (QToolButton *icon : c.helpbuttons)
            QVERIFY(!icon->isVisible());
    }

    void setcols_data()
    {
        QTest::addColumn<QString>("scheme");
        QTest::newRow("standard") << u"Zorvane standard"_s;
        QTest::newRow("grey") << u"Windows Grey"_s;
        QTest::newRow("unknown reads as grey") << u"Purple"_s;
        QTest::newRow("names are case-sensitive") << u"zorvane standard"_s;
    }

    void setcols()
    {
        QFETCH(QString, scheme);
        AppState state;
        MainWindow window(state);
        const MainControls &c = window.controls();
        state.settings.colorscheme = scheme;
        c.buttons.doit->setText(u"changed"_s);
        c.results.restxt->show();
        window.setcols();

        const bool standard = scheme == u"Zorvane standard"_s;
        const QColor face = QApplication::palette().color(QPalette::Button);
        // Written as RGB: the scheme's own table is in the stored BGR order.
        auto expect = [&](quint32 rgb) { return standard ? QColor::fromRgb(rgb) : face; };
        // The message panel's own colour wins over the one all panels get.
        QCOMPARE(window.panels().messageframe().palette().color(QPalette::Window), expect(0xFFC0C0));
        QCOMPARE(window.errorreports().fraerrorreport().palette().color(QPalette::Window), expect(0xC0C0FF));
        QCOMPARE(window.panels().frawarntimed().cmdwarnok()->palette().color(QPalette::Button), expect(0x00FF00));
        QCOMPARE(window.panels().messageframe().messageok()->palette().color(QPalette::Button), expect(0xFFFFC0));
        QCOMPARE(c.results.chkdispfirst->palette().color(c.results.chkdispfirst->backgroundRole()), expect(0x80FF80));
        QCOMPARE(c.helpbuttons.at(3)->palette().color(QPalette::Window), expect(0x80FF80));
        const QColor boxes = QColor::fromRgb(standard ? 0xC0FFC0 : 0xFFFFFF);
        for (QWidget *box : QList<QWidget *>{c.search.txturls, c.history.historykeys,
                                             window.errorreports().fraerrorreportdisplay().errorreporttxt()})
            QCOMPARE(box->palette().color(QPalette::Base), boxes);

        const ButtonAppearance appearance = c.buttons.dohelp->appearance();
        QCOMPARE(appearance.style, standard ? 1 : 0);
        QCOMPARE(appearance.value2, SchemeColor::fromBgr(standard ? 0x008000 : 0x000000));
        QCOMPARE(c.buttons.doit->text(), u"SEARCH"_s);
        QVERIFY(c.results.restxt->isHidden());
    }

    // Resizing goes through the resize rules (their arithmetic is tst_layout's): a window made
    // too small comes back at the size the rules give it on this screen, and the lists, the log
    // box and the panels follow the window's size.
    void resizing()
    {
        AppState state;
        MainWindow window(state);
        const MainControls &c = window.controls();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect screen = window.screen()->geometry();
        TwipsRect smallest{0, 0, 1, 1};
        resizerules::clampwindow(smallest, QSize(twips::fromPixels(screen.width(), window.dpi()),
                                                 twips::fromPixels(screen.height(), window.dpi())));
        window.resize(200, 150);
        QTRY_VERIFY(qAbs(window.outersize().height() - smallest.height) <= 15);
        QVERIFY(qAbs(window.outersize().width() - smallest.width) <= 15);

        window.resize(px(window, 11000), px(window, 8500));
        // The results list starts 200 from the left and ends 200 from the right.
        QTRY_COMPARE(c.results.resultsview->width(),
                     twips::lengthToPixels(200, window.outersize().width() - 400, window.dpi()));
        const QSize outer = window.outersize();
        QVERIFY(!c.status.runningtext->isVisible());
        const int withoutlog = c.results.resultsview->height();

        state.settings.showrunning = true;
        window.Form_Resize();
        QVERIFY(c.status.runningtext->isVisible());
        // The message box is 960 high.
        QVERIFY(qAbs(withoutlog - c.results.resultsview->height() - px(window, 960)) <= 1);

        // Panels sit in the middle of the window (that they are on top is tst_historywindow's
        // panelsandkeys); the wait panel is 4800 by 1100.
        QCOMPARE(window.panels().waitframe().pos(),
                 QPoint(px(window, (outer.width() - 4800) / 2), px(window, (outer.height() - 300 - 1100) / 2)));
    }

    // The toolkit's dialogs as the window's commands get them, set up but never shown.
    void filedialogs()
    {
        AppState state;
        MainWindow window(state);
        auto *dialogs = dynamic_cast<QtFileDialogs *>(&window.filedialogs());
        QVERIFY(dialogs != nullptr);
        const FileDialogRequest request{u"Select input file"_s, u"sav files (*.sav)|*sav|All files (*.*)|*"_s,
                                        u"ranks.sav"_s};
        const std::unique_ptr<QFileDialog> open = dialogs->dialog(request, QFileDialog::AcceptOpen);
        QCOMPARE(open->parentWidget(), &window);
        QCOMPARE(open->windowTitle(), request.title);
        QCOMPARE(open->nameFilters(), (QStringList{u"sav files (*.sav)"_s, u"All files (*.*)"_s}));
        QCOMPARE(open->fileMode(), QFileDialog::ExistingFile);
        QCOMPARE(open->directory(), QDir::current());
        const std::unique_ptr<QFileDialog> save = dialogs->dialog(request, QFileDialog::AcceptSave);
        QCOMPARE(save->acceptMode(), QFileDialog::AcceptSave);
        QVERIFY(save->testOption(QFileDialog::DontConfirmOverwrite));
        QCOMPARE(save->selectedFiles(), QStringList{QDir::current().absoluteFilePath(request.filename)});
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
