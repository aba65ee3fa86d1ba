#pragma once
// Geometry the window system reports: another window's rectangle and the desktop's work area.

#include "platform/host.h"
#include "platform/ports.h"

namespace varimo {

// The window's rectangle on the screen; all zero for a window that does not exist.
TWindowBounds Win32WindowBounds(THostHandle window);

// The screen less the task bar.
TWorkArea Win32WorkArea();

}  // namespace varimo
