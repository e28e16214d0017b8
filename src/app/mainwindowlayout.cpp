// The resize handler: keeps the window within its limits and lays the controls out in twips.

#include "appstate.h"
#include "colorschemes.h"
#include "designlayout.h"
#include "diagnostics/guard.h"
#include "historyviewcontroller.h"
#include "mainwindow.h"
#include "platform/twips.h"
#include "resizerules.h"
#include "views/listview.h"

#include <QComboBox>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QScreen>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

qreal MainWindow::dpi() const
{
    return logicalDpiY();
}

QSize MainWindow::outersize() const
{
    const QSize frame = designlayout::framesize();
    return {twips::fromPixels(width(), dpi()) + frame.width(), twips::fromPixels(height(), dpi()) + frame.height()};
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void MainWindow::Form_Resize()
{
    guard("Mainwindowlayout", "Sub Form_Resize", [&] {
        if (isMinimized())
            return;
        if (!isMaximized() && !isFullScreen() && !clamptoscreen())
            return;
        const QSize outer = outersize();
        resizerules::arrange(m_rects, m_helprects, outer.width(), outer.height(), m_state.settings.showrunning);
        if (m_historyview != nullptr && m_historyview->chartshown())
            resizerules::splitforchart(m_rects);
        m_controls.status.runningtext->setVisible(m_state.settings.showrunning);
        placecontrols();
    });
}

// Returns false when the window was moved onto the screen, which ends this layout pass.
bool MainWindow::clamptoscreen()
{
    const qreal d = dpi();
    const QRect screen = this->screen()->geometry();
    const QSize outer = outersize();
    TwipsRect window{twips::fromPixels(x() - screen.x(), d), twips::fromPixels(y() - screen.y(), d), outer.width(),
                     outer.height()};
    const bool carryon =
        resizerules::clampwindow(window, {twips::fromPixels(screen.width(), d), twips::fromPixels(screen.height(), d)});
    const QSize frame = designlayout::framesize();
    // The toolkit enforces the lower limit while the user drags, so the window never flickers below it.
    setMinimumSize(twips::toPixels(qMin(resizerules::MinimumWidth, window.width) - frame.width(), d),
                   twips::toPixels(qMin(resizerules::MinimumHeight, window.height) - frame.height(), d));
    if (window.width != outer.width() || window.height != outer.height())
        resize(twips::toPixels(window.width - frame.width(), d), twips::toPixels(window.height - frame.height(), d));
    if (!carryon)
        move(x(), screen.y());
    return carryon;
}

void MainWindow::placeon(QWidget *widget, const TwipsRect &rect)
{
    const qreal d = dpi();
    widget->setGeometry(twips::toPixels(rect.left, d), twips::toPixels(rect.top, d),
                        twips::lengthToPixels(rect.left, rect.width, d),
                        twips::lengthToPixels(rect.top, rect.height, d));
}

void MainWindow::placecontrols()
{
    for (auto it = m_rects.cbegin(); it != m_rects.cend(); ++it) {
        if (QWidget *widget = m_named.value(it.key()))
            placeon(widget, it.value());
    }
    const QList<QToolButton *> &icons = m_controls.helpbuttons;
    for (int i = 0; i < int(icons.size()) && i < int(m_helprects.size()); ++i)
        placeon(icons.at(i), m_helprects.at(i));
    for (const QString &name : colorschemes::popuppanels()) {
        if (QWidget *panel = m_named.value(name))
            panel->raise();
    }
}

void MainWindow::centreonscreen()
{
    const qreal d = dpi();
    const QSize design = designlayout::designsize();
    const QSize frame = designlayout::framesize();
    resize(twips::toPixels(design.width() - frame.width(), d), twips::toPixels(design.height() - frame.height(), d));
    const QRect screen = this->screen()->availableGeometry();
    if (width() > screen.width() || height() > screen.height())
        move(screen.topLeft());
    else
        move(screen.center() - rect().center());
}
WindowPlacement MainWindow::placement() const
{
    const qreal d = dpi();
    const QRect screen = this->screen()->geometry();
    const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    const QSize frame = designlayout::framesize();
    WindowPlacement place;
    place.left = twips::fromPixels(normal.x() - screen.x(), d);
    place.top = twips::fromPixels(normal.y() - screen.y(), d);
    place.width = twips::fromPixels(normal.width(), d) + frame.width();
    place.height = twips::fromPixels(normal.height(), d) + frame.height();
    place.state = isMinimized() ? WindowState::Minimised : isMaximized() ? WindowState::Maximised : WindowState::Normal;
    place.screenwidth = twips::fromPixels(screen.width(), d);
    place.screenheight = twips::fromPixels(screen.height(), d);
    return place;
}

void MainWindow::applyplacement(const WindowPlacement &place)
{
    const qreal d = dpi();
    const QRect screen = this->screen()->geometry();
    const QSize frame = designlayout::framesize();
    resize(twips::toPixels(int(place.width) - frame.width(), d),
           twips::toPixels(int(place.height) - frame.height(), d));
    move(screen.x() + twips::toPixels(int(place.left), d), screen.y() + twips::toPixels(int(place.top), d));
}

RecordWindow MainWindow::recordwindow() const
{
    const WindowPlacement place = placement();
    RecordWindow window;
    window.metop = place.top;
    window.meleft = place.left;
    window.mewidth = place.width;
    window.meheight = place.height;
    for (int i = 0; i < 5; ++i)
        window.headw[i] = m_controls.results.resultsview->columnwidth(i + 1);
    window.txturls = m_controls.search.txturls->currentText();
    return window;
}
