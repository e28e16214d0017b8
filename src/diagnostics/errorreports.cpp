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
QString s_lastreport;
int s_dropped = 0;
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

// Drops the oldest reports whole until the text is back under the limit; the newest one stays
// whatever its size. A line at the start says how many went.
void dropoldest()
{
    if (s_errortext.size() <= ErrorTextLimit)
        return;
    static const QString start = u"\r\nError trapped: "_s;
    qsizetype cut = s_errortext.indexOf(start, s_errortext.size() - ErrorTextLimit);
    if (cut < 0)
        cut = s_errortext.size() - s_lastreport.size();
    s_dropped += int(QStringView(s_errortext).first(cut).count(start));
    s_errortext = u"\r\n("_s + QString::number(s_dropped) + u" earlier reports left out)"_s + s_errortext.sliced(cut);
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
        s_lastreport = u"\r\n"_s + report;
        s_errortext += s_lastreport;
        dropoldest();
        emit notifier().raised();
    } catch (...) {
        // A failing error trap has nowhere left to report to.
    }
}

Trapped describecurrent() noexcept
{
    try {
        try {
            throw;
        } catch (const Failure &failure) {
            return {failure.description(), QString::number(failure.number()), failure.source(), failure.fileproblem()};
        } catch (const std::bad_alloc &) {
            return {u"Out of memory"_s, u"7"_s, Failure::productName()};
        } catch (const std::exception &e) {
            return {QString::fromLocal8Bit(e.what()), u"51"_s, Failure::productName()};
        } catch (...) {
            return {u"Internal error"_s, u"51"_s, Failure::productName()};
        }
    } catch (...) {
        return {};
    }
}

void trapcurrent(const char *module) noexcept
{
    const Trapped trapped = describecurrent();
    if (trapped.fileproblem)
        fileproblem(trapped.description);
    else
        errortrap(trapped.description, trapped.number, trapped.source, QLatin1StringView(module));
}

const QString &errortext()
{
    return s_errortext;
}

const QString &lastreport()
{
    return s_lastreport;
}

void clearerrortext()
{
    s_errortext.clear();
    s_lastreport.clear();
    s_dropped = 0;
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
    clearerrortext();
    s_fileproblems = 0;
    s_lastfileproblem.clear();
}

Notifier &notifier()
{
    static Notifier instance;
    return instance;
}

} // namespace errorreports
