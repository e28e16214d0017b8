#include "scheduleoptions.h"

#include "diagnostics/guard.h"
#include "platform/filedialogs.h"
#include "platform/prompts.h"
#include "search/searchstate.h"

#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace scheduleoptions {

void fill(ScheduleOptions &boxes, const Settings &settings)
{
    guard("Scheduler", "Sub mnuscheduleoptions_Click", [&] {
        boxes.chksearchhour = settings.searchhour;
        boxes.chksearchday = !settings.searchhour && settings.searchday;
        boxes.chksearchweek = !settings.searchhour && !settings.searchday && settings.searchweek;
        boxes.autoconnect = boxes.autoconnect || settings.isautoconnect;
        boxes.autodisconnect = boxes.autodisconnect || settings.isautodisconnect;
        boxes.txtschedulefile = settings.schedulefile;
    });
}

void apply(const ScheduleOptions &boxes, SearchState &state)
{
    guard("Scheduler", "Sub cmdscheduleopt_Click", [&] {
        Settings &settings = state.settings;
        settings.searchhour = boxes.chksearchhour;
        settings.searchday = boxes.chksearchday;
        settings.searchweek = boxes.chksearchweek;
        settings.isautoconnect = boxes.autoconnect;
        settings.isautodisconnect = boxes.autodisconnect;
        settings.schedulefile = boxes.txtschedulefile;
        for (SearchSession &session : state.urldata)
            session.lastscheduletime.clear();
    });
}

void clickinterval(ScheduleOptions &boxes, bool ScheduleOptions::*box, bool ticked)
{
    boxes.*box = ticked;
    if (!ticked)
        return;
    for (bool ScheduleOptions::*other :
         {&ScheduleOptions::chksearchhour, &ScheduleOptions::chksearchday, &ScheduleOptions::chksearchweek}) {
        if (other != box)
            boxes.*other = false;
    }
}

void browse(ScheduleOptions &boxes, Settings &settings, FileDialogs &dialogs, Prompts &prompts)
{
    guard("Scheduler", "Sub cmdschedulebrowse_Click", [&] {
        FileDialogRequest request;
        request.title = u"Select input file"_s;
        request.filter = u"sav files (*.sav)|*sav|Text files (*.txt)|*txt|All files (*.*)|*"_s;
        request.filename = settings.schedulefile.isEmpty() ? u"zorvane.sav"_s : settings.schedulefile;
        // A new file is as good as an existing one, so the dialog is the one that may name a new file.
        const std::optional<QString> chosen = dialogs.savefile(request);
        if (!chosen)
            return;
        if (QFileInfo::exists(*chosen) && !prompts.confirm(u"File exists, Add results to existing file? "_s))
            return;
        boxes.txtschedulefile = *chosen;
        settings.schedulefile = *chosen;
    });
}

} // namespace scheduleoptions
