#include "app/appstate.h"
#include "app/colorschemes.h"
#include "app/gradientbutton.h"
#include "app/historycontroller.h"
#include "app/mainwindow.h"
#include "platform/shell.h"
#include "support/fakeconnection.h"
#include "support/tempfolder.h"
#include "support/testfiledialogs.h"
#include "support/testprompts.h"
#include "views/historyrows.h"
#include "views/listview.h"
#include "views/rankchart.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLegendMarker>
#include <QLineSeries>
#include <QTest>
#include <QTreeWidget>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

class NoShell final : public Shell
{
public:
    void open(const QString &) override {}
    void run(const QString &, const QStringList &) override {}
};

// Six saves of two domains searching "shoes": a.example missing from the third and fourth,
// b.example from the first; the fifth save's date cannot be read.
QByteArray historytext()
{
    const QList<std::pair<const char *, std::pair<int, int>>> records = {
        {"01-Mar-2025 10:00:00", {4, 0}}, {"02-Mar-2025 10:00:00", {3, 12}}, {"03-Mar-2025 10:00:00", {0, 11}},
        {"04-Mar-2025 10:00:00", {0, 9}}, {"05-Xyz-2025 10:00:00", {1, 1}},  {"06-Mar-2025 10:00:00", {2, 8}}};
    QByteArray text;
    for (const auto &[when, positions] : records) {
        text += QByteArray("----------") + when + "\r\nTXTURL: a.example\r\n";
        for (const auto &[domain, position] :
             {std::pair{"a.example", positions.first}, std::pair{"b.example", positions.second}}) {
            text += QByteArray("URL: ") + domain + "\r\nKEY: shoes\r\n";
            if (position > 0)
                text += "pos: " + QByteArray::number(position) + "\r\nurl: http://" + domain + "/s\r\n";
            text += "urls: http://top.example/\r\ntitles: Top\r\n";
        }
    }
    return text;
}

struct Window
{
    TempProgramFolder folder;
    AppState state;
    TestPrompts prompts;
    TestFileDialogs dialogs;
    FakeConnection connection;
    NoShell shell;
    std::unique_ptr<MainWindow> window;

    Window()
    {
        window = std::make_unique<MainWindow>(state, MainWindow::Seams{&prompts, &connection, &shell});
        window->setfiledialogs(&dialogs);
        window->resize(900, 760);
        window->show();
        QFile file(folder.file(u"h.sav"_s));
        if (file.open(QIODevice::WriteOnly))
            file.write(historytext());
        file.close();
        dialogs.setNextFileName(file.fileName());
        window->controls().buttons.dohistory->click();
    }
    const HistoryControls &h() const { return window->controls().history; }
    RankChart &chart() const { return window->history().historychart(); }
    void pick(QComboBox *box, const QString &text) const
    {
        box->setCurrentIndex(box->findText(text));
        emit box->activated(box->currentIndex());
    }
};

} // namespace

class TestRankChart : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setStyle(u"Fusion"_s); }

    // The drawn lines are the core's series: one piece per run of readings, nothing at 0, one
    // colour and one legend entry per domain.
    void linesmatchseries()
    {
        Window w;
        QVERIFY(!w.chart().isVisible());
        // A line picks the keyword; the domain is the domain filter's.
        w.h().historyview->tree()->topLevelItem(0)->setSelected(true);
        QVERIFY(w.chart().isVisible());
        const Array1<HistoryEntry> &historydata = w.window->history().historydata();
        QCOMPARE(w.chart().series(), rankseries::build(historydata, u"shoes"_s, u"a.example"_s));

        RankChart chart;
        const QList<RankSeries> expected = rankseries::build(historydata, u"shoes"_s, historyrows::ShowAll);
        chart.setseries(u"shoes"_s, expected);
        chart.resize(600, 300);
        chart.show();
        QCOMPARE(expected.size(), 2);
        QList<QList<QPointF>> drawn[2];
        QColor colors[2];
        int legends[2] = {0, 0};
        for (QAbstractSeries *series : chart.chart()->series()) {
            auto *line = qobject_cast<QLineSeries *>(series);
            QVERIFY(line != nullptr);
            const int n = chart.seriesof(line) == &chart.series()[0] ? 0 : 1;
            QCOMPARE(line->name(), expected[n].domain);
            drawn[n].append(line->points());
            colors[n] = line->pen().color();
            for (QLegendMarker *marker : chart.chart()->legend()->markers(line))
                legends[n] += marker->isVisible() ? 1 : 0;
        }
        for (int n = 0; n < 2; ++n) {
            QList<QList<QPointF>> pieces;
            for (const QList<RankPoint> &piece : expected[n].pieces()) {
                QList<QPointF> points;
                for (const RankPoint &point : piece)
                    points.append(
                        {qreal(rankseries::wallclock(point.moment).toMSecsSinceEpoch()), qreal(*point.position)});
                pieces.append(points);
            }
            QCOMPARE(drawn[n], pieces);
            QCOMPARE(legends[n], 1);
        }
        // a.example: 4 3 | 2; b.example: 12 11 9 8 (the unreadable date left out).
        QCOMPARE(drawn[0].size(), 2);
        QCOMPARE(drawn[1].size(), 1);
        QCOMPARE(drawn[1].first().size(), 4);
        QVERIFY(colors[0] != colors[1]);

        const auto *first = qobject_cast<QLineSeries *>(chart.chart()->series().first());
        QCOMPARE(chart.tiptext(first, first->at(0) + QPointF(1000, 0)),
                 u"01-Mar-2025 10:00:00\na.example: position 4"_s);
    }

    // The chart comes below the list, within the list's room, and goes again with the keyword.
    void layoutandscheme()
    {
        Window w;
        const QRect full = w.h().historyview->geometry();
        w.pick(w.h().historykeys, u"shoes"_s);
        QVERIFY(w.chart().isVisible());
        QCOMPARE(w.chart().series().size(), 1);
        const QRect list = w.h().historyview->geometry();
        const QRect chart = w.chart().geometry();
        QCOMPARE(list.top(), full.top());
        QVERIFY(list.bottom() < chart.top());
        QVERIFY(chart.bottom() <= full.bottom() + 1);
        QVERIFY(list.height() * 3 >= full.height());
        QCOMPARE(chart.width(), full.width());

        for (const QString &scheme : {u"Windows Grey"_s, u"Zorvane standard"_s}) {
            w.state.settings.colorscheme = scheme;
            w.window->setcols();
            const Palette palette = colorschemes::palettefor(scheme);
            QCOMPARE(w.chart().chart()->plotAreaBackgroundBrush().color(), QColor::fromRgb(palette.textboxes.rgb()));
        }

        w.pick(w.h().historykeys, historyrows::ShowAll);
        QVERIFY(!w.chart().isVisible());
        QCOMPARE(w.h().historyview->geometry(), full);
    }
};

QTEST_MAIN(TestRankChart)
#include "tst_rankchart.moc"
