#pragma once

#include <QObject>
#include <QString>

// The procedure trace ring, the error trap and the day log.
namespace errorreports {

constexpr int TraceSize = 50;

// Records one procedure entry. Both texts must be string literals (or otherwise outlive the
// program): the ring keeps the pointers so an entry costs no allocation and no I/O.
void addtrace(const char *module, const char *procedure) noexcept;

// The cursor (0 when empty) and entry i (1..50, "" when unused) of the trace ring.
int tracecursor();
QString traceentry(int index);

// Builds the report of one failure, appends it to the accumulated error text, clears the
// ring and tells the window to raise the error-report panel. The failing procedure is not
// named here: it is the newest entry of the trace the report lists.
void errortrap(const QString &description, const QString &number, const QString &source,
               const QString &module) noexcept;

// The accumulated text keeps the newest reports: once it passes ErrorTextLimit characters the
// oldest reports are dropped whole, so a failure that repeats for hours fills neither the
// memory nor the mail.
constexpr qsizetype ErrorTextLimit = 64 * 1024;
const QString &errortext();
// The newest report as it was appended (with its leading line break); "" before the first.
const QString &lastreport();
void clearerrortext();

// The description, number and source of the exception being handled, as the trap reports them;
// called only from a catch block.
struct Trapped
{
    QString description;
    QString number;
    QString source;
    bool fileproblem = false; // said as a file problem, not reported

    bool operator==(const Trapped &) const = default;
};
Trapped describecurrent() noexcept;

// Says a file problem (Failure::fileproblem()) the error trap caught: no report and no trace,
// only the plain text, which the front end shows and the command line prints, ending with a
// failure status.
void fileproblem(const QString &text) noexcept;
// How many file problems were said since start (or the last reset), and the last one.
int fileproblemcount();
const QString &lastfileproblem();
// Whether a file problem was said while it lived: a command that has said why it cannot go on
// says nothing more (such as "No suitable data in file" after a file that cannot be read).
class FileProblemWatch final
{
public:
    bool said() const { return fileproblemcount() != m_start; }

private:
    int m_start = fileproblemcount();
};

// Appends text to today's log file (named by the UTC date) in the program's folder.
void writedaylog(const QString &text);
// "Zorvane" + YYMMDD of the UTC date + ".log".
QString daylogname();

// Forgets the ring, the accumulated text and the file problems; for tests.
void reset();

// Emits raised() whenever the error trap has appended a report, and fileproblemsaid() for
// every file problem.
class Notifier final : public QObject
{
    Q_OBJECT
signals:
    void raised();
    void fileproblemsaid(const QString &text);
};
Notifier &notifier();

} // namespace errorreports
