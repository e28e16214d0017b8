#include "datetext.h"

#include "diagnostics/guard.h"
#include "platform/clock.h"

#include <array>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace {

// calctime counts from the first day of this year.
constexpr int EpochYear = 2005;

constexpr std::array<char16_t[4], 12> Months{u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                                             u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};

void appendTwoDigits(QString &out, int value)
{
    if (value < 10)
        out += u'0';
    out += QString::number(value);
}

// A field that must be a whole number: digits only, at most nine of them.
std::int64_t fieldnumber(QStringView field)
{
    if (field.isEmpty() || field.size() > 9)
        throw Failure::typeMismatch();
    std::int64_t value = 0;
    for (const QChar c : field) {
        if (c < u'0' || c > u'9')
            throw Failure::typeMismatch();
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

std::int64_t monthnumber(QStringView field)
{
    for (int m = 0; m < 12; ++m) {
        if (field == QStringView(Months[m]))
            return m + 1;
    }
    return fieldnumber(field);
}

// Days from 1 March of year 0 in the proleptic Gregorian calendar, so a leap day is simply the
// last day of its year.
std::int64_t daynumber(std::int64_t year, std::int64_t month, std::int64_t day)
{
    if (month < 1 || month > 12)
        throw Failure::subscriptOutOfRange();
    if (month <= 2) {
        year -= 1;
        month += 12;
    }
    return 365 * year + year / 4 - year / 100 + year / 400 + (153 * (month - 3) + 2) / 5 + day - 1;
}

} // namespace

QString GetDateFormat()
{
    QString result;
    guard("Datetext", "Function GetDateFormat", [&] {
        const QDateTime now = Clock::current().localNow();
        const QDate date = now.date();
        const QTime time = now.time();
        if (!date.isValid() || !time.isValid())
            throw Failure::invalidCall(u"invalid clock reading"_s);
        QString text;
        text.reserve(20);
        appendTwoDigits(text, date.day());
        text += u'-' + QStringView(Months[date.month() - 1]) + u'-' + QString::number(date.year()) + u' ';
        appendTwoDigits(text, time.hour());
        text += u':';
        appendTwoDigits(text, time.minute());
        text += u':';
        appendTwoDigits(text, time.second());
        result = text;
    });
    return result;
}

namespace {

std::int32_t moment(const QString &text)
{
    QList<QStringView> fields;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size() && fields.size() < 6; ++i) {
        if (i == text.size() || text[i] == u'-' || text[i] == u' ' || text[i] == u':') {
            fields.append(QStringView(text).sliced(start, i - start));
            start = i + 1;
        }
    }
    if (fields.size() < 6)
        throw Failure::invalidCall(u"date-time text"_s);
    const std::int64_t days =
        daynumber(fieldnumber(fields[2]), monthnumber(fields[1]), fieldnumber(fields[0])) - daynumber(EpochYear, 1, 1);
    const std::int64_t seconds =
        days * 86400 + fieldnumber(fields[3]) * 3600 + fieldnumber(fields[4]) * 60 + fieldnumber(fields[5]);
    if (seconds < std::numeric_limits<std::int32_t>::min() || seconds > std::numeric_limits<std::int32_t>::max())
        throw Failure::overflow();
    return std::int32_t(seconds);
}

} // namespace

std::int32_t calctime(const QString &text)
{
    std::int32_t result = 0;
    guard("Datetext", "Function calctime", [&] { result = moment(text); });
    return result;
}

std::optional<std::int32_t> readcalctime(const QString &text)
{
    try {
        return moment(text);
    } catch (const Failure &) {
        return std::nullopt;
    }
}

QDateTime calcdatetime(std::int32_t moment)
{
    // Floor division, so a moment before the epoch still lands on its own day.
    std::int32_t days = moment / 86400;
    if (moment % 86400 < 0)
        --days;
    const int seconds = int(moment - std::int64_t(days) * 86400);
    return QDateTime(QDate(EpochYear, 1, 1).addDays(days), QTime(0, 0).addSecs(seconds));
}

QString displaytime(std::int64_t seconds)
{
    QString result;
    guard("Datetext", "Sub displaytime", [&] {
        // Whole days rounded down, so a negative count still splits into parts that add up.
        std::int64_t days = seconds / 86400;
        if (seconds % 86400 < 0)
            --days;
        std::int64_t rest = seconds - days * 86400;
        const std::int64_t hours = rest / 3600;
        rest %= 3600;
        const std::int64_t mins = rest / 60;
        const std::int64_t secs = rest % 60;
        QString text;
        const auto part = [&](std::int64_t value, QLatin1StringView unit) {
            if (value > 0)
                text += QString::number(value) + u' ' + unit + u' ';
        };
        part(days, "days"_L1);
        part(hours, "hours"_L1);
        part(mins, "mins"_L1);
        part(secs, "secs"_L1);
        result = u"Next Schedule search in "_s + text;
    });
    return result;
}
