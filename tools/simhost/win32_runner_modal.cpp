// Scenario commands on popup menus, message boxes and modal loops, and the self-test
// windows that prove them.
#include <algorithm>

#include "win32_controls.h"
#include "win32_desktop.h"
#include "win32_menu_reader.h"
#include "win32_runner.h"
#include "win32_text.h"

namespace varimo {
namespace {

// How long the pointer rests on a submenu's item before a click opens it instead; the
// system opens it on the rest alone after its own delay.
constexpr uint32_t kHoverMS = 600;
constexpr int kMaxEscapes = 10;

struct TButtonName {
  const char* Name;
  int Id;
};

constexpr TButtonName kButtons[] = {
    {"ok", IDOK},         {"cancel", IDCANCEL}, {"yes", IDYES},
    {"no", IDNO},         {"abort", IDABORT},   {"retry", IDRETRY},
    {"ignore", IDIGNORE}, {"try", IDTRYAGAIN},  {"continue", IDCONTINUE},
};

struct TBoxButtons {
  const char* Name;
  UINT Type;
};

constexpr TBoxButtons kBoxButtons[] = {
    {"ok", MB_OK},
    {"okcancel", MB_OKCANCEL},
    {"yesno", MB_YESNO},
    {"yesnocancel", MB_YESNOCANCEL},
};

std::string Captions(const std::vector<TMenuEntry>& items) {
  std::string text;
  for (const TMenuEntry& item : items) {
    if (item.Separator) continue;
    text += (text.empty() ? "\"" : ", \"") + Utf8FromWide(item.Caption) + "\"";
  }
  return text;
}

// One state word of expect-popup-item against an item.
bool StateHolds(const TMenuEntry& item, const std::string& word, std::string& error) {
  if (word == "enabled") return !item.Disabled;
  if (word == "grayed") return item.Grayed;
  if (word == "disabled") return item.Disabled;
  if (word == "checked") return item.Checked;
  if (word == "unchecked") return !item.Checked;
  if (word == "radio") return item.Radio;
  if (word == "submenu") return item.Submenu != nullptr;
  if (word == "default") return item.Default;
  if (word == "separator") return item.Separator;
  if (word == "noshortcut") return item.Shortcut.empty();
  if (word.compare(0, 9, "shortcut=") == 0) return TextMatches(item.Shortcut, word.substr(9));
  if (word.compare(0, 3, "id=") == 0) return std::to_string(item.Id) == word.substr(3);
  error = "unknown state '" + word +
          "' (enabled grayed disabled checked unchecked radio submenu default separator "
          "noshortcut shortcut=TEXT id=N)";
  return false;
}

std::string DescribeOpenWindows() {
  std::string text;
  if (!OpenMenuWindows().empty()) text = "a popup menu";
  for (HWND window : OpenDialogWindows()) {
    text += std::string(text.empty() ? "" : ", ") +
            (IsMessageBox(window) ? "message box \"" : "dialog \"") +
            Utf8FromWide(StoredCaption(window)) + "\"";
  }
  return text.empty() ? "nothing this host can see" : text;
}

}  // namespace

std::string ScenarioRunner::CmdExpectModalDone(const Args&) {
  if (WaitFor([&] {
        return fiber_.ForeignLoops() == 0 && fiber_.RunningHostTasks() == 0 &&
               OpenMenuWindows().empty();
      })) {
    for (const std::string& late : fiber_.TakeLateErrors()) return late;
    return std::string();
  }
  return "a modal loop still runs; open: " + DescribeOpenWindows();
}

std::string ScenarioRunner::CmdExpectPopup(const Args& args) {
  std::optional<bool> want = ParseYesNo(args[0]);
  if (!want) return "say yes or no";
  if (WaitFor([&] { return (OpenRootMenu() != nullptr) == *want; })) return std::string();
  return *want ? "no popup menu opened" : "a popup menu is still open";
}

std::string ScenarioRunner::OpenMenuPath(const std::vector<std::string>& path, size_t count,
                                         HMENU& menu) {
  menu = nullptr;
  if (!WaitFor([&] { return (menu = OpenRootMenu()) != nullptr; })) return "no popup menu is open";
  for (size_t i = 0; i < count; ++i) {
    std::vector<TMenuEntry> items = ReadMenu(menu);
    int position = FindMenuItem(items, path[i]);
    if (position < 0)
      return "no item \"" + path[i] + "\" in the menu (it has " + Captions(items) + ")";
    HMENU sub = items[position].Submenu;
    if (sub == nullptr) return "\"" + path[i] + "\" opens no submenu";
    if (WindowOfMenu(sub) == nullptr) {
      RECT rect;
      if (!GetMenuItemRect(nullptr, menu, position, &rect))
        return "cannot find where \"" + path[i] + "\" is shown";
      MoveCursorTo(Center(rect));
      SettleInput();
      uint32_t start = GetTickCount();
      while (WindowOfMenu(sub) == nullptr && GetTickCount() - start < kHoverMS) Pump(20);
      if (WindowOfMenu(sub) == nullptr) ClickAt(Center(rect), false, false);
      if (!WaitFor([&] { return WindowOfMenu(sub) != nullptr; })) {
        return "the submenu of \"" + path[i] + "\" did not open";
      }
    }
    menu = sub;
  }
  return std::string();
}

std::string ScenarioRunner::CmdExpectPopupItem(const Args& args) {
  std::vector<std::string> path = SplitMenuPath(args[0]);
  HMENU menu;
  std::string error = OpenMenuPath(path, path.size() - 1, menu);
  if (!error.empty()) return error;
  TMenuEntry found;
  bool exists = false;
  std::string stateError;
  std::string failed;
  if (WaitFor([&] {
        std::vector<TMenuEntry> items = ReadMenu(menu);
        int position = FindMenuItem(items, path.back());
        exists = position >= 0;
        if (!exists) return false;
        found = items[position];
        for (size_t i = 1; i < args.size(); ++i) {
          if (!StateHolds(found, args[i], stateError)) {
            failed = args[i];
            return false;
          }
        }
        return true;
      })) {
    return std::string();
  }
  if (!stateError.empty()) return stateError;
  if (!exists)
    return "no item \"" + path.back() + "\" (the menu has " + Captions(ReadMenu(menu)) + ")";
  return "the item is not " + failed + ": " + DescribeEntry(found);
}

std::string ScenarioRunner::CmdExpectNoPopupItem(const Args& args) {
  std::vector<std::string> path = SplitMenuPath(args[0]);
  HMENU menu = OpenRootMenu();
  if (menu == nullptr) return "no popup menu is open";
  for (size_t i = 0; i + 1 < path.size(); ++i) {
    std::vector<TMenuEntry> items = ReadMenu(menu);
    int position = FindMenuItem(items, path[i]);
    if (position < 0 || items[position].Submenu == nullptr) return std::string();
    menu = items[position].Submenu;
  }
  std::vector<TMenuEntry> items = ReadMenu(menu);
  int position = FindMenuItem(items, path.back());
  if (position < 0) return std::string();
  return "the menu has " + DescribeEntry(items[position]);
}

std::string ScenarioRunner::CmdPopupOpen(const Args& args) {
  std::vector<std::string> path = SplitMenuPath(args[0]);
  HMENU menu;
  return OpenMenuPath(path, path.size(), menu);
}

std::string ScenarioRunner::CmdPopupPick(const Args& args) {
  std::vector<std::string> path = SplitMenuPath(args[0]);
  HMENU menu;
  std::string error = OpenMenuPath(path, path.size() - 1, menu);
  if (!error.empty()) return error;
  std::vector<TMenuEntry> items = ReadMenu(menu);
  int position = FindMenuItem(items, path.back());
  if (position < 0) return "no item \"" + path.back() + "\" (the menu has " + Captions(items) + ")";
  const TMenuEntry& item = items[position];
  if (item.Separator) return "that is a separator";
  if (item.Disabled) return "the item cannot be picked: " + DescribeEntry(item);
  if (item.Submenu != nullptr) return "the item opens a submenu; name an item in it";
  RECT rect;
  if (!GetMenuItemRect(nullptr, menu, position, &rect))
    return "cannot find where the item is shown";
  host_.Note("popup pick " + DescribeEntry(item));
  ClickAt(Center(rect), false, false);
  if (WaitFor([&] { return OpenMenuWindows().empty(); })) return std::string();
  return "the popup menu stayed open after the click";
}

std::string ScenarioRunner::CmdPopupDismiss(const Args&) {
  if (!WaitFor([&] { return !OpenMenuWindows().empty(); })) return "no popup menu is open";
  for (int i = 0; i < kMaxEscapes && !OpenMenuWindows().empty(); ++i) {
    SendKey(VK_ESCAPE, false);
    SendKey(VK_ESCAPE, true);
    SettleInput();
  }
  if (WaitFor([&] { return OpenMenuWindows().empty(); })) return std::string();
  return "the popup menu stayed open after Esc";
}

std::string ScenarioRunner::CmdPopupList(const Args&) {
  if (!WaitFor([&] { return OpenRootMenu() != nullptr; })) return "no popup menu is open";
  watch_.NoteOpenMenu("popup menu now");
  return std::string();
}

HWND ScenarioRunner::CurrentMessageBox() const {
  if (messageBox_ != nullptr && IsWindow(messageBox_) && IsWindowVisible(messageBox_)) {
    return messageBox_;
  }
  for (HWND window : OpenDialogWindows()) {
    if (IsMessageBox(window)) return window;
  }
  return nullptr;
}

std::string ScenarioRunner::CmdExpectMessageBox(const Args& args) {
  HWND found = nullptr;
  std::string seen;
  if (WaitFor([&] {
        seen.clear();
        for (HWND window : OpenDialogWindows()) {
          if (!IsMessageBox(window)) continue;
          std::wstring text = MessageBoxText(window);
          std::wstring caption = StoredCaption(window);
          seen += (seen.empty() ? "" : ", ") +
                  ("\"" + Utf8FromWide(caption) + "\": \"" + Utf8FromWide(text) + "\"");
          if (TextMatches(text, args[0]) && (args.size() < 2 || TextMatches(caption, args[1]))) {
            found = window;
            return true;
          }
        }
        return false;
      })) {
    messageBox_ = found;
    return std::string();
  }
  return seen.empty() ? "no message box opened" : "the open message boxes are " + seen;
}

std::string ScenarioRunner::CmdAnswerMessageBox(const Args& args) {
  int id = 0;
  for (const TButtonName& button : kButtons) {
    if (args[0] == button.Name) id = button.Id;
  }
  if (id == 0) return "'" + args[0] + "' is no message box button";
  HWND box = nullptr;
  if (!WaitFor([&] { return (box = CurrentMessageBox()) != nullptr; })) {
    return "no message box is open";
  }
  HWND button = GetDlgItem(box, id);
  if (button == nullptr || !IsWindowVisible(button)) {
    return "the message box has no " + args[0] + " button";
  }
  host_.Note("message box answered " + args[0]);
  ClickAt(Center(ScreenRect(button)), false, false);
  messageBox_ = nullptr;
  if (WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); })) return std::string();
  return "the message box stayed open";
}

