#pragma once

#include <QCommandLineParser>
#include <QString>

#include <optional>

// Every command reads its arguments with QCommandLineParser through readarguments, so that a
// problem with them reads the same in every command: unknown argument "X" for an option the
// command does not know (or an argument too many), missing value for --x.

// Parses args against options; returns the problem, or "" when they parse. More than
// `positionals` arguments beside the options is a problem, unless it is negative (any number).
QString readarguments(QCommandLineParser &parser, const QStringList &args, const QList<QCommandLineOption> &options,
                      qsizetype positionals = 0);

// A whole-number option and the numbers it takes.
struct NumberOption
{
    QString name; // as typed, with its dashes
    int min = 0;
    int max = 0;
    QString what = QStringLiteral("a number"); // what the number counts, as the message names it
    QString minnote = {};                      // what the smallest number means, if anything
};

// The option's number in `text`; nothing when it is not a whole number within the option's range,
// with problem set to "--name takes WHAT from MIN to MAX".
std::optional<int> wholenumber(const NumberOption &option, const QString &text, QString &problem);
