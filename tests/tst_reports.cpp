#include "diagnostics/errorreports.h"
#include "reports/browser.h"
#include "reports/htmlout.h"
#include "reports/reports.h"
#include "support/faildevice.h"
#include "support/sampledata.h"
#include "support/tempfolder.h"

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

// The report save writes of data, as text.
template <typename Save, typename Data> QString written(Save save, const Data &data)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    save(&buffer, data, false, Header);
    return QString::fromLatin1(buffer.data());
}

QByteArray expected(const QString &name)
{
    return readbytes(QStringLiteral(ZORVANE_TEST_DATA) + u'/' + name);
}

bool writescript(const QString &path, const QByteArray &text)
{
    return writebytes(path, text) && QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
}

// Runs headless Chromium on the file and returns the document as it stands once it has loaded
// and its timers have run. Pages of the same folder may reach into each other's frames.
QString dumpdom(const QString &path)
{
    QTemporaryDir profile;
    QProcess chromium;
    chromium.start(u"chromium"_s,
                   {u"--headless"_s, u"--no-sandbox"_s, u"--disable-gpu"_s, u"--disable-background-networking"_s,
                    u"--disable-component-update"_s, u"--disable-sync"_s, u"--no-first-run"_s,
                    u"--allow-file-access-from-files"_s, u"--virtual-time-budget=5000"_s,
                    u"--user-data-dir="_s + profile.path(), u"--dump-dom"_s, QUrl::fromLocalFile(path).toString()});
    chromium.waitForFinished(120000);
    return QString::fromUtf8(chromium.readAllStandardOutput());
}

// Opens each page in a frame, counts its links and its elements with an event handler, and
// clicks every link: those to the web or to files have their navigation cancelled (no network,
// no page left), so what runs is a link's handler or a script address. A script run by a page
// tells the harness by a message, which it writes into its own document.
const char *const Harness = R"(<html><body><script>
addEventListener('message', e => document.body.append(' ' + e.data));
function visit(frame) {
  if (frame.dataset.seen) return;
  frame.dataset.seen = 1;
  const page = frame.contentDocument;
  let handlers = 0;
  for (const element of page.querySelectorAll('*'))
    for (const attribute of element.attributes) if (/^on/i.test(attribute.name)) ++handlers;
  const links = [...page.links];
  for (const link of links) {
    if (/^(https?|file):$/.test(link.protocol)) link.addEventListener('click', e => e.preventDefault());
    link.click();
  }
  document.body.append(` ${frame.name}:links=${links.length}:handlers=${handlers}`);
  if (document.querySelectorAll('[data-seen]').length == 3) setTimeout(() => document.body.append(' DONE'), 1000);
}
</script>
<iframe name=control src=control.html onload=visit(this)></iframe>
<iframe name=ranking src=ranking.html onload=visit(this)></iframe>
<iframe name=history src=history.html onload=visit(this)></iframe>
</body></html>)";

} // namespace

class TestReports : public QObject
{
    Q_OBJECT

private slots:
    void init() { errorreports::reset(); }

    // The stored samples of both reports, byte for byte, then what they do not show.
    void reports()
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
        QCOMPARE(written(reports::savecurrent, urldata).toLatin1(), expected(u"ranking-report.html"_s));
        // A keyword whose search was stopped is not "not found".
        urldata[1].keys[2].action = u"stopped"_s;
        QVERIFY(written(reports::savecurrent, urldata).contains(u"\r\n      unknown</font>\r\n"_s));
        QVERIFY(!written(reports::savecurrent, urldata).contains(u"not found"_s));

