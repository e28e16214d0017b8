#pragma once

#include "rankaxes.h"
#include "rankseries.h"
#include "visibility.h"

#include <QChartView>
#include <QHash>

class QCategoryAxis;
class QIODevice;
class QLineSeries;

// A keyword's positions over time: one place across per record in time order, position down
// from 1 at the top, one colour per domain, a break in the line where the domain was not found.
// The axes label as many records and positions as fit the chart's size, whole and apart. It
// takes its colours from its palette (Window around the plot, Base inside, WindowText for the
// texts), so the colour scheme reaches it as it reaches any other control. Without a keyword it
// shows the domains' visibility instead: percentages up from 0, one line per domain.
class RankChart final : public QChartView
{
    Q_OBJECT
public:
    explicit RankChart(QWidget *parent = nullptr);

    void setseries(const QString &keyword, const QList<RankSeries> &series);
    void setvisibility(const QList<visibility::VisibilitySeries> &series);
    const QList<visibility::VisibilitySeries> &visibilityseries() const { return m_visibility; }
    const QList<RankSeries> &series() const { return m_series; }
    // The domain and the reading a drawn line stands for.
    const RankSeries *seriesof(const QLineSeries *line) const;

    // The hover text of the reading drawn at pos (the viewport's coordinates): its date and the
    // domain's position or visibility; "" where no reading is drawn. It shows while the pointer
    // rests there.
    QString tipat(QPoint pos) const;
    // The labels the axes show now: positions from the top, records from the left.
    QStringList positionlabels() const;
    QStringList momentlabels() const;

    // The line colour of the n-th domain.
    static QColor linecolor(int n);

protected:
    void changeEvent(QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    struct Spot
    {
        QString text;
        QRect area;
    };

    void rebuild();
    void rebuildvisibility();
    void addlines(int n);
    // A line of domain n through points, each with its hover text; only the first line of a
    // domain has a legend entry.
    void addline(int n, const QList<QPointF> &points, const QStringList &tips, bool first);
    void applypalette();
    void fitaxes();
    Spot spotat(QPoint pos) const;

    QString m_keyword;
    QList<RankSeries> m_series;
    QList<visibility::VisibilitySeries> m_visibility;
    QList<rankaxes::Moment> m_moments;
    int m_worst = 1;
    QCategoryAxis *m_x = nullptr;
    QCategoryAxis *m_y = nullptr;
    QHash<const QLineSeries *, int> m_domainof;
    // The hover text of each point a line draws, in the order of its points.
    QHash<QLineSeries *, QStringList> m_tips;
};

namespace rankchart {

// Writes the chart as SVG or PNG (by the file name's ending, case ignored) of size pixels, in
// the plain look of a page: through a temporary file renamed over filename, or on out. Returns
// the problem, "" when written. Needs a QApplication.
QString writechart(const QString &keyword, const QList<RankSeries> &series, QSize size, const QString &filename);
QString writechart(const QString &keyword, const QList<RankSeries> &series, QSize size, bool svg, QIODevice &out);

} // namespace rankchart
