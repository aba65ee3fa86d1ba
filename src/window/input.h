#pragma once
// What the mouse and the keyboard do in the playlist window's list: the hover cursors, the
// selection, playing a row, scrolling by wheel and keys, excluding a track, and the keys
// that steer playback. The window procedure only translates its messages into these calls.

#include <climits>
#include <cstdint>

#include "engine/varimo_state.h"

namespace varimo {

// Numbers of the window's cursor table.
enum CursorNumber : int32_t {
  kCursorNormal = 1,
  kCursorTitle = 2,
  kCursorClose = 3,
  kCursorResize = 4,
  kCursorVScroll = 5,
  kCursorPosBar = 6,
};

// A coordinate counted from the window's left or top edge, or back from its right or bottom
// edge when FromFar is set.
struct TEdgeOffset {
  bool FromFar = false;
  int32_t Offset = 0;
};

// A range of window coordinates, both ends included.
struct THitRange {
  TEdgeOffset Low;
  TEdgeOffset High;
};

struct THitRegion {
  THitRange X;
  THitRange Y;
};

// The list's rows in the normal window.
inline constexpr THitRegion kListRegion = {{{false, 15}, {true, 20}}, {{false, 22}, {true, 39}}};

struct THoverCursor {
  THitRegion Region;
  CursorNumber Cursor;
};

// Tested in order; the first region that holds the pointer decides, NORMALCUR elsewhere.
inline constexpr THoverCursor kNormalHoverCursors[] = {
    {{{{false, INT_MIN}, {true, 26}}, {{false, INT_MIN}, {false, 19}}}, kCursorTitle},
    {{{{true, 19}, {false, INT_MAX}}, {{true, 19}, {false, INT_MAX}}}, kCursorResize},
    {{{{true, 15}, {true, 7}}, {{false, 22}, {true, 39}}}, kCursorVScroll},
    {{{{true, 10}, {true, 2}}, {{false, 3}, {false, 11}}}, kCursorClose},
    {{{{true, 144}, {true, 53}}, {{true, 30}, {true, 20}}}, kCursorPosBar},
};
inline constexpr THoverCursor kSmallHoverCursors[] = {
    {{{{true, 30}, {true, 22}}, {{false, 3}, {false, 11}}}, kCursorPosBar},
    {{{{true, 10}, {true, 2}}, {{false, 3}, {false, 11}}}, kCursorClose},
};

// Whether (x, y) lies in the region of a window width x height pixels.
bool InRegion(const THitRegion& region, int32_t width, int32_t height, int32_t x, int32_t y);

// The cursor over (x, y) while no button is held.
CursorNumber HoverCursor(int32_t state, int32_t width, int32_t height, int32_t x, int32_t y);

// A press of any mouse button at (x, y): a press on the list selects the row under it, or
// nothing below the last track.
void FormMouseDown(TVarimo& varimo, TPorts& ports, int32_t x, int32_t y);

// A double click at (x, y): on a row of the list, that track plays.
void FormDblClick(TVarimo& varimo, TPorts& ports, int32_t x, int32_t y);

// The wheel turned by delta (120 a notch, positive away from the user) scrolls the list.
// True when the window took the turn, as the normal window always does.
bool FormMouseWheel(TVarimo& varimo, TPorts& ports, int32_t delta);

// Virtual-key codes the window reacts to.
enum WindowKey : int32_t {
  kKeyLeft = 37,
  kKeyUp = 38,
  kKeyRight = 39,
  kKeyDown = 40,
  kKeyDelete = 46,
};

// A key pressed in the window: moves the selection, skips within the track, excludes the
// selected track.
void FormKeyDown(TVarimo& varimo, TPorts& ports, int32_t key);

// A character typed in the window (fromWindow) or, with fromWindow false, in one of the host's
// windows: Enter plays the selection (from the window only); the previous and next keys of
// the settings play the previous and next track.
void FormKeyPress(TVarimo& varimo, TPorts& ports, char character, bool fromWindow);

}  // namespace varimo
