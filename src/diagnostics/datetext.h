#pragma once

#include <QString>

// The program's one date-time text, dd-Mon-yyyy hh:mm:ss in local time with an English
// month whatever the system's language, for example 04-Mar-2005 09:07:03.
QString GetDateFormat();
