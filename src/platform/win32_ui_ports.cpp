#include "platform/win32_ui_ports.h"

#include <windows.h>

#include "platform/win32_text.h"
#include "platform/win32_window_object.h"

namespace varimo {
namespace {

constexpr wchar_t kMessageCaption[] = L"Varimo";

HWND ToWindow(THostHandle handle) {
  return reinterpret_cast<HWND>(handle);
}

HMENU ToMenu(THostHandle handle) {
  return reinterpret_cast<HMENU>(handle);
}

// Caption and shortcut as the menu shows them: the shortcut right-aligned after a tab.
std::wstring MenuText(const TMenuItem& item) {
  std::wstring text = WideFromUtf8(item.Caption);
  if (!item.Shortcut.empty()) text += L"\t" + WideFromUtf8(item.Shortcut);
  return text;
}

bool OwnedBy(HWND window, HWND main) { return OwnerChainHolds(GetWindow(window, GW_OWNER), main); }

bool IsOpenPluginWindow(HWND window, HWND main) {
  return window != nullptr && IsWindowVisible(window) && IsWindowEnabled(window) &&
         OwnedBy(window, main);
}

struct TTopmostSearch {
  HWND Main = nullptr;
  HWND Found = nullptr;
};

BOOL CALLBACK FindOpenPluginWindow(HWND window, LPARAM search) {
  TTopmostSearch& s = *reinterpret_cast<TTopmostSearch*>(search);
  if (!IsOpenPluginWindow(window, s.Main)) return TRUE;
  s.Found = window;
  return FALSE;
}

// The window a message box of the plug-in belongs to: the dialog of the plug-in that is
// open (the options dialog during its Apply), else the main window. The box disables its
// owner, so nothing of the plug-in behind it takes input while it is up.
HWND TopmostPluginWindow(HWND main) {
  HWND active = GetActiveWindow();
  if (IsOpenPluginWindow(active, main)) return active;
  TTopmostSearch search{main, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), FindOpenPluginWindow, reinterpret_cast<LPARAM>(&search));
  return search.Found != nullptr ? search.Found : main;
}

bool AppendItem(HMENU menu, const TMenuItem& item) {
  if (item.Type == TMenuItem::Kind::kSeparator) {
    return AppendMenuW(menu, MF_SEPARATOR, 0, nullptr) != FALSE;
  }
  const std::wstring text = MenuText(item);
  MENUITEMINFOW info = {};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_STRING;
  info.fType = MFT_STRING | (item.Radio ? MFT_RADIOCHECK : 0);
  info.fState =
      (item.Checked ? MFS_CHECKED : MFS_UNCHECKED) | (item.Enabled ? MFS_ENABLED : MFS_GRAYED);
  info.wID = static_cast<UINT>(item.Id);
  info.dwTypeData = const_cast<wchar_t*>(text.c_str());
  return InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &info) != FALSE;
}

// Builds the items from first on into menu up to the end of its submenu; returns the index
// after the last item taken.
size_t BuildMenu(HMENU menu, const std::vector<TMenuItem>& items, size_t first) {
  size_t i = first;
  while (i < items.size()) {
    const TMenuItem& item = items[i];
    if (item.Type == TMenuItem::Kind::kSubmenuEnd) return i + 1;
    if (item.Type == TMenuItem::Kind::kSubmenuBegin) {
      HMENU sub = CreatePopupMenu();
      i = BuildMenu(sub, items, i + 1);
      const std::wstring text = MenuText(item);
      AppendMenuW(menu, MF_POPUP | MF_STRING | (item.Enabled ? MF_ENABLED : MF_GRAYED),
                  reinterpret_cast<UINT_PTR>(sub), text.c_str());
      continue;
    }
    AppendItem(menu, item);
    ++i;
  }
  return i;
}

}  // namespace

void Win32Keyboard::KeyUp(int32_t virtualKey, bool mappedScanCode) {
  const BYTE key = static_cast<BYTE>(virtualKey);
  const BYTE scan = mappedScanCode ? static_cast<BYTE>(MapVirtualKeyA(key, 0)) : 0;
  keybd_event(key, scan, KEYEVENTF_KEYUP, 0);
}

void Win32Keyboard::KeyPress(int32_t virtualKey) {
  const BYTE key = static_cast<BYTE>(virtualKey);
  keybd_event(key, 0, 0, 0);
  keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
}

int32_t Win32HotKeySystem::AddGlobalAtom(const std::string& name) {
  return GlobalAddAtomA(name.c_str());
}

void Win32HotKeySystem::DeleteGlobalAtom(int32_t atom) {
  GlobalDeleteAtom(static_cast<ATOM>(atom));
}

bool Win32HotKeySystem::Register(int32_t id, int32_t modifiers, int32_t virtualKey) {
  return RegisterHotKey(ToWindow(window_()), id, static_cast<UINT>(modifiers),
                        static_cast<UINT>(virtualKey)) != FALSE;
}

void Win32HotKeySystem::Unregister(int32_t id) {
  UnregisterHotKey(ToWindow(window_()), id);
}

int32_t Win32Menus::TrackPopup(const std::vector<TMenuItem>& items, TPoint at) {
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) return 0;
  BuildMenu(menu, items, 0);
  HWND owner = ToWindow(owner_());
  // A popup menu of a window that is not in the foreground does not close when the user
  // clicks elsewhere.
  SetForegroundWindow(owner);
  const int picked = static_cast<int>(
      TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_RIGHTBUTTON, at.X,
                       at.Y, owner, nullptr));
  PostMessageA(owner, WM_NULL, 0, 0);
  DestroyMenu(menu);
  return picked;
}

int32_t Win32Menus::ItemCount(THostHandle menu) {
  return GetMenuItemCount(ToMenu(menu));
}

int32_t Win32Menus::ItemId(THostHandle menu, int32_t position) {
  return static_cast<int32_t>(GetMenuItemID(ToMenu(menu), position));
}

bool Win32Menus::InsertItem(THostHandle menu, int32_t position, const std::string& caption,
                            int32_t id) {
  // The system takes an id twice; an id the menu already has is not free.
  if (GetMenuState(ToMenu(menu), static_cast<UINT>(id), MF_BYCOMMAND) != static_cast<UINT>(-1)) {
    return false;
  }
  return InsertMenuA(ToMenu(menu), static_cast<UINT>(position), MF_BYPOSITION | MF_STRING,
                     static_cast<UINT_PTR>(id), caption.c_str()) != FALSE;
}

void Win32Menus::RemoveItem(THostHandle menu, int32_t id) {
  RemoveMenu(ToMenu(menu), static_cast<UINT>(id), MF_BYCOMMAND);
}

void Win32MessageBox::ShowMessage(const std::string& text) {
  MessageBoxW(TopmostPluginWindow(ToWindow(owner_())), WideFromUtf8(text).c_str(), kMessageCaption,
              MB_OK | MB_ICONERROR);
}

}  // namespace varimo
