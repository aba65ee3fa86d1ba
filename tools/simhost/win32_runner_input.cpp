// Scenario commands on the pointer, keys and activations seen by the host's windows, and
// global hot keys.
#include "win32_desktop.h"
#include "win32_runner.h"
#include "win32_text.h"

namespace varimo {
namespace {

// After the input queue has been read, a little more time for what the handlers post.
constexpr uint32_t kSettleMS = 20;
constexpr int kMaxSteps = 1000;
constexpr char kAtomPrefix[] = "Varimo Plugin for Winamp 2.x ";
// The reserved combinations' identifiers, clear of anything the plug-in registers.
constexpr int kFirstReservedId = 0xB000;
constexpr int kProbeId = 0xBFFF;

bool ParseButton(const std::vector<std::string>& args, size_t index, bool& right,
                 std::string& error) {
  right = args.size() > index;
  if (right && args[index] != "right") {
    error = "'" + args[index] + "' is not right";
    return false;
  }
  return true;
}

// "none", or ctrl, alt, shift and win joined by "+".
bool ParseModifiers(const std::string& word, UINT& modifiers) {
  modifiers = 0;
  if (word == "none") return true;
  size_t start = 0;
  while (start <= word.size()) {
    size_t plus = word.find('+', start);
    std::string part =
        word.substr(start, plus == std::string::npos ? std::string::npos : plus - start);
    if (part == "ctrl") {
      modifiers |= MOD_CONTROL;
    } else if (part == "alt") {
      modifiers |= MOD_ALT;
    } else if (part == "shift") {
      modifiers |= MOD_SHIFT;
    } else if (part == "win") {
      modifiers |= MOD_WIN;
    } else {
      return false;
    }
    if (plus == std::string::npos) break;
    start = plus + 1;
  }
  return true;
}

bool ParseCombination(const std::string& modifiersWord, const std::string& keyWord, UINT& modifiers,
                      UINT& key, std::string& error) {
  if (!ParseModifiers(modifiersWord, modifiers)) {
    error = "'" + modifiersWord + "' is not none or ctrl, alt, shift, win joined by +";
    return false;
  }
  std::optional<WORD> code = ParseKey(keyWord);
  if (!code) {
    error = "'" + keyWord + "' is no key";
    return false;
  }
  key = *code;
  return true;
}

// N is the plug-in's atom of entry N; anything else is the atom's full name.
std::string AtomName(const std::string& word) {
  return ParseInteger(word) ? kAtomPrefix + word : word;
}

bool ParseEventKind(const std::string& word, THostEvent::Kind& kind) {
  for (THostEvent::Kind candidate : {THostEvent::Kind::kKeyDown, THostEvent::Kind::kKeyUp,
                                     THostEvent::Kind::kSysKeyDown, THostEvent::Kind::kSysKeyUp}) {
    if (word == HostEventKindName(candidate)) {
      kind = candidate;
      return true;
    }
  }
  return false;
}

}  // namespace

void ScenarioRunner::SettleInput() {
  uint32_t start = GetTickCount();
  Pump(0);
  while (HIWORD(GetQueueStatus(QS_INPUT)) != 0 && GetTickCount() - start < timeoutMS_) Pump(5);
  Pump(kSettleMS);
}

void ScenarioRunner::ClickAt(POINT screen, bool right, bool twice) {
  MoveCursorTo(screen);
  SettleInput();
  SendClick(right, twice);
  SettleInput();
}

void ScenarioRunner::TypeText(const std::wstring& text) {
  SendText(text);
  SettleInput();
}

std::string ScenarioRunner::CmdPress(const Args& args) {
  bool right;
  std::string error;
  if (!ParseButton(args, 2, right, error)) return error;
  POINT point;
  error = TargetPoint(args[0], args[1], point);
  if (!error.empty()) return error;
  MoveCursorTo(point);
  SettleInput();
  SendMouseButton(right, true);
  SettleInput();
  return std::string();
}

std::string ScenarioRunner::CmdMoveTo(const Args& args) {
  int steps = 1;
  if (args.size() == 3) {
    std::optional<int64_t> n = ParseInteger(args[2]);
    if (!n || *n < 1 || *n > kMaxSteps) return "steps must be 1 to " + std::to_string(kMaxSteps);
    steps = static_cast<int>(*n);
  }
  POINT to;
  std::string error = TargetPoint(args[0], args[1], to);
  if (!error.empty()) return error;
  POINT from;
  GetCursorPos(&from);
  for (int step = 1; step <= steps; ++step) {
    MoveCursorTo(
        {from.x + (to.x - from.x) * step / steps, from.y + (to.y - from.y) * step / steps});
    SettleInput();
  }
  return std::string();
}

std::string ScenarioRunner::CmdRelease(const Args& args) {
  bool right;
  std::string error;
  if (!ParseButton(args, 0, right, error)) return error;
  SendMouseButton(right, false);
  SettleInput();
  return std::string();
}

std::string ScenarioRunner::CmdExpectCursorPos(const Args& args) {
  bool screen = args.size() == 3;
  if (screen && args[2] != "screen") return "'" + args[2] + "' is not screen";
  POINT want;
  if (screen) {
    std::optional<int64_t> x = ParseInteger(args[0]);
    std::optional<int64_t> y = ParseInteger(args[1]);
    if (!x || !y) return "coordinates must be numbers";
    want = {static_cast<LONG>(*x), static_cast<LONG>(*y)};
  } else {
    std::string error = TargetPoint(args[0], args[1], want);
    if (!error.empty()) return error;
  }
  POINT have = {};
  if (WaitFor([&] {
        GetCursorPos(&have);
        return have.x == want.x && have.y == want.y;
      })) {
    return std::string();
  }
  return "the pointer is at " + std::to_string(have.x) + "," + std::to_string(have.y) +
         " on the screen, off by " + std::to_string(have.x - want.x) + "," +
         std::to_string(have.y - want.y);
}

std::string ScenarioRunner::CmdActivate(const Args& args) {
  HWND window = ResolveWindow(args[0]);
  if (window == nullptr) return "there is no window '" + args[0] + "'";
  OnHost([window] {
    SetForegroundWindow(window);
    return std::string();
  });
  if (WaitFor([&] { return GetForegroundWindow() == window; })) return std::string();
  return "the window did not become the foreground window";
}

std::string ScenarioRunner::CmdExpectKey(const Args& args) {
  HWND window = ResolveWindow(args[0]);
  THostEvent::Kind kind;
  std::optional<WORD> key = ParseKey(args[2]);
  if (window == nullptr || !host_.IsOwnWindow(window)) return "WINDOW must be one of the host's";
  if (!ParseEventKind(args[1], kind)) return "say down, up, sysdown or sysup";
  if (!key) return "'" + args[2] + "' is no key";
  const std::vector<THostEvent>& events = host_.Events();
  if (WaitFor([&] {
        for (size_t i = eventMark_; i < events.size(); ++i) {
          if (events[i].What == kind && events[i].Window == window && events[i].Key == *key) {
            return true;
          }
        }
        return false;
      })) {
    return std::string();
  }
  std::string seen;
  for (size_t i = eventMark_; i < events.size(); ++i) {
    if (events[i].Window != window) continue;
    seen += std::string(seen.empty() ? "" : ", ") + HostEventKindName(events[i].What) + " " +
            std::to_string(events[i].Key);
  }
  return "no key " + args[1] + " " + std::to_string(*key) + " in " + args[0] +
         " since the mark (it had: " + (seen.empty() ? "nothing" : seen) + ")";
}

std::string ScenarioRunner::CmdExpectNoKey(const Args& args) {
  HWND window = ResolveWindow(args[0]);
  THostEvent::Kind kind;
  std::optional<WORD> key = ParseKey(args[2]);
  if (window == nullptr || !host_.IsOwnWindow(window)) return "WINDOW must be one of the host's";
  if (!ParseEventKind(args[1], kind)) return "say down, up, sysdown or sysup";
  if (!key) return "'" + args[2] + "' is no key";
  size_t count = 0;
  const std::vector<THostEvent>& events = host_.Events();
  for (size_t i = eventMark_; i < events.size(); ++i) {
    if (events[i].What == kind && events[i].Window == window && events[i].Key == *key) ++count;
  }
  if (count == 0) return std::string();
  return std::to_string(count) + " key message(s) " + args[1] + " " + std::to_string(*key) +
         " in " + args[0] + " since the mark";
}

std::string ScenarioRunner::CmdExpectActivated(const Args& args) {
  HWND window = ResolveWindow(args[0]);
  std::optional<bool> want = ParseYesNo(args[1]);
  if (window == nullptr || !host_.IsOwnWindow(window)) return "WINDOW must be one of the host's";
  if (!want) return "say yes or no";
  const std::vector<THostEvent>& events = host_.Events();
  auto activated = [&] {
    for (size_t i = eventMark_; i < events.size(); ++i) {
      if (events[i].What == THostEvent::Kind::kActivated && events[i].Window == window) return true;
    }
    return false;
  };
  if (*want) {
    if (WaitFor(activated)) return std::string();
    return "the window was not activated since the mark";
  }
  return activated() ? "the window was activated since the mark" : std::string();
}

std::string ScenarioRunner::CmdHotKey(const Args& args) {
  if (args.size() == 2) return "give both MODIFIERS and KEY, or neither";
  std::string name = AtomName(args[0]);
  ATOM atom = GlobalFindAtomA(name.c_str());
  if (atom == 0) return "there is no global atom \"" + name + "\"";
  UINT modifiers = 0;
  UINT key = 0;
  std::string error;
  if (args.size() == 3 && !ParseCombination(args[1], args[2], modifiers, key, error)) return error;
  HWND window = ResolveWindow(target_);
  if (window == nullptr) return "no window '" + target_ + "' to send the hot key to";
  PostMessageA(window, WM_HOTKEY, atom, MAKELPARAM(modifiers, key));
  host_.Note("hot key " + std::to_string(atom) + " (\"" + name + "\") posted to " + target_);
  Pump(0);
  return std::string();
}

std::string ScenarioRunner::CmdReserveHotKey(const Args& args) {
  UINT modifiers;
  UINT key;
  std::string error;
  if (!ParseCombination(args[0], args[1], modifiers, key, error)) return error;
  int id = kFirstReservedId + static_cast<int>(reserved_.size());
  if (!RegisterHotKey(host_.Main(), id, modifiers, key)) {
    return "the system refused the combination (error " + std::to_string(GetLastError()) + ")";
  }
  reserved_.push_back({id, modifiers, key});
  host_.Note("host: reserved hot key " + std::to_string(id) + " modifiers " +
             std::to_string(modifiers) + " key " + std::to_string(key));
  return std::string();
}

std::string ScenarioRunner::CmdReleaseHotKey(const Args& args) {
  UINT modifiers;
  UINT key;
  std::string error;
  if (!ParseCombination(args[0], args[1], modifiers, key, error)) return error;
  for (auto it = reserved_.begin(); it != reserved_.end(); ++it) {
    if (it->Modifiers != modifiers || it->Key != key) continue;
    UnregisterHotKey(host_.Main(), it->Id);
    reserved_.erase(it);
    return std::string();
  }
  return "the host has not reserved that combination";
}

std::string ScenarioRunner::CmdExpectHotKeyFree(const Args& args) {
  UINT modifiers;
  UINT key;
  std::string error;
  if (!ParseCombination(args[0], args[1], modifiers, key, error)) return error;
  std::optional<bool> want = ParseYesNo(args[2]);
  if (!want) return "say yes or no";
  bool free = false;
  if (WaitFor([&] {
        free = RegisterHotKey(host_.Main(), kProbeId, modifiers, key) != FALSE;
        if (free) UnregisterHotKey(host_.Main(), kProbeId);
        return free == *want;
      })) {
    return std::string();
  }
  return free ? "the combination is free" : "the combination is registered";
}

std::string ScenarioRunner::CmdExpectAtom(const Args& args) {
  std::string name = AtomName(args[0]);
  std::optional<bool> want = ParseYesNo(args[1]);
  if (!want) return "say yes or no";
  bool found = false;
  if (WaitFor([&] {
        found = GlobalFindAtomA(name.c_str()) != 0;
        return found == *want;
      })) {
    return std::string();
  }
  return "the atom \"" + name + "\" is " + (found ? "there" : "missing");
}

std::string ScenarioRunner::CmdSelftestAtom(const Args& args) {
  std::string name = AtomName(args[0]);
  ATOM atom = GlobalAddAtomA(name.c_str());
  if (atom == 0) return "cannot add the atom";
  atoms_.push_back(atom);
  return std::string();
}

}  // namespace varimo
