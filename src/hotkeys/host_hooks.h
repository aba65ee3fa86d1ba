#pragma once
// What the two hooks on the host's user-interface thread make of the host's messages: keys
// pressed in the host's windows reach the window's key handling, and the window follows the
// host's main window as it moves, is minimised and comes back.

#include <cstdint>

#include "engine/varimo_state.h"
#include "platform/ports.h"

namespace varimo {

// The character a key pressed in a host window stands for (its virtual-key code read on the
// Japanese layout); 0 for keys that stand for none.
char HostKeyCharacter(uint32_t virtualKey);

// A key pressed in one of the host's windows, handled as a character typed there.
void ForwardHostKey(TVarimo& varimo, TPorts& ports, uint32_t virtualKey);

// Whether the host's main window lies parked at the work area's bottom-left corner, where
// the system puts a minimised window.
bool IsHostParked(const TWindowBounds& host, const TWorkArea& work);

// The host's main window moved to host: a window docked to it moves along.
void FollowHostMove(TVarimo& varimo, IWindow& window, const TWindowBounds& host,
                    const TWorkArea& work);

// The host's main window changed its size: notes it minimised, and settles the minimised
// state read at start-up once the host shows itself.
void HostSizeChanged(TVarimo& varimo, IWindow& window, const TWindowBounds& host,
                     const TWorkArea& work);

}  // namespace varimo
