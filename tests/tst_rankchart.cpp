#include "app/appstate.h"
#include "app/colorschemes.h"
#include "app/gradientbutton.h"
#include "app/historydiffcontroller.h"
#include "app/historyviewcontroller.h"
#include "app/mainmenus.h"
#include "app/mainwindow.h"
#include "diagnostics/errorreports.h"
#include "support/clirun.h"
#include "support/desktop.h"
#include "support/tempfolder.h"
#include "support/testfiledialogs.h"
#include "views/diffview.h"
#include "views/historyrows.h"
#include "views/listview.h"
#include "views/rankchart.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGraphicsTextItem>
#include <QLegendMarker>
#include <QLineSeries>
#include <QTest>
#include <QToolTip>
#include <QTreeWidget>
#include <QXmlStreamReader>

using namespace Qt::Literals::StringLiterals;

namespace {

// Five saves of a.example and b.example searching "shoes" (0: not found); the fourth's date
// cannot be read.
QString writehistory(const TempProgramFolder &folder)
{
    QFile file(folder.file(u"h.sav"_s));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    for (const QByteArray &record : QByteArray("01-Mar-2025 4 0|02-Mar-2025 3 12|03-Mar-2025 0 11|04-Xyz-2025 1 1|"
                                               "05-Mar-2025 2 8")
                                        .split('|')) {
        const QList<QByteArray> fields = record.split(' ');
        file.write("----------" + fields[0] + " 10:00:00\r\n");
        for (int d = 1; d <= 2; ++d) {
            file.write(QByteArray("URL: ") + (d == 1 ? "a" : "b") +
                       ".example\r\nKEY: shoes\r\nact: Finished search\r\nurls: http://t/\r\ntitles: T\r\n");
            file.write(fields[d] != "0" ? "pos: " + fields[d] + "\r\n" : QByteArray());
        }
    }
    return file.fileName();
}

// Every label the chart draws is whole: positions from 1 at the top, distinct records across.
void checklabels(const RankChart &chart)
{
    QStringList shown;
    for (const QGraphicsItem *item : chart.scene()->items()) {
        const auto *text = dynamic_cast<const QGraphicsTextItem *>(item);
        if (text != nullptr && text->isVisible())
            shown << text->toPlainText();
    }
    const QStringList moments = chart.momentlabels();
    QVERIFY2(!shown.join(u' ').contains(u"..."_s), qPrintable(shown.join(u'|')));
    QCOMPARE(chart.positionlabels().value(0), u"1"_s);
    for (const QString &label : chart.positionlabels() + moments)
        QVERIFY2(shown.contains(label), qPrintable(label));
    QCOMPARE(QSet<QString>(moments.begin(), moments.end()).size(), moments.size());
}

// Each drawn line: its name, colour and points (value@place across), and whether it has the
// legend entry.
QStringList drawnlines(const RankChart &chart)
{
    QStringList drawn;
    for (QAbstractSeries *series : chart.chart()->series()) {
        auto *line = qobject_cast<QLineSeries *>(series);
        QString text = line->name() + u' ' + line->pen().color().name() + u':';
        for (const QPointF &point : line->points())
            text += u" %1@%2"_s.arg(point.y(), 0, 'g', 3).arg(point.x());
        const bool legend =
            chart.chart()->legend()->isVisible() && chart.chart()->legend()->markers(line).first()->isVisible();
        drawn << text + (legend ? u" legend"_s : QString());
    }
    return drawn;
}

} // namespace

