#include "rankaxes.h"

#include "diagnostics/datetext.h"

#include <QLocale>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace rankaxes {

namespace {

// The format a label needs for the moment to differ from every other label of its day.
QString labelformat(const QDateTime &at, const QList<QDateTime> &all)
{
    const auto sameday = [&](const QDateTime &other) { return other != at && other.date() == at.date(); };
    if (std::none_of(all.begin(), all.end(), sameday))
        return u"dd-MMM-yyyy"_s;
    const auto sameminute = [&](const QDateTime &other) {
        return sameday(other) && other.time().hour() == at.time().hour() && other.time().minute() == at.time().minute();
    };
    return std::any_of(all.begin(), all.end(), sameminute) ? u"dd-MMM-yyyy hh:mm:ss"_s : u"dd-MMM-yyyy hh:mm"_s;
}

int bottomfor(int worst, int step)
{
    return std::max(10, (worst + step - 1) / step * step);
}

// Steps of 1, 2 and 5 times a power of ten: the smallest whose labels keep their distance, or
// failing that, in a plot too low for two labels, the step from 1 to the bottom.
int stepfor(int worst, double height, double spacing)
{
    for (int decade = 1;; decade *= 10) {
        for (const int factor : {1, 2, 5}) {
            const int step = factor * decade;
            const int bottom = bottomfor(worst, step);
            if (step * height / bottom >= spacing || step >= bottom)
                return step;
        }
    }
}

} // namespace

QList<Moment> moments(const QList<RankSeries> &series)
{
    QList<std::int32_t> values;
    for (const RankSeries &s : series) {
        for (const RankPoint &point : s.points)
            values.append(point.moment);
    }
    return moments(values);
}

QList<Moment> moments(QList<std::int32_t> values)
{
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    QList<QDateTime> times;
    for (const std::int32_t value : values)
        times.append(calcdatetime(value));
    // English months whatever the system's language, as in every date the program writes.
    const QLocale english = QLocale::c();
    QList<Moment> result;
    for (int i = 0; i < int(values.size()); ++i)
        result.append({values[i], english.toString(times[i], labelformat(times[i], times))});
    return result;
}

int placeof(const QList<Moment> &moments, std::int32_t moment)
{
    const auto found = std::lower_bound(moments.begin(), moments.end(), moment,
                                        [](const Moment &m, std::int32_t value) { return m.moment < value; });
    return found != moments.end() && found->moment == moment ? int(found - moments.begin()) : -1;
}

QList<int> labelled(int count, int room)
{
    QList<int> result;
    if (count < 1)
        return result;
    const int every = room >= count ? 1 : room <= 1 ? count : (count - 1 + room - 2) / (room - 1);
    for (int place = 0; place < count; place += every)
        result.append(place);
    return result;
}

Positions positions(int worst, double height, double spacing)
{
    worst = std::max(worst, 1);
    const int step = stepfor(worst, height, spacing);
    Positions result{bottomfor(worst, step), {1}};
    const double perposition = height / result.bottom;
    for (int value = step; value <= result.bottom; value += step) {
        // A multiple too close to the 1 above it is left out.
        if ((value - 1) * perposition >= spacing)
            result.labels.append(value);
    }
    return result;
}

} // namespace rankaxes
