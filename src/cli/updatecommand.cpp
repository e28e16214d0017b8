#include "cliparser.h"
#include "commands.h"

#include "cli/secrets.h"
#include "diagnostics/errorreports.h"
#include "search/searchstate.h"
#include "storage/inistore.h"
#include "update/checkforupdates.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace Qt::Literals::StringLiterals;

namespace {

int updateusage(const QString &problem)
{
    QTextStream(stderr) << "zorvane-cli check-update: " << problem << '\n' << updateUsageText();
    return 2;
}

// The tick counter counts one tick past the time-out, and holds 16 bits.
const NumberOption TimeoutOption{u"--timeout"_s, 1, 32766, u"a number of seconds"_s};

// Reads the options into settings and timeout; returns an error text, or "".
QString readoptions(const QStringList &args, Settings &settings, int &timeout)
{
    QCommandLineParser parser;
    const QCommandLineOption updatehost(u"updatehost"_s, {}, u"H"_s), seconds(u"timeout"_s, {}, u"S"_s);
    QString problem = readarguments(parser, args, {updatehost, seconds});
    if (!problem.isEmpty())
        return problem;
    if (parser.isSet(updatehost))
        settings.updatehost = parser.value(updatehost);
    if (parser.isSet(seconds)) {
        const std::optional<int> given = wholenumber(TimeoutOption, parser.value(seconds), problem);
        if (!given)
            return problem;
        timeout = *given;
    }
    return {};
}

// The server the check connects to, for the reason of a failure.
QString server(const Settings &settings)
{
    const RequestTarget target = update::target(settings);
    return (target.proxied ? u"the proxy "_s : QString()) + target.connection();
}

} // namespace

QString updateUsageText()
{
    return u"usage: zorvane-cli check-update [--updatehost H[:P]] [--timeout S]\n"
           "          asks the update host for the current version; prints the update message\n"
           "          when a newer one is announced\n"
           "       zorvane-cli --dir DIR check-update [the options above]\n"
           "          the same with DIR's proxy and update host settings; ZORVANE_PROXY_PASS wins\n"
           "          over DIR's proxy password\n"_s;
}

// One update check, as the window makes it once per run: exit 0 when a reply was read, 1 when
// the connection failed or the reply did not come in time.
int runCheckUpdate(const QStringList &args, bool fromfolder)
{
    SearchState state;
    if (fromfolder) {
        WindowSettings windowsettings;
        WindowPlacement placement;
        readi(state, windowsettings, placement, false);
    }
    secrets::fromenvironment(state.settings);
    int timeout = Checkforupdates::DefaultTimeout;
    const QString problem = readoptions(args, state.settings, timeout);
    if (!problem.isEmpty())
        return updateusage(problem);

    // Failures (of reading the settings file, too) go to standard error when the check ends.
    Checkforupdates check(state.settings);
    check.settimeout(timeout);
    QObject::connect(&check, &Checkforupdates::newversion, &check, [](const QString &message) {
        QTextStream(stdout) << QString(message).replace(u"\r\n"_s, u"\n"_s) << '\n';
    });
    QObject::connect(&check, &Checkforupdates::ended, &check, [&](Checkforupdates::Outcome outcome) {
        QTextStream err(stderr);
        if (!errorreports::errortext().isEmpty())
            err << QString(errorreports::errortext()).replace(u"\r\n"_s, u"\n"_s) << '\n';
        if (outcome == Checkforupdates::Outcome::SocketError)
            err << "zorvane-cli check-update: could not connect to " << server(state.settings) << '\n';
        else if (outcome == Checkforupdates::Outcome::TimedOut)
            err << "zorvane-cli check-update: no reply from " << server(state.settings) << " within " << timeout
                << " seconds\n";
        QCoreApplication::exit(outcome == Checkforupdates::Outcome::Evaluated ? 0 : 1);
    });
    check.go();
    return QCoreApplication::exec();
}
