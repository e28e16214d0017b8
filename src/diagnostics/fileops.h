#pragma once

#include <QString>

// The day log's file routines. Each write opens, appends and closes: no stream stays open
// between writes, and what was written is in the file at once.
namespace fileops {

// The text as the log's lines: a line feed, a carriage return, or the two together end a line,
// and every line is written with "\r\n"; a last line without an end gets one.
QString loglines(const QString &text);
// Appends text to fileName in the program's folder as loglines(), every byte checked. A log
// that cannot be written is said once as a file problem, and again only after a write has
// worked in between.
void writelog(const QString &fileName, const QString &text);

} // namespace fileops
