#include "diagnostics/errorreports.h"
#include "reports/browser.h"
#include "reports/htmlout.h"
#include "reports/reports.h"
#include "support/faildevice.h"
#include "support/sampledata.h"

#include <QBuffer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;
using namespace sample;

namespace {

const reports::ReportHeader Header{u"Zorvane"_s, u"http://zorvane.test"_s, u"04-Mar-2005 09:07:03"_s};

QString current(const Array1<SearchSession> &urldata)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    reports::savecurrent(&buffer, urldata, false, Header);
    return QString::fromLatin1(buffer.data());
}

QString history(const Array1<HistoryEntry> &historydata)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    reports::savehistory(&buffer, historydata, false, Header);
    return QString::fromLatin1(buffer.data());
}

QByteArray expected(const QString &name)
{
    QFile file(QStringLiteral(ZORVANE_TEST_DATA) + u'/' + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writefile(const QString &path, const QByteArray &text, bool executable = false)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text) == text.size() &&
           (!executable || f.setPermissions(f.permissions() | QFile::ExeOwner));
}

// Runs headless Chromium on the file and returns the document as it stands after loading.
QString dumpdom(const QString &path)
{
    QTemporaryDir profile;
    QProcess chromium;
    chromium.start(u"chromium"_s,
                   {u"--headless"_s, u"--no-sandbox"_s, u"--disable-gpu"_s, u"--disable-background-networking"_s,
                    u"--disable-component-update"_s, u"--disable-sync"_s, u"--no-first-run"_s,
                    u"--user-data-dir="_s + profile.path(), u"--dump-dom"_s, QUrl::fromLocalFile(path).toString()});
    chromium.waitForFinished(120000);
    return QString::fromUtf8(chromium.readAllStandardOutput());
}

} // namespace

class TestReports : public QObject
{
    Q_OBJECT

private slots:
    void init() { errorreports::reset(); }

    void reportBytes()
    {
        const SearchHit hit{
            u"http://www.example.com/red"_s, u"<b>Red</b> shoes"_s, u"Buy <b>red shoes</b> here"_s, 2, {}};
        const QString red = u"http://www.example.com/red"_s;
        KeywordResult blue = keyword(u"blue"_s, {u"http://a.example/"_s}, {u"A shop"_s});
        blue.action = u"Finished search"_s;
        Array1<SearchSession> urldata = array<SearchSession>({domain(
            u"example.com"_s,
            {keyword(u"red shoes"_s, {u"http://a.example/"_s, red}, {u"A <b>shop</b>"_s, u"<b>Red</b> shoes"_s}, {hit}),
             blue},
            u"04-Mar-2005 09:07:03"_s)});
        QCOMPARE(current(urldata).toLatin1(), expected(u"ranking-report.html"_s));
        // A keyword whose search was stopped is not "not found".
        urldata[1].keys[2].action = u"stopped"_s;
        QVERIFY(current(urldata).contains(u"\r\n      unknown</font>\r\n"_s));
        QVERIFY(!current(urldata).contains(u"not found"_s));

        Array1<HistoryEntry> saved;
        saved.append({u"01-Mar-2005 08:00:00"_s,
                      array<SearchSession>({domain(u"example.com"_s, {keyword(u"red shoes"_s, {u"http://a.example/"_s},
                                                                              {u"A <b>shop</b>"_s})})})});
        const QByteArray historybytes = expected(u"history-report.html"_s);
        QCOMPARE(history(saved).toLatin1(), historybytes);
        // Where a search had a place, both reports name it.
        saved[1].urldata[1].locale.country = u"de"_s;
        QVERIFY(history(saved).contains(u"<b>01-Mar-2005 08:00:00 (country de)</b>"_s));
        urldata[1].locale.device = u"mobile"_s;
        QVERIFY(current(urldata).contains(
            u"<b>04-Mar-2005 09:07:03</b>\r\n      </td>\r\n      <td>\r\n        <b>mobile</b>"_s));
        // An empty history: the header, then the closing tags.
        const QList<QByteArray> lines = historybytes.split('\n');
        QCOMPARE(history({}).toLatin1(), lines.mid(0, 12).join('\n') + '\n' + lines.mid(lines.size() - 6).join('\n'));
    }

