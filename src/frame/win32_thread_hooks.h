#pragma once
// The two hooks on the host's user-interface thread: one sees every message the thread's
// window procedures are called with, the other every message the thread takes from its
// queue. Both hand what concerns the plug-in to the core and pass everything on unchanged.

#include "engine/varimo_context.h"
#include "platform/host.h"

namespace varimo {

class Win32ThreadHooks : public IHooks {
 public:
  Win32ThreadHooks() = default;
  Win32ThreadHooks(const Win32ThreadHooks&) = delete;
  Win32ThreadHooks& operator=(const Win32ThreadHooks&) = delete;
  ~Win32ThreadHooks() override { Remove(); }

  // What the hooks serve: the plug-in's state and ports, and its window, whose own keys it
  // handles itself. Set before Install.
  void Bind(TVarimo& varimo, TPorts& ports) {
    varimo_ = &varimo;
    ports_ = &ports;
  }
  // Hooks the thread that owns the host's main window. A hook the system refuses is simply
  // absent.
  void Install() override;
  // Removes each hook that is set.
  void Remove() override;

 private:
  TVarimo* varimo_ = nullptr;
  TPorts* ports_ = nullptr;
};

}  // namespace varimo
