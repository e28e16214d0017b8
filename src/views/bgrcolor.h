#pragma once

#include <QColor>

// Colours are kept as 24-bit values in 0x00BBGGRR order: the order the stored palettes, the
// list's item colours and the indicator use. The widgets paint in QColor.

// 0x00BBGGRR to 0x00RRGGBB.
constexpr quint32 bgrtorgb(quint32 bgr)
{
    return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

inline QColor bgrcolor(quint32 bgr)
{
    return QColor::fromRgb(bgrtorgb(bgr));
}
