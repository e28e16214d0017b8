#include "help/help.h"
#include "platform/product.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

namespace {

// Records what help would open: "htmlhelp FILE COMMAND CONTEXT", "winhelp ...", "browser TARGET".
class RecordingOpener final : public HelpOpener
{
public:
    QStringList opened;
    void htmlhelp(const QString &file, int command, int context) override
    {
        record(u"htmlhelp"_s, file, command, context);
    }
    void winhelp(const QString &file, int command, int context) override
    {
        record(u"winhelp"_s, file, command, context);
    }
    void openbrowser(const QString &target) override { opened << u"browser "_s + target; }

private:
    void record(const QString &kind, const QString &file, int command, int context)
    {
        opened << u"%1 %2 %3 %4"_s.arg(kind, QFileInfo(file).fileName()).arg(command).arg(context);
    }
};

void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

// The targets of the href and src attributes of a page, and the ids it defines.
QStringList matches(const QString &text, const QString &pattern)
{
    QStringList found;
    for (const auto &match : QRegularExpression(pattern).globalMatch(text))
        found << match.captured(1);
    return found;
}

} // namespace

// Which help the commands open for each set of help files beside the program, and the user
// guide's links.
class TestHelp : public QObject
{
    Q_OBJECT

private slots:
    void rules_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("expected"); // the Help menu, help icon 3, help icon 0
        const QString web = u"browser "_s + product::website() + u"/help"_s;
        QTest::newRow("none") << QStringList() << QStringList{web, web, web};
        QTest::newRow("old-style") << QStringList{u"Zorvane.hlp"_s}
                                   << QStringList{u"winhelp Zorvane.hlp 3 0"_s, u"winhelp Zorvane.hlp 8 203"_s,
                                                  u"winhelp Zorvane.hlp 8 200"_s};
        QTest::newRow("compiled") << QStringList{u"Zorvane.chm"_s}
                                  << QStringList{u"htmlhelp Zorvane.chm 0 0"_s, u"htmlhelp Zorvane.chm 15 203"_s,
                                                 u"htmlhelp Zorvane.chm 15 200"_s};
        QTest::newRow("both") << QStringList{u"Zorvane.chm"_s, u"Zorvane.hlp"_s, u"guide/index.html"_s}
                              << QStringList{u"htmlhelp Zorvane.chm 0 0"_s, u"winhelp Zorvane.hlp 8 203"_s,
                                             u"winhelp Zorvane.hlp 8 200"_s};
        QTest::newRow("guide") << QStringList{u"guide/index.html"_s}
                               << QStringList{u"guide/index.html"_s, u"guide/first-search.html#stop-after-hit"_s,
                                              u"guide/domains-keywords.html#domain"_s};
    }
    void rules()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        for (const QString &file : files)
            touch(dir.filePath(file));
        RecordingOpener opener;
        Help help(opener, dir.path());
        help.mnuwinhelp_Click();
        help.helpbutton_Click(3);
        help.helpbutton_Click(0);
        for (QString &target : expected) {
            if (target.startsWith(u"guide/"_s))
                target = u"browser "_s + QUrl::fromLocalFile(dir.filePath(u"guide"_s)).toString() + target.sliced(5);
        }
        QCOMPARE(opener.opened, expected);
        // A negative context always goes to the web site.
        help.openhelp(-1);
        QCOMPARE(opener.opened.last(), u"browser "_s + product::website() + u"/help"_s);
    }

    // Every link of the guide leads to a page that exists and, with a fragment, to an id on it;
    // so does the section of every help icon.
    void guideLinks()
    {
        const QDir guide(QStringLiteral(ZORVANE_GUIDE_DIR));
        QStringList links;
        for (int topic = Help::FirstTopic; topic < Help::FirstTopic + 20; ++topic)
            links << u"index.html "_s + Help::guidepage(topic);
        for (const QString &page : guide.entryList({u"*.html"_s})) {
            QFile file(guide.filePath(page));
            QVERIFY(file.open(QIODevice::ReadOnly));
            for (const QString &target :
                 matches(QString::fromUtf8(file.readAll()), uR"re((?:href|src)="([^"]*)")re"_s)) {
                if (!target.startsWith(u"http"_s) && !target.startsWith(u"mailto:"_s))
                    links << page + u' ' + target;
            }
        }
        QVERIFY(links.size() > 100);
        for (const QString &link : links) {
            const QString from = link.section(u' ', 0, 0);
            QString target = link.section(u' ', 1);
            if (target.startsWith(u'#'))
                target.prepend(from);
            QFile file(guide.filePath(target.section(u'#', 0, 0)));
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(link));
            const QString id = target.section(u'#', 1);
            if (!id.isEmpty())
                QVERIFY2(matches(QString::fromUtf8(file.readAll()), uR"re(id="([^"]*)")re"_s).contains(id),
                         qPrintable(link));
        }
    }
};

QTEST_GUILESS_MAIN(TestHelp)
#include "tst_help.moc"
