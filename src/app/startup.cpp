#include "startup.h"

#include "appstate.h"
#include "diagnostics/datetext.h"
#include "diagnostics/errorreports.h"
#include "diagnostics/guard.h"
#include "maincontrols.h"
#include "platform/product.h"
#include "platform/programfolder.h"
#include "popuppanel.h"
#include "search/searchrun.h"
#include "searchcontroller.h"
#include "splashwindow.h"
#include "statuspanels.h"
#include "storage/inistore.h"
#include "storage/instancelock.h"
#include "storage/servertools.h"
#include "tray/trayicon.h"
#include "views/listview.h"
#include "webbrowser.h"
#include "windowlayout.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>

using namespace Qt::Literals::StringLiterals;

Startup::Startup(AppState &state, const MainControls &controls, QWidget &client, WindowLayout &layout,
                 StatusPanels &panels, SearchController &search, TrayIcon &tray, WebBrowser &browser)
    : m_state(state), m_controls(controls), m_client(client), m_layout(layout), m_panels(panels), m_search(search),
      m_tray(tray), m_browser(browser)
{
    m_runended = QObject::connect(&search.run(), &SearchRun::searchEnded, &client, [this] { storeall(); });
}

Startup::~Startup()
{
    QObject::disconnect(m_runended);
}

void Startup::Form_Load()
{
    guard("Startup", "Sub Form_Load", [&] {
        Settings &settings = m_state.settings;
        m_splash = std::make_unique<SplashWindow>();
        m_splash->showcentred();
        m_state.urldata = Array1<SearchSession>();
        m_state.reswid = AppState::startReswid();
        m_panels.writemessagebox(u"---Start "_s + product::name() + u" ---\r\n"_s);
        // Looked up once: a second look-up would find the same program.
        m_browser.browserpath();
        m_state.viewmode = 0;
        m_tray.display_tooltip(product::name());
        // Until the settings file is read, the options hold the values of a missing file.
        using S = Settings;
        resetsettings(settings, &S::colorscheme, &S::inettimeout, &S::maxconnections, &S::showrunning,
                      &S::isautoconnect, &S::isautodisconnect, &S::autostart, &S::useapi, &S::useproxy, &S::uselog,
                      &S::contexthelp);
        for (PopupPanel *panel : m_client.findChildren<PopupPanel *>(Qt::FindDirectChildrenOnly))
            panel->setshown(false);
        m_lock = std::make_unique<InstanceLock>(programfolder::path());
        m_state.inifile = m_lock->inifile();
        m_lock->removeleftovers();
        m_state.jobs = List1<FetchJob>();
        m_layout.centreonscreen();
        m_controls.search.pagedepth->setText(u"1"_s);
        m_layout.createresultcolumns();
        loadsettings();
        // The settings file has said whether there is a log: from here on, lines go to it.
        m_panels.startlogging();
        m_panels.checkstatus();
        m_layout.setcols();
        // The stored "Show log window" decides whether the message box takes room.
        m_layout.Form_Resize();
        m_layout.displaybits(0);
        m_splash->hide();
        m_search.run().startidle();
        m_panels.writemessagebox(settings.schedulerunning ? u"Scheduler running"_s : u"Scheduler NOT running"_s);
    });
}

// The settings file, with the window's place, into the window.
void Startup::loadsettings()
{
    WindowPlacement place = m_layout.placement();
    readi(m_state, m_state, place, true);
    if (const QString notice = servertools::protectsecrets(m_state.inifile); !notice.isEmpty())
        m_panels.writemessagebox(notice);
    m_layout.applyplacement(place);
    m_layout.setresultswidth();
    m_search.filldomains();
    m_search.disall();
}

void Startup::storeall()
{
    guard("Startup", "Sub storeall", [&] {
        QList<int> widths;
        for (int i = 1; i <= 5; ++i)
            widths.append(m_controls.results.resultsview->columnwidth(i));
        writei(m_state, m_state, m_layout.placement(), widths);
    });
}

void Startup::Form_Unload()
{
    guard("Startup", "Sub Form_Unload", [&] {
        if (m_unloaded)
            return;
        m_unloaded = true;
        m_panels.setwait(u"Closing Down"_s);
        m_search.run().stoptimer();
        storeall();
        // A settings file that could not be written is said before the window goes.
        QCoreApplication::sendPostedEvents(&m_panels, QEvent::MetaCall);
        if (m_state.settings.uselog) {
            m_panels.endlog(u"\r\n---End "_s + product::name() + u" --- at "_s + GetDateFormat() + u"\r\n"_s);
        }
        if (m_splash != nullptr)
            m_splash->close();
        m_tray.remove_tray_icon();
    });
}
