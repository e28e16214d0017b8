#include "webbrowser.h"

#include "reports/browser.h"

QString WebBrowser::browserpath()
{
    if (!m_browserexe)
        m_browserexe = reports::browserexe();
    return *m_browserexe;
}

void WebBrowser::openbrowser(const QString &target)
{
    reports::openbrowser(m_shell, browserpath(), target);
}
