#pragma once

// What the run controller asks of the scheduler: its check on idle ticks and, when the run of
// the last domain of a scheduled cycle ends, hanging up a connection it dialled and saving the
// whole state to the schedule file (true when it was saved). Without a scheduler these do
// nothing.
class SchedulerHooks
{
public:
    virtual ~SchedulerHooks() = default;

    virtual void checkschedule() {}
    virtual void autodialhangup() {}
    virtual bool saveall() { return false; }
};
