#include "runningtext.h"

#include "diagnostics/datetext.h"
#include "diagnostics/guard.h"

using namespace Qt::Literals::StringLiterals;

void RunningText::writemessagebox(const QString &text, bool uselog)
{
    guard("Runningtext", "Sub writemessagebox", [&] {
        const QString line = GetDateFormat() + u'-' + text + u"\r\n"_s;
        if (m_text.size() > Limit) {
            const QString cut = m_text.left(Cut);
            m_text = m_text.mid(Cut) + line;
            if (uselog)
                errorreports::writedaylog(cut);
        } else {
            m_text += line;
        }
    });
}
