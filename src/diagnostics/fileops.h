#pragma once

#include <QString>

// The day log's file routines. Each opens, writes and closes within one call: no stream
// stays open between writes.
namespace fileops {

bool isthere(const QString &path);
bool createlogfile(const QString &path);
bool openlogfile(const QString &path);
void writelogfile(const QString &text);
void closelogfile();
// Appends text to fileName in the program's folder; a carriage return or a line feed each
// end a line, and every line is written with "\r\n".
void writelog(const QString &fileName, const QString &text);

} // namespace fileops
