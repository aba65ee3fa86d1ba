#pragma once
// The two hooks on the host's user-interface thread: one sees every message the thread's
// window procedures are called with, the other every message the thread takes from its
// queue. Both hand what concerns the plug-in to the core and pass everything on unchanged.

#include "engine/varimo_state.h"
#include "platform/host.h"

namespace varimo {

class Win32Hooks {
 public:
  Win32Hooks() = default;
  Win32Hooks(const Win32Hooks&) = delete;
  Win32Hooks& operator=(const Win32Hooks&) = delete;
  ~Win32Hooks() { Remove(); }

  // Hooks the thread that owns the host's main window. ownWindow is the plug-in's window,
  // whose own keys it handles itself. A hook the system refuses is simply absent.
  void Install(TVarimo& varimo, TPorts& ports, THostHandle ownWindow);
  // Removes each hook that is set.
  void Remove();
};

}  // namespace varimo
