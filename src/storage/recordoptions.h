#pragma once

// The options a history record holds, for its writer, its reader and the reset at a record's
// start. Not part of the storage layer's interface.

#include "search/settings.h"
#include "storage/windowplacement.h"

#include <QList>

namespace historyfile {

// One option line: its name (written with ": " after it) and where its value lives. Exactly one
// member is set.
struct RecordOption
{
    const char *name;
    bool Settings::*flag = nullptr;
    QString Settings::*text = nullptr;
    Int16 Settings::*number = nullptr;
    QString WindowSettings::*windowtext = nullptr;
    bool readback = true; // false: written, but never taken from a record
    // A password or a key: history files are what users share, so it is written empty, and an
    // empty one read back keeps the user's own.
    bool secret = false;
};

// In the order a record writes them; the flags are written set ones first, then cleared ones,
// each group in this order.
const QList<RecordOption> &recordoptions();

} // namespace historyfile
