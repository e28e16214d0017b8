#pragma once

#include <QString>

// Base64 of the text taken as single-byte characters; "=" padding, no line breaks.
QString encode(const QString &text);
