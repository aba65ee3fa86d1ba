#pragma once
// Where a move puts the window and whether it then sits against one of the host's windows.

#include "engine/varimo_state.h"
#include "platform/ports.h"
#include "window/skin.h"

namespace varimo {

// The window's top-left corner after a move, and Docked for that place. The window snaps to
// nothing yet: it stays where it is and is docked to no host window.
TWindowOrigin SnapPosition(TWindowState& window, const TWindowBounds& bounds);

}  // namespace varimo
