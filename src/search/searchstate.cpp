#include "searchstate.h"

#include "searchwindow.h"
#include "verdict.h"

using namespace Qt::Literals::StringLiterals;

int findsession(const SearchState &state)
{
    for (int d = 1; d <= state.urldata.ubound(); ++d) {
        if (state.urldata[d].url == state.txturl)
            return d;
    }
    return 0;
}

bool finishatdepth(FetchJob &job, int pagedepth, SearchWindow &window)
{
    if (!job.done && job.page >= pagedepth) {
        job.status = finishedstatus(job.notes);
        job.done = true;
        window.writemessagebox(u"Finished "_s + job.key);
    }
    return job.done;
}
