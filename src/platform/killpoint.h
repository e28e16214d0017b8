#pragma once

#include <QtGlobal>

// The trigger of the kill tests. With ZORVANE_TEST_KILL_AFTER=N in its environment the process
// kills itself (SIGKILL, so nothing is flushed or cleaned up) once its checked file writers
// have done N units of work: each byte written is a unit, and so is each sync, rename,
// truncation and removal. A test thus ends a save at any byte of it, without guessing at
// timing. Without the variable nothing ever happens.
namespace killpoint {

// How many of the next `units` may be done; when none may, the process ends here.
qint64 allow(qint64 units);
// Counts `units` as done.
void spend(qint64 units);
// One step (a sync, a rename, a truncation, a removal) about to be done.
void step();

} // namespace killpoint
