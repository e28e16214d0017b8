#pragma once

#include <QString>

#include <optional>

// A number box of the window whose value a search uses, with the numbers a search can work
// with. The window refuses any other text where it is typed; zorvane-cli's options take the
// same ranges.
struct BoxNumber
{
    QString box;  // what the window calls the box
    QString what; // what the number counts, for the message
    int min = 1;
    int max = 32767;
};

// Inline, so that a table of options built at start-up in another file, after including this,
// finds them made (an extern constant of another file may not be, whatever the compiler).
namespace boxnumbers {
// Result pages of ten hits to fetch per keyword.
inline const BoxNumber pagedepth{QStringLiteral("Search depth"), QStringLiteral("result pages"), 1, 32767};
// The most connections the page fetcher opens at once. More than a thousand at once is no
// longer a search but an attack on the service.
inline const BoxNumber connections{QStringLiteral("connections"), QStringLiteral("connections"), 1, 1000};
// Seconds a page may take before it is asked for again; 0 would give every page up before its
// reply could arrive.
inline const BoxNumber timeout{QStringLiteral("time-out"), QStringLiteral("seconds"), 1, 32767};
} // namespace boxnumbers

// The number when the text, blanks around it aside, is digits alone within the box's range.
std::optional<int> readbox(const BoxNumber &rule, const QString &text);

// "The Search depth box takes a whole number of result pages from 1 to 32767."
QString boxrefusal(const BoxNumber &rule);
