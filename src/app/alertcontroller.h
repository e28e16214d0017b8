#pragma once

#include "alerts/alertcommand.h"
#include "alerts/alertwatch.h"

class StatusPanels;
class TrayIcon;

// Ranking changes over the window: the summary in the tray icon's balloon and the message box,
// and the user's alert program given the summary without the window waiting for it.
class AlertController final : public QObject
{
    Q_OBJECT
public:
    AlertController(SearchState &state, SearchRun &run, TrayIcon &tray, StatusPanels &panels,
                    QObject *parent = nullptr);

    AlertCommand &command() { return m_command; }

private:
    void raised(const QString &summary);

    SearchState &m_state;
    TrayIcon &m_tray;
    StatusPanels &m_panels;
    AlertWatch m_watch;
    AlertCommand m_command;
};