// The history view's chart and its comparison of two records.
class TestRankChart : public QObject
{
    Q_OBJECT

private slots:
    // A history file in the history view's chart, then History > What changed... on another:
    // the last two records for the domain filter's domain, in the history view's colours;
    // another date shows that pair.
    void historyview()
    {
        Desktop w;
        MainWindow &window = w.open();
        TestFileDialogs dialogs;
        window.setfiledialogs(&dialogs);
        dialogs.setNextFileName(writehistory(w.folder));
        window.controls().buttons.dohistory->click();
        const HistoryControls &h = window.controls().history;
        RankChart &chart = window.historyview().historychart();
        // No keyword chosen: the visibility of the domain and of b.example, which searched the
        // same keyword, below the list, a point per readable date.
        QVERIFY(chart.isVisible() && chart.series().isEmpty());
        QCOMPARE(drawnlines(chart), (QStringList{u"a.example #1f3fbf: 23.3@1 33.3@2 0@3 50@4 legend"_s,
                                                 u"b.example #c02020: 0@1 3.33@2 3.33@3 8.33@4 legend"_s}));
        const QRect split = h.historyview->geometry();
        // The analysis has no chart: its list takes the whole room.
        window.controls().buttons.doanalyze->click();
        QVERIFY(!chart.isVisible());
        const QRect full = h.historyview->geometry();
        window.controls().buttons.doanalyze->click();

        // A line picks the keyword, the domain filter the domain; the chart goes below the list.
        h.historyview->tree()->topLevelItem(0)->setSelected(true);
        QVERIFY(chart.isVisible() && chart.visibilityseries().isEmpty());
        const HistoryData &historydata = w.state->historydata;
        QCOMPARE(chart.series(), rankseries::build(historydata, u"shoes"_s, u"a.example"_s));
        const QRect list = h.historyview->geometry();
        QCOMPARE(list, split);
        QVERIFY(list.top() == full.top() && list.bottom() < chart.geometry().top());
        QVERIFY(chart.geometry().bottom() <= full.bottom() + 1 && list.height() * 3 >= full.height());
        // The plot takes the boxes' colour of the scheme chosen after the chart was made.
        w.state->settings.colorscheme = u"Windows Grey"_s;
        window.setcols();
        const QColor grey = QColor::fromRgb(colorschemes::palettefor(u"Windows Grey"_s).textboxes.rgb());
        QCOMPARE(chart.chart()->plotAreaBackgroundBrush().color(), grey);

        // Every domain: one line per run of readings, one colour and one legend entry per domain,
        // a place across per record with a readable date.
        chart.setseries(u"shoes"_s, rankseries::build(historydata, u"shoes"_s, historyrows::ShowAll));
        QCoreApplication::processEvents();
        const QStringList drawn = drawnlines(chart);
        const QString a = u"a.example "_s + RankChart::linecolor(0).name();
        const QString b = u"b.example "_s + RankChart::linecolor(1).name();
        QCOMPARE(drawn, (QStringList{a + u": 4@1 3@2 legend"_s, a + u": 2@4"_s, b + u": 12@2 11@3 8@4 legend"_s}));
        checklabels(chart);

        // The pointer resting on a point, a lone one too, shows its reading until it leaves.
        const auto pointat = [&](int series, int point) {
            auto *line = qobject_cast<QLineSeries *>(chart.chart()->series().at(series));
            return chart.mapFromScene(chart.chart()->mapToPosition(line->at(point), line));
        };
        const QList<std::tuple<QPoint, QString>> hovers{
            {pointat(0, 0) + QPoint(2, -3), u"01-Mar-2025 10:00:00\na.example: position 4"_s},
            {pointat(1, 0) + QPoint(4, 4), u"05-Mar-2025 10:00:00\na.example: position 2"_s},
            {pointat(1, 0) + QPoint(0, 30), QString()}};
        for (const auto &[at, text] : hovers) {
            QCOMPARE(chart.tipat(at), text);
            QTest::mouseMove(chart.viewport(), at);
            QTRY_COMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(), text);
        }

        QCOMPARE(errorreports::errortext(), QString());

        // No line chosen and every keyword: the visibility again, with the hover text of a point.
        h.historyview->tree()->clearSelection();
        QVERIFY(chart.isVisible() && chart.series().isEmpty());
        QCOMPARE(chart.tipat(pointat(0, 2)), u"03-Mar-2025 10:00:00\na.example: visibility 0.0 %"_s);

