#pragma once
// The window's appearances and its visibility: the normal window and the one-bar small
// window, the close button, and showing or hiding it from a hot key or the host's menu.

#include "engine/varimo_context.h"

namespace varimo {

// The small window: one bar 14 pixels high; the normal window's height is kept for later.
void SwitchToSmall(TVarimo& varimo, TPorts& ports);
// Back to the normal window at its kept height, the current track in view.
void SwitchToNormal(TVarimo& varimo, TPorts& ports);
// The close button: hidden until shown again, in the same appearance.
void CloseByButton(TVarimo& varimo, TPorts& ports);
// Shows a hidden window or hides a shown one.
void ToggleVisible(TVarimo& varimo, TPorts& ports);

}  // namespace varimo
