#pragma once

#include "search/array1.h"
#include "search/session.h"

#include <QString>

// One record of an opened history file: its date-time text and its domains, copied by value.
// The analysis of the current results uses one entry with an empty `when`.
struct HistoryEntry
{
    QString when;
    Array1<SearchSession> urldata;

    bool operator==(const HistoryEntry &other) const = default;
};
