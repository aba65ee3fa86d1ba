#pragma once
// What the two hooks on the host's user-interface thread make of the host's messages: keys
// pressed in the host's windows reach the window's key handling, and the window follows the
// host's main window as it moves, is minimised and comes back.

#include <cstdint>
#include <string>

#include "engine/varimo_context.h"
#include "platform/ports.h"

namespace varimo {

// The character a key pressed in a host window stands for (its virtual-key code read on the
// Japanese layout); 0 for keys that stand for none.
char HostKeyCharacter(uint32_t virtualKey);

// A key pressed in one of the host's windows, handled as a character typed there.
void ForwardHostKey(TVarimo& varimo, TPorts& ports, uint32_t virtualKey);

// The window a key went down in, as far as forwarding it is concerned.
struct THostKeyTarget {
  std::string ClassName;      // the window's class, as the system names it
  bool PluginWindow = false;  // the plug-in's window, or a window it owns (its dialogs, boxes)
};

// Whether windows of the class take text: edit controls (a combo box's edit part and the
// list editors' in-place editors among them), rich edits and hot-key fields.
bool IsTextFieldClass(const std::string& className);

// Whether a key that went down in that window is a command for the plug-in: a key typed
// into a text field is text, and the plug-in's own windows handle their keys themselves.
bool ForwardsHostKey(const THostKeyTarget& target);

// The host's main window as the hooks see it when it moves or changes its size.
struct THostMainWindow {
  TWindowBounds Bounds;
  bool Minimized = false;  // as the system reports it
};

// Whether the host's main window is minimised: the system says so, or it lies parked at the
// work area's bottom-left corner, where older systems put a minimised window.
bool IsHostParked(const THostMainWindow& host, const TWorkArea& work);

// The host's main window moved: a window docked to it moves along.
void FollowHostMove(TVarimo& varimo, IWindow& window, const THostMainWindow& host,
                    const TWorkArea& work);

// The host's main window changed its size: notes it minimised, and settles the minimised
// state read at start-up once the host shows itself.
void HostSizeChanged(TVarimo& varimo, IWindow& window, const THostMainWindow& host,
                     const TWorkArea& work);

// A key went down with Alt held in one of the host thread's windows (the plug-in's own
// included): Alt and the settings' show key shows or hides the window, at most once per
// 100 ms. altDown is bit 29 of the message's second argument.
void HostSystemKey(TVarimo& varimo, TPorts& ports, uint32_t virtualKey, bool altDown);

// A command reached the host's main window: the item the hidden window put into the host's
// menu shows the window again.
void HostMenuCommand(TVarimo& varimo, TPorts& ports, uint32_t command);

}  // namespace varimo
