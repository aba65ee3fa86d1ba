#pragma once
// What the keyboard does in the playlist window: moving the selection, skipping within the
// track, excluding a track, the help, file information and options keys, and the characters
// that play the selection, the previous and the next track. The window procedure only
// translates its messages into these calls.

#include <cstdint>

#include "engine/varimo_context.h"

namespace varimo {

// Virtual-key codes the window reacts to.
enum WindowKey : int32_t {
  kKeyLeft = 37,
  kKeyUp = 38,
  kKeyRight = 39,
  kKeyDown = 40,
  kKeyDelete = 46,
  kKey3 = 51,
  kKeyP = 80,
  kKeyF1 = 112,
};

// The modifier keys held with a key.
struct TKeyShift {
  bool Alt = false;
  bool Ctrl = false;
  bool Shift = false;
};

// A key pressed in the window.
void FormKeyDown(TVarimo& varimo, TPorts& ports, int32_t key, TKeyShift shift = {});

// A character typed in the window (fromWindow) or, with fromWindow false, in one of the host's
// windows: Enter plays the selection (from the window only); the previous and next keys of
// the settings play the previous and next track.
void FormKeyPress(TVarimo& varimo, TPorts& ports, char character, bool fromWindow);

}  // namespace varimo
