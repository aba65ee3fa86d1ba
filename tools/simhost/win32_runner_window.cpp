// Scenario commands on windows, input, pixels, the settings file and resource counts.
#include <cstdio>

#include "win32_controls.h"
#include "win32_desktop.h"
#include "win32_gdi_count.h"
#include "win32_menu_reader.h"
#include "win32_runner.h"

namespace varimo {
namespace {

// Long enough for the system to tell a press from a release and for the window to see
// each as its own message; short enough for two clicks to count as a double click.
constexpr uint32_t kInputGapMS = 30;
constexpr int kDragSteps = 8;
constexpr int64_t kRepaintBatch = 50;
constexpr size_t kIniValueSize = 2048;
// Stands for a missing key: a value no settings file holds.
constexpr char kAbsent[] = "\x01(absent)";

std::string Hex(uint32_t rgb) {
  char text[8];
  std::snprintf(text, sizeof(text), "%06X", static_cast<unsigned>(rgb));
  return text;
}

// "GDI 120, USER 45, private 5120 KiB", with "?" for a count the system does not keep.
std::string DescribeObjects(const TGuiObjectCount& count) {
  return "GDI " + (count.GdiKnown ? std::to_string(count.Gdi) : std::string("?")) +
         (count.GdiKinds.empty() ? std::string() : " (" + count.GdiKinds + ")") + ", USER " +
         (count.UserKnown ? std::to_string(count.User) : std::string("?")) + ", private " +
         std::to_string(count.PrivateBytes / 1024) + " KiB";
}

// "MIN..MAX" of whole numbers, else nothing.
std::optional<TCountRange> ParseNumberRange(const std::string& word) {
  size_t dots = word.find("..");
  if (dots == std::string::npos) return std::nullopt;
  std::optional<int64_t> low = ParseInteger(word.substr(0, dots));
  std::optional<int64_t> high = ParseInteger(word.substr(dots + 2));
  if (!low || !high) return std::nullopt;
  return TCountRange{*low, *high};
}

bool IniValueMatches(const std::string& value, const std::string& want) {
  if (value == want) return true;
  std::optional<TCountRange> range = ParseNumberRange(want);
  std::optional<int64_t> number = ParseInteger(value);
  return range && number && range->Contains(*number);
}

std::string RectText(const RECT& rect) {
  return std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
         std::to_string(rect.right - rect.left) + " " + std::to_string(rect.bottom - rect.top);
}

// The cache of the system's settings-file functions is dropped, so a read sees what the
// plug-in has just written.
void FlushIniCache(const std::string& path) {
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
}

std::string ReadIni(const std::string& path, const std::string& section, const std::string& key) {
  FlushIniCache(path);
  char value[kIniValueSize];
  DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), kAbsent, value,
                                          sizeof(value), path.c_str());
  return std::string(value, length);
}

}  // namespace

std::string ScenarioRunner::CmdTarget(const Args& args) {
  target_ = args[0];
  return std::string();
}

std::string ScenarioRunner::CmdExpectVisible(const Args& args) {
  std::optional<bool> visible = ParseYesNo(args[1]);
  if (!visible) return "say yes or no";
  bool exists = false;
  bool shown = false;
  if (WaitFor([&] {
        HWND window = ResolveWindow(args[0]);
        exists = window != nullptr;
        shown = exists && IsWindowVisible(window);
        return shown == *visible;
      })) {
    return std::string();
  }
  return !exists ? "there is no window '" + args[0] + "'"
                 : "the window is " + std::string(shown ? "visible" : "hidden");
}

