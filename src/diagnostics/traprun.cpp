#include "traprun.h"

using namespace Qt::Literals::StringLiterals;

void TrapRun::failed() noexcept
{
    const errorreports::Trapped trapped = errorreports::describecurrent();
    if (m_count > 0 && trapped == m_first) {
        ++m_count;
        return;
    }
    flush();
    m_first = trapped;
    m_count = 1;
}

void TrapRun::flush() noexcept
{
    if (m_count == 0)
        return;
    try {
        QString description = m_first.description;
        if (m_count > 1)
            description += u" ("_s + QString::number(m_count) + u" times)"_s;
        m_count = 0;
        errorreports::errortrap(description, m_first.number, m_first.source, QLatin1StringView(m_module));
    } catch (...) {
        // Nothing is left to report to.
    }
}
