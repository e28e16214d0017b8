#include "reports.h"

#include "browser.h"
#include "diagnostics/datetext.h"
#include "diagnostics/failure.h"
#include "diagnostics/guard.h"
#include "platform/checkedfile.h"
#include "platform/product.h"

using namespace Qt::Literals::StringLiterals;

namespace reports {

ReportHeader header()
{
    return {Failure::productName(), product::website(), GetDateFormat()};
}

bool writereport(int viewmode, const QString &fileName, const Array1<SearchSession> &urldata,
                 const HistoryData &historydata, bool group)
{
    if (viewmode < 0 || viewmode > 3)
        return false;
    bool written = false;
    guard("Reports", "Sub mnuhtml_Click", [&] {
        // A report that fails half-way (a full disk) leaves the previous file as it was.
        CheckedFile file(fileName);
        if (!file.open())
            throw Failure::cannotWrite(file);
        const bool complete = viewmode == 0 || viewmode == 2 ? savecurrent(&file, urldata, group, header())
                                                             : savehistory(&file, historydata, group, header());
        if (!complete)
            return;
        if (!file.commit())
            throw Failure::cannotWrite(file);
        written = true;
    });
    return written;
}

QString dialogtitle()
{
    return u"Enter filename or Select file"_s;
}

QString dialogfilter()
{
    return u"HTML files (*.html)|*html|Text files (*.txt)|*txt|All files (*.*)|*"_s;
}

QString proposedname(const QString &htmlfile)
{
    return htmlfile.isEmpty() ? Failure::productName().toLower() + u".html"_s : htmlfile;
}

QString overwritequestion()
{
    return u"File exists, Overwrite ? "_s;
}

QString waittext(const QString &fileName)
{
    return u"Generating "_s + fileName;
}

} // namespace reports
