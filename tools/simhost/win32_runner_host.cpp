// Scenario commands on the host's playback, the plug-in's lifetime, time and the log.
#include <cstdio>

#include "win32_runner.h"

namespace varimo {
namespace {

std::string FullPath(const std::string& path) {
  char full[2 * MAX_PATH];
  DWORD length = GetFullPathNameA(path.c_str(), sizeof(full), full, nullptr);
  return length > 0 && length < sizeof(full) ? std::string(full, length) : path;
}

bool FileSize(const std::string& path, uint64_t& size) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return true;
}

std::string NotANumber(const std::string& word) {
  return "'" + word + "' is not a number";
}

}  // namespace

std::string ScenarioRunner::CmdPlaylist(const Args& args) {
  if (args[0] == "clear" && args.size() == 1) {
    host_.Player().Clear();
    return std::string();
  }
  if (args[0] != "add" || args.size() < 2)
    return "usage: playlist add FILE [LENGTHMS] | playlist clear";
  std::string path = FullPath(args[1]);
  int32_t length;
  if (args.size() == 3) {
    std::optional<int64_t> given = ParseInteger(args[2]);
    if (!given || *given < 1 || *given > INT32_MAX) return "length must be a positive number of ms";
    length = static_cast<int32_t>(*given);
  } else {
    uint64_t size;
    if (!FileSize(path, size)) return "cannot find " + path + " to measure it; give its length";
    length = LengthAt128k(size);
  }
  host_.Player().Add(path, length);
  host_.Note("host: entry " + std::to_string(host_.Player().Entries().size() - 1) + " " + path +
             " (" + std::to_string(length) + " ms)");
  host_.Tick();
  return std::string();
}

std::string ScenarioRunner::CmdPlay(const Args&) {
  if (host_.Player().Entries().empty()) return "the playlist is empty";
  host_.Player().Play(GetTickCount());
  return std::string();
}

std::string ScenarioRunner::CmdPause(const Args&) {
  host_.Player().Pause(GetTickCount());
  return std::string();
}

std::string ScenarioRunner::CmdStop(const Args&) {
  host_.Player().Stop(GetTickCount());
  return std::string();
}

std::string ScenarioRunner::CmdNext(const Args&) {
  host_.Player().Next(GetTickCount());
  return std::string();
}

std::string ScenarioRunner::CmdPrevious(const Args&) {
  host_.Player().Previous(GetTickCount());
  return std::string();
}

std::string ScenarioRunner::CmdSeek(const Args& args) {
  std::optional<int64_t> ms = ParseInteger(args[0]);
  if (!ms) return NotANumber(args[0]);
  if (!host_.Player().Seek(*ms, GetTickCount())) return "nothing plays to seek in";
  return std::string();
}

std::string ScenarioRunner::CmdSelect(const Args& args) {
  std::optional<int64_t> index = ParseInteger(args[0]);
  if (!index || *index < 0 || *index >= static_cast<int64_t>(host_.Player().Entries().size())) {
    return "no playlist entry " + args[0];
  }
  host_.Player().Select(static_cast<int32_t>(*index), GetTickCount());
  return std::string();
}

std::string ScenarioRunner::CmdRepeat(const Args& args) {
  std::optional<bool> on = ParseYesNo(args[0]);
  if (!on) return "say on or off";
  host_.Player().SetRepeat(*on);
  return std::string();
}

std::string ScenarioRunner::CmdShuffle(const Args& args) {
  std::optional<bool> on = ParseYesNo(args[0]);
  if (!on) return "say on or off";
  host_.Player().SetShuffle(*on);
  return std::string();
}

std::string ScenarioRunner::CmdSkin(const Args& args) {
  // The host reports its skin folder without a trailing separator.
  std::string directory = args[0].empty() ? std::string() : FullPath(args[0]);
  while (!directory.empty() && (directory.back() == '\\' || directory.back() == '/')) {
    directory.pop_back();
  }
  host_.SetSkin(directory, args[1]);
  return std::string();
}

std::string ScenarioRunner::CmdHostSearch(const Args&) {
  if (host_.ShowSearchField() == nullptr) return "cannot make the playlist editor's search field";
  Pump(0);
  return std::string();
}

