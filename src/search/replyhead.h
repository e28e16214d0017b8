#pragma once

#include <QString>

// What is read off the head of an HTTP reply (one character per byte), the same way wherever a
// reply is read: the fetcher's checks, the services, and the proxy's answer to CONNECT.

// The code of the reply's status line: "HTTP/" and the version, one space, and three digits
// followed by a space or the line's end ("HTTP/1.1 429 Too Many Requests" gives 429); 0 when
// the reply does not start with such a line.
int statuscode(QStringView reply);

// Where the body starts: after the first empty line, "\r\n\r\n" or a bare "\n\n", whichever
// comes first; -1 while the head has not ended.
qsizetype bodystart(QStringView reply);

// The value of the first line of `head` that is the header `name` (case-insensitive, the colon
// right after the name), without the blanks around it; a null view when there is none.
QStringView headervalue(QStringView head, QStringView name);
