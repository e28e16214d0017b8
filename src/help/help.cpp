#include "help.h"

#include "diagnostics/guard.h"
#include "platform/product.h"
#include "platform/shell.h"

#include <QDir>
#include <QFile>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

namespace {

// The guide's section for each help icon, in icon order: the search inputs and results, then
// the filters and lists of the history, the history analysis and the analysis.
constexpr const char *IconTopics[] = {
    "domains-keywords.html#domain",
    "domains-keywords.html#keywords",
    "first-search.html#page-depth",
    "first-search.html#stop-after-hit",
    "first-search.html#first-hit-only",
    "first-search.html#results",
    "history.html#date",
    "history.html#domain",
    "history.html#keyword",
    "history.html#first-hit",
    "history.html#list",
    "analysis.html#date",
    "analysis.html#domain",
    "analysis.html#keyword",
    "analysis.html#group",
    "analysis.html#list",
    "analysis.html#domain",
    "analysis.html#keyword",
    "analysis.html#group",
    "analysis.html#list",
};

const QString GuideIndex = u"index.html"_s;

} // namespace

ShellHelpOpener::ShellHelpOpener(Shell &shell, Note note) : m_shell(shell), m_note(std::move(note)) {}

void ShellHelpOpener::htmlhelp(const QString &file, int command, int context)
{
    guard("Help", "Sub htmlhelp", [&] { openfile(file, command, context); });
}

void ShellHelpOpener::winhelp(const QString &file, int command, int context)
{
    guard("Help", "Sub winhelp", [&] { openfile(file, command, context); });
}

void ShellHelpOpener::openfile(const QString &file, int command, int context)
{
    if (m_note) {
        m_note(u"Help "_s + QDir::toNativeSeparators(file) + u" command "_s + QString::number(command) + u" topic "_s +
               QString::number(context));
    }
    m_shell.open(QUrl::fromLocalFile(file).toString());
}

void ShellHelpOpener::openbrowser(const QString &target)
{
    guard("Help", "Sub openbrowser", [&] { m_shell.open(target); });
}

Help::Help(HelpOpener &opener, const QString &folder)
    : m_opener(opener), m_folder(folder.isEmpty() ? product::folder() : folder)
{}

void Help::openhelp(Int16 contextid)
{
    guard("Help", "Sub openhelp", [&] {
        const QString base = QDir(m_folder).filePath(product::name());
        const QString chm = base + u".chm"_s;
        const QString hlp = base + u".hlp"_s;
        const bool haschm = QFile::exists(chm);
        const bool hashlp = QFile::exists(hlp);
        const QString guide = guidefolder();
        if (haschm && contextid == 0) {
            m_opener.htmlhelp(chm, HelpOpener::DisplayTopic, 0);
        } else if (hashlp && contextid == 0) {
            m_opener.winhelp(hlp, HelpOpener::Contents, 0);
        } else if (hashlp && contextid > 0) {
            m_opener.winhelp(hlp, HelpOpener::ContextPopup, contextid);
        } else if (haschm && contextid >= 1) {
            m_opener.htmlhelp(chm, HelpOpener::HelpContext, contextid);
        } else if (!guide.isEmpty() && contextid >= 0) {
            const QString page = guidepage(contextid);
            const qsizetype hash = page.indexOf(u'#');
            QUrl url = QUrl::fromLocalFile(QDir(guide).filePath(page.left(hash)));
            if (hash >= 0)
                url.setFragment(page.sliced(hash + 1));
            m_opener.openbrowser(url.toString());
        } else {
            m_opener.openbrowser(product::website() + u"/help"_s);
        }
    });
}

void Help::helpbutton_Click(int index)
{
    guard("Help", "Sub helpbutton_Click", [&] { openhelp(Int16(index + FirstTopic)); });
}

void Help::dohelp_Click()
{
    guard("Help", "Sub dohelp_Click", [&] { openhelp(0); });
}

void Help::mnuwinhelp_Click()
{
    guard("Help", "Sub mnuwinhelp_Click", [&] { openhelp(0); });
}

void Help::mnuwebsite_Click()
{
    guard("Help", "Sub mnuwebsite_Click", [&] { m_opener.openbrowser(product::website()); });
}

void Help::Contactquenlith_Click()
{
    guard("Help", "Sub Contactquenlith_Click", [&] { m_opener.openbrowser(product::website()); });
}

void Help::visitdownload()
{
    guard("Help", "Sub visitdownload", [&] { m_opener.openbrowser(product::website()); });
}

QString Help::guidefolder() const
{
    QString result;
    guard("Help", "Function guidefolder", [&] {
        // Beside the program, or in the shared data folder of an installation under a prefix.
        for (const QString &folder : {u"guide"_s, u"../share/zorvane/guide"_s}) {
            const QDir dir(QDir(m_folder).filePath(folder));
            if (QFile::exists(dir.filePath(GuideIndex))) {
                result = dir.absolutePath();
                return;
            }
        }
    });
    return result;
}

QString Help::guidepage(int contextid)
{
    const int icon = contextid - FirstTopic;
    if (icon >= 0 && icon < int(std::size(IconTopics)))
        return QString::fromLatin1(IconTopics[icon]);
    return GuideIndex;
}
