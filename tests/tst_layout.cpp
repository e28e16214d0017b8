#include "app/colorschemes.h"
#include "app/designlayout.h"
#include "app/resizerules.h"
#include "app/viewmodes.h"
#include "diagnostics/failure.h"
#include "platform/filedialogs.h"
#include "platform/twips.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestLayout : public QObject
{
    Q_OBJECT

    static ControlRects arranged(int W, int H, bool showrunning)
    {
        ControlRects rects = designlayout::controls();
        QList<TwipsRect> icons = designlayout::helpicons();
        resizerules::arrange(rects, icons, W, H, showrunning);
        return rects;
    }

private slots:
    void clampwindow_data()
    {
        QTest::addColumn<TwipsRect>("window");
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<TwipsRect>("expected");
        QTest::addColumn<bool>("carryon");
        const QSize large(19200, 15360);
        QTest::newRow("too small on a large screen")
            << TwipsRect{300, 300, 5000, 4000} << large << TwipsRect{300, 300, 10455, 8600} << true;
        QTest::newRow("larger than the minimum stays")
            << TwipsRect{0, 0, 12000, 9900} << large << TwipsRect{0, 0, 12000, 9900} << true;
        QTest::newRow("small screen limits to the screen")
            << TwipsRect{0, 0, 12000, 9900} << QSize(9600, 7200) << TwipsRect{0, 0, 9400, 6800} << true;
        QTest::newRow("small screen grows a small window to the screen")
            << TwipsRect{0, 0, 9000, 6500} << QSize(9600, 7200) << TwipsRect{0, 0, 9400, 6800} << true;
        QTest::newRow("at the small screen's limit stays")
            << TwipsRect{0, 0, 9400, 6800} << QSize(9600, 7200) << TwipsRect{0, 0, 9400, 6800} << true;
        QTest::newRow("screen just fitting the minimum")
            << TwipsRect{0, 0, 10000, 8000} << QSize(10655, 9000) << TwipsRect{0, 0, 10455, 8600} << true;
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

    void centredpanels()
    {
        const TwipsRect panel{0, 0, 4000, 2000};
        QCOMPARE(resizerules::centred(panel, 12000, 9900), (TwipsRect{4000, 3800, 4000, 2000}));
        QCOMPARE(resizerules::centred({0, 0, 4000, 9700}, 12000, 9900), (TwipsRect{4000, 120, 4000, 9195}));
        QCOMPARE(resizerules::centred({0, 0, 4000, 9600}, 12000, 9900).top, 0);
        QCOMPARE(resizerules::centred({0, 0, 12001, 2000}, 12000, 9900).left, 1);
    }

    void buttonrow_data()
    {
        QTest::addColumn<int>("W");
        QTest::newRow("minimum") << 10455;
        QTest::newRow("design") << 12000;
        QTest::newRow("wide") << 19000;
    }

    void buttonrow()
    {
        QFETCH(int, W);
        const ControlRects r = arranged(W, 9900, false);
        QCOMPARE(r[u"dohelp"_s].right(), W - 200);
        QCOMPARE(r[u"doit"_s].right(), W / 2 - 60);
        // Every width down to the minimum keeps the three groups apart.
        QVERIFY(r[u"Picture1"_s].right() < r[u"doit"_s].left);
        QVERIFY(r[u"dosave"_s].right() < r[u"Picture1"_s].left);
        QVERIFY(r[u"dostop"_s].right() < r[u"dohistory"_s].left);
        QVERIFY(r[u"cmddeletedomain"_s].right() < r[u"cmdsavechanges"_s].left);
        QCOMPARE(r[u"searchstatus"_s].right(), r[u"labscheduler"_s].left);
    }

    void heights_data()
    {
        QTest::addColumn<int>("H");
        QTest::addColumn<bool>("showrunning");
        for (bool showrunning : {false, true}) {
            const char *log = showrunning ? "log" : "no log";
            QTest::addRow("minimum, %s", log) << 8600 << showrunning;
            QTest::addRow("tall, %s", log) << 14960 << showrunning;
        }
    }

    void heights()
    {
        QFETCH(int, H);
        QFETCH(bool, showrunning);
        const ControlRects r = arranged(12000, H, showrunning);
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
    }

    void arrangeatdesignsize_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<TwipsRect>("withoutlog");
        QTest::addColumn<TwipsRect>("withlog");
        // A window of 12000 by 9900; the message box is 960 high, the detail box 900.
        const auto row = [](const QString &name, TwipsRect without, TwipsRect with) {
            QTest::newRow(qPrintable(name)) << name << without << with;
        };
        const auto fixed = [&](const QString &name, TwipsRect rect) { row(name, rect, rect); };
        fixed(u"doload"_s, {100, 0, 1200, 600});
        fixed(u"dosave"_s, {1300, 0, 1200, 600});
        fixed(u"doit"_s, {4740, 0, 1200, 600});
        fixed(u"dostop"_s, {5950, 0, 1200, 600});
        fixed(u"dohistory"_s, {8200, 0, 1200, 600});
        fixed(u"doanalyze"_s, {9400, 0, 1200, 600});
        fixed(u"dohelp"_s, {10600, 0, 1200, 600});
        fixed(u"titlab"_s, {200, 660, 11600, 480});
        fixed(u"txturls"_s, {200, 1740, 5700, 345});
        fixed(u"txtkeys"_s, {6100, 1740, 5700, 1830});
        fixed(u"txtkeyslab1"_s, {6100, 1200, 800, 255});
        fixed(u"txtkeyslab2"_s, {6100, 1455, 800, 255});
        fixed(u"txtkeyslab3"_s, {6940, 1200, 3200, 255});
        fixed(u"txtkeyslab4"_s, {6940, 1455, 3200, 255});
        fixed(u"cmdsavechanges"_s, {4400, 2160, 1500, 375});
        row(u"resultsview"_s, {200, 3870, 11600, 3750}, {200, 3870, 11600, 2790});
        row(u"restxt"_s, {200, 3870, 11600, 4850}, {200, 3870, 11600, 3950});
        row(u"txtdisplay"_s, {200, 7720, 11600, 900}, {200, 6760, 11600, 900});
        row(u"runningtext"_s, {200, 8720, 11600, 960}, {200, 7760, 11600, 960});
        fixed(u"labhistory"_s, {200, 2160, 3600, 255});
        row(u"historyview"_s, {200, 2415, 11600, 6200}, {200, 2415, 11600, 5240});
        row(u"historydetailview"_s, {200, 5515, 11600, 3100}, {200, 5035, 11600, 2620});
        row(u"hdvclose"_s, {10700, 5575, 900, 330}, {10700, 5095, 900, 330});
        fixed(u"searchstatus"_s, {450, 8805, 6050, 255});
        fixed(u"labscheduler"_s, {6500, 8805, 5300, 255});
        fixed(u"waitframe"_s, {3600, 4250, 4800, 1100});
        fixed(u"fraerrorreportdisplay"_s, {1800, 2100, 8400, 5400});
    }

    void arrangeatdesignsize()
    {
        QFETCH(QString, name);
        QTEST(arranged(12000, 9900, false).value(name), "withoutlog");
        QTEST(arranged(12000, 9900, true).value(name), "withlog");
    }

    void helpiconsbeside()
    {
        QList<TwipsRect> icons = designlayout::helpicons();
        ControlRects rects = designlayout::controls();
        resizerules::arrange(rects, icons, 12000, 9900, false);
        QCOMPARE(icons.size(), 20);
        QCOMPARE(icons[1].left, 10340);
        for (int index : {10, 15, 19})
            QCOMPARE(icons[index].top, 2160);
    }

    void viewmodetexts() { QVERIFY_THROWS_EXCEPTION(Failure, viewmodes::texts(4, false)); }

    void palettes()
    {
        const Palette standard = colorschemes::palettefor(u"Zorvane standard"_s);
        QVERIFY(!standard.panels.system);
        QVERIFY(colorschemes::palettefor(u"Windows Grey"_s).panels.system);
        QVERIFY(colorschemes::palettefor(u"zorvane standard"_s).panels.system);
        QCOMPARE(bgrtorgb(0x123456), 0x563412u);
        // The message panel appears among all panels (A) and again for its own colour (B);
        // B must come later so it is the colour that stays.
        const QList<PaletteAssignment> assigned = colorschemes::assignments(standard);
        SchemeColor last;
        for (const PaletteAssignment &a : assigned) {
            if (a.controls.contains(u"messageframe"_s))
                last = a.color;
        }
        QCOMPARE(last, standard.message);
    }

    void dialogfilters_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("expected");
        QTest::newRow("history") << u"sav files (*.sav)|*sav|Text files (*.txt)|*txt|All files (*.*)|*"_s
                                 << u"sav files (*.sav);;Text files (*.txt);;All files (*.*)"_s;
        QTest::newRow("no pattern in the text") << u"Reports|*.html"_s << u"Reports (*.html)"_s;
        QTest::newRow("unpaired tail dropped") << u"A (*.a)|*.a|B"_s << u"A (*.a)"_s;
        QTest::newRow("empty") << QString() << QString();
    }

    void dialogfilters()
    {
        QFETCH(QString, filter);
        QTEST(FileDialogs::qtfilter(filter), "expected");
    }

    void twipconversion_data()
    {
        QTest::addColumn<qreal>("dpi");
        QTest::addColumn<int>("twips");
        QTest::addColumn<int>("pixels");
        QTest::newRow("96 dpi rounds") << 96.0 << 1738 << 116;
        QTest::newRow("120 dpi") << 120.0 << 1440 << 120;
        QTest::newRow("144 dpi") << 144.0 << 735 << 74;
    }

    void twipconversion()
    {
        QFETCH(qreal, dpi);
        QFETCH(int, twips);
        QFETCH(int, pixels);
        QCOMPARE(twips::toPixels(twips, dpi), pixels);
        QVERIFY(qAbs(twips::fromPixels(pixels, dpi) - twips) <= 1440 / dpi / 2 + 1);
        // Adjacent spans meet on screen whatever the rounding.
        QCOMPARE(twips::toPixels(100, dpi) + twips::lengthToPixels(100, twips, dpi), twips::toPixels(100 + twips, dpi));
    }
};

QTEST_GUILESS_MAIN(TestLayout)
#include "tst_layout.moc"
