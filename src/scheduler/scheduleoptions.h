#pragma once

#include <QString>

#include <optional>

class FileDialogs;
class Prompts;
struct SearchState;
struct Settings;

// The boxes of the schedule-options panel `frascheduleopt`. They keep their state between two
// openings of the panel; a fresh start has them as here.
struct ScheduleOptions
{
    bool chksearchhour = false;
    bool chksearchday = true;
    bool chksearchweek = false;
    bool autoconnect = false;
    bool autodisconnect = false;
    QString txtschedulefile;

    bool operator==(const ScheduleOptions &other) const = default;
};

// What the panel's commands decide; the window and the command line show the boxes.
namespace scheduleoptions {

// Opening the panel: the interval box of the setting that is on; a dial-up box is ticked when
// its setting is on and otherwise keeps its state; the results file.
void fill(ScheduleOptions &boxes, const Settings &settings);
// OK: the boxes become the settings, and every domain is due again so that a new cycle starts.
void apply(const ScheduleOptions &boxes, SearchState &state);
// A click on one of the three interval boxes: ticking one unticks the other two.
void clickinterval(ScheduleOptions &boxes, bool ScheduleOptions::*box, bool ticked);
// Browse: asks for the results file, and whether to add to it when it exists. The chosen name
// goes into the box and into "schedulefile" at once; nothing changes on a cancel.
void browse(ScheduleOptions &boxes, Settings &settings, FileDialogs &dialogs, Prompts &prompts);

} // namespace scheduleoptions
