#include "reportcontroller.h"

#include "appstate.h"
#include "diagnostics/guard.h"
#include "maincontrols.h"
#include "mainmenus.h"
#include "platform/filedialogs.h"
#include "platform/prompts.h"
#include "reports/reports.h"
#include "statuspanels.h"
#include "webbrowser.h"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>

ReportController::ReportController(AppState &state, const MainControls &controls, const MainMenus &menus,
                                   StatusPanels &panels, Prompts &prompts, FileDialogs &dialogs, WebBrowser &browser)
    : m_state(state), m_controls(controls), m_panels(panels), m_prompts(prompts), m_dialogs(dialogs), m_browser(browser)
{
    menus.mnuhtml->setEnabled(true);
    connect(menus.mnuhtml, &QAction::triggered, this, &ReportController::mnuhtml_Click);
}

void ReportController::mnuhtml_Click()
{
    guard("Reportcontroller", "Sub mnuhtml_Click", [&] {
        Settings &settings = m_state.settings;
        const auto chosen = m_dialogs.savefile(
            {reports::dialogtitle(), reports::dialogfilter(), reports::proposedname(settings.htmlfile)});
        if (!chosen)
            return;
        const QString filename = QFileInfo(*chosen).absoluteFilePath();
        if (QFileInfo::exists(filename) && !m_prompts.confirm(reports::overwritequestion()))
            return;
        settings.htmlfile = filename;
        m_panels.setwait(reports::waittext(filename));
        const bool written = reports::writereport(m_state.viewmode, filename, m_state.urldata, m_state.historydata,
                                                  m_controls.history.chkhistoryfirst->isChecked());
        m_panels.clearwait();
        if (written)
            m_browser.openbrowser(filename);
    });
}
