#pragma once
// The user-side ports on the system: synthetic keys, global hot keys under atoms, popup
// menus and the host's menu, and message boxes. Each works for the window whose handle it
// is given (an HWND getter, since the window is made after them).

#include <functional>
#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/ui_ports.h"

namespace varimo {

using TWindowGetter = std::function<THostHandle()>;

class Win32Keyboard : public IKeyboard {
 public:
  void KeyUp(int32_t virtualKey, bool mappedScanCode) override;
  void KeyPress(int32_t virtualKey) override;
};

class Win32HotKeySystem : public IHotKeySystem {
 public:
  explicit Win32HotKeySystem(TWindowGetter window) : window_(std::move(window)) {}
  int32_t AddGlobalAtom(const std::string& name) override;
  void DeleteGlobalAtom(int32_t atom) override;
  bool Register(int32_t id, int32_t modifiers, int32_t virtualKey) override;
  void Unregister(int32_t id) override;

 private:
  TWindowGetter window_;
};

class Win32Menus : public IMenus {
 public:
  explicit Win32Menus(TWindowGetter owner) : owner_(std::move(owner)) {}
  int32_t TrackPopup(const std::vector<TMenuItem>& items, TPoint at) override;
  int32_t ItemCount(THostHandle menu) override;
  int32_t ItemId(THostHandle menu, int32_t position) override;
  bool InsertItem(THostHandle menu, int32_t position, const std::string& caption,
                  int32_t id) override;
  void RemoveItem(THostHandle menu, int32_t id) override;

 private:
  TWindowGetter owner_;
};

// The message box the dialogs port shows, owned by the plug-in's topmost open window: its
// open dialog, else the window.
class Win32MessageBox {
 public:
  explicit Win32MessageBox(TWindowGetter owner) : owner_(std::move(owner)) {}
  void ShowMessage(const std::string& text);

 private:
  TWindowGetter owner_;
};

}  // namespace varimo