    void rankingReportRules()
    {
        const auto hit = [](const QString &url, const QString &snippet) { return SearchHit{url, {}, snippet, 1, {}}; };
        const Array1<SearchSession> urldata = array<SearchSession>(
            {domain(u"one.example"_s,
                    {keyword(u"k1"_s, numbered(u"http://u"_s, 12), {}, {hit(u"http://one/"_s, u"same"_s)}),
                     keyword(u"k2"_s, {u"http://w1"_s, u"http://w2"_s})}),
             domain(
                 u"two.example"_s,
                 {keyword(u"k3"_s, {}, {}, {hit(u"http://two/a"_s, u"same"_s), hit(u"http://two/b"_s, u"other"_s)})})});
        const QString page = current(urldata);
        // A snippet shown once in the whole report, even under a later domain.
        QCOMPARE(page.count(u"<p>same </font>"), 1);
        QCOMPARE(page.count(u"<p>other </font>"), 1);
        // Twelve frequency rows, three of them (and the tenth top-ten row) in colour 10; no
        // table goes past a keyword's tenth URL.
        QCOMPARE(page.count(u"<tr bgcolor=#17a8f6>"), 4);
        QVERIFY(!page.contains(u"http://u11"));
    }

    void historyReportRules()
    {
        Array1<HistoryEntry> saved;
        saved.append(
            {u"d1"_s, array<SearchSession>(
                          {domain(u"x.example"_s, {keyword(u"k"_s, {u"http://u1"_s}), keyword(u"j"_s, {u"http://u2"_s}),
                                                   keyword(u"k"_s, numbered(u"http://v"_s, 12))})})});
        const QString page = history(saved);
        // A keyword twice in one saved search: two tables, each with the rows of both.
        QCOMPARE(page.count(u"<b>Top URL's for k</b>"), 2);
        QCOMPARE(page.count(u"<a href=http://u1>"), 3);
        QCOMPARE(page.count(u"<a href=http://v12>"), 3);
        QCOMPARE(page.count(u"<a href=http://u2>"), 2);
        // Rows 10 to 12 of both k tables and ranks 10 to 14 of the frequency table.
        QCOMPARE(page.count(u"<tr bgcolor=#17a8f6>"), 11);
    }

