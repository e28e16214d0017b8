#include "support/samplepages.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using samplepages::Hit;

namespace {

struct Run
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Run cli(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(ZORVANE_CLI_PATH), QStringList{u"parse"_s} + args);
    Run run;
    if (!process.waitForFinished(30000))
        return run;
    run.status = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

} // namespace

class TestParseCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void parse_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("soap");
        QTest::addColumn<QByteArray>("expected");
        // Raw bytes as received: chunked, CRLF, a Latin-1 byte in the title.
        const QList<Hit> html = {
            {u"http://caf\u00e9.example/"_s, u"Caf\u00e9 <b>blue</b>"_s, u"Line one\nline \"two\""_s},
            {u"http://b.example/"_s, u"B"_s, u"Tab\there"_s}};
        QTest::newRow("chunked html") << samplepages::chunkedresponse(samplepages::htmlbody(html), 100).toLatin1()
                                      << false
                                      << "{\"index\":1,\"url\":\"http://caf\xc3\xa9.example/\",\"title\":\"Caf\xc3\xa9 "
                                         "<b>blue</b>\",\"abstract\":\"Line oneline \\\"two\\\"\"}\n"
                                         "{\"index\":2,\"url\":\"http://b.example/\",\"title\":\"B\","
                                         "\"abstract\":\"Tab\\there\"}\n"_ba;
        const QList<Hit> soap = {{u"http://s.example/"_s, u"&lt;b&gt;S&lt;/b&gt;"_s, u"a &amp; b"_s}};
        QTest::newRow("soap") << samplepages::response(samplepages::soapbody(soap)).toLatin1() << true
                              << "{\"index\":1,\"url\":\"http://s.example/\",\"title\":\"<b>S</b>\",\"abstract\":\"a  "
                                 "b\"}\n"_ba;
        QTest::newRow("fault") << samplepages::response(samplepages::soapfault(u"Daily limit exceeded"_s)).toLatin1()
                               << true << "{\"fault\":\"Daily limit exceeded\"}\n"_ba;
        QTest::newRow("soap page read as html")
            << samplepages::response(samplepages::soapbody(soap)).toLatin1() << false << QByteArray();
        QTest::newRow("empty file") << QByteArray() << true << QByteArray();
    }

    void parse()
    {
        QFETCH(QByteArray, reply);
        QFETCH(bool, soap);
        const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'_'));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(reply);
        file.close();
        const Run run = cli(soap ? QStringList{u"--soap"_s, path} : QStringList{path});
        QCOMPARE(run.status, 0);
        QTEST(run.out, "expected");
        QCOMPARE(run.err, QByteArray());
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("missing file") << QStringList{m_dir.filePath(u"nothing-here"_s)};
        QTest::newRow("a folder") << QStringList{m_dir.path()};
        QTest::newRow("no file") << QStringList{u"--soap"_s};
        QTest::newRow("unknown option") << QStringList{u"--xml"_s, m_dir.filePath(u"x"_s)};
    }

    void refusals()
    {
        QFETCH(QStringList, args);
        const Run run = cli(args);
        QCOMPARE(run.status, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY(run.err.startsWith("zorvane-cli parse: "));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestParseCli)
#include "tst_parsecli.moc"
