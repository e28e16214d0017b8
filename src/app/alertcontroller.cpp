#include "alertcontroller.h"

#include "diagnostics/guard.h"
#include "platform/product.h"
#include "search/searchstate.h"
#include "statuspanels.h"
#include "tray/trayicon.h"

using namespace Qt::Literals::StringLiterals;

AlertController::AlertController(SearchState &state, SearchRun &run, TrayIcon &tray, StatusPanels &panels,
                                 QObject *parent)
    : QObject(parent), m_state(state), m_tray(tray), m_panels(panels), m_watch(state, run)
{
    connect(&m_watch, &AlertWatch::raised, this, &AlertController::raised);
    connect(&m_command, &AlertCommand::finished, this, [this](const QString &problem) {
        if (!problem.isEmpty())
            m_panels.writemessagebox(problem);
    });
}

void AlertController::raised(const QString &summary)
{
    guard("Alertcontroller", "Sub alertraised", [&] {
        m_tray.showMessage(product::name(), summary);
        m_panels.writemessagebox(u"Ranking changes:"_s);
        for (const QString &line : summary.split(u'\n'))
            m_panels.writemessagebox(line);
        if (!m_state.settings.alertcommand.isEmpty())
            m_command.start(m_state.settings.alertcommand, summary);
    });
}