    void safety_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("href");
        QTest::addColumn<QString>("output");
        QTest::newRow("harmless tags") << u"<b>a</b><i>b</i><em>c</em><strong>d</strong><br><wbr>"_s << false
                                       << u"<b>a</b><i>b</i><em>c</em><strong>d</strong><br><wbr>"_s;
        QTest::newRow("script") << u"<script>x</script>"_s << false << u"&lt;script>x&lt;/script>"_s;
        QTest::newRow("attribute") << u"<b onmouseover=x>y</b>"_s << false << u"&lt;b onmouseover=x>y</b>"_s;
        QTest::newRow("capitals, open end") << u"<B>x<b"_s << false << u"&lt;B>x&lt;b"_s;
        QTest::newRow("break-out characters")
            << u"http://a/b c\"d'e<f>g\th"_s << true << u"http://a/b%20c%22d%27e%3Cf%3Eg%09h"_s;
        QTest::newRow("script scheme") << u"javascript:alert(1)"_s << true << u"#"_s;
        QTest::newRow("hidden script scheme") << u" JaVa\tScript:alert(1)"_s << true << u"#"_s;
        QTest::newRow("web addresses stay")
            << u"HTTPS://a.example/?q=1&r=2"_s << true << u"HTTPS://a.example/?q=1&r=2"_s;
        QTest::newRow("no scheme stays") << u"www.example.com/x"_s << true << u"www.example.com/x"_s;
    }
    void safety()
    {
        QFETCH(QString, input);
        QFETCH(bool, href);
        QFETCH(QString, output);
        QCOMPARE(href ? reports::safehref(input) : reports::safetext(input), output);
    }

    void hostileReportRunsNoScript()
    {
        if (QStandardPaths::findExecutable(u"chromium"_s).isEmpty())
            QSKIP("chromium is not installed");
        QTemporaryDir dir;
        const QString control = dir.filePath(u"control.html"_s);
        QVERIFY(writefile(control, "<html><body><script>document.body.append('RAN' + '-MARK')</script></body></html>"));
        QVERIFY2(dumpdom(control).contains(u"RAN-MARK"), "the browser must run an ordinary script");

        const QString mark = u"document.title='RAN'+'-MARK'"_s;
        const SearchHit hit{u"http://h.example/ autofocus onfocus="_s + mark + u" x="_s,
                            u"<script>"_s + mark + u"</script>"_s,
                            u"<img src=x onerror="_s + mark + u">"_s,
                            1,
                            {}};
        const Array1<SearchSession> urldata = array<SearchSession>({domain(
            u"example.com"_s,
            {keyword(u"k"_s, {u"javascript:"_s + mark, u"http://x/<svg onload="_s + mark + u">"_s},
                     {u"<svg onload="_s + mark + u">"_s, u"<iframe srcdoc=\"<script>"_s + mark + u"</script>\">"_s},
                     {hit})})});
        const QString report = dir.filePath(u"report.html"_s);
        QVERIFY(reports::writereport(0, report, urldata, {}, false));
        const QString dom = dumpdom(report);
        QVERIFY(dom.contains(u"<title>Zorvane Keyword Ranking Report</title>"));
        QVERIFY(!dom.contains(u"RAN-MARK"));
    }

    void failures()
    {
        const Array1<SearchSession> urldata =
            array<SearchSession>({domain(u"a.example"_s, {keyword(u"k"_s, numbered(u"u"_s, 10))})});
        FailDevice full(1000);
        full.open(QIODevice::WriteOnly);
        QVERIFY(!reports::savecurrent(&full, urldata, false, Header));
        // A report that fails half-way (a top URL without its title) leaves the old file.
        QTemporaryDir dir;
        const QString path = dir.filePath(u"r.html"_s);
        QVERIFY(writefile(path, "old"));
        Array1<SearchSession> broken = urldata;
        broken[1].keys[1].titles.remove(10);
        QVERIFY(!reports::writereport(2, path, broken, {}, false));
        QFile old(path);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old"));
        QVERIFY(!reports::writereport(4, path, urldata, {}, false)); // no report for that view
    }

    // The desktop's entry for text/html, found through a stand-in xdg-mime.
    void browser()
    {
        QTemporaryDir dir;
        const QString bin = dir.filePath(u"bin"_s);
        QVERIFY(QDir().mkpath(bin) && QDir().mkpath(dir.filePath(u"share/applications/web"_s)));
        QVERIFY(writefile(bin + u"/xdg-mime"_s, "#!/bin/sh\ncat \"$0.answer\"\n", true));
        QVERIFY(writefile(bin + u"/mybrowser"_s, "#!/bin/sh\n", true));
        QVERIFY(writefile(dir.filePath(u"share/applications/web/my.desktop"_s),
                          "[Desktop Action new]\nExec=other\n[Desktop Entry]\nExec=mybrowser --new-window %U\n"));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.toLocal8Bit() + ':' + path);
        qputenv("XDG_DATA_HOME", dir.filePath(u"share"_s).toLocal8Bit());
        QVERIFY(writefile(bin + u"/xdg-mime.answer"_s, "web-my.desktop\n"));
        const QString found = reports::browserexe();
        QVERIFY(writefile(bin + u"/xdg-mime.answer"_s, ""));
        const QString none = reports::browserexe();
        qputenv("PATH", path);
        qunsetenv("XDG_DATA_HOME");
        QCOMPARE(found, bin + u"/mybrowser --new-window"_s);
        QCOMPARE(none, QString());
    }
};

QTEST_GUILESS_MAIN(TestReports)
#include "tst_reports.moc"
