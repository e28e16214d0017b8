#include "app/appstate.h"
#include "app/colorschemes.h"
#include "app/designlayout.h"
#include "app/gradientbutton.h"
#include "app/mainwindow.h"
#include "app/qtfiledialogs.h"
#include "app/resizerules.h"
#include "app/viewmodes.h"
#include "diagnostics/errorreports.h"
#include "platform/twips.h"
#include "support/tempfolder.h"
#include "views/listview.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestMainWindow : public QObject
{
    Q_OBJECT

    // Every window reads and writes its settings here, never beside the test program.
    TempProgramFolder m_folder;

    static int px(const MainWindow &window, int twipvalue) { return twips::toPixels(twipvalue, window.dpi()); }

    static QString texton(const MainWindow &window, const QString &name)
    {
        if (auto *label = window.control<QLabel>(name))
            return label->text();
        if (auto *button = window.control<QAbstractButton>(name))
            return button->text();
        return {};
    }

    static QColor colour(const MainWindow &window, const QString &name, QPalette::ColorRole role)
    {
        return window.control(name)->palette().color(role);
    }

    static QStringList allnames()
    {
        return viewmodes::searchcontrols() + viewmodes::historycontrols() + colorschemes::gradientbuttons() +
               colorschemes::popuppanels() +
               QStringList{u"titlab"_s,       u"restxt"_s,  u"runningtext"_s,    u"historydetailview"_s,
                           u"searchstatus"_s, u"lblwarn"_s, u"errorreporttxt"_s, u"Picture1"_s};
    }

private slots:
    void initTestCase() { QApplication::setStyle(u"Fusion"_s); }

    void controlsarenamed()
    {
        AppState state;
        MainWindow window(state);
        QCOMPARE(window.objectName(), u"google"_s);
        for (const QString &name : allnames()) {
            QWidget *widget = window.control(name);
            QVERIFY2(widget != nullptr, qPrintable(name));
            QCOMPARE(widget->objectName(), name);
            QCOMPARE(window.findChild<QWidget *>(name), widget);
        }
        QCOMPARE(window.helpbuttoncount(), viewmodes::MainViewHelpIcons);
        for (const QString &name : colorschemes::popuppanels())
            QVERIFY2(window.control(name)->isHidden(), qPrintable(name));
        // Entries of commands that are not wired yet are visible but cannot be chosen.
        for (const QString &name : {u"mnuload"_s, u"mnusave"_s, u"mnuhtml"_s, u"mnumanhis"_s, u"mnuhistory"_s,
                                    u"mnuanalyze"_s, u"mnuOptions"_s, u"mnustartschedule"_s, u"mnustopschedule"_s,
                                    u"mnuwinhelp"_s, u"mnuwebsite"_s, u"mnuabout"_s}) {
            QVERIFY2(window.menuentry(name) != nullptr, qPrintable(name));
            QVERIFY2(!window.menuentry(name)->isEnabled(), qPrintable(name));
        }
        QVERIFY(window.menuentry(u"mnuexit"_s)->isEnabled());
        QVERIFY(window.menuentry(u"mnusearch"_s)->isEnabled());
        QCOMPARE(window.resultsview()->headertext(5), u"Operation"_s);
    }

    void displaybits_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("dohistory");
        QTest::addColumn<QString>("doanalyze");
        QTest::addColumn<QString>("mnuhistory");
        QTest::newRow("searches") << 0 << u"Displaying Searches"_s << u"OPEN HISTORY"_s << u"ANALYZE"_s
                                  << u"Open-history"_s;
        QTest::newRow("history") << 1 << u"Displaying History"_s << u"SHOW CURRENT"_s << u"ANALYZE"_s
                                 << u"Show-current"_s;
        QTest::newRow("analysis") << 2 << u"Displaying Analysis"_s << u"OPEN HISTORY"_s << u"SHOW CURRENT"_s
                                  << u"Open-history"_s;
        QTest::newRow("history analysis")
            << 3 << u"Displaying History Analysis"_s << u"SHOW CURRENT"_s << u"SHOW HISTORY"_s << u"Show-current"_s;
    }

    void displaybits()
    {
        QFETCH(int, mode);
        const ViewModeTexts texts = viewmodes::texts(mode, false);
        AppState state;
        MainWindow window(state);
        // Start-up has read the (empty) settings file; the domain arrives afterwards.
        state.urldata.append(SearchSession{u"www.example.com"_s, {}, {}, {}, {}, {}, {}});
        window.show();
        window.historydetailview()->show();
        window.displaybits(mode);

        QCOMPARE(int(state.viewmode), mode);
        QTEST(texton(window, u"titlab"_s), "title");
        QTEST(texton(window, u"dohistory"_s), "dohistory");
        QTEST(texton(window, u"doanalyze"_s), "doanalyze");
        QTEST(window.menuentry(u"mnuhistory"_s)->text(), "mnuhistory");
        QCOMPARE(window.control(u"doanalyze"_s)->y(), px(window, texts.doanalyzetop));
        for (const QString &name : viewmodes::searchcontrols())
            QVERIFY2(window.control(name)->isVisible() == (mode == 0), qPrintable(name));
        for (const QString &name : viewmodes::historycontrols())
            QVERIFY2(window.control(name)->isVisible() == (mode != 0), qPrintable(name));
        QVERIFY(!window.control(u"restxt"_s)->isVisible());
        QVERIFY(!window.historydetailview()->isVisible());
        for (int i = 0; i < window.helpbuttoncount(); ++i) {
            const bool shown = i >= texts.firsthelpicon && i <= texts.lasthelpicon;
            QVERIFY2(window.helpbutton(i)->isVisible() == shown, qPrintable(QString::number(i)));
            QCOMPARE(window.helpbutton(i)->isEnabled(), shown);
        }

        state.settings.contexthelp = false;
        window.displaybits(mode);
        for (int i = 0; i < window.helpbuttoncount(); ++i)
            QVERIFY(!window.helpbutton(i)->isVisible());
    }

    void introductionwithoutdomains()
    {
        AppState state;
        MainWindow window(state);
        QVERIFY(texton(window, u"titlab"_s).startsWith(u"This tool will  search with GOOGLE"_s));
        errorreports::reset();
        window.displaybits(7);
        QCOMPARE(int(state.viewmode), 0);
        QVERIFY(errorreports::errortext().contains(u"displaybits"_s));
        errorreports::reset();
    }

    void setcols_data()
    {
        QTest::addColumn<QString>("scheme");
        QTest::newRow("standard") << u"Zorvane standard"_s;
        QTest::newRow("grey") << u"Windows Grey"_s;
        QTest::newRow("unknown reads as grey") << u"Purple"_s;
    }

    void setcols()
    {
        QFETCH(QString, scheme);
        AppState state;
        MainWindow window(state);
        state.settings.colorscheme = scheme;
        window.gradientbutton(u"doit"_s)->setText(u"changed"_s);
        window.control(u"restxt"_s)->show();
        window.setcols();

        const bool standard = scheme == u"Zorvane standard"_s;
        const QColor face = QApplication::palette().color(QPalette::Button);
        auto expect = [&](quint32 bgr) { return standard ? QColor::fromRgb(bgrtorgb(bgr)) : face; };
        // The message panel's own colour wins over the one all panels get.
        QCOMPARE(colour(window, u"messageframe"_s, QPalette::Window), expect(0xC0C0FF));
        QCOMPARE(colour(window, u"cmdwarnok"_s, QPalette::Button), expect(0x00FF00));
        QCOMPARE(colour(window, u"chkdispfirst"_s, window.control(u"chkdispfirst"_s)->backgroundRole()),
                 expect(0x80FF80));
        QCOMPARE(window.helpbutton(3)->palette().color(QPalette::Window), expect(0x80FF80));
        const QColor boxes = QColor::fromRgb(bgrtorgb(standard ? 0xC0FFC0 : 0xFFFFFF));
        for (const QString &name : {u"txturls"_s, u"historykeys"_s})
            QCOMPARE(colour(window, name, QPalette::Base), boxes);

        const ButtonAppearance appearance = window.gradientbutton(u"dohelp"_s)->appearance();
        QCOMPARE(appearance.style, standard ? 1 : 0);
        QCOMPARE(appearance.value2, SchemeColor::fromBgr(standard ? 0x008000 : 0x000000));
        QCOMPARE(texton(window, u"doit"_s), u"SEARCH"_s);
        QVERIFY(window.control(u"restxt"_s)->isHidden());
    }

    void resizesnapsandlimits()
    {
        AppState state;
        MainWindow window(state);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect screen = window.screen()->geometry();
        const QSize screentwips(twips::fromPixels(screen.width(), window.dpi()),
                                twips::fromPixels(screen.height(), window.dpi()));

        window.resize(200, 150);
        QTRY_VERIFY(qAbs(window.outersize().height() - qMin(resizerules::MinimumHeight, screentwips.height() - 400)) <=
                    15);
        QVERIFY(qAbs(window.outersize().width() - qMin(resizerules::MinimumWidth, screentwips.width() - 200)) <= 15);

        window.resize(screen.width() * 2, screen.height() * 2);
        QTRY_VERIFY(window.outersize().width() <= screentwips.width() - 200 + 15);
        QVERIFY(window.outersize().height() <= screentwips.height() - 400 + 15);
    }

    void resizeplacesthecontrols()
    {
        AppState state;
        MainWindow window(state);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.resize(px(window, 11000), px(window, 8500));
        QTRY_COMPARE(
            window.control(u"resultsview"_s)->width(),
            twips::lengthToPixels(window.place(u"resultsview"_s).left, window.outersize().width() - 400, window.dpi()));
        const QSize outer = window.outersize();
        QVERIFY(!window.control(u"runningtext"_s)->isVisible());
        const int withoutlog = window.control(u"resultsview"_s)->height();

        state.settings.showrunning = true;
        window.Form_Resize();
        QVERIFY(window.control(u"runningtext"_s)->isVisible());
        const int logheight = window.place(u"runningtext"_s).height;
        QVERIFY(qAbs(withoutlog - window.control(u"resultsview"_s)->height() - px(window, logheight)) <= 1);
        QVERIFY(window.control(u"runningtext"_s)->geometry().bottom() < window.control(u"searchstatus"_s)->y());

        // Panels sit in the middle of the window, above the lists.
        QWidget *wait = window.control(u"waitframe"_s);
        const TwipsRect placed =
            resizerules::centred(designlayout::controls().value(u"waitframe"_s), outer.width(), outer.height());
        QCOMPARE(wait->pos(), QPoint(px(window, placed.left), px(window, placed.top)));
        wait->show();
        QCOMPARE(window.centralWidget()->childAt(wait->geometry().center()) != window.resultsview(), true);
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
