#include "datetext.h"

#include "diagnostics/guard.h"
#include "platform/clock.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace {

void appendTwoDigits(QString &out, int value)
{
    if (value < 10)
        out += u'0';
    out += QString::number(value);
}

} // namespace

QString GetDateFormat()
{
    static constexpr std::array<char16_t[4], 12> months{u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                                                        u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
    QString result;
    guard("Google", "Function GetDateFormat", [&] {
        const QDateTime now = Clock::current().localNow();
        const QDate date = now.date();
        const QTime time = now.time();
        if (!date.isValid() || !time.isValid())
            throw Failure::invalidCall(u"invalid clock reading"_s);
        QString text;
        text.reserve(20);
        appendTwoDigits(text, date.day());
        text += u'-' + QStringView(months[date.month() - 1]) + u'-' + QString::number(date.year()) + u' ';
        appendTwoDigits(text, time.hour());
        text += u':';
        appendTwoDigits(text, time.minute());
        text += u':';
        appendTwoDigits(text, time.second());
        result = text;
    });
    return result;
}
