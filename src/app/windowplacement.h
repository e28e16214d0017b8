#pragma once

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