std::string ScenarioRunner::CmdExpectMessageBoxes(const Args& args) {
  std::optional<int64_t> want = ParseInteger(args[0]);
  if (!want || *want < 0) return "the count must be a number";
  size_t count = 0;
  if (WaitFor([&] {
        count = watch_.MessageBoxes().size() - boxMark_;
        return count == static_cast<size_t>(*want);
      })) {
    return std::string();
  }
  return std::to_string(count) + " message box(es) opened since the mark";
}

std::string ScenarioRunner::CmdSelftestPopup(const Args& args) {
  POINT point;
  std::string error = TargetPoint(args[0], args[1], point);
  if (!error.empty()) return error;
  selftest_.OpenPopup(point);
  Pump(0);
  return std::string();
}

std::string ScenarioRunner::CmdSelftestMessageBox(const Args& args) {
  std::string caption = args.size() > 1 ? args[1] : "simhost";
  UINT buttons = MB_OK;
  if (args.size() > 2) {
    bool known = false;
    for (const TBoxButtons& choice : kBoxButtons) {
      if (args[2] == choice.Name) {
        buttons = choice.Type;
        known = true;
      }
    }
    if (!known) return "buttons are ok, okcancel, yesno or yesnocancel";
  }
  bool ansi = args.size() > 3;
  if (ansi && args[3] != "ansi") return "'" + args[3] + "' is not ansi";
  std::string text = args[0];
  // Inside a call on the host's side, as a plug-in's init shows its message: the command
  // returns once the box's loop runs.
  return OnHost([this, text, caption, buttons, ansi] {
    selftest_.RunMessageBox(text, caption, buttons, ansi);
    return std::string();
  });
}

