#include "rankchart.h"

#include "diagnostics/guard.h"

#include <QCategoryAxis>
#include <QFileInfo>
#include <QGraphicsLayout>
#include <QImage>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QToolTip>
#include <QValueAxis>

#include <algorithm>
#include <array>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace {

// Far enough from the ends that a point at the edge is not cut in half by the plot's frame.
constexpr qreal EdgeMargin = 0.5;
// Pixels from a point's centre within which the pointer rests on it.
constexpr int HoverRadius = 8;

QCategoryAxis *newaxis()
{
    auto *axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    // The axis picks its labels to fit; an elided one would read "...".
    axis->setTruncateLabels(false);
    axis->setStartValue(0);
    return axis;
}

QStringList labelsof(QCategoryAxis *axis)
{
    return axis == nullptr ? QStringList() : axis->categoriesLabels();
}

// Replaces the axis' labels, when they differ, by labels at values.
void setlabels(QCategoryAxis *axis, const QStringList &labels, const QList<qreal> &values)
{
    bool same = labels == axis->categoriesLabels();
    for (int i = 0; same && i < int(labels.size()); ++i)
        same = axis->endValue(labels[i]) == values[i];
    if (same)
        return;
    for (const QString &label : axis->categoriesLabels())
        axis->remove(label);
    for (int i = 0; i < int(labels.size()); ++i)
        axis->append(labels[i], values[i]);
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

QString visibilitytip(const visibility::VisibilitySeries &series, const visibility::VisibilityPoint &point)
{
    const visibility::Score &score = point.score;
    QString tip = point.when + u'\n' + series.name() + u": visibility "_s +
                  visibility::percenttext(score.percent().value_or(0)) + u" %"_s;
    if (score.unknown > 0)
        tip += u" ("_s + QString::number(score.unknown) + u" keywords without data)"_s;
    return tip;
}

} // namespace

