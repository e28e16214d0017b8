#pragma once

#include "twipsrect.h"

#include <QSize>

// Where every control of the main window sits at its design size, in twips inside the
// window's client area. The resize handler moves and stretches them from here.
namespace designlayout {

// The window's outer size before anything is restored.
QSize designsize();

// Width and height of the window's frame (borders, caption and menu bar): the layout rules
// measure the window's outer size while the controls live in the client area.
QSize framesize();

// Places of the controls of the main view and sizes of the pop-up panels.
ControlRects controls();

// Places of the context-help icons 0 to 19, beside the fields they explain.
QList<TwipsRect> helpicons();

} // namespace designlayout