        Array1<HistoryEntry> saved;
        saved.append({u"01-Mar-2005 08:00:00"_s,
                      array<SearchSession>({domain(u"example.com"_s, {keyword(u"red shoes"_s, {u"http://a.example/"_s},
                                                                              {u"A <b>shop</b>"_s})})})});
        const QByteArray historybytes = expected(u"history-report.html"_s);
        QCOMPARE(written(reports::savehistory, saved).toLatin1(), historybytes);
        // A second search: its visibility, and what changed since the first.
        Array1<HistoryEntry> two = saved;
        const SearchHit second{u"http://example.com/"_s, {}, {}, 2, {}};
        two.append({u"02-Mar-2005 08:00:00"_s,
                    array<SearchSession>({domain(u"example.com"_s, {keyword(u"red shoes"_s, {u"http://a.example/"_s},
                                                                            {u"A <b>shop</b>"_s}, {second})})})});
        two[2].urldata[1].keys[1].action = u"Finished search"_s;
        const QString report = written(reports::savehistory, two);
        QVERIFY(report.contains(u"<td>02-Mar-2005 08:00:00</td>\r\n      <td>50.0</td>"_s));
        QVERIFY(report.contains(u"What changed from 01-Mar-2005 08:00:00 to 02-Mar-2005 08:00:00"_s));
        QVERIFY(report.contains(u"<td>unknown</td>\r\n      <td>2</td>\r\n      <td>position unknown -> 2</td>"_s));
        // Where a search had a place, both reports name it.
        saved[1].urldata[1].locale.country = u"de"_s;
        QVERIFY(written(reports::savehistory, saved).contains(u"<b>01-Mar-2005 08:00:00 (country de)</b>"_s));
        urldata[1].locale.device = u"mobile"_s;
        QVERIFY(written(reports::savecurrent, urldata)
                    .contains(u"<b>04-Mar-2005 09:07:03</b>\r\n      </td>\r\n      <td>\r\n        <b>mobile</b>"_s));
        // An empty history: the header, then the closing tags.
        const QList<QByteArray> lines = historybytes.split('\n');
        QCOMPARE(written(reports::savehistory, Array1<HistoryEntry>()).toLatin1(),
                 lines.mid(0, 12).join('\n') + '\n' + lines.mid(lines.size() - 6).join('\n'));

        // Rules the stored samples do not show: in the ranking report, then in the history report.
        const auto top = [](const QString &url, const QString &snippet) { return SearchHit{url, {}, snippet, 1, {}}; };
        const Array1<SearchSession> many = array<SearchSession>(
            {domain(u"one.example"_s,
                    {keyword(u"k1"_s, numbered(u"http://u"_s, 12), {}, {top(u"http://one/"_s, u"same"_s)}),
                     keyword(u"k2"_s, {u"http://w1"_s, u"http://w2"_s})}),
             domain(
                 u"two.example"_s,
                 {keyword(u"k3"_s, {}, {}, {top(u"http://two/a"_s, u"same"_s), top(u"http://two/b"_s, u"other"_s)})})});
        const QString page = written(reports::savecurrent, many);
        // A snippet shown once in the whole report, even under a later domain.
        QCOMPARE(page.count(u"<p>same </font>"), 1);
        QCOMPARE(page.count(u"<p>other </font>"), 1);
        // Twelve frequency rows, three of them (and the tenth top-ten row) in colour 10; no
        // table goes past a keyword's tenth URL.
        QCOMPARE(page.count(u"<tr bgcolor=#17a8f6>"), 4);
        QVERIFY(!page.contains(u"http://u11"));

        Array1<HistoryEntry> twice;
        twice.append(
            {u"d1"_s, array<SearchSession>(
                          {domain(u"x.example"_s, {keyword(u"k"_s, {u"http://u1"_s}), keyword(u"j"_s, {u"http://u2"_s}),
                                                   keyword(u"k"_s, numbered(u"http://v"_s, 12))})})});
        const QString repeated = written(reports::savehistory, twice);
        // A keyword twice in one saved search: two tables, each with the rows of both.
        QCOMPARE(repeated.count(u"<b>Top URL's for k</b>"), 2);
        QCOMPARE(repeated.count(u"<a href=\"http://u1\">"), 3);
        QCOMPARE(repeated.count(u"<a href=\"http://v12\">"), 3);
        QCOMPARE(repeated.count(u"<a href=\"http://u2\">"), 2);
        // Rows 10 to 12 of both k tables and ranks 10 to 14 of the frequency table.
        QCOMPARE(repeated.count(u"<tr bgcolor=#17a8f6>"), 11);

