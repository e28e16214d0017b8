#pragma once

#include "alertrules.h"

#include <QObject>

class SearchRun;

// Remembers where the domain's keywords stood when a run starts and compares when it ends,
// for every run whoever started it (the user, the scheduler, the command line). A run searched
// from another place than the one before is not compared: it says so instead.
class AlertWatch final : public QObject
{
    Q_OBJECT
public:
    AlertWatch(SearchState &state, SearchRun &run, QObject *parent = nullptr);

signals:
    // The run changed something worth telling: the summary, one line per change.
    void raised(const QString &summary);

private:
    void searchstarting();
    void searchended();

    SearchState &m_state;
    QString m_domain;
    QString m_place; // where and on what the standings before were searched
    Standings m_before;
    bool m_armed = false;
};
