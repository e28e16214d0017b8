#pragma once

#include <QString>

#include <optional>

class Shell;

// The user's browser, looked up once: the reports, the web links and the analysis' right
// click open their pages with it.
class WebBrowser final
{
public:
    explicit WebBrowser(Shell &shell) : m_shell(shell) {}

    // The browser's program, looked up at the first call; "" for the system's choice.
    QString browserpath();
    // Opens a file or a web address with it.
    void openbrowser(const QString &target);

private:
    Shell &m_shell;
    std::optional<QString> m_browserexe;
};
