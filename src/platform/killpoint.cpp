#include "killpoint.h"

#include <QString>

#include <csignal>
#include <cstdlib>

namespace killpoint {

namespace {

qint64 &left()
{
    static qint64 units = [] {
        bool ok = false;
        const qint64 n = qEnvironmentVariable("ZORVANE_TEST_KILL_AFTER").toLongLong(&ok);
        return ok && n >= 0 ? n : qint64(-1);
    }();
    return units;
}

[[noreturn]] void die()
{
#ifdef SIGKILL
    std::raise(SIGKILL);
#endif
    std::_Exit(137);
}

} // namespace

qint64 allow(qint64 units)
{
    const qint64 budget = left();
    if (budget < 0)
        return units;
    if (budget == 0)
        die();
    return qMin(units, budget);
}

void spend(qint64 units)
{
    if (left() >= 0)
        left() = qMax<qint64>(0, left() - units);
}

void step()
{
    spend(allow(1));
}

} // namespace killpoint
