#pragma once

#include "twipsrect.h"

#include <QList>
#include <QSize>

// The main window's resize rules, in twips. W and H are the window's outer width and height.
namespace resizerules {

constexpr int MinimumWidth = 10455;
constexpr int MinimumHeight = 8600;

// Keeps a normal (not maximised) window between its minimum size and the screen. Returns
// false when the window had to be moved down onto the screen, which ends this pass.
bool clampwindow(TwipsRect &window, QSize screen);

// A pop-up panel centred over the window, or pinned near the top left when it is larger; no
// taller than the client area leaves room for.
TwipsRect centred(const TwipsRect &panel, int W, int H);

// Moves and stretches the controls and help icons for a window of W by H; `showrunning`
// says whether the message box takes room.
void arrange(ControlRects &rects, QList<TwipsRect> &helpicons, int W, int H, bool showrunning);

// The rank chart below the history list: the list keeps the upper two fifths of its room (at
// least a few lines), the chart takes the rest.
void splitforchart(ControlRects &rects);

} // namespace resizerules