std::string ScenarioRunner::CmdHostCommand(const Args& args) {
  std::optional<int64_t> id = ParseInteger(args[0]);
  if (!id || *id < 0 || *id > 0xFFFF) return "command id must be 0-65535";
  // Posted, as a menu pick reaches the host: through its message queue.
  PostMessageA(host_.Main(), WM_COMMAND, static_cast<WPARAM>(*id), 0);
  Pump(0);
  return std::string();
}

// Both run on the host's side: init may show a message box, and the window it creates
// belongs with the host's message loop.
std::string ScenarioRunner::CmdLoad(const Args&) {
  return OnHost([this] {
    std::string path = hostFolder_ + "Plugins\\gen_Varimo.dll";
    TPluginRecordInfo info;
    std::string error;
    host_.Note("host: loading " + path);
    bool loaded = plugin_.Load(path, host_.Main(), info, error);
    if (!info.Description.empty() || info.Version != 0) {
      host_.Note("plugin record version=" + std::to_string(info.Version) + " description=\"" +
                 info.Description + "\"");
    }
    if (!loaded) return error;
    host_.Note("plugin init returned " + std::to_string(info.InitResult));
    return std::string();
  });
}

std::string ScenarioRunner::CmdUnload(const Args&) {
  if (!plugin_.Loaded()) return "no plug-in is loaded";
  host_.Note("host: plug-in quit and unload");
  return OnHost([this] {
    plugin_.Unload();
    host_.Note("host: plug-in unloaded");
    return std::string();
  });
}

std::string ScenarioRunner::CmdPump(const Args& args) {
  std::optional<int64_t> ms = ParseInteger(args[0]);
  if (!ms || *ms < 0 || *ms > 600000) return "pump takes 0 to 600000 ms";
  Pump(static_cast<uint32_t>(*ms));
  return std::string();
}

std::string ScenarioRunner::CmdTimeout(const Args& args) {
  std::optional<int64_t> ms = ParseInteger(args[0]);
  if (!ms || *ms < 0 || *ms > 600000) return "timeout takes 0 to 600000 ms";
  timeoutMS_ = static_cast<uint32_t>(*ms);
  return std::string();
}

std::string ScenarioRunner::CmdMark(const Args&) {
  // Nothing before a mark is ever looked at again.
  log_.Forget();
  host_.ForgetEvents();
  mark_ = 0;
  noteMark_ = 0;
  eventMark_ = 0;
  boxMark_ = watch_.MessageBoxMark();
  return std::string();
}

std::string ScenarioRunner::CmdExpectRequest(const Args& args) {
  TRequestPattern pattern;
  std::string error;
  if (!ParseRequestPattern(args, 0, pattern, error)) return error;
  if (WaitFor([&] { return log_.Count(pattern, mark_) > 0; })) return std::string();
  return "no request '" + DescribePattern(pattern) + "' since the mark within " +
         std::to_string(timeoutMS_) + " ms";
}

std::string ScenarioRunner::CmdExpectNoRequest(const Args& args) {
  TRequestPattern pattern;
  std::string error;
  if (!ParseRequestPattern(args, 0, pattern, error)) return error;
  size_t count = log_.Count(pattern, mark_);
  if (count == 0) return std::string();
  return std::to_string(count) + " request(s) '" + DescribePattern(pattern) + "' since the mark";
}

std::string ScenarioRunner::CmdExpectCount(const Args& args) {
  std::optional<int64_t> expected = ParseInteger(args[0]);
  if (!expected || *expected < 0) return "count must be a number";
  TRequestPattern pattern;
  std::string error;
  if (!ParseRequestPattern(args, 1, pattern, error)) return error;
  size_t count = 0;
  bool ok = WaitFor([&] {
    count = log_.Count(pattern, mark_);
    return count == static_cast<size_t>(*expected);
  });
  if (ok) return std::string();
  return std::to_string(count) + " request(s) '" + DescribePattern(pattern) +
         "' since the mark, expected " + args[0];
}

