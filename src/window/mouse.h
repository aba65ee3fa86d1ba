#pragma once
// What the mouse does in the playlist window: a press on each part of it, moving, resizing,
// dragging the scroll and position thumbs, the release that ends a drag, double clicks, the
// wheel and the hover cursors. Any button presses and releases alike. The window procedure
// only translates its messages into these calls.

#include <cstdint>

#include "engine/varimo_context.h"
#include "window/regions.h"

namespace varimo {

// The list's rows in the normal window.
const THitRegion& ListRegion();

// A press at (x, y), window coordinates.
void FormMouseDown(TVarimo& varimo, TPorts& ports, int32_t x, int32_t y);
// The pointer moved to (x, y): the hover cursor (left alone while a button is held), or the
// next step of a drag, which reads the pointer from the system.
void FormMouseMove(TVarimo& varimo, TPorts& ports, int32_t x, int32_t y,
                   bool buttonHeld = false);
// The button came up: the drag ends; the position bar seeks where it was let go.
void FormMouseUp(TVarimo& varimo, TPorts& ports);
// A double click, at the pointer as the system reports it.
void FormDblClick(TVarimo& varimo, TPorts& ports);
// The wheel turned by delta (120 a notch, positive away from the user) scrolls the list.
// True when the window took the turn, as the normal window always does.
bool FormMouseWheel(TVarimo& varimo, TPorts& ports, int32_t delta);

// The sizes a resize step gives: width in steps of 25, height in steps of 29, following
// the pointer's movement since the anchor; the window's minimum still holds.
struct TResizeStep {
  int32_t Width = 0;
  int32_t Height = 0;
  TPoint Pointer;  // where the pointer is put
  TPoint Anchor;
  bool Changed = false;
};
TResizeStep ResizeStep(int32_t width, int32_t height, bool heightToo, TPoint pointer,
                       TPoint anchor);

}  // namespace varimo
