#include "help/help.h"
#include "platform/product.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

namespace {

// Records what help would open, help files by name.
struct RecordingOpener final : HelpOpener
{
    QStringList opened;
    void htmlhelp(const QString &file, int cmd, int ctx) override { note(u"htmlhelp"_s, file, cmd, ctx); }
    void winhelp(const QString &file, int cmd, int ctx) override { note(u"winhelp"_s, file, cmd, ctx); }
    void openbrowser(const QString &target) override { opened << target; }
    void note(const QString &kind, const QString &file, int command, int context)
    {
        opened << u"%1 %2 %3 %4"_s.arg(kind, QFileInfo(file).fileName()).arg(command).arg(context);
    }
};

QStringList captures(const QString &text, const QString &pattern)
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
    // The Help menu, help icons 3 and 0, and the web site's help for each set of files. Without
    // help files or a guide help is the web site's page: tst_desktop's help clicks.
    void rules()
    {
        const QString hlp = u"winhelp Zorvane.hlp "_s;
        const QString chm = u"htmlhelp Zorvane.chm "_s;
        const std::pair<QStringList, QStringList> rows[] = {
            {{u"Zorvane.hlp"_s}, {hlp + u"3 0", hlp + u"8 203", hlp + u"8 200"}},
            {{u"Zorvane.chm"_s}, {chm + u"0 0", chm + u"15 203", chm + u"15 200"}},
            {{u"Zorvane.chm"_s, u"Zorvane.hlp"_s, u"guide/index.html"_s},
             {chm + u"0 0", hlp + u"8 203", hlp + u"8 200"}},
            {{u"guide/index.html"_s},
             {u"/index.html"_s, u"/first-search.html#stop-after-hit"_s, u"/domains-keywords.html#domain"_s}}};
        for (auto [files, expected] : rows) {
            QTemporaryDir dir;
            QDir(dir.path()).mkdir(u"guide"_s); // an empty folder is no guide
            for (const QString &file : files)
                QFile(dir.filePath(file)).open(QIODevice::WriteOnly);
            for (QString &target : expected) {
                if (target.startsWith(u'/'))
                    target.prepend(QUrl::fromLocalFile(dir.filePath(u"guide"_s)).toString());
            }
            RecordingOpener opener;
            Help help(opener, dir.path());
            help.mnuwinhelp_Click();
            help.helpbutton_Click(3);
            help.helpbutton_Click(0);
            help.openhelp(-1); // always the web site
            QCOMPARE(opener.opened, expected << product::website() + u"/help"_s);
        }
    }

    // Every link of the guide, and the section of every help icon, leads to a page that exists
    // and, with a fragment, to an id on that page.
    void guideLinks()
    {
        const QDir guide(QStringLiteral(ZORVANE_GUIDE_DIR));
        QStringList links;
        for (int topic = Help::FirstTopic; topic < Help::FirstTopic + 20; ++topic)
            links << u"index.html "_s + Help::guidepage(topic);
        for (const QString &page : guide.entryList({u"*.html"_s})) {
            QFile file(guide.filePath(page));
            QVERIFY(file.open(QIODevice::ReadOnly));
            // Addresses with a scheme lead outside the guide.
            for (const QString &target : captures(QString::fromUtf8(file.readAll()), u"(?:href|src)=\"([^\":]*)\""_s))
                links << page + u' ' + (target.startsWith(u'#') ? page + target : target);
        }
        QVERIFY(links.size() > 100);
        for (const QString &link : links) {
            const QString target = link.section(u' ', 1);
            QFile file(guide.filePath(target.section(u'#', 0, 0)));
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(link));
            const QStringList ids = captures(QString::fromUtf8(file.readAll()), u"id=\"([^\"]*)\""_s);
            QVERIFY2(!target.contains(u'#') || ids.contains(target.section(u'#', 1)), qPrintable(link));
        }
    }
};

QTEST_GUILESS_MAIN(TestHelp)
#include "tst_help.moc"
