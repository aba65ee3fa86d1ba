#include "win32_menu_reader.h"

#include "scenario.h"
#include "win32_text.h"

namespace varimo {
namespace {

constexpr int kMaxDepth = 8;

BOOL CALLBACK CollectMenuWindow(HWND window, LPARAM data) {
  if (IsWindowVisible(window) && ClassNameOf(window) == "#32768") {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  }
  return TRUE;
}

bool HasSubmenu(HMENU menu, HMENU sub, int depth) {
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count && depth < kMaxDepth; ++i) {
    HMENU child = GetSubMenu(menu, i);
    if (child != nullptr && (child == sub || HasSubmenu(child, sub, depth + 1))) return true;
  }
  return false;
}

std::vector<TMenuEntry> ReadLevel(HMENU menu, int depth) {
  std::vector<TMenuEntry> items;
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    TMenuEntry entry;
    entry.Position = i;
    wchar_t text[512] = {};
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 511;
    if (!GetMenuItemInfoW(menu, i, TRUE, &info)) continue;
    entry.Id = info.wID;
    entry.Separator = (info.fType & MFT_SEPARATOR) != 0;
    entry.OwnerDrawn = (info.fType & MFT_OWNERDRAW) != 0;
    entry.Radio = (info.fType & MFT_RADIOCHECK) != 0;
    entry.Checked = (info.fState & MFS_CHECKED) != 0;
    entry.Default = (info.fState & MFS_DEFAULT) != 0;
    // The item info folds grayed and disabled together; the older call tells them apart.
    UINT state = GetMenuState(menu, i, MF_BYPOSITION);
    entry.Grayed = (state & MF_GRAYED) != 0;
    entry.Disabled = (state & (MF_GRAYED | MF_DISABLED)) != 0;
    std::wstring caption = entry.OwnerDrawn ? std::wstring() : std::wstring(text);
    size_t tab = caption.find(L'\t');
    entry.Caption = caption.substr(0, tab);
    if (tab != std::wstring::npos) entry.Shortcut = caption.substr(tab + 1);
    entry.Submenu = info.hSubMenu;
    if (entry.Submenu != nullptr && depth < kMaxDepth)
      entry.Items = ReadLevel(entry.Submenu, depth + 1);
    items.push_back(std::move(entry));
  }
  return items;
}

}  // namespace

std::vector<HWND> OpenMenuWindows() {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), CollectMenuWindow, reinterpret_cast<LPARAM>(&windows));
  // The enumeration goes from the top of the z-order; the menu opened first lies lowest.
  return std::vector<HWND>(windows.rbegin(), windows.rend());
}

HMENU MenuOfWindow(HWND window) {
  return reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
}

HMENU OpenRootMenu() {
  std::vector<HMENU> menus;
  for (HWND window : OpenMenuWindows()) {
    HMENU menu = MenuOfWindow(window);
    if (menu != nullptr) menus.push_back(menu);
  }
  for (HMENU candidate : menus) {
    bool isSubmenu = false;
    for (HMENU other : menus) {
      if (other != candidate && HasSubmenu(other, candidate, 0)) isSubmenu = true;
    }
    if (!isSubmenu) return candidate;
  }
  return nullptr;
}

HWND WindowOfMenu(HMENU menu) {
  for (HWND window : OpenMenuWindows()) {
    if (MenuOfWindow(window) == menu) return window;
  }
  return nullptr;
}

std::vector<TMenuEntry> ReadMenu(HMENU menu) {
  return ReadLevel(menu, 0);
}

std::string DescribeEntry(const TMenuEntry& entry) {
  if (entry.Separator) return "----";
  std::string text =
      entry.OwnerDrawn ? std::string("(owner-drawn)") : "\"" + Utf8FromWide(entry.Caption) + "\"";
  if (!entry.Shortcut.empty()) text += " [" + Utf8FromWide(entry.Shortcut) + "]";
  if (entry.Submenu != nullptr) {
    text += " submenu";
  } else {
    text += " id=" + std::to_string(entry.Id);
  }
  text += entry.Grayed ? " grayed" : entry.Disabled ? " disabled" : " enabled";
  if (entry.Checked) text += entry.Radio ? " radio-checked" : " checked";
  if (!entry.Checked && entry.Radio) text += " radio";
  if (entry.Default) text += " default";
  return text;
}

std::vector<std::string> FormatMenu(const std::vector<TMenuEntry>& items, int indent) {
  std::vector<std::string> lines;
  for (const TMenuEntry& entry : items) {
    lines.push_back(std::string(indent * 2, ' ') + std::to_string(entry.Position + 1) + " " +
                    DescribeEntry(entry));
    for (std::string& line : FormatMenu(entry.Items, indent + 1)) lines.push_back(std::move(line));
  }
  return lines;
}

std::vector<std::string> SplitMenuPath(const std::string& path) {
  std::vector<std::string> elements(1);
  for (size_t i = 0; i < path.size(); ++i) {
    if (path[i] == '/' && i + 1 < path.size() && path[i + 1] == '/') {
      elements.back() += '/';
      ++i;
    } else if (path[i] == '/') {
      elements.emplace_back();
    } else {
      elements.back() += path[i];
    }
  }
  return elements;
}

int FindMenuItem(const std::vector<TMenuEntry>& items, const std::string& element) {
  if (element.size() > 1 && element[0] == '#') {
    std::optional<int64_t> n = ParseInteger(element.substr(1));
    if (!n || *n < 1 || *n > static_cast<int64_t>(items.size())) return -1;
    return static_cast<int>(*n - 1);
  }
  for (size_t i = 0; i < items.size(); ++i) {
    if (!items[i].Separator && TextMatches(items[i].Caption, element)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace varimo
