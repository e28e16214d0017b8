#pragma once

#include <QStringList>

// Each command takes the arguments after its name and returns the exit status.
// Results go to standard output, messages and errors to standard error.
int runParse(const QStringList &args);
int runRequest(const QStringList &args);
// fromfolder: the program's folder was given (--dir); the search starts from its settings file
// and stores its results there.
int runSearch(const QStringList &args, bool fromfolder);

// One update check; in a program folder with its proxy and update host settings.
int runCheckUpdate(const QStringList &args, bool fromfolder);

// The search command's and the update check's usage lines.
QString searchUsageText();
QString updateUsageText();
