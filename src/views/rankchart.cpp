#include "rankchart.h"

#include "diagnostics/datetext.h"
#include "diagnostics/guard.h"

#include <QCategoryAxis>
#include <QCursor>
#include <QDateTimeAxis>
#include <QFileInfo>
#include <QGraphicsLayout>
#include <QImage>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QToolTip>
#include <QValueAxis>

#include <algorithm>
#include <array>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

// Far enough above 1 that a point at the top is not cut in half by the plot's edge.
constexpr qreal TopMargin = 0.5;

qreal xof(const RankPoint &point)
{
    return qreal(calcdatetime(point.moment).toMSecsSinceEpoch());
}

// The y axis: labels at 1 and at round steps down to the worst position, ten at most.
QCategoryAxis *positionaxis(int worst)
{
    static constexpr std::array<int, 11> Steps{1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000};
    int step = Steps.back();
    for (int candidate : Steps) {
        if ((worst + candidate - 1) / candidate <= 10) {
            step = candidate;
            break;
        }
    }
    const int bottom = std::max(10, (worst + step - 1) / step * step);
    auto *axis = new QCategoryAxis;
    axis->setStartValue(0);
    axis->append(u"1"_s, 1);
    // The first step's label is left out when it would crowd the 1 (a step of 2).
    for (int value = step; value <= bottom; value += step) {
        if (4 * (value - 1) >= 3 * step)
            axis->append(QString::number(value), value);
    }
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setRange(TopMargin, bottom + 1 - TopMargin);
    axis->setReverse(true);
    axis->setTitleText(u"Position"_s);
    return axis;
}

qreal xof(const visibility::VisibilityPoint &point)
{
    return qreal(calcdatetime(point.moment).toMSecsSinceEpoch());
}

// The y axis of the visibility lines: 0 at the bottom, 100 % at the top.
QValueAxis *percentaxis()
{
    auto *axis = new QValueAxis;
    axis->setRange(0, 100);
    axis->setTickCount(6);
    axis->setLabelFormat(u"%d"_s);
    axis->setTitleText(u"Visibility (%)"_s);
    return axis;
}

template <typename Series> QDateTimeAxis *dateaxis(const QList<Series> &series)
{
    qreal first = 0;
    qreal last = 0;
    bool any = false;
    for (const Series &s : series) {
        for (const auto &point : s.points) {
            const qreal x = xof(point);
            first = any ? std::min(first, x) : x;
            last = any ? std::max(last, x) : x;
            any = true;
        }
    }
    constexpr qreal Day = 86400000.0;
    const qreal pad = last - first < Day ? Day / 2 : (last - first) / 40;
    auto *axis = new QDateTimeAxis;
    axis->setFormat(last - first > 2 * Day ? u"dd-MMM-yyyy"_s : u"dd-MMM hh:mm"_s);
    axis->setRange(QDateTime::fromMSecsSinceEpoch(qint64(first - pad)),
                   QDateTime::fromMSecsSinceEpoch(qint64(last + pad)));
    return axis;
}

} // namespace

RankChart::RankChart(QWidget *parent) : QChartView(parent)
{
    setRenderHint(QPainter::Antialiasing);
    QChart *c = chart();
    c->setAnimationOptions(QChart::NoAnimation);
    // The program's dates have English months whatever the system's language.
    c->setLocale(QLocale::c());
    c->setBackgroundRoundness(0);
    // Below the history list the chart is short: every line of text it spares goes to the plot.
    c->setMargins(QMargins(4, 2, 4, 2));
    c->layout()->setContentsMargins(0, 0, 0, 0);
    c->legend()->setAlignment(Qt::AlignRight);
    applypalette();
}

void RankChart::setseries(const QString &keyword, const QList<RankSeries> &series)
{
    guard("RankChart", "Sub setseries", [&] {
        m_keyword = keyword;
        m_series = series;
        m_visibility.clear();
        rebuild();
    });
}

void RankChart::setvisibility(const QList<visibility::VisibilitySeries> &series)
{
    guard("RankChart", "Sub setvisibility", [&] {
        m_keyword.clear();
        m_series.clear();
        m_visibility = series;
        rebuild();
    });
}

QColor RankChart::linecolor(int n)
{
    // Dark enough to read on the pale standard backgrounds and on white.
    static const std::array<QColor, 8> Colors{
        QColor(0x1f, 0x3f, 0xbf), QColor(0xc0, 0x20, 0x20), QColor(0x80, 0x30, 0xa0), QColor(0xd0, 0x70, 0x00),
        QColor(0x00, 0x70, 0x70), QColor(0x60, 0x40, 0x20), QColor(0xc0, 0x30, 0x90), QColor(0x40, 0x40, 0x40)};
    return Colors[std::size_t(n) % Colors.size()];
}

