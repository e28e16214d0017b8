#include "commands.h"

#include <QTextStream>

// Placeholder until the command lands; exits with an error so nothing mistakes it for working.
int runParse(const QStringList &)
{
    QTextStream(stderr) << "zorvane-cli: parse is not available yet\n";
    return 3;
}
