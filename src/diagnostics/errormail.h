#pragma once

#include <QString>

// The error report as a mail link: the user's mail program opens it as a ready message.
namespace errormail {

// Where error reports go.
inline const QString SupportAddress = QStringLiteral("errors@zorvane.example");

// "mailto:" + the support address + the subject with the program's version + the report as
// the body, its "\r\n" line ends written as "%0D%0A" and nothing else encoded.
QString address(const QString &report);

} // namespace errormail
