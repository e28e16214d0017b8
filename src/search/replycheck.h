#pragma once

#include <QStringView>

// What the fetcher reads off a raw reply (one character per byte, headers included) before it
// hands the reply to a parser.

// Whether a reply whose connection has ended came in short of what it announced: nothing at
// all, headers without their end, fewer body bytes than its Content-Length, or a chunked body
// without its last chunk. A reply that announces nothing (no length, not chunked) ends where
// the connection ends; one whose chunks cannot be read, or claim more than `limit` characters,
// is broken rather than short, so fetching it again would not help.
bool cutshort(QStringView reply, qsizetype limit);
