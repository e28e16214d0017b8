#include "helpcontroller.h"

#include "aboutpanel.h"
#include "appstate.h"
#include "diagnostics/guard.h"
#include "gradientbutton.h"
#include "maincontrols.h"
#include "mainmenus.h"
#include "messagepanel.h"
#include "platform/product.h"
#include "statuspanels.h"
#include "update/updater.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

HelpController::HelpController(AppState &state, const MainControls &controls, const MainMenus &menus, QWidget &client,
                               StatusPanels &panels, Shell &shell)
    : m_client(client), m_panels(panels), m_shell(shell),
      m_opener(shell, [&panels](const QString &text) { panels.writemessagebox(text); }), m_help(m_opener),
      m_updates(state.settings), m_aboutframe(std::make_unique<AboutPanel>(client))
{
    for (int i = 0; i < int(controls.helpbuttons.size()); ++i)
        connect(controls.helpbuttons.at(i), &QToolButton::clicked, this, [this, i] { m_help.helpbutton_Click(i); });
    connect(controls.buttons.dohelp, &GradientButton::clicked, this, [this] { m_help.dohelp_Click(); });
    menus.mnuwebsite->setText(product::name() + u" on the &Web"_s);
    for (QAction *entry : {menus.mnuwinhelp, menus.mnuwebsite, menus.mnuabout})
        entry->setEnabled(true);
    connect(menus.mnuwinhelp, &QAction::triggered, this, [this] { m_help.mnuwinhelp_Click(); });
    connect(menus.mnuwebsite, &QAction::triggered, this, [this] { m_help.mnuwebsite_Click(); });
    connect(menus.mnuabout, &QAction::triggered, this, &HelpController::mnuabout_Click);

    const AboutPanel &about = *m_aboutframe;
    connect(about.aboutok(), &QPushButton::clicked, this, &HelpController::aboutok_Click);
    connect(about.Contactquenlith(), &QPushButton::clicked, this, [this] { m_help.Contactquenlith_Click(); });

    const MessagePanel &message = panels.messageframe();
    connect(message.visitdownload(), &QPushButton::clicked, this, [this] { m_help.visitdownload(); });
    connect(message.Autodownload(), &QPushButton::clicked, this, &HelpController::Autodownload_Click);
    connect(&m_updates, &Checkforupdates::newversion, this, &HelpController::newversion);
    panels.setupdatecheck(&m_updates);
}

HelpController::~HelpController()
{
    m_panels.setupdatecheck(nullptr);
}

void HelpController::mnuabout_Click()
{
    guard("Helpcontroller", "Sub mnuabout_Click", [&] {
        m_aboutframe->namelab()->setText(product::versiontext());
        m_aboutframe->setshown(true);
    });
}

void HelpController::aboutok_Click()
{
    guard("Helpcontroller", "Sub aboutok_Click", [&] { m_aboutframe->setshown(false); });
}

void HelpController::newversion(const QString &message)
{
    guard("Checkforupdates", "Sub newversion", [&] {
        const MessagePanel &panel = m_panels.messageframe();
        panel.visitdownload()->show();
        panel.Autodownload()->show();
        panel.messageok()->setText(u"Ignore"_s);
        m_panels.showmessage(message);
    });
}

void HelpController::Autodownload_Click()
{
    guard("Helpcontroller", "Sub Autodownload_Click", [&] {
        const update::UpdateStart start =
            update::Autodownload(m_shell, m_updates.announced(), update::thisinstallation());
        // The updater replaces the installation, so the program makes way for it.
        if (start.started) {
            m_client.window()->close();
            return;
        }
        m_panels.messageframe().Autodownload()->hide();
        m_panels.showmessage(start.offer);
    });
}
