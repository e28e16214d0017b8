#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <optional>

// The program's one date-time text, dd-Mon-yyyy hh:mm:ss in local time with an English
// month whatever the system's language, for example 04-Mar-2005 09:07:03.
QString GetDateFormat();

// The moment of a date-time text (day, month, year, hour, minute, second, split at "-", " "
// and ":"; the month as "Jan".."Dec" or as a number) in seconds since the start of 2005, so
// that the difference of two results is the time between them, leap days included. A text it
// cannot read gives 0 through the error trap.
std::int32_t calctime(const QString &text);
// The same moment, or nothing for a text calctime cannot read; for callers that skip such a
// text instead of reporting it.
std::optional<std::int32_t> readcalctime(const QString &text);
// The local date and time of a moment as calctime counts it.
QDateTime calcdatetime(std::int32_t moment);

// The scheduler's count-down label for a number of seconds: "Next Schedule search in " and
// each of days, hours, mins and secs that is greater than 0, every part ending in a space.
QString displaytime(std::int64_t seconds);
