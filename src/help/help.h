#pragma once

#include "diagnostics/int16.h"

#include <QString>

#include <functional>

class Shell;

// Where help goes once the rules have chosen: a help file at a command and context, or a page
// in the browser. The window's opener hands them to the system; tests record them.
class HelpOpener
{
public:
    // The commands of the compiled help and of the old-style help that the rules use.
    enum HtmlCommand
    {
        DisplayTopic = 0,
        HelpContext = 15,
    };
    enum WinCommand
    {
        Contents = 3,
        ContextPopup = 8,
    };

    virtual ~HelpOpener() = default;
    virtual void htmlhelp(const QString &file, int command, int context) = 0;
    virtual void winhelp(const QString &file, int command, int context) = 0;
    // A web address or a file URL.
    virtual void openbrowser(const QString &target) = 0;
};

// Hands everything to the system's registered programs. Few systems have viewers that take a
// help file at a topic, so the file is opened as a document and the topic noted.
class ShellHelpOpener final : public HelpOpener
{
public:
    using Note = std::function<void(const QString &text)>;

    // note receives one line per help file opened (the window's message box).
    explicit ShellHelpOpener(Shell &shell, Note note = {});
    void htmlhelp(const QString &file, int command, int context) override;
    void winhelp(const QString &file, int command, int context) override;
    void openbrowser(const QString &target) override;

private:
    void openfile(const QString &file, int command, int context);

    Shell &m_shell;
    Note m_note;
};

// The help commands of the window: the help icons, the help button, the Help menu, the
// about panel's web button and the update message's download page.
class Help final
{
public:
    // Help icon i asks for topic FirstTopic + i.
    static constexpr int FirstTopic = 200;

    // folder: where the help files and the guide lie (the executable's folder by default).
    explicit Help(HelpOpener &opener, const QString &folder = {});

    // Context 0 asks for the contents. The compiled help and the old-style help beside the
    // program come first, then the user guide, then the web site's help page.
    void openhelp(Int16 contextid);

    void helpbutton_Click(int index);
    void dohelp_Click();
    void mnuwinhelp_Click();
    void mnuwebsite_Click();
    void Contactquenlith_Click();
    // "Visit Download Page" of the update message.
    void visitdownload();

    // The guide's folder ("" when no guide is installed), and its page for a context id:
    // a section for the topics of the help icons, the first page otherwise.
    QString guidefolder() const;
    static QString guidepage(int contextid);

private:
    HelpOpener &m_opener;
    QString m_folder;
};