std::string ScenarioRunner::CmdExpectRect(const Args& args) {
  std::optional<int64_t> want[4];
  for (int i = 0; i < 4; ++i) {
    if (args[i + 1] == "*") continue;
    want[i] = ParseInteger(args[i + 1]);
    if (!want[i]) return "'" + args[i + 1] + "' is neither a number nor *";
  }
  RECT rect = {};
  bool exists = false;
  if (WaitFor([&] {
        HWND window = ResolveWindow(args[0]);
        exists = window != nullptr && GetWindowRect(window, &rect);
        long have[4] = {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
        for (int i = 0; i < 4; ++i) {
          if (want[i] && *want[i] != have[i]) return false;
        }
        return exists;
      })) {
    return std::string();
  }
  if (!exists) return "there is no window '" + args[0] + "'";
  return "the window's left, top, width, height are " + RectText(rect);
}

std::string ScenarioRunner::CmdMove(const Args& args) {
  if (args.size() == 4) return "give both a width and a height, or neither";
  std::optional<int64_t> numbers[4] = {ParseInteger(args[1]), ParseInteger(args[2]),
                                       std::optional<int64_t>(0), std::optional<int64_t>(0)};
  for (size_t i = 3; i < args.size(); ++i) numbers[i - 1] = ParseInteger(args[i]);
  for (const std::optional<int64_t>& number : numbers) {
    if (!number) return "coordinates and sizes must be numbers";
  }
  HWND window = ResolveWindow(args[0]);
  if (window == nullptr) return "there is no window '" + args[0] + "'";
  int x = static_cast<int>(*numbers[0]);
  int y = static_cast<int>(*numbers[1]);
  int width = static_cast<int>(*numbers[2]);
  int height = static_cast<int>(*numbers[3]);
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (args.size() == 3 ? SWP_NOSIZE : 0);
  std::string error = OnHost([window, x, y, width, height, flags] {
    SetWindowPos(window, nullptr, x, y, width, height, flags);
    return std::string();
  });
  Pump(0);
  return error;
}

// Directly, not by a system command, so the host's log keeps only what others ask of it; or
// with `system` as the title bar's buttons do it: a system command, whose default handling
// hides or shows the owned windows along with an active window.
std::string ScenarioRunner::ShowHostWindow(const Args& args, int show, WPARAM command) {
  HWND window = ResolveWindow(args[0]);
  if (window == nullptr) return "there is no window '" + args[0] + "'";
  const bool system = args.size() == 2;
  if (system && args[1] != "system") return "'" + args[1] + "' is not system";
  std::string error = OnHost([window, show, command, system] {
    if (system) {
      SendMessageA(window, WM_SYSCOMMAND, command, 0);
    } else {
      ShowWindow(window, show);
    }
    return std::string();
  });
  Pump(0);
  return error;
}

std::string ScenarioRunner::CmdMinimize(const Args& args) {
  return ShowHostWindow(args, SW_MINIMIZE, SC_MINIMIZE);
}

std::string ScenarioRunner::CmdRestore(const Args& args) {
  return ShowHostWindow(args, SW_RESTORE, SC_RESTORE);
}

std::string ScenarioRunner::CmdRepaint(const Args& args) {
  std::optional<int64_t> count = ParseInteger(args[0]);
  if (!count || *count < 1 || *count > 100000) return "count must be 1-100000";
  bool activate = args.size() == 2;
  if (activate && args[1] != "activate") return "'" + args[1] + "' is not activate";
  HWND window = ResolveWindow(target_);
  if (window == nullptr) return "no window '" + target_ + "' to repaint";
  int64_t last = *count;
  // The timer and the host run on between batches of repaints, as they would on a busy
  // desktop.
  for (int64_t first = 1; first <= last; first += kRepaintBatch) {
    std::string error = OnHost([window, activate, first, last] {
      for (int64_t i = first; i < first + kRepaintBatch && i <= last; ++i) {
        if (activate) {
          // Alternating, as the user switching windows would; the window ends active.
          SendMessageA(window, WM_ACTIVATE, i % 2 == 0 || i == last ? WA_ACTIVE : WA_INACTIVE, 0);
        } else {
          InvalidateRect(window, nullptr, FALSE);
          UpdateWindow(window);
        }
      }
      return std::string();
    });
    if (!error.empty()) return error;
    Pump(0);
  }
  return std::string();
}

std::string ScenarioRunner::CmdClick(const Args& args) {
  bool right = false;
  bool twice = false;
  for (size_t i = 2; i < args.size(); ++i) {
    if (args[i] == "right") {
      right = true;
    } else if (args[i] == "double") {
      twice = true;
    } else {
      return "'" + args[i] + "' is neither right nor double";
    }
  }
  POINT point;
  std::string error = TargetPoint(args[0], args[1], point);
  if (!error.empty()) return error;
  MoveCursorTo(point);
  Pump(kInputGapMS);
  for (int i = 0; i < (twice ? 2 : 1); ++i) {
    SendMouseButton(right, true);
    Pump(kInputGapMS);
    SendMouseButton(right, false);
    Pump(kInputGapMS);
  }
  return std::string();
}

std::string ScenarioRunner::CmdDrag(const Args& args) {
  bool right = args.size() == 5;
  if (right && args[4] != "right") return "'" + args[4] + "' is not right";
  POINT from;
  POINT to;
  std::string error = TargetPoint(args[0], args[1], from);
  if (error.empty()) error = TargetPoint(args[2], args[3], to);
  if (!error.empty()) return error;
  MoveCursorTo(from);
  Pump(kInputGapMS);
  SendMouseButton(right, true);
  Pump(kInputGapMS);
  // In steps, so the window follows the pointer as it would under a hand.
  for (int step = 1; step <= kDragSteps; ++step) {
    MoveCursorTo({from.x + (to.x - from.x) * step / kDragSteps,
                  from.y + (to.y - from.y) * step / kDragSteps});
    Pump(kInputGapMS);
  }
  SendMouseButton(right, false);
  Pump(kInputGapMS);
  return std::string();
}

std::string ScenarioRunner::CmdWheel(const Args& args) {
  std::optional<int64_t> notches = ParseInteger(args[2]);
  if (!notches || *notches < -100 || *notches > 100) return "notches must be -100 to 100";
  POINT point;
  std::string error = TargetPoint(args[0], args[1], point);
  if (!error.empty()) return error;
  MoveCursorTo(point);
  Pump(kInputGapMS);
  SendWheel(static_cast<int>(*notches));
  Pump(kInputGapMS);
  return std::string();
}

std::string ScenarioRunner::CmdKey(const Args& args) {
  std::optional<WORD> key = ParseKey(args[0]);
  if (!key) return "'" + args[0] + "' is no key (a letter, a digit, a key name or a code)";
  std::vector<WORD> modifiers;
  if (!ParseModifierKeys(args, 1, modifiers)) return "modifiers are alt, ctrl or shift";
  HWND window = ResolveWindow(target_);
  if (window == nullptr) return "no window '" + target_ + "' to type into";
  // Keys go to the focus; the target gets it first, as a user would click it.
  OnHost([window] {
    SetForegroundWindow(window);
    SetFocus(window);
    return std::string();
  });
  Pump(kInputGapMS);
  // Held before the key, as a hand holds them: what the key's press starts (a hot key's
  // popup menu, say) must not find their presses still waiting in the queue.
  for (WORD modifier : modifiers) SendKey(modifier, false);
  if (!modifiers.empty()) SettleInput();
  SendKey(*key, false);
  Pump(kInputGapMS);
  SendKey(*key, true);
  for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) SendKey(*it, true);
  Pump(kInputGapMS);
  return std::string();
}

