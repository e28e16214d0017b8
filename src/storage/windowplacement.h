#pragma once

#include "diagnostics/int16.h"

#include <QString>

#include <array>

// The main window's place as the settings store sees it. All lengths are in twips
// (1440 to the inch), so stored values do not depend on the screen's resolution.
enum class WindowState
{
    Normal,
    Minimised,
    Maximised
};

struct WindowPlacement
{
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    WindowState state = WindowState::Normal;
    double screenwidth = 0;
    double screenheight = 0;

    bool operator==(const WindowPlacement &other) const = default;
};

// Applies a stored placement: width and height no larger than the screen, and in the normal
// state only sizes above the design's minimum, as smaller stored sizes would hide the window's
// controls; with move, left and top when both lie on the screen. A minimised or maximised
// window is neither resized nor moved.
inline void placewindow(WindowPlacement &window, double left, double top, double width, double height, bool move)
{
    width = width < window.screenwidth ? width : window.screenwidth;
    height = height < window.screenheight ? height : window.screenheight;
    if (window.state != WindowState::Normal)
        return;
    if (width > 7800)
        window.width = width;
    if (height > 11145)
        window.height = height;
    if (move && left >= 1 && top >= 1 && left < window.screenwidth && top < window.screenheight) {
        window.left = left;
        window.top = top;
    }
}

// What the settings file keeps of the window besides its placement.
struct WindowSettings
{
    // Widths in twips of results columns 1 to 5 (element 0 unused).
    std::array<Int16, 6> reswid = startReswid();
    // Where the scheduler's file dialog starts; its results go to settings.schedulefile.
    QString scheduledialogpath;

    static std::array<Int16, 6> startReswid() { return {0, 1980, 1738, 735, 3330, 2145}; }
};
