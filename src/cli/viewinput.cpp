#include "viewinput.h"

#include "cliparser.h"

#include "diagnostics/errorreports.h"
#include "views/analysisrows.h"

#include <QFileInfo>
#include <QTextStream>

using namespace Qt::Literals::StringLiterals;

ViewInput::ViewInput() : m_window(m_state), m_folder(m_state)
{
    m_folder.load(m_window);
    m_current = analysis::currententry(m_state.urldata);
    m_historydata = HistoryData(m_current);
}

bool ViewInput::openhistory(const QString &path)
{
    if (!QFileInfo::exists(path)) {
        QTextStream(stderr) << "File doesn't exist! \n";
        return false;
    }
    m_index = HistoryIndex::open(path);
    m_historydata = HistoryData(m_index);
    if (m_index.count() == 0) {
        reportfailures();
        QTextStream(stderr) << "No suitable data in file\n";
        return false;
    }
    m_viewmode = 3;
    return true;
}

bool parseview(QCommandLineParser &parser, const QString &command, const QStringList &args,
               const QList<QCommandLineOption> &options, int positionals, const QString &usage)
{
    QString problem = readarguments(parser, args, options, positionals);
    if (problem.isEmpty() && parser.positionalArguments().size() < positionals)
        problem = u"wrong number of arguments"_s;
    if (problem.isEmpty())
        return true;
    QTextStream(stderr) << "zorvane-cli " << command << ": " << problem << "\nusage: " << usage << '\n';
    return false;
}

bool reportfailures()
{
    if (errorreports::errortext().isEmpty())
        return false;
    QTextStream(stderr) << QString(errorreports::errortext()).replace(u"\r\n"_s, u"\n"_s) << '\n';
    return true;
}
