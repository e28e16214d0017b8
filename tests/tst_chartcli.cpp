#include "support/tempfolder.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTest>
#include <QXmlStreamReader>

using namespace Qt::Literals::StringLiterals;

namespace {

// Four saves of one domain, not found in the second.
const QByteArray History = "----------01-Mar-2025 10:00:00\r\nURL: a.example\r\nKEY: shoes\r\npos: 4\r\n"
                           "urls: http://top.example/\r\ntitles: Top\r\n"
                           "----------02-Mar-2025 10:00:00\r\nURL: a.example\r\nKEY: shoes\r\n"
                           "urls: http://top.example/\r\ntitles: Top\r\n"
                           "----------03-Mar-2025 10:00:00\r\nURL: a.example\r\nKEY: shoes\r\npos: 2\r\n"
                           "urls: http://top.example/\r\ntitles: Top\r\n"
                           "----------04-Mar-2025 10:00:00\r\nURL: a.example\r\nKEY: shoes\r\npos: 3\r\n"
                           "urls: http://top.example/\r\ntitles: Top\r\n";

struct Run
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Run run(const QStringList &args)
{
    QProcess process;
    // The command must draw without a display whatever the caller's platform is.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(u"QT_QPA_PLATFORM"_s);
    environment.remove(u"DISPLAY"_s);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ZORVANE_CLI_PATH), args);
    Run result;
    if (process.waitForFinished(60000))
        result = {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
    return result;
}

// How many elements of each drawing kind an SVG document holds; empty when it is not well
// formed SVG.
QHash<QString, int> svgshapes(const QByteArray &svg)
{
    QXmlStreamReader reader(svg);
    QHash<QString, int> shapes;
    bool root = false;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        root = root || reader.name() == u"svg";
        shapes[reader.name().toString()] += 1;
    }
    return reader.hasError() || !root ? QHash<QString, int>() : shapes;
}

} // namespace

class TestChartCli : public QObject
{
    Q_OBJECT

private slots:
    void writes()
    {
        TempProgramFolder folder;
        const QString history = folder.file(u"h.sav"_s);
        QFile file(history);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(History);
        file.close();

        const QString png = folder.file(u"c.PNG"_s);
        Run r = run({u"history"_s, u"chart"_s, history, u"--keyword"_s, u"shoes"_s, u"--out"_s, png, u"--size"_s,
                     u"640x360"_s});
        QCOMPARE(r.status, 0);
        QCOMPARE(QImage(png, "PNG").size(), QSize(640, 360));

        // Standard output without --out, the SVG of the default size.
        r = run({u"history"_s, u"chart"_s, history, u"--keyword"_s, u"shoes"_s, u"--domain"_s, u"a.example"_s});
        QCOMPARE(r.status, 0);
        const QHash<QString, int> shapes = svgshapes(r.out);
        QVERIFY2(!shapes.isEmpty(), r.err.constData());
        // Axes, grid and the line from 2 to 3 are drawn as paths; each reading is one marker,
        // and the save without the domain none.
        QVERIFY(shapes.value(u"path"_s) + shapes.value(u"polyline"_s) > 0);
        QCOMPARE(shapes.value(u"circle"_s), 3);
        QVERIFY(r.out.contains("shoes (a.example)"));

        r = run({u"history"_s, u"chart"_s, folder.file(u"none.sav"_s), u"--keyword"_s, u"shoes"_s});
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.contains("File doesn't exist!"));
    }

    void refuses_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("no keyword") << QStringList{} << 2 << QByteArray("--keyword");
        QTest::newRow("bad size") << QStringList{u"--keyword"_s, u"shoes"_s, u"--size"_s, u"10x9999"_s} << 2
                                  << QByteArray("--size");
        QTest::newRow("bad ending") << QStringList{u"--keyword"_s, u"shoes"_s, u"--out"_s, u"c.jpg"_s} << 2
                                    << QByteArray(".svg or .png");
        QTest::newRow("keyword absent") << QStringList{u"--keyword"_s, u"boots"_s, u"--out"_s, u"c.svg"_s} << 1
                                        << QByteArray("\"boots\"");
        QTest::newRow("domain absent") << QStringList{u"--keyword"_s, u"shoes"_s, u"--domain"_s,
                                                      u"b.example"_s, u"--out"_s, u"c.svg"_s}
                                       << 1 << QByteArray("b.example");
        QTest::newRow("unknown option") << QStringList{u"--keyword"_s, u"shoes"_s, u"--file"_s} << 2
                                        << QByteArray("file");
    }

    void refuses()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        TempProgramFolder folder;
        QFile file(folder.file(u"h.sav"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(History);
        file.close();
        for (QString &arg : args) {
            if (arg.startsWith(u"c."_s))
                arg = folder.file(arg);
        }
        const Run r = run(QStringList{u"history"_s, u"chart"_s, file.fileName()} + args);
        QCOMPARE(r.status, status);
        QFETCH(QByteArray, message);
        QVERIFY2(r.err.contains(message), r.err.constData());
        QVERIFY(!QFile::exists(folder.file(u"c.svg"_s)));
        QVERIFY(r.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestChartCli)
#include "tst_chartcli.moc"
