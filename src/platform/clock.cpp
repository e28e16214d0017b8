#include "clock.h"

namespace {
const SystemClock s_systemClock;
const Clock *s_current = &s_systemClock;
} // namespace

const Clock &Clock::current()
{
    return *s_current;
}

void Clock::setCurrent(const Clock *clock)
{
    s_current = clock ? clock : &s_systemClock;
}