        // Back to the results: outside the history view there is nothing to compare.
        window.controls().buttons.dohistory->click();
        DiffView &view = window.historyview().diff().diffview();
        window.menus().mnuhistorydiff->trigger();
        QVERIFY(!view.isVisible());
        QCOMPARE(w.prompts.messages().size(), 1);
        const QString file = w.folder.file(u"d.sav"_s);
        QVERIFY(QFile::copy(QStringLiteral(ZORVANE_TEST_DATA) + u"/diff/two-records.sav"_s, file));
        dialogs.setNextFileName(file);
        window.controls().buttons.dohistory->click();
        window.menus().mnuhistorydiff->trigger();
        QVERIFY(view.isVisible());
        QCOMPARE(view.dates(), (QStringList{u"01-Mar-2025 10:00:00"_s, u"02-Mar-2025 10:00:00"_s}));
        QCOMPARE(std::pair(view.from(), view.to()), std::pair(1, 2));
        ListView *changes = view.historydiffview();
        QCOMPARE(rows(changes, {0, 1, 2, 3, 4}),
                 (QStringList{
                     u"a.example|shoes|5|3|position 5 -> 3"_s,
                     u"a.example|shoes|||page http://a.example/old replaced by http://a.example/new"_s,
                     u"a.example|shoes|||entered the top ten: http://new.example/"_s,
                     u"a.example|shoes|||left the top ten: http://gone.example/"_s,
                     u"a.example|shoes|||title of http://stay.example/: \"Stay\" -> \"Stay here\""_s,
                     u"a.example|gloves|7|unknown|position 7 -> unknown"_s,
                     u"a.example|hats||2|position not listed -> 2"_s,
                     u"a.example|boots|4||position 4 -> not listed"_s,
                 }));
        const QPalette &history = h.historyview->palette();
        QCOMPARE(changes->palette().color(QPalette::Base), history.color(QPalette::Base));
        QCOMPARE(changes->palette().color(QPalette::Text), history.color(QPalette::Text));

        // A record against itself: nothing changed.
        auto *from = view.findChild<QComboBox *>(u"diffdatefrom"_s);
        from->setCurrentIndex(1);
        emit from->activated(1);
        QCOMPARE(changes->itemcount(), 0);

        // The first file drawn by zorvane-cli history chart: a PNG of the size asked; an SVG on
        // standard output without --out, a marker per reading and none for the gap or the bad
        // date; wrong options and missing data said, with nothing written.
        // Drawing needs no display, whatever the caller's platform.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(u"QT_QPA_PLATFORM"_s);
        environment.remove(u"DISPLAY"_s);
        const auto clichart = [&](const QString &args) {
            QStringList words = args.split(u' ');
            for (QString &arg : words)
                arg = arg.startsWith(u"c."_s) || arg.endsWith(u".sav"_s) ? w.folder.file(arg) : arg;
            return clirun::run(QStringList{u"history"_s, u"chart"_s} + words, {{}, environment});
        };
        QCOMPARE(clichart(u"h.sav --keyword shoes --out c.PNG --size 640x360"_s).status, 0);
        QCOMPARE(QImage(w.folder.file(u"c.PNG"_s), "PNG").size(), QSize(640, 360));
        const clirun::Result svg = clichart(u"h.sav --keyword shoes --domain a.example"_s);
        QXmlStreamReader reader(svg.out);
        while (!reader.atEnd())
            reader.readNext();
        QVERIFY2(svg.status == 0 && !reader.hasError(), qPrintable(reader.errorString()));
        QVERIFY(svg.out.count("<svg") == 1 && (svg.out.contains("<path") || svg.out.contains("<polyline")));
        QCOMPARE(svg.out.count("<circle"), 3);

        const std::tuple<QString, int, QString> failures[] = {
            {u"h.sav --keyword shoes --size 10x9999"_s, 2, u"--size"_s},
            {u"h.sav --keyword shoes --out c.jpg"_s, 2, u".svg or .png"_s},
            {u"h.sav --keyword boots --out c.svg"_s, 1, u"\"boots\""_s},
            {u"none.sav --keyword shoes"_s, 1, u"File doesn't exist!"_s}};
        for (const auto &[args, status, words] : failures) {
            const clirun::Result run = clichart(args);
            QVERIFY2(run.status == status && QString::fromUtf8(run.err).contains(words), qPrintable(args));
            QVERIFY(run.out.isEmpty() && !QFile::exists(w.folder.file(u"c.svg"_s)));
        }
    }
};

QTEST_MAIN(TestRankChart)
#include "tst_rankchart.moc"
