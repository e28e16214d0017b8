#include "exportcontroller.h"

#include "appstate.h"
#include "diagnostics/guard.h"
#include "export/csvexport.h"
#include "mainmenus.h"
#include "platform/filedialogs.h"
#include "platform/prompts.h"
#include "statuspanels.h"
#include "viewmodes.h"
#include "views/resultsview.h"

#include <QAction>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

ExportController::ExportController(AppState &state, const MainMenus &menus, ResultsView &results, StatusPanels &panels,
                                   Prompts &prompts, FileDialogs &dialogs)
    : m_state(state), m_results(results), m_panels(panels), m_prompts(prompts), m_dialogs(dialogs)
{
    menus.mnucsv->setEnabled(true);
    connect(menus.mnucsv, &QAction::triggered, this, &ExportController::mnucsv_Click);
}

void ExportController::mnucsv_Click()
{
    guard("Exportcontroller", "Sub mnucsv_Click", [&] {
        const int mode = m_state.viewmode;
        if (mode == viewmodes::HistoryAnalysis) {
            m_prompts.message(u"Export to CSV writes the current results or the history view's lines; "
                              "close the analysis first"_s);
            return;
        }
        QList<csvexport::CsvLine> lines;
        if (mode == viewmodes::History) {
            lines = csvexport::historylines(m_state.historylists.listed);
        } else {
            const int d = findsession(m_state);
            lines = csvexport::resultlines(m_results.rows(), d == 0 ? QString() : m_state.urldata[d].resulttime);
        }
        const QString proposed = m_state.settings.csvfile.isEmpty() ? u"zorvane.csv"_s : m_state.settings.csvfile;
        const auto chosen =
            m_dialogs.savefile({u"Export to CSV"_s, u"CSV files (*.csv)|*.csv|All files (*.*)|*"_s, proposed});
        if (!chosen)
            return;
        const QString filename = QFileInfo(*chosen).absoluteFilePath();
        if (QFileInfo::exists(filename) && !m_prompts.confirm(filename + u" already exists. Replace it?"_s))
            return;
        m_state.settings.csvfile = filename;
        const QString problem = csvexport::savecsv(filename, lines);
        if (!problem.isEmpty()) {
            m_prompts.message(u"Could not write "_s + filename + u":\r\n"_s + problem +
                              u"\r\nAny earlier file of that name is unchanged."_s);
            return;
        }
        m_panels.writemessagebox(u"Exported "_s + QString::number(lines.size()) + u" lines to "_s + filename);
    });
}
