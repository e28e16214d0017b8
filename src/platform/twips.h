#pragma once

#include <QtGlobal>

// Window geometry is kept in twips (1440 to the inch) so stored sizes and column widths
// mean the same on every screen; the widgets work in pixels of the screen's logical DPI.
namespace twips {

constexpr int PerInch = 1440;

inline int toPixels(int twips, qreal dpi)
{
    return qRound(twips * dpi / PerInch);
}

inline int fromPixels(int pixels, qreal dpi)
{
    return qRound(pixels * PerInch / dpi);
}

// A span from `start` of `length` twips, in pixels, rounding both ends so that two spans
// that touch in twips also touch on screen.
inline int lengthToPixels(int start, int length, qreal dpi)
{
    return toPixels(start + length, dpi) - toPixels(start, dpi);
}

} // namespace twips
