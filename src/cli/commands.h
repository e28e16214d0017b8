#pragma once

#include <QCoreApplication>
#include <QStringList>

#include <memory>

class SearchRun;
struct SearchState;

// Each command takes the arguments after its name and returns the exit status.
// Results go to standard output, messages and errors to standard error.
int runParse(const QStringList &args);
int runRequest(const QStringList &args);
// fromfolder: the program's folder was given (--dir); the search starts from its settings file
// and stores its results there.
int runSearch(const QStringList &args, bool fromfolder);

// One update check; in a program folder with its proxy and update host settings.
int runCheckUpdate(const QStringList &args, bool fromfolder);
// One search of a well-known keyword through the search service; in a program folder with its
// service settings.
int runCheckService(const QStringList &args, bool fromfolder);

// The analysis list and the detail panel's lines of the program folder's results.
int runAnalysis(const QStringList &args);
int runDetail(const QStringList &args);
// Writes the HTML report.
int runReport(const QStringList &args);
// The history file commands (save, list, load, delete, show); fromfolder as for runSearch.
int runHistory(const QStringList &args, bool fromfolder);
// The rank chart of a keyword in a history file, written as SVG or PNG.
int runHistoryChart(const QString &filename, const QStringList &args);
// The visibility of each domain in each record of a history file, as JSON lines.
int runHistoryVisibility(const QString &filename, const QStringList &args);
// What changed between two records of a history file, as JSON lines.
int runHistoryDiff(const QString &filename, const QStringList &args);
// The application object: a QApplication on the offscreen platform for the chart command, which
// draws, and a QCoreApplication for every other command.
std::unique_ptr<QCoreApplication> cliapplication(int &argc, char **argv);
// The current results as CSV.
int runResults(const QStringList &args);
// The scheduler of the program folder without a window, until stopped or (--once) for a cycle.
int runSchedule(const QStringList &args, bool fromfolder);
// The exit status of search and schedule when the run left keywords without their ranking.
constexpr int UnansweredStatus = 3;
// After a run: UnansweredStatus, saying how many on standard error, or 0 when all were answered.
int unansweredstatus(const SearchRun &run, const SearchState &state);

// The usage lines of the commands.
QString searchUsageText();
QString historyUsageText();
QString analysisUsageText();
QString reportUsageText();
QString scheduleUsageText();
QString resultsUsageText();
QString updateUsageText();
QString checkServiceUsageText();
