#include "app/designlayout.h"
#include "app/resizerules.h"
#include "platform/filedialogs.h"
#include "platform/twips.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestLayout : public QObject
{
    Q_OBJECT

    struct Arranged
    {
        ControlRects rects;
        QList<TwipsRect> icons = designlayout::helpicons();
    };
    static Arranged arranged(int W, int H, bool showrunning)
    {
        Arranged a{designlayout::controls()};
        resizerules::arrange(a.rects, a.icons, W, H, showrunning);
        return a;
    }
    static bool inside(const TwipsRect &inner, const TwipsRect &outer)
    {
        return inner.left >= outer.left && inner.top >= outer.top && inner.right() <= outer.right() &&
               inner.bottom() <= outer.bottom();
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
        const auto [r, icons] = arranged(W, 9900, false);
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
        const ControlRects r = arranged(12000, H, showrunning).rects;
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