QLineSeries *RankChart::addline(int n, const QString &name, const QList<QPointF> &points, bool first)
{
    QChart *c = chart();
    auto *line = new QLineSeries;
    line->setName(name);
    line->setPen(QPen(linecolor(n), 2));
    line->setPointsVisible(true);
    line->append(points);
    c->addSeries(line);
    // Set once the chart holds the series; before, the series' default wins.
    line->setMarkerSize(7);
    for (QAbstractAxis *axis : c->axes())
        line->attachAxis(axis);
    m_domainof.insert(line, n);
    connect(line, &QLineSeries::hovered, this,
            [this, line](const QPointF &point, bool state) { hovered(line, point, state); });
    if (!first) {
        for (QLegendMarker *marker : c->legend()->markers(line))
            marker->setVisible(false);
    }
    return line;
}

void RankChart::rebuild()
{
    QChart *c = chart();
    c->removeAllSeries();
    for (QAbstractAxis *axis : c->axes()) {
        c->removeAxis(axis);
        delete axis;
    }
    m_domainof.clear();
    if (!m_visibility.isEmpty()) {
        rebuildvisibility();
        return;
    }
    // One domain is named in the title; several in the legend beside the plot.
    const bool one = m_series.size() == 1;
    c->setTitle(one ? m_keyword + u" ("_s + m_series.first().name() + u')' : m_keyword);
    c->legend()->setVisible(!one);
    if (m_series.isEmpty())
        return;
    QAbstractAxis *x = dateaxis(m_series);
    int worst = 1;
    for (const RankSeries &s : m_series)
        worst = std::max(worst, s.worst());
    QAbstractAxis *y = positionaxis(worst);
    c->addAxis(x, Qt::AlignBottom);
    c->addAxis(y, Qt::AlignLeft);
    for (int n = 0; n < int(m_series.size()); ++n) {
        QList<QList<RankPoint>> pieces = m_series[n].pieces();
        // A domain never found still gets its legend entry.
        if (pieces.isEmpty())
            pieces.append(QList<RankPoint>());
        for (int p = 0; p < int(pieces.size()); ++p) {
            QList<QPointF> points;
            for (const RankPoint &point : pieces[p])
                points.append({xof(point), qreal(*point.position)});
            addline(n, m_series[n].name(), points, p == 0);
        }
    }
    fitdates();
    applypalette();
}

// A record without data for a domain has no point, so its line runs on past it.
void RankChart::rebuildvisibility()
{
    QChart *c = chart();
    const bool one = m_visibility.size() == 1;
    c->setTitle(one ? u"Visibility ("_s + m_visibility.first().name() + u')' : u"Visibility"_s);
    c->legend()->setVisible(!one);
    c->addAxis(dateaxis(m_visibility), Qt::AlignBottom);
    c->addAxis(percentaxis(), Qt::AlignLeft);
    for (int n = 0; n < int(m_visibility.size()); ++n) {
        QList<QPointF> points;
        for (const visibility::VisibilityPoint &point : m_visibility[n].points)
            points.append({xof(point), point.score.percent().value_or(0)});
        addline(n, m_visibility[n].name(), points, true);
    }
    fitdates();
    applypalette();
}

const RankSeries *RankChart::seriesof(const QLineSeries *line) const
{
    const auto found = m_domainof.constFind(line);
    return found == m_domainof.cend() ? nullptr : &m_series[*found];
}

QString RankChart::tiptext(const QLineSeries *line, QPointF point) const
{
    if (!m_visibility.isEmpty())
        return visibilitytip(line, point);
    const RankSeries *series = seriesof(line);
    if (series == nullptr)
        return {};
    const RankPoint *nearest = nullptr;
    qreal distance = 0;
    for (const RankPoint &candidate : series->points) {
        if (!candidate.position)
            continue;
        const qreal d = std::abs(xof(candidate) - point.x());
        if (nearest == nullptr || d < distance) {
            nearest = &candidate;
            distance = d;
        }
    }
    if (nearest == nullptr)
        return {};
    return nearest->when + u'\n' + series->name() + u": position "_s + QString::number(*nearest->position);
}