std::string ScenarioRunner::CmdSelftestDialog(const Args&) {
  selftest_.OpenDialog();
  Pump(0);
  return std::string();
}

std::string ScenarioRunner::CmdSelftestBrowseFolder(const Args&) {
  selftest_.OpenFolderBrowser();
  Pump(0);
  return std::string();
}

std::string ScenarioRunner::CmdSelftestOpenFile(const Args& args) {
  selftest_.OpenFileDialog(args.empty() ? std::string() : args[0]);
  Pump(0);
  return std::string();
}

// As the plug-in starts the unpack program: its path, a blank, the album in quotes.
std::string ScenarioRunner::CmdSelftestStart(const Args& args) {
  std::string commandLine = args[0] + " \"" + args[1] + "\"";
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  const char* folder = args.size() > 2 ? args[2].c_str() : nullptr;
  if (!CreateProcessA(args[0].c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder,
                      &startup, &process)) {
    return "cannot start " + args[0] + " (error " + std::to_string(GetLastError()) + ")";
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  host_.Note("selftest: started " + commandLine);
  return std::string();
}

// The host's thread busy for MS without a look at its messages, as a plug-in that hangs.
std::string ScenarioRunner::CmdSelftestStall(const Args& args) {
  std::optional<int64_t> ms = ParseInteger(args[0]);
  if (!ms || *ms < 0 || *ms > 20000) return "give 0 to 20000 ms";
  DWORD duration = static_cast<DWORD>(*ms);
  return OnHost([duration] {
    Sleep(duration);
    return std::string();
  });
}

// Memory and menus that are never given back, as a plug-in that leaks.
std::string ScenarioRunner::CmdSelftestLeak(const Args& args) {
  std::optional<int64_t> kib = ParseInteger(args[0]);
  std::optional<int64_t> menus = ParseInteger(args[1]);
  if (!kib || *kib < 0 || *kib > 65536 || !menus || *menus < 0 || *menus > 1000) {
    return "give 0 to 65536 KiB and 0 to 1000 menus";
  }
  auto* bytes = static_cast<volatile char*>(HeapAlloc(GetProcessHeap(), 0, *kib * 1024 + 1));
  if (bytes == nullptr) return "cannot allocate the memory";
  // Touched page by page, so the system commits what is asked for.
  for (int64_t i = 0; i < *kib * 1024; i += 4096) bytes[i] = 1;
  for (int64_t i = 0; i < *menus; ++i) CreatePopupMenu();
  host_.Note("selftest: leaked " + args[0] + " KiB and " + args[1] + " menus");
  return std::string();
}

}  // namespace varimo
