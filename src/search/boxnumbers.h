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

namespace boxnumbers {
// Result pages of ten hits to fetch per keyword.
extern const BoxNumber pagedepth;
// The most connections the page fetcher opens at once.
extern const BoxNumber connections;
// Seconds a page may take before it is asked for again.
extern const BoxNumber timeout;
} // namespace boxnumbers

// The number when the text, blanks around it aside, is digits alone within the box's range.
std::optional<int> readbox(const BoxNumber &rule, const QString &text);

// "The Search depth box takes a whole number of result pages from 1 to 32767."
QString boxrefusal(const BoxNumber &rule);