QString RankChart::visibilitytip(const QLineSeries *line, QPointF point) const
{
    const auto found = m_domainof.constFind(line);
    if (found == m_domainof.cend() || m_visibility[*found].points.isEmpty())
        return {};
    const visibility::VisibilitySeries &series = m_visibility[*found];
    const auto nearest =
        std::min_element(series.points.cbegin(), series.points.cend(), [&](const auto &a, const auto &b) {
            return std::abs(xof(a) - point.x()) < std::abs(xof(b) - point.x());
        });
    const visibility::Score &score = nearest->score;
    QString tip = nearest->when + u'\n' + series.name() + u": visibility "_s +
                  visibility::percenttext(score.percent().value_or(0)) + u" %"_s;
    if (score.unknown > 0)
        tip += u" ("_s + QString::number(score.unknown) + u" keywords without data)"_s;
    return tip;
}

void RankChart::hovered(const QLineSeries *line, QPointF point, bool state)
{
    if (state)
        QToolTip::showText(QCursor::pos(), tiptext(line, point), this);
    else
        QToolTip::hideText();
}

void RankChart::changeEvent(QEvent *event)
{
    QChartView::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        applypalette();
}

void RankChart::resizeEvent(QResizeEvent *event)
{
    QChartView::resizeEvent(event);
    fitdates();
}

// As many dates across as fit without eliding.
void RankChart::fitdates()
{
    for (QAbstractAxis *axis : chart()->axes(Qt::Horizontal)) {
        if (auto *dates = qobject_cast<QDateTimeAxis *>(axis))
            dates->setTickCount(std::clamp(width() / 150, 2, 7));
    }
}

void RankChart::applypalette()
{
    const QPalette &p = palette();
    const QColor text = p.color(QPalette::WindowText);
    QChart *c = chart();
    setBackgroundBrush(p.color(QPalette::Window));
    c->setBackgroundBrush(p.color(QPalette::Window));
    c->setPlotAreaBackgroundBrush(p.color(QPalette::Base));
    c->setPlotAreaBackgroundVisible(true);
    c->setTitleBrush(text);
    c->legend()->setLabelColor(text);
    QColor grid = text;
    grid.setAlpha(60);
    for (QAbstractAxis *axis : c->axes()) {
        axis->setLabelsColor(text);
        axis->setTitleBrush(text);
        axis->setLinePenColor(text);
        axis->setGridLineColor(grid);
    }
}

namespace rankchart {

QString writechart(const QString &keyword, const QList<RankSeries> &series, QSize size, bool svg, QIODevice &out)
{
    // Stays set when the drawing fails on the way.
    QString problem = u"the chart could not be drawn"_s;
    guard("RankChart", "Sub writechart", [&] {
        RankChart view;
        QPalette page = view.palette();
        page.setColor(QPalette::Window, Qt::white);
        page.setColor(QPalette::Base, Qt::white);
        page.setColor(QPalette::WindowText, Qt::black);
        view.setPalette(page);
        view.setFrameShape(QFrame::NoFrame);
        view.setseries(keyword, series);
        // Laid out as if shown, so the chart fills the page.
        view.setAttribute(Qt::WA_DontShowOnScreen);
        view.resize(size);
        view.show();
        view.chart()->layout()->activate();
        QPainter painter;
        if (svg) {
            QSvgGenerator generator;
            generator.setOutputDevice(&out);
            generator.setSize(size);
            generator.setViewBox(QRect(QPoint(0, 0), size));
            generator.setTitle(keyword);
            if (painter.begin(&generator)) {
                view.render(&painter);
                painter.end();
                problem.clear();
            }
            return;
        }
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        painter.begin(&image);
        view.render(&painter);
        painter.end();
        if (image.save(&out, "PNG"))
            problem.clear();
    });
    return problem;
}

QString writechart(const QString &keyword, const QList<RankSeries> &series, QSize size, const QString &filename)
{
    const QString suffix = QFileInfo(filename).suffix().toLower();
    if (suffix != u"svg" && suffix != u"png")
        return u"the file name must end in .svg or .png: "_s + filename;
    QSaveFile file(filename);
    if (!file.open(QIODevice::WriteOnly))
        return u"cannot write "_s + filename + u": "_s + file.errorString();
    const QString problem = writechart(keyword, series, size, suffix == u"svg", file);
    if (!problem.isEmpty()) {
        file.cancelWriting();
        return problem;
    }
    if (!file.commit())
        return u"cannot write "_s + filename + u": "_s + file.errorString();
    return {};
}

} // namespace rankchart
