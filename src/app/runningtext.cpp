#include "runningtext.h"

#include "diagnostics/datetext.h"
#include "diagnostics/guard.h"

using namespace Qt::Literals::StringLiterals;

void RunningText::writemessagebox(const QString &text, bool uselog)
{
    guard("Runningtext", "Sub writemessagebox", [&] {
        if (m_text.size() > Limit) {
            // What goes unlogged (logging was off) is gone, as it always was.
            m_text.remove(0, Cut);
            m_logged = qMax<qsizetype>(0, m_logged - Cut);
        }
        m_text += GetDateFormat() + u'-' + text + u"\r\n"_s;
        if (uselog)
            tolog({});
    });
}

void RunningText::endlog(const QString &closing)
{
    guard("Runningtext", "Sub endlog", [&] { tolog(closing); });
}

void RunningText::tolog(const QString &closing)
{
    const QString text = QStringView(m_text).sliced(m_logged) + closing;
    m_logged = m_text.size();
    if (!text.isEmpty())
        errorreports::writedaylog(text);
}