std::string ScenarioRunner::CmdProbe(const Args& args) {
  std::optional<uint32_t> want = ParseRgb(args[2]);
  if (!want) return "colour must be RRGGBB";
  std::optional<int64_t> tolerance = args.size() == 4 ? ParseInteger(args[3]) : int64_t{0};
  if (!tolerance || *tolerance < 0 || *tolerance > 255) return "tolerance must be 0-255";
  POINT point;
  std::string error = TargetPoint(args[0], args[1], point);
  if (!error.empty()) return error;
  uint32_t have = 0;
  bool captured = false;
  if (WaitFor([&] {
        TImage image;
        RECT pixel = {point.x, point.y, point.x + 1, point.y + 1};
        captured = CaptureScreen(pixel, image);
        if (captured) have = image.At(0, 0);
        return captured && ColorDistance(have, *want) <= *tolerance;
      })) {
    return std::string();
  }
  if (!captured) return "cannot read the screen";
  return "the pixel is " + Hex(have) + ", expected " + Hex(*want);
}

std::string ScenarioRunner::CmdScreenshot(const Args& args) {
  std::string what = args.size() == 2 ? args[1] : target_;
  RECT rect;
  if (what == "screen") {
    rect = VirtualScreenRect();
  } else if (what == "all") {
    rect = VisibleProcessWindowsRect();
  } else if (what == "menu") {
    std::vector<HWND> menus = OpenMenuWindows();
    if (menus.empty()) return "no popup menu is open";
    rect = ScreenRect(menus[0]);
    for (HWND menu : menus) {
      RECT part = ScreenRect(menu);
      UnionRect(&rect, &rect, &part);
    }
  } else {
    HWND window = ResolveWindow(what);
    if (window == nullptr) return "there is no window '" + what + "'";
    GetWindowRect(window, &rect);
  }
  TImage image;
  if (!CaptureScreen(rect, image)) return "cannot capture " + RectText(rect);
  std::string error;
  if (!WriteImageFile(args[0], image, error)) return error;
  host_.Note("screenshot " + args[0] + " of " + what + ": " + RectText(rect));
  return std::string();
}

