#include "startup.h"

#include "appstate.h"
#include "designlayout.h"
#include "diagnostics/datetext.h"
#include "diagnostics/errorreports.h"
#include "diagnostics/guard.h"
#include "historycontroller.h"
#include "mainwindow.h"
#include "optionscontroller.h"
#include "optionspanel.h"
#include "platform/product.h"
#include "platform/programfolder.h"
#include "platform/twips.h"
#include "popuppanel.h"
#include "schedulercontroller.h"
#include "search/searchrun.h"
#include "searchcontroller.h"
#include "splashwindow.h"
#include "statuspanels.h"
#include "storage/inistore.h"
#include "storage/instancelock.h"
#include "storage/servertools.h"
#include "tray/trayicon.h"
#include "views/listview.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QScreen>

using namespace Qt::Literals::StringLiterals;

Startup::Startup(MainWindow &window, StatusPanels &panels, SearchController &search)
    : m_window(window), m_panels(panels), m_search(search)
{
    m_runended = QObject::connect(&search.run(), &SearchRun::searchEnded, &window, [this] { storeall(); });
}

Startup::~Startup()
{
    QObject::disconnect(m_runended);
}

WindowPlacement Startup::placement() const
{
    const qreal d = m_window.dpi();
    const QRect screen = m_window.screen()->geometry();
    const QRect normal = m_window.normalGeometry().isValid() ? m_window.normalGeometry() : m_window.geometry();
    const QSize frame = designlayout::framesize();
    WindowPlacement place;
    place.left = twips::fromPixels(normal.x() - screen.x(), d);
    place.top = twips::fromPixels(normal.y() - screen.y(), d);
    place.width = twips::fromPixels(normal.width(), d) + frame.width();
    place.height = twips::fromPixels(normal.height(), d) + frame.height();
    place.state = m_window.isMinimized()   ? WindowState::Minimised
                  : m_window.isMaximized() ? WindowState::Maximised
                                           : WindowState::Normal;
    place.screenwidth = twips::fromPixels(screen.width(), d);
    place.screenheight = twips::fromPixels(screen.height(), d);
    return place;
}

void Startup::applyplacement(const WindowPlacement &place)
{
    const qreal d = m_window.dpi();
    const QRect screen = m_window.screen()->geometry();
    const QSize frame = designlayout::framesize();
    m_window.resize(twips::toPixels(int(place.width) - frame.width(), d),
                    twips::toPixels(int(place.height) - frame.height(), d));
    m_window.move(screen.x() + twips::toPixels(int(place.left), d), screen.y() + twips::toPixels(int(place.top), d));
}

void Startup::Form_Load()
{
    guard("Startup", "Sub Form_Load", [&] {
        AppState &state = m_window.state();
        Settings &settings = state.settings;
        m_splash = std::make_unique<SplashWindow>();
        m_splash->showcentred();
        state.urldata = Array1<SearchSession>();
        state.reswid = AppState::startReswid();
        m_panels.writemessagebox(u"---Start "_s + product::name() + u" ---\r\n"_s);
        // Looked up once: a second look-up would find the same program.
        m_window.history().browserpath();
        m_window.options().fraoptions().setstartup->setText(u"Start "_s + product::name() +
                                                            u" when I start my computer"_s);
        state.viewmode = 0;
        m_window.menus().mnuwebsite->setText(product::name() + u" on the Web"_s);
        m_window.tray().display_tooltip(product::name());
        // Until the settings file is read, the options hold the values of a missing file.
        using S = Settings;
        resetsettings(settings, &S::colorscheme, &S::inettimeout, &S::maxconnections, &S::showrunning,
                      &S::isautoconnect, &S::isautodisconnect, &S::autostart, &S::useapi, &S::useproxy, &S::uselog,
                      &S::contexthelp);
        m_window.scheduler().startvalues();
        for (PopupPanel *panel : m_window.centralWidget()->findChildren<PopupPanel *>(Qt::FindDirectChildrenOnly))
            panel->setshown(false);
        m_lock = std::make_unique<InstanceLock>(programfolder::path());
        state.inifile = m_lock->inifile();
        m_lock->removeleftovers();
        state.jobs = List1<FetchJob>();
        m_window.centreonscreen();
        m_window.controls().search.pagedepth->setText(u"1"_s);
        m_window.createresultcolumns();
        loadsettings();
        // The settings file has said whether there is a log: from here on, lines go to it.
        m_panels.startlogging();
        m_panels.checkstatus();
        m_window.setcols();
        // The stored "Show log window" decides whether the message box takes room.
        m_window.Form_Resize();
        m_window.displaybits(0);
        m_splash->hide();
        m_search.run().startidle();
        m_panels.writemessagebox(settings.schedulerunning ? u"Scheduler running"_s : u"Scheduler NOT running"_s);
    });
}

// The settings file, with the window's place, into the window.
void Startup::loadsettings()
{
    AppState &state = m_window.state();
    WindowPlacement place = placement();
    readi(state, state, place, true);
    if (const QString notice = servertools::protectsecrets(state.inifile); !notice.isEmpty())
        m_panels.writemessagebox(notice);
    applyplacement(place);
    m_window.setresultswidth();
    m_search.filldomains();
    m_search.disall();
}

void Startup::storeall()
{
    guard("Startup", "Sub storeall", [&] {
        const AppState &state = m_window.state();
        QList<int> widths;
        for (int i = 1; i <= 5; ++i)
            widths.append(m_window.controls().results.resultsview->columnwidth(i));
        writei(state, state, placement(), widths);
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
        const AppState &state = m_window.state();
        if (state.settings.uselog) {
            m_panels.endlog(u"\r\n---End "_s + product::name() + u" --- at "_s + GetDateFormat() + u"\r\n"_s);
        }
        if (m_splash != nullptr)
            m_splash->close();
        m_window.tray().remove_tray_icon();
    });
}
