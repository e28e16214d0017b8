#pragma once

#include "rankseries.h"

#include <QList>
#include <QString>

#include <cstdint>

// What the rank chart's axes show, worked out without a widget, so that the window's chart and
// the command line's agree and a core test can check them.
namespace rankaxes {

// One place across the chart per distinct moment among the readings, in time order: every
// record has a place of its own, so records of one day stay apart.
struct Moment
{
    std::int32_t moment = 0;
    // The record's date; with the time where another record shares the day, to the second
    // where one also shares the minute.
    QString label;

    bool operator==(const Moment &) const = default;
};
QList<Moment> moments(const QList<RankSeries> &series);
// The same for bare moments, in any order, repeats allowed.
QList<Moment> moments(QList<std::int32_t> values);
// The place (0-based) of a moment among moments, -1 when it is not one of them.
int placeof(const QList<Moment> &moments, std::int32_t moment);

// The places (0-based) of count that get a label when room labels fit side by side: the
// first, then every k-th, as many as fit.
QList<int> labelled(int count, int room);

// The position axis: from 1 at the top down to bottom, the worst position rounded up to a
// round step and 10 at least; labels 1 and the multiples of the step, whole numbers as far
// apart as the plot's height allows.
struct Positions
{
    int bottom = 10;
    QList<int> labels;

    bool operator==(const Positions &) const = default;
};
// height: the plot's height in pixels; spacing: the pixels two labels need between them.
Positions positions(int worst, double height, double spacing);

} // namespace rankaxes