std::string ScenarioRunner::CmdIniReset(const Args&) {
  std::string path = IniPath();
  if (!DeleteFileA(path.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND) {
    return "cannot delete " + path;
  }
  FlushIniCache(path);
  return std::string();
}

std::string ScenarioRunner::CmdWriteIni(const Args& args) {
  std::string path = IniPath();
  if (!WritePrivateProfileStringA(args[0].c_str(), args[1].c_str(), args[2].c_str(),
                                  path.c_str())) {
    return "cannot write " + path;
  }
  FlushIniCache(path);
  return std::string();
}

std::string ScenarioRunner::CmdExpectIni(const Args& args) {
  std::string value;
  if (WaitFor([&] {
        value = ReadIni(IniPath(), args[0], args[1]);
        return IniValueMatches(value, args[2]);
      })) {
    return std::string();
  }
  return value == kAbsent ? "the key is absent" : "the value is \"" + value + "\"";
}

std::string ScenarioRunner::CmdExpectNoIni(const Args& args) {
  std::string value = ReadIni(IniPath(), args[0], args[1]);
  if (value == kAbsent) return std::string();
  return "the key is present with \"" + value + "\"";
}

std::string ScenarioRunner::CmdExpectSavedTrack(const Args&) {
  std::string list;
  std::string number;
  std::string problem;
  if (WaitFor([&] {
        list = ReadIni(IniPath(), "Window", "Delete");
        number = ReadIni(IniPath(), "Play", "No");
        std::optional<int64_t> index = ParseInteger(number);
        if (list == kAbsent || !index) {
          problem = "Window Delete or Play No is missing or no number";
        } else if (list.find_first_not_of("01") != std::string::npos) {
          problem = "the list holds more than 0s and 1s";
        } else if (*index < 0 || (!list.empty() && *index >= static_cast<int64_t>(list.size()))) {
          problem = "the track names none of the list's " + std::to_string(list.size()) + " tracks";
        } else {
          return true;
        }
        return false;
      })) {
    return std::string();
  }
  return problem + " (Play No \"" + number + "\", Window Delete \"" + list + "\")";
}

std::string ScenarioRunner::CmdRememberRect(const Args& args) {
  HWND window = ResolveWindow(args[0]);
  RECT rect;
  if (window == nullptr || !GetWindowRect(window, &rect)) {
    return "there is no window '" + args[0] + "'";
  }
  const std::pair<const char*, long> parts[] = {{"_LEFT", rect.left},
                                                {"_TOP", rect.top},
                                                {"_WIDTH", rect.right - rect.left},
                                                {"_HEIGHT", rect.bottom - rect.top}};
  for (const auto& part : parts) {
    std::string name = args[1] + part.first;
    SetEnvironmentVariableA(name.c_str(), std::to_string(part.second).c_str());
  }
  host_.Note("remembered " + args[0] + " as " + args[1] + ": " + RectText(rect));
  return std::string();
}

std::string ScenarioRunner::CmdGdiCount(const Args&) {
  objectsBefore_ = CountGuiObjects();
  gdiCounted_ = true;
  host_.Note("objects " + DescribeObjects(objectsBefore_));
  return std::string();
}

std::string ScenarioRunner::CmdExpectGdiCount(const Args& args) {
  std::optional<int64_t> tolerance = ParseInteger(args[0]);
  if (!tolerance || *tolerance < 0) return "tolerance must be a number";
  std::optional<int64_t> memoryKiB;
  if (args.size() == 2) {
    memoryKiB = ParseInteger(args[1]);
    if (!memoryKiB || *memoryKiB < 0) return "the memory tolerance must be a number of KiB";
  }
  if (!gdiCounted_) return "no gdi-count before";
  const TGuiObjectCount& before = objectsBefore_;
  TGuiObjectCount now = CountGuiObjects();
  host_.Note("objects " + DescribeObjects(now));
  bool gdi = before.GdiKnown && now.GdiKnown;
  bool user = before.UserKnown && now.UserKnown;
  bool grewMemory = memoryKiB && now.PrivateBytes >
                                     before.PrivateBytes + static_cast<uint64_t>(*memoryKiB) * 1024;
  if (!gdi && !user) {
    host_.Note("object counts are not available on this system: comparison skipped");
    std::printf("note: this system counts no GDI or USER objects; expect-gdi-count skipped\n");
  }
  bool grew =
      (gdi && now.Gdi > before.Gdi + *tolerance) || (user && now.User > before.User + *tolerance);
  if (!grew && !grewMemory) return std::string();
  return "objects were " + DescribeObjects(before) + ", now " + DescribeObjects(now);
}

}  // namespace varimo
