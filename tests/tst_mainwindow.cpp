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
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
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
    static bool inside(const TwipsRect &inner, const TwipsRect &outer)
    {
        return inner.left >= outer.left && inner.top >= outer.top && inner.right() <= outer.right() &&
               inner.bottom() <= outer.bottom();
    }

private slots:
    void initTestCase()
    {
        QApplication::setStyle(u"Fusion"_s);
        // The update check every window starts asks a closed local port, never the product's host.
        QVERIFY(m_folder.write(u"zorvane.ini"_s, "[settings]\r\nupdatehost=127.0.0.1:9\r\n"));
    }

    // A new window: the layout and the colour schemes know every control and panel, the panels
    // start hidden, every menu command can be chosen, the window introduces itself, and the
    // toolkit's file dialogs are set up as the commands get them (never shown). Then its views,
    // and its size.
    void windowViewsAndSizes()
    {
        AppState state;
        MainWindow window(state);
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
        const MainMenus &m = window.menus();
        for (QAction *entry : {m.mnuexit, m.mnusearch, m.mnuload, m.mnusave, m.mnuhtml, m.mnumanhis, m.mnuhistory,
                               m.mnuanalyze, m.mnuwinhelp, m.mnuwebsite, m.mnuabout, m.mnuOptions, m.mnustartschedule,
                               m.mnustopschedule, m.mnuscheduleoptions})
            QVERIFY2(entry->isEnabled(), qPrintable(entry->text()));

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

        // Each scheme name paints the panels, buttons and boxes (written as RGB: the scheme's own
        // table is in the stored BGR order) and puts back the captions and the hidden raw text.
        // A name it does not know, also in another case, reads as grey.
        const MainControls &c = window.controls();
        for (const QString &scheme : {u"Zorvane standard"_s, u"Windows Grey"_s, u"zorvane standard"_s}) {
            const auto label = qScopeGuard([&] {
                if (QTest::currentTestFailed())
                    qWarning("scheme %s", qPrintable(scheme));
            });
            state.settings.colorscheme = scheme;
            c.buttons.doit->setText(u"changed"_s);
            c.results.restxt->show();
            window.setcols();
            const bool standard = scheme == u"Zorvane standard"_s;
            const QColor face = QApplication::palette().color(QPalette::Button);
            auto expect = [&](quint32 rgb) { return standard ? QColor::fromRgb(rgb) : face; };
            // The message panel's own colour wins over the one all panels get.
            QCOMPARE(window.panels().messageframe().palette().color(QPalette::Window), expect(0xFFC0C0));
            QCOMPARE(window.errorreports().fraerrorreport().palette().color(QPalette::Window), expect(0xC0C0FF));
            QCOMPARE(window.panels().frawarntimed().cmdwarnok()->palette().color(QPalette::Button), expect(0x00FF00));
            QCOMPARE(window.panels().messageframe().messageok()->palette().color(QPalette::Button), expect(0xFFFFC0));
            QCOMPARE(c.results.chkdispfirst->palette().color(c.results.chkdispfirst->backgroundRole()),
                     expect(0x80FF80));
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

        auto *dialogs = dynamic_cast<QtFileDialogs *>(&window.filedialogs());
        QVERIFY(dialogs != nullptr);
        const FileDialogRequest request{u"Select input file"_s, u"sav files (*.sav)|*sav|All files (*.*)|*"_s,
                                        u"ranks.sav"_s};
        const std::unique_ptr<QFileDialog> open = dialogs->dialog(request, QFileDialog::AcceptOpen);
        QCOMPARE(open->parentWidget(), &window);
        QCOMPARE(open->nameFilters(), (QStringList{u"sav files (*.sav)"_s, u"All files (*.*)"_s}));
        QCOMPARE(open->fileMode(), QFileDialog::ExistingFile);
        const std::unique_ptr<QFileDialog> save = dialogs->dialog(request, QFileDialog::AcceptSave);
        QVERIFY(save->testOption(QFileDialog::DontConfirmOverwrite));
        QCOMPARE(save->selectedFiles(), QStringList{QDir::current().absoluteFilePath(request.filename)});
        // A filter's text without its pattern, and a name without a pattern, which is dropped.
        for (const auto &[filter, expected] : {std::pair(u"Reports|*.html"_s, u"Reports (*.html)"_s),
                                               std::pair(u"A (*.a)|*.a|B"_s, u"A (*.a)"_s), std::pair(u""_s, u""_s)})
            QCOMPARE(FileDialogs::qtfilter(filter), expected);

        // Each view in turn, and back to the searches: its captions, its controls, the analysis
        // button's place and its help icons, which go with the context help setting.
        const SearchControls &s = c.search;
        const ResultsControls &r = c.results;
        const HistoryControls &h = c.history;
        // Start-up has read the (empty) settings file; the domain arrives afterwards.
        state.urldata.append(SearchSession{u"www.example.com"_s, {}, {}, {}, {}, {}, {}, {}});
        window.show();
        const QString firsthit = u"Display only the first hit for each search term"_s;
        const QString grouphits = u"Group all hits from the same domain together"_s;
        // Per view: its mode, the analysis button's top, the first and last help icon shown, and
        // the title, the history list's caption and check box, the history button and menu entry,
        // and the analysis button, joined by '|'.
        const struct
        {
            int mode, doanalyzetop, firsticon, lasticon;
            QString texts;
        } views[] = {
            {1, 960, 6, 10,
             u"Displaying History|History Results|"_s + firsthit + u"|SHOW CURRENT|Show-current|ANALYZE"_s},
            {2, 0, 16, 19,
             u"Displaying Analysis|Analysis Results|"_s + grouphits + u"|OPEN HISTORY|Open-history|SHOW CURRENT"_s},
            {3, 960, 11, 15,
             u"Displaying History Analysis|History Analysis Results|"_s + grouphits +
                 u"|SHOW CURRENT|Show-current|SHOW HISTORY"_s},
            {0, 0, 0, 5, u"Displaying Searches|||OPEN HISTORY|Open-history|ANALYZE"_s},
        };
        const QList<QWidget *> searches{s.txturlslab1,  s.txturlslab2,     s.txturlslab3,    s.cmdadddomain,
                                        s.txturls,      s.cmddeletedomain, s.cmdsavechanges, s.txtkeyslab1,
                                        s.txtkeyslab2,  s.txtkeyslab3,     s.txtkeyslab4,    s.txtkeys,
                                        s.pagelab1,     s.pagelab2,        s.pagedepth,      r.resultslab1,
                                        r.chkdispfirst, s.chkstopafterhit, r.resultsview,    r.txtdisplay};
        const QList<QWidget *> history{h.labhis0,     h.labhis1,         h.labhis2,    h.historydates, h.historyurls,
                                       h.historykeys, h.chkhistoryfirst, h.labhistory, h.historyview};
        for (const auto &view : views) {
            h.historydetailview->show();
            window.displaybits(view.mode);
            const bool historic = view.mode != 0;
            const QStringList texts{c.buttons.titlab->text(),
                                    historic ? h.labhistory->text() : QString(),
                                    historic ? h.chkhistoryfirst->text() : QString(),
                                    c.buttons.dohistory->text(),
                                    window.menus().mnuhistory->text(),
                                    c.buttons.doanalyze->text()};
            QCOMPARE(texts.join(u'|'), view.texts);
            QCOMPARE(c.buttons.doanalyze->y(), px(window, view.doanalyzetop));
            for (QWidget *widget : searches)
                QVERIFY2(widget->isVisible() == !historic, qPrintable(widget->objectName()));
            for (QWidget *widget : history)
                QVERIFY2(widget->isVisible() == historic, qPrintable(widget->objectName()));
            QVERIFY(!r.restxt->isVisible() && !h.historydetailview->isVisible() && !h.hdvclose->isVisible());
            for (int i = 0; i < int(c.helpbuttons.size()); ++i) {
                const bool shown = i >= view.firsticon && i <= view.lasticon;
                QVERIFY2(c.helpbuttons.at(i)->isVisible() == shown, qPrintable(QString::number(i)));
                QCOMPARE(c.helpbuttons.at(i)->isEnabled(), shown);
            }
        }
        state.settings.contexthelp = false;
        window.displaybits(0);
        for (QToolButton *icon : c.helpbuttons)
            QVERIFY(!icon->isVisible());

        // Resizing goes through the resize rules (their arithmetic is below): a window made too
        // small comes back at the size the rules give it on this screen, and the lists, the log
        // box and the panels follow the window's size.
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect screen = window.screen()->geometry();
        TwipsRect smallest{0, 0, 1, 1};
        resizerules::clampwindow(smallest, QSize(twips::fromPixels(screen.width(), window.dpi()),
                                                 twips::fromPixels(screen.height(), window.dpi())));
        window.resize(200, 150);
        QTRY_VERIFY(qAbs(window.outersize().height() - smallest.height) <= 15);
        QVERIFY(qAbs(window.outersize().width() - smallest.width) <= 15);

        window.resize(px(window, 11000), px(window, 8500));
        // The results list starts 200 from the left and ends 200 from the right, where the spans
        // beside it begin whatever the rounding.
        QTRY_COMPARE(c.results.resultsview->width(), px(window, window.outersize().width() - 200) - px(window, 200));
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
        // One taller or wider than the window leaves room for goes to the top or the left.
        QCOMPARE(resizerules::centred({0, 0, 4000, 9700}, 12000, 9900), (TwipsRect{4000, 120, 4000, 9195}));
        QCOMPARE(resizerules::centred({0, 0, 4000, 9600}, 12000, 9900).top, 0);
        QCOMPARE(resizerules::centred({0, 0, 12001, 2000}, 12000, 9900).left, 1);
    }

    void clampwindow_data()
    {
        QTest::addColumn<TwipsRect>("window");
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<TwipsRect>("expected");
        QTest::addColumn<bool>("carryon");
        const QSize large(19200, 15360);
        QTest::newRow("too small on a large screen")
            << TwipsRect{300, 300, 5000, 4000} << large << TwipsRect{300, 300, 10455, 8600} << true;
        QTest::newRow("small screen limits to the screen")
            << TwipsRect{0, 0, 12000, 9900} << QSize(9600, 7200) << TwipsRect{0, 0, 9400, 6800} << true;
        QTest::newRow("screen just fitting the minimum")
            << TwipsRect{0, 0, 10000, 8000} << QSize(10655, 9000) << TwipsRect{0, 0, 10455, 8600} << true;
        // Its size stays: larger than the smallest, smaller than the screen.
        QTest::newRow("above the screen moves down and stops")
            << TwipsRect{50, -300, 12000, 9900} << large << TwipsRect{50, 0, 12000, 9900} << false;
    }

    void clampwindow()
    {
        QFETCH(TwipsRect, window);
        QFETCH(QSize, screen);
        QFETCH(bool, carryon);
        QCOMPARE(resizerules::clampwindow(window, screen), carryon);
        QTEST(window, "expected");
    }

    // Where the controls go for a window of W by H, with or without the message box below the
    // lists.
    void arrange_data()
    {
        QTest::addColumn<int>("W");
        QTest::addColumn<int>("H");
        QTest::addColumn<bool>("showrunning");
        QTest::newRow("smallest, no log") << 10455 << 8600 << false;
        QTest::newRow("design width, smallest height, log") << 12000 << 8600 << true;
        QTest::newRow("wide and tall, no log") << 19000 << 14960 << false;
        QTest::newRow("smallest width, tall, log") << 10455 << 14960 << true;
    }

    void arrange()
    {
        QFETCH(int, W);
        QFETCH(int, H);
        QFETCH(bool, showrunning);
        ControlRects r = designlayout::controls();
        QList<TwipsRect> icons = designlayout::helpicons();
        resizerules::arrange(r, icons, W, H, showrunning);
        QCOMPARE(r[u"dohelp"_s].right(), W - 200);
        QCOMPARE(r[u"doit"_s].right(), W / 2 - 60);
        // The emblem keeps clear of the buttons on either side; that no two controls overlap at the
        // design size and the smallest is tst_historywindow's panelsandkeys.
        QVERIFY(r[u"Picture1"_s].right() < r[u"doit"_s].left);
        QVERIFY(r[u"dosave"_s].right() < r[u"Picture1"_s].left);
        QCOMPARE(r[u"searchstatus"_s].right(), r[u"labscheduler"_s].left);
        QCOMPARE(r[u"labscheduler"_s].right(), W - 200);
        // The lists span the window 200 in from each side; the domain and keyword boxes share it.
        for (const QString &list : {u"resultsview"_s, u"txtdisplay"_s, u"runningtext"_s, u"historyview"_s})
            QVERIFY(r[list].left == 200 && r[list].right() == W - 200);
        QCOMPARE(r[u"txturls"_s].width, r[u"txtkeys"_s].width);
        QCOMPARE(r[u"txtkeys"_s].left, r[u"txturls"_s].right() + 200);
        QVERIFY(r[u"txtkeys"_s].right() >= W - 201);
        // The keyword labels and their help icon follow the keyword box.
        QCOMPARE(r[u"txtkeyslab1"_s].left, r[u"txtkeys"_s].left);
        QCOMPARE(r[u"txtkeyslab2"_s].left, r[u"txtkeys"_s].left);
        QVERIFY(icons[1].left > r[u"txtkeys"_s].left && icons[1].right() <= W - 200);
        for (int index : {10, 15, 19})
            QCOMPARE(icons[index].top, r[u"labhistory"_s].top);

        QCOMPARE(r[u"txtdisplay"_s].top, r[u"resultsview"_s].bottom() + 100);
        QCOMPARE(r[u"runningtext"_s].top, r[u"txtdisplay"_s].bottom() + 100);
        QCOMPARE(r[u"searchstatus"_s].top, H - 1095);
        // Nothing runs into the status line or into the window frame below it.
        const int lowest = showrunning ? r[u"runningtext"_s].bottom() : r[u"txtdisplay"_s].bottom();
        QVERIFY(lowest < r[u"searchstatus"_s].top);
        // 465 is the height of the frame, caption and menu bar.
        QVERIFY(r[u"searchstatus"_s].bottom() <= H - 465);
        QVERIFY(r[u"historyview"_s].bottom() < (showrunning ? r[u"runningtext"_s].top : r[u"searchstatus"_s].top));
        QVERIFY(r[u"resultslab1"_s].bottom() <= r[u"resultsview"_s].top);
        QVERIFY(r[u"txtkeys"_s].bottom() <= r[u"resultslab1"_s].top);
        // The detail box lies in the lower half of the history list, its close button on it.
        QVERIFY(inside(r[u"historydetailview"_s], r[u"historyview"_s]));
        QVERIFY(r[u"historydetailview"_s].top >= r[u"historyview"_s].top + r[u"historyview"_s].height / 2);
        QVERIFY(inside(r[u"hdvclose"_s], r[u"historydetailview"_s]));
        QCOMPARE(r[u"restxt"_s].top, r[u"resultsview"_s].top);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
