#pragma once

#include "rankseries.h"
#include "visibility.h"

#include <QChartView>
#include <QHash>

class QIODevice;
class QLineSeries;

// A keyword's positions over time: dates across, position down from 1 at the top, one colour
// per domain, a break in the line where the domain was not found. It takes its colours from its
// palette (Window around the plot, Base inside, WindowText for the texts), so the colour
// scheme reaches it as it reaches any other control. Without a keyword it shows the domains'
// visibility instead: percentages up from 0, one line per domain.
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

    // The hover text of the reading nearest to point on line: its date and the domain's position.
    QString tiptext(const QLineSeries *line, QPointF point) const;

    // The line colour of the n-th domain.
    static QColor linecolor(int n);

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void rebuild();
    void rebuildvisibility();
    // A line of domain n through points; only the first line of a domain has a legend entry.
    QLineSeries *addline(int n, const QString &name, const QList<QPointF> &points, bool first);
    QString visibilitytip(const QLineSeries *line, QPointF point) const;
    void applypalette();
    void fitdates();
    void hovered(const QLineSeries *line, QPointF point, bool state);

    QString m_keyword;
    QList<RankSeries> m_series;
    QList<visibility::VisibilitySeries> m_visibility;
    QHash<const QLineSeries *, int> m_domainof;
};

namespace rankchart {

// Writes the chart as SVG or PNG (by the file name's ending, case ignored) of size pixels, in
// the plain look of a page: through a temporary file renamed over filename, or on out. Returns
// the problem, "" when written. Needs a QApplication.
QString writechart(const QString &keyword, const QList<RankSeries> &series, QSize size, const QString &filename);
QString writechart(const QString &keyword, const QList<RankSeries> &series, QSize size, bool svg, QIODevice &out);

} // namespace rankchart
