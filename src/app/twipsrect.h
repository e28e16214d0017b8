#pragma once

#include <QHash>
#include <QString>

// A control's place in twips: left and top edge, width and height.
struct TwipsRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const TwipsRect &) const = default;
};

// The places of the main window's controls, by control name.
using ControlRects = QHash<QString, TwipsRect>;