RankChart::RankChart(QWidget *parent) : QChartView(parent)
{
    setRenderHint(QPainter::Antialiasing);
    setAccessibleName(QStringLiteral("Rank chart"));
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    QChart *c = chart();
    c->setAnimationOptions(QChart::NoAnimation);
    c->setBackgroundRoundness(0);
    // Below the history list the chart is short: every line of text it spares goes to the plot.
    c->setMargins(QMargins(4, 2, 4, 2));
    c->layout()->setContentsMargins(0, 0, 0, 0);
    c->legend()->setAlignment(Qt::AlignRight);
    // The labels that fit depend on the plot's size, known once the chart is laid out.
    connect(c, &QChart::plotAreaChanged, this, [this] { fitaxes(); });
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

void RankChart::rebuild()
{
    QChart *c = chart();
    c->removeAllSeries();
    for (QAbstractAxis *axis : c->axes()) {
        c->removeAxis(axis);
        delete axis;
    }
    m_x = m_y = nullptr;
    m_domainof.clear();
    m_tips.clear();
    if (!m_visibility.isEmpty()) {
        rebuildvisibility();
        return;
    }
    // One domain is named in the title; several in the legend beside the plot.
    const bool one = m_series.size() == 1;
    c->setTitle(one ? m_keyword + u" ("_s + m_series.first().name() + u')' : m_keyword);
    c->legend()->setVisible(!one);
    m_moments = rankaxes::moments(m_series);
    if (m_series.isEmpty())
        return;
    m_worst = 1;
    for (const RankSeries &s : m_series)
        m_worst = std::max(m_worst, s.worst());
    m_x = newaxis();
    m_y = newaxis();
    m_y->setReverse(true);
    m_y->setTitleText(u"Position"_s);
    c->addAxis(m_x, Qt::AlignBottom);
    c->addAxis(m_y, Qt::AlignLeft);
    for (int n = 0; n < int(m_series.size()); ++n)
        addlines(n);
    fitaxes();
    applypalette();
}

// A record without data for a domain has no point, so its line runs on past it.
void RankChart::rebuildvisibility()
{
    QChart *c = chart();
    const bool one = m_visibility.size() == 1;
    c->setTitle(one ? u"Visibility ("_s + m_visibility.first().name() + u')' : u"Visibility"_s);
    c->legend()->setVisible(!one);
    QList<std::int32_t> moments;
    for (const visibility::VisibilitySeries &s : m_visibility) {
        for (const visibility::VisibilityPoint &point : s.points)
            moments.append(point.moment);
    }
    m_moments = rankaxes::moments(moments);
    m_x = newaxis();
    c->addAxis(m_x, Qt::AlignBottom);
    c->addAxis(percentaxis(), Qt::AlignLeft);
    for (int n = 0; n < int(m_visibility.size()); ++n) {
        QList<QPointF> points;
        QStringList tips;
        for (const visibility::VisibilityPoint &point : m_visibility[n].points) {
            points.append({qreal(rankaxes::placeof(m_moments, point.moment) + 1), point.score.percent().value_or(0)});
            tips.append(visibilitytip(m_visibility[n], point));
        }
        addline(n, points, tips, true);
    }
    fitaxes();
    applypalette();
}

// A line per run of the n-th domain's readings with a position.
void RankChart::addlines(int n)
{
    QList<QList<RankPoint>> pieces = m_series[n].pieces();
    // A domain never found still gets its legend entry.
    if (pieces.isEmpty())
        pieces.append(QList<RankPoint>());
    for (int p = 0; p < int(pieces.size()); ++p) {
        QList<QPointF> points;
        QStringList tips;
        for (const RankPoint &point : pieces[p]) {
            points.append({qreal(rankaxes::placeof(m_moments, point.moment) + 1), qreal(*point.position)});
            tips.append(point.when + u'\n' + m_series[n].name() + u": position "_s + QString::number(*point.position));
        }
        addline(n, points, tips, p == 0);
    }
}

void RankChart::addline(int n, const QList<QPointF> &points, const QStringList &tips, bool first)
{
    QChart *c = chart();
    auto *line = new QLineSeries;
    line->setName(m_visibility.isEmpty() ? m_series[n].name() : m_visibility[n].name());
    line->setPen(QPen(linecolor(n), 2));
    line->setPointsVisible(true);
    line->append(points);
    c->addSeries(line);
    // Set once the chart holds the series, or the series' default wins; drawn as the radius.
    line->setMarkerSize(4);
    for (QAbstractAxis *axis : c->axes())
        line->attachAxis(axis);
    m_domainof.insert(line, n);
    m_tips.insert(line, tips);
    if (!first) {
        for (QLegendMarker *marker : c->legend()->markers(line))
            marker->setVisible(false);
    }
}

// The labels that fit the plot as it is laid out now.
void RankChart::fitaxes()
{
    if (m_x == nullptr)
        return;
    const QRectF plot = chart()->plotArea();
    QStringList labels;
    QList<qreal> values;
    if (m_y != nullptr) {
        const QFontMetricsF ymetrics(m_y->labelsFont());
        const rankaxes::Positions scale = rankaxes::positions(m_worst, plot.height(), ymetrics.height() * 1.3);
        for (const int position : scale.labels) {
            labels.append(QString::number(position));
            values.append(position);
        }
        setlabels(m_y, labels, values);
        m_y->setRange(EdgeMargin, scale.bottom + 1 - EdgeMargin);
    }

    const QFontMetricsF xmetrics(m_x->labelsFont());
    qreal widest = 0;
    for (const rankaxes::Moment &moment : m_moments)
        widest = std::max(widest, xmetrics.horizontalAdvance(moment.label));
    const int room = int(plot.width() / (widest + 2 * xmetrics.averageCharWidth()));
    labels.clear();
    values.clear();
    for (const int place : rankaxes::labelled(int(m_moments.size()), room)) {
        labels.append(m_moments[place].label);
        values.append(place + 1);
    }
    setlabels(m_x, labels, values);
    m_x->setRange(1 - EdgeMargin, qreal(m_moments.size()) + EdgeMargin);
}

QStringList RankChart::positionlabels() const
{
    return labelsof(m_y);
}

QStringList RankChart::momentlabels() const
{
    return labelsof(m_x);
}

const RankSeries *RankChart::seriesof(const QLineSeries *line) const
{
    const auto found = m_domainof.constFind(line);
    return found == m_domainof.cend() || *found >= int(m_series.size()) ? nullptr : &m_series[*found];
}

RankChart::Spot RankChart::spotat(QPoint pos) const
{
    Spot spot;
    int nearest = HoverRadius * HoverRadius + 1;
    for (auto line = m_tips.cbegin(); line != m_tips.cend(); ++line) {
        const QList<QPointF> points = line.key()->points();
        for (int i = 0; i < int(points.size()); ++i) {
            const QPointF scene = chart()->mapToPosition(points[i], line.key());
            const QPoint at = mapFromScene(scene);
            const QPoint d = at - pos;
            if (d.x() * d.x() + d.y() * d.y() >= nearest)
                continue;
            nearest = d.x() * d.x() + d.y() * d.y();
            spot.text = line.value().value(i);
            spot.area = QRect(at - QPoint(HoverRadius, HoverRadius), QSize(2 * HoverRadius + 1, 2 * HoverRadius + 1));
        }
    }
    return spot;
}

QString RankChart::tipat(QPoint pos) const
{
    return spotat(pos).text;
}

void RankChart::mouseMoveEvent(QMouseEvent *event)
{
    QChartView::mouseMoveEvent(event);
    const QPoint pos = event->position().toPoint();
    const Spot spot = spotat(pos);
    if (spot.text.isEmpty()) {
        QToolTip::hideText();
        return;
    }
    // Shown until the pointer leaves the point, however long it rests there.
    QToolTip::showText(viewport()->mapToGlobal(pos), spot.text, viewport(), spot.area, std::numeric_limits<int>::max());
}

void RankChart::changeEvent(QEvent *event)
{
    QChartView::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        applypalette();
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
