#include "startup.h"

#include "appstate.h"
#include "designlayout.h"
#include "diagnostics/datetext.h"
#include "diagnostics/errorreports.h"
#include "diagnostics/guard.h"
#include "mainwindow.h"
#include "platform/programfolder.h"
#include "platform/twips.h"
#include "search/searchrun.h"
#include "searchcontroller.h"
#include "statuspanels.h"
#include "storage/inistore.h"
#include "storage/instancelock.h"
#include "views/listview.h"

#include <QLineEdit>
#include <QScreen>

using namespace Qt::Literals::StringLiterals;

Startup::Startup(MainWindow &window, StatusPanels &panels, SearchController &search)
    : m_window(window), m_panels(panels), m_search(search)
{}

Startup::~Startup() = default;

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
    guard("Google", "Sub Form_Load", [&] {
        AppState &state = m_window.state();
        state.urldata = Array1<SearchSession>();
        state.jobs = Array1<FetchJob>();
        state.reswid = AppState::startReswid();
        state.viewmode = 0;
        m_panels.writemessagebox(u"---Start Zorvane ---\r\n"_s);
        m_lock = std::make_unique<InstanceLock>(programfolder::path());
        state.inifile = m_lock->inifile();
        m_window.controls().search.pagedepth->setText(u"1"_s);
        WindowPlacement place = placement();
        readi(state, state, place, true);
        applyplacement(place);
        m_window.setresultswidth();
        m_search.filldomains();
        m_panels.checkstatus();
        m_window.setcols();
        // The stored "Show log window" decides whether the message box takes room.
        m_window.Form_Resize();
        m_window.displaybits(0);
        m_search.disall();
        m_panels.writemessagebox(state.settings.schedulerunning ? u"Scheduler running"_s : u"Scheduler NOT running"_s);
    });
}

void Startup::Form_Unload()
{
    guard("Google", "Sub Form_Unload", [&] {
        if (m_unloaded)
            return;
        m_unloaded = true;
        m_panels.setwait(u"Closing Down"_s);
        m_search.run().stoptimer();
        const AppState &state = m_window.state();
        QList<int> widths;
        for (int i = 1; i <= 5; ++i)
            widths.append(m_window.controls().results.resultsview->columnwidth(i));
        writei(state, state, placement(), widths);
        if (state.settings.uselog) {
            errorreports::writedaylog(m_panels.runningtext() + u"\r\n---End Zorvane --- at "_s + GetDateFormat() +
                                      u"\r\n"_s);
        }
    });
}
