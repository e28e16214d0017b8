#include "schedulercontroller.h"

#include "appstate.h"
#include "diagnostics/guard.h"
#include "maincontrols.h"
#include "mainmenus.h"
#include "scheduleoptionspanel.h"
#include "scheduler/scheduleoptions.h"
#include "scheduler/scheduler.h"
#include "search/searchrun.h"
#include "searchcontroller.h"
#include "storage/historyfile.h"
#include "windowlayout.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

SchedulerController::SchedulerController(AppState &state, const MainControls &controls, const MainMenus &menus,
                                         QWidget &client, WindowLayout &layout, SearchController &search,
                                         Prompts &prompts, FileDialogs &dialogs, Dialup &dialup)
    : m_state(state), m_layout(layout), m_prompts(prompts), m_dialogs(dialogs),
      m_scheduler(std::make_unique<Scheduler>(state, search, search.run(), dialup)),
      m_frascheduleopt(std::make_unique<ScheduleOptionsPanel>(client))
{
    QLabel *label = controls.status.labscheduler;
    m_scheduler->setlabelsink([label](const QString &text) { label->setText(text); });
    m_scheduler->setsave([this] { return savecycle(); });
    for (QAction *entry : {menus.mnustartschedule, menus.mnustopschedule, menus.mnuscheduleoptions})
        entry->setEnabled(true);
    connect(menus.mnustartschedule, &QAction::triggered, this, &SchedulerController::mnustartschedule_Click);
    connect(menus.mnustopschedule, &QAction::triggered, this, &SchedulerController::mnustopschedule_Click);
    connect(menus.mnuscheduleoptions, &QAction::triggered, this, &SchedulerController::mnuscheduleoptions_Click);
    connectpanel();
    startvalues();
}

SchedulerController::~SchedulerController() = default;

void SchedulerController::connectpanel()
{
    const ScheduleOptionsPanel &panel = *m_frascheduleopt;
    connect(panel.cmdscheduleopt, &QPushButton::clicked, this, &SchedulerController::cmdscheduleopt_Click);
    connect(panel.cmdscheduleoptcancel, &QPushButton::clicked, this, &SchedulerController::cmdscheduleoptcancel_Click);
    connect(panel.cmdschedulebrowse, &QPushButton::clicked, this, &SchedulerController::cmdschedulebrowse_Click);
    const QList<std::pair<QCheckBox *, bool ScheduleOptions::*>> intervals = {
        {panel.chksearchhour, &ScheduleOptions::chksearchhour},
        {panel.chksearchday, &ScheduleOptions::chksearchday},
        {panel.chksearchweek, &ScheduleOptions::chksearchweek}};
    for (const auto &interval : intervals) {
        bool ScheduleOptions::*member = interval.second;
        // Only the user's clicks: ticking one unticks the others.
        connect(interval.first, &QCheckBox::clicked, this, [this, member](bool ticked) {
            ScheduleOptions boxes = m_frascheduleopt->boxes();
            scheduleoptions::clickinterval(boxes, member, ticked);
            m_frascheduleopt->setboxes(boxes);
        });
    }
}

void SchedulerController::mnustartschedule_Click()
{
    if (!m_scheduler->mnustartschedule_Click(m_prompts))
        mnuscheduleoptions_Click();
}

void SchedulerController::mnustopschedule_Click()
{
    m_scheduler->mnustopschedule_Click();
}

void SchedulerController::mnuscheduleoptions_Click()
{
    guard("Scheduler", "Sub mnuscheduleoptions_Click", [&] {
        ScheduleOptions boxes = m_frascheduleopt->boxes();
        scheduleoptions::fill(boxes, m_state.settings);
        m_frascheduleopt->setboxes(boxes);
        m_frascheduleopt->setshown(true);
    });
}

void SchedulerController::cmdscheduleopt_Click()
{
    guard("Scheduler", "Sub cmdscheduleopt_Click", [&] {
        scheduleoptions::apply(m_frascheduleopt->boxes(), m_state);
        m_frascheduleopt->setshown(false);
    });
}

void SchedulerController::cmdscheduleoptcancel_Click()
{
    m_frascheduleopt->setshown(false);
}

void SchedulerController::cmdschedulebrowse_Click()
{
    ScheduleOptions boxes = m_frascheduleopt->boxes();
    scheduleoptions::browse(boxes, m_state.settings, m_dialogs, m_prompts);
    m_frascheduleopt->setboxes(boxes);
}

void SchedulerController::startvalues()
{
    ScheduleOptions boxes = m_frascheduleopt->boxes();
    boxes.chksearchhour = missingvalue(&Settings::searchhour);
    boxes.chksearchday = missingvalue(&Settings::searchday);
    boxes.chksearchweek = missingvalue(&Settings::searchweek);
    m_frascheduleopt->setboxes(boxes);
}

// The whole state, with the window as it is now, appended to the results file.
bool SchedulerController::savecycle()
{
    return saveall(m_state.settings.schedulefile, m_state, m_state, m_layout.recordwindow());
}
