#include "commands.h"

#include "platform/systemshell.h"
#include "reports/browser.h"
#include "reports/reports.h"
#include "viewinput.h"

#include <QFileInfo>
#include <QTextStream>

using namespace Qt::Literals::StringLiterals;

QString reportUsageText()
{
    return u"usage: zorvane-cli --dir DIR report OUT [--history FILE] [--group] [--open]\n"
           "          writes the ranking report of DIR's domains, or the history report of FILE, to OUT\n"_s;
}

// The report command answered OK at every question: OUT is replaced and becomes the stored
// report file name; the browser opens it only when asked to.
int runReport(const QStringList &args)
{
    QCommandLineParser parser;
    const QCommandLineOption history(u"history"_s, {}, u"FILE"_s);
    const QCommandLineOption group(u"group"_s);
    const QCommandLineOption open(u"open"_s);
    if (!parseview(parser, u"report"_s, args, {history, group, open}, 1,
                   u"zorvane-cli [--dir DIR] report OUT [--history FILE] [--group] [--open]"_s))
        return 2;
    const QString filename = QFileInfo(parser.positionalArguments().first()).absoluteFilePath();
    ViewInput input;
    if (parser.isSet(history) && !input.openhistory(parser.value(history)))
        return 1;
    input.state().settings.htmlfile = filename;
    const int viewmode = input.viewmode() == 3 ? 1 : 0;
    const bool written =
        reports::writereport(viewmode, filename, input.state().urldata, input.historydata(), parser.isSet(group));
    const bool stored = input.folder().store();
    if (written && parser.isSet(open)) {
        SystemShell shell;
        reports::openbrowser(shell, reports::browserexe(), filename);
    }
    reportfailures();
    return written && stored ? 0 : 1;
}