        // A full disk fails the save. A top URL without its title, as a record from elsewhere may
        // have, is written untitled. View 4 has no report.
        FailDevice full(1000);
        full.open(QIODevice::WriteOnly);
        QVERIFY(!reports::savecurrent(&full, many, false, Header));
        QTemporaryDir dir;
        const QString path = dir.filePath(u"r.html"_s);
        Array1<SearchSession> untitled = many;
        untitled[1].keys[2].titles.remove(2);
        QVERIFY(reports::writereport(2, path, untitled, {}, false));
        QVERIFY(readbytes(path).contains("<a href=\"http://w2\">http://w2</a></b></font>\r\n"
                                         "      </td width = 50%>\r\n      <td>\r\n        <b></b></font>\r\n"));
        QVERIFY(!reports::writereport(4, path, many, {}, false));
    }

    // Text keeps only harmless tags. An address with a scheme other than the web's, however
    // written, becomes "#"; characters that would end its attribute are escaped.
    void safety()
    {
        const std::tuple<QString, bool, QString> rows[] = {
            {u"<b>a</b><i>b</i><em>c</em><strong>d</strong><br><wbr>"_s, false,
             u"<b>a</b><i>b</i><em>c</em><strong>d</strong><br><wbr>"_s},
            {u"<b onmouseover=x>y</b>"_s, false, u"&lt;b onmouseover=x>y</b>"_s},
            {u"<B>x<b"_s, false, u"&lt;B>x&lt;b"_s},
            {u"http://a/b c\"d'e<f>g\th"_s, true, u"http://a/b%20c%22d%27e%3Cf%3Eg%09h"_s},
            {u" JaVa\tScript:alert(1)"_s, true, u"#"_s},
            {u"HTTPS://a.example/?q=1&r=2&#58;"_s, true, u"HTTPS://a.example/?q=1&amp;r=2&amp;#58;"_s},
            {u"&#x6A;ava&Tab;script&colon;x"_s, true, u"#"_s},
            {u"javascript&#0000058x"_s, true, u"#"_s}, // a reference without its end
            {u"http&#x;://a"_s, true, u"http&amp;#x;://a"_s},
            {u"www.example.com/x"_s, true, u"www.example.com/x"_s}};
        for (const auto &[input, href, output] : rows)
            QCOMPARE(href ? reports::safehref(input) : reports::safetext(input), output);
    }

    // Both reports of hostile keywords, domains, dates, titles, snippets and URLs (script tags,
    // event handlers, script addresses plain, split by tabs and line breaks, and written with
    // character references) run no script in a browser, on loading or on a click of any link.
    void hostileReportsRunNoScript()
    {
        if (QStandardPaths::findExecutable(u"chromium"_s).isEmpty())
            QSKIP("chromium is not installed");
        const QString run = u"parent.postMessage('RAN'+'-MARK','*')"_s;
        const QStringList urls = {u"javascript:"_s + run,
                                  u" JaVa\tScript:"_s + run,
                                  u"\x01java\nscript:"_s + run,
                                  u"javascript&#58;"_s + run,
                                  u"&#x6A;ava&Tab;script&colon;"_s + run,
                                  u"javascript&#0000058"_s + run,
                                  u"http://h.example/\" onclick=\""_s + run + u"\" x=\""_s,
                                  u"http://h.example/ autofocus onfocus="_s + run + u" x="_s,
                                  u"http://x/<svg onload="_s + run + u">"_s};
        const QStringList texts = {u"<script>"_s + run + u"</script>"_s,
                                   u"<img src=x onerror="_s + run + u">"_s,
                                   u"<b onmouseover="_s + run + u">b</b>"_s,
                                   u"<svg onload="_s + run + u">"_s,
                                   u"<a href=\"javascript:"_s + run + u"\">a</a>"_s,
                                   u"<iframe srcdoc=\"<script>"_s + run + u"</script>\">"_s};
        QList<KeywordResult> keys;
        for (const QString &text : texts) {
            QList<SearchHit> hits;
            for (const QString &url : urls)
                hits.append({url, text, text + url, Int16(int(hits.size()) + 1), {}});
            keys.append(keyword(text, urls, QStringList(urls.size(), text), hits));
        }
        const Array1<SearchSession> urldata = array<SearchSession>({domain(texts[0], keys, texts[1])});
        Array1<HistoryEntry> saved;
        saved.append({texts[2], urldata});

        QTemporaryDir dir;
        QVERIFY(reports::writereport(0, dir.filePath(u"ranking.html"_s), urldata, {}, false));
        QVERIFY(reports::writereport(1, dir.filePath(u"history.html"_s), {}, saved, false));
        QVERIFY(writebytes(dir.filePath(u"control.html"_s),
                           "<script>parent.postMessage('CONTROL'+'-LOAD','*')</script>"
                           "<a href=\"javascript:parent.postMessage('CONTROL'+'-CLICK','*')\">x</a>"));
        QVERIFY(writebytes(dir.filePath(u"harness.html"_s), Harness));
        const QString dom = dumpdom(dir.filePath(u"harness.html"_s));
        // The harness sees a page's script run, on loading and on a click.
        QVERIFY2(dom.contains(u"CONTROL-LOAD"_s) && dom.contains(u"CONTROL-CLICK"_s) && dom.contains(u"DONE"_s),
                 qPrintable(dom));
        QVERIFY2(!dom.contains(u"RAN-MARK"_s), qPrintable(dom));
        // Every link is there to be clicked: results, entries and top tens, the frequency table
        // and the header's; in the history report, the top tens.
        const qsizetype links = texts.size() * urls.size();
        QVERIFY2(dom.contains(u"ranking:links=%1:handlers=0"_s.arg(3 * links + urls.size() + 1)), qPrintable(dom));
        QVERIFY2(dom.contains(u"history:links=%1:handlers=0"_s.arg(links + urls.size() + 1)), qPrintable(dom));
    }

    // The desktop's entry for text/html, found through a stand-in xdg-mime.
    void browser()
    {
        QTemporaryDir dir;
        const QString bin = dir.filePath(u"bin"_s);
        QVERIFY(QDir().mkpath(bin) && QDir().mkpath(dir.filePath(u"share/applications/web"_s)));
        QVERIFY(writescript(bin + u"/xdg-mime"_s, "#!/bin/sh\ncat \"$0.answer\"\n"));
        QVERIFY(writescript(bin + u"/mybrowser"_s, "#!/bin/sh\n"));
        QVERIFY(writebytes(dir.filePath(u"share/applications/web/my.desktop"_s),
                           "[Desktop Action new]\nExec=other\n[Desktop Entry]\nExec=mybrowser --new-window %U\n"));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.toLocal8Bit() + ':' + path);
        qputenv("XDG_DATA_HOME", dir.filePath(u"share"_s).toLocal8Bit());
        QVERIFY(writebytes(bin + u"/xdg-mime.answer"_s, "web-my.desktop\n"));
        const QString found = reports::browserexe();
        QVERIFY(writebytes(bin + u"/xdg-mime.answer"_s, ""));
        const QString none = reports::browserexe();
        qputenv("PATH", path);
        qunsetenv("XDG_DATA_HOME");
        QCOMPARE(found, bin + u"/mybrowser --new-window"_s);
        QCOMPARE(none, QString());
    }
};

QTEST_GUILESS_MAIN(TestReports)
#include "tst_reports.moc"
