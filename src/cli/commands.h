#pragma once

#include <QStringList>

// Each command takes the arguments after its name and returns the exit status.
// Results go to standard output, messages and errors to standard error.
int runParse(const QStringList &args);
int runRequest(const QStringList &args);
int runSearch(const QStringList &args);

// The search command's usage lines.
QString searchUsageText();
