#pragma once
// Where a move puts the window: it snaps to the work area's left, right and top edges and to
// the edges and corners of the host's windows, holds there until the pointer has pulled it
// far enough away, and is docked while it touches a host window.

#include <array>
#include <optional>

#include "engine/varimo_context.h"
#include "platform/ports.h"
#include "window/skin.h"

namespace varimo {

// Everything a snap looks at. Hosts are the host's windows in their order; a window that
// does not exist, or that is hidden while the user drags, is left out.
struct TSnapInput {
  TWindowBounds Window;
  bool Dragging = false;
  TPoint Pointer;  // screen coordinates
  int32_t ScreenWidth = 0;
  TWorkArea Work;
  std::array<std::optional<TWindowBounds>, kHostWindowCount> Hosts{};
};

struct TSnapResult {
  TWindowOrigin Origin;
  bool Docked = false;
};

// One snap: moves the window by the pointer's movement since anchor when dragging, then
// applies the edges and corners in order, each able to override the one before. anchor
// becomes the pointer.
TSnapResult Snap(TSnapMemory& memory, TPoint& anchor, const TSnapInput& input);

// Snaps the main window as it stands (dragging: by the pointer's movement) and sets Docked;
// returns where the window goes.
TWindowOrigin SnapPosition(TVarimo& varimo, TPorts& ports, bool dragging);

}  // namespace varimo