std::string ScenarioRunner::CmdExpectState(const Args& args) {
  if (args[0] != "stopped" && args[0] != "playing" && args[0] != "paused") {
    return "state must be stopped, playing or paused";
  }
  const char* state = "";
  if (WaitFor([&] {
        host_.Tick();
        state = PlayerStateName(host_.Player().State());
        return args[0] == state;
      })) {
    return std::string();
  }
  return std::string("the host is ") + state;
}

std::string ScenarioRunner::CmdExpectEntry(const Args& args) {
  std::optional<int64_t> index = ParseInteger(args[0]);
  if (!index) return NotANumber(args[0]);
  if (WaitFor([&] { return host_.Player().Index() == *index; })) return std::string();
  return "the host is at entry " + std::to_string(host_.Player().Index());
}

std::string ScenarioRunner::CmdExpectPosition(const Args& args) {
  std::optional<int64_t> low = ParseInteger(args[0]);
  std::optional<int64_t> high = ParseInteger(args[1]);
  if (!low || !high) return "positions must be numbers";
  int32_t position = 0;
  if (WaitFor([&] {
        host_.Tick();
        position = host_.Player().PositionMS();
        return position >= *low && position <= *high;
      })) {
    return std::string();
  }
  return "the host's position is " + std::to_string(position) + " ms";
}

std::string ScenarioRunner::CmdExpectMenuItem(const Args& args) {
  std::optional<int64_t> id = ParseInteger(args[0]);
  std::optional<bool> present = ParseYesNo(args[1]);
  std::optional<int64_t> position;
  if (args.size() == 3) position = ParseInteger(args[2]);
  if (!id || !present || (args.size() == 3 && (!position || !*present))) {
    return "usage: expect-menu-item ID yes|no [POSITION] (a position only with yes)";
  }
  HMENU menu = host_.MainMenu();
  int found = -1;
  std::string items;
  bool ok = WaitFor([&] {
    found = -1;
    items.clear();
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
      int itemId = static_cast<int>(GetMenuItemID(menu, i));
      items += (items.empty() ? "" : ",") + std::to_string(itemId);
      if (itemId == *id && found < 0) found = i;
    }
    if (!*present) return found < 0;
    return found >= 0 && (!position || found == *position);
  });
  if (ok) return std::string();
  return "the host's menu holds ids [" + items + "] (" + args[0] +
         (found >= 0 ? " at position " + std::to_string(found) : " absent") + ")";
}

std::string ScenarioRunner::CmdExpectIpc(const Args& args) {
  std::optional<int64_t> code = ParseInteger(args[0]);
  std::optional<int64_t> argument = ParseInteger(args[1]);
  if (!code || !argument) return "code and argument must be numbers";
  // The skin request writes into the caller's buffer; every request gets one so that
  // no address argument can point nowhere.
  char buffer[260] = {};
  WPARAM wParam = *code == 201 || *code == 249 ? reinterpret_cast<WPARAM>(buffer)
                                               : static_cast<WPARAM>(*argument);
  LRESULT answer = SendMessageA(host_.Main(), WM_USER, wParam, static_cast<LPARAM>(*code));
  const std::string& want = args[2];
  std::string have = std::to_string(static_cast<int32_t>(answer));
  if (want == "nonzero") return answer != 0 ? std::string() : "the answer is 0";
  size_t dots = want.find("..");
  if (dots != std::string::npos) {
    std::optional<int64_t> low = ParseInteger(want.substr(0, dots));
    std::optional<int64_t> high = ParseInteger(want.substr(dots + 2));
    if (!low || !high) return "range must be MIN..MAX";
    int32_t value = static_cast<int32_t>(answer);
    return value >= *low && value <= *high ? std::string() : "the answer is " + have;
  }
  if (ParseInteger(want)) return want == have ? std::string() : "the answer is " + have;
  // A text answer: the address of a string the caller copies at once.
  if (*code != 201 && *code != 211) return "request " + args[0] + " answers no text";
  if (answer == 0) return "the answer is a null address";
  std::string text(reinterpret_cast<const char*>(answer));
  return text == want ? std::string() : "the answer is \"" + text + "\"";
}

}  // namespace varimo
