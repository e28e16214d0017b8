#include "errorreports.h"

#include "fileops.h"
#include "guard.h"
#include "platform/clock.h"

#include <array>
#include <new>

using namespace Qt::Literals::StringLiterals;

namespace errorreports {

namespace {

struct TraceEntry
{
    const char *module = nullptr;
    const char *procedure = nullptr;
};

std::array<TraceEntry, TraceSize + 1> s_trace; // index 0 is never written
int s_cursor = 0;
QString s_errortext;
int s_fileproblems = 0;
QString s_lastfileproblem;

QString entryText(const TraceEntry &entry)
{
    if (!entry.module)
        return {};
    return QLatin1StringView(entry.module) + u' ' + QLatin1StringView(entry.procedure);
}

void cleartrace()
{
    s_trace.fill({});
    s_cursor = 0;
}

QString twoDigits(int value)
{
    return value < 10 ? u"0"_s + QString::number(value) : QString::number(value);
}

} // namespace

void addtrace(const char *module, const char *procedure) noexcept
{
    if (++s_cursor > TraceSize)
        s_cursor = 1;
    s_trace[s_cursor] = {module, procedure};
}

int tracecursor()
{
    return s_cursor;
}

QString traceentry(int index)
{
    if (index < 1 || index > TraceSize)
        return {};
    return entryText(s_trace[index]);
}

void errortrap(const QString &description, const QString &number, const QString &source, const QString &module) noexcept
{
    try {
        QString report = u"Error trapped: "_s + description + u' ' + number + u' ' + source + u' ' + module +
                         u"\r\n\r\n"_s + u"Trace -- \r\n"_s;
        const auto appendEntry = [&](int i) {
            const QString entry = entryText(s_trace[i]);
            if (!entry.isEmpty())
                report += u"\r\n"_s + entry;
        };
        for (int i = s_cursor + 1; i <= TraceSize; ++i)
            appendEntry(i);
        for (int i = 1; i <= s_cursor; ++i)
            appendEntry(i);
        report += u"\r\n"_s;
        cleartrace();
        s_errortext += u"\r\n"_s + report;
        emit notifier().raised();
    } catch (...) {
        // A failing error trap has nowhere left to report to.
    }
}

void trapcurrent(const char *module) noexcept
{
    const QString moduleText = QLatin1StringView(module);
    try {
        throw;
    } catch (const Failure &failure) {
        if (failure.fileproblem())
            fileproblem(failure.description());
        else
            errortrap(failure.description(), QString::number(failure.number()), failure.source(), moduleText);
    } catch (const std::bad_alloc &) {
        errortrap(u"Out of memory"_s, u"7"_s, Failure::productName(), moduleText);
    } catch (const std::exception &e) {
        errortrap(QString::fromLocal8Bit(e.what()), u"51"_s, Failure::productName(), moduleText);
    } catch (...) {
        errortrap(u"Internal error"_s, u"51"_s, Failure::productName(), moduleText);
    }
}

const QString &errortext()
{
    return s_errortext;
}

void clearerrortext()
{
    s_errortext.clear();
}

void fileproblem(const QString &text) noexcept
{
    try {
        ++s_fileproblems;
        s_lastfileproblem = text;
        emit notifier().fileproblemsaid(text);
    } catch (...) {
        // As the error trap: nowhere left to say it.
    }
}

int fileproblemcount()
{
    return s_fileproblems;
}

const QString &lastfileproblem()
{
    return s_lastfileproblem;
}

QString daylogname()
{
    QString result;
    guard("Errorreports", "Function daylogname", [&] {
        const QDate today = Clock::current().utcNow().date();
        QString year = QString::number(today.year());
        if (year.size() == 4)
            year = year.mid(2, 2);
        result = Failure::productName() + year + twoDigits(today.month()) + twoDigits(today.day()) + u".log"_s;
    });
    return result;
}

void writedaylog(const QString &text)
{
    guard("Errorreports", "Sub writedaylog", [&] { fileops::writelog(daylogname(), text); });
}

void reset()
{
    cleartrace();
    s_errortext.clear();
    s_fileproblems = 0;
    s_lastfileproblem.clear();
}

Notifier &notifier()
{
    static Notifier instance;
    return instance;
}

} // namespace errorreports
