#include "win32_modal_watch.h"

#include <algorithm>

#include "win32_menu_reader.h"
#include "win32_text.h"

namespace varimo {
namespace {

// The control that carries a message box's text.
constexpr int kMessageBoxTextId = 0xFFFF;

BOOL CALLBACK CollectDialog(HWND window, LPARAM data) {
  if (IsWindowVisible(window) && ClassNameOf(window) == "#32770") {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  }
  return TRUE;
}

}  // namespace

bool IsMessageBox(HWND window) {
  HWND text = GetDlgItem(window, kMessageBoxTextId);
  return text != nullptr && ClassNameOf(window) == "#32770" &&
         _stricmp(ClassNameOf(text).c_str(), "Static") == 0;
}

std::wstring MessageBoxText(HWND window) {
  HWND text = GetDlgItem(window, kMessageBoxTextId);
  return text != nullptr ? WindowText(text) : std::wstring();
}

std::vector<HWND> OpenDialogWindows() {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

void ModalWatch::Poll() {
  std::vector<HWND> menus = OpenMenuWindows();
  if (menus.size() != menuWindows_) {
    if (menuWindows_ == 0) {
      NoteOpenMenu("popup menu opened");
    } else if (menus.empty()) {
      note_("popup menu closed");
    } else if (menus.size() > menuWindows_) {
      note_("popup submenu opened (" + std::to_string(menus.size()) + " menu windows)");
    }
    menuWindows_ = menus.size();
  }

  std::vector<HWND> dialogs = OpenDialogWindows();
  for (auto it = shown_.begin(); it != shown_.end();) {
    if (std::find(dialogs.begin(), dialogs.end(), it->Window) != dialogs.end()) {
      ++it;
      continue;
    }
    note_(std::string(it->Box ? "message box closed \"" : "dialog closed \"") + it->Caption + "\"");
    it = shown_.erase(it);
  }
  for (HWND window : dialogs) {
    bool known = std::any_of(shown_.begin(), shown_.end(),
                             [&](const TShown& shown) { return shown.Window == window; });
    if (known) continue;
    std::wstring caption = StoredCaption(window);
    bool box = IsMessageBox(window);
    shown_.push_back({window, box, Utf8FromWide(caption)});
    if (box) {
      TMessageBoxRecord record{window, caption, MessageBoxText(window)};
      note_("message box " + std::to_string(boxes_.size() + 1) + " opened \"" +
            Utf8FromWide(caption) + "\": \"" + Utf8FromWide(record.Text) + "\"");
      boxes_.push_back(std::move(record));
    } else {
      note_("dialog opened \"" + Utf8FromWide(caption) + "\"");
    }
  }
}

void ModalWatch::NoteOpenMenu(const std::string& heading) {
  HMENU root = OpenRootMenu();
  if (root == nullptr) {
    note_(heading + " (its items cannot be read)");
    return;
  }
  std::vector<TMenuEntry> items = ReadMenu(root);
  RECT rect = {};
  GetWindowRect(WindowOfMenu(root), &rect);
  note_(heading + " at " + std::to_string(rect.left) + "," + std::to_string(rect.top) + ": " +
        std::to_string(items.size()) + " items");
  for (const std::string& line : FormatMenu(items)) note_("  " + line);
}

}  // namespace varimo
