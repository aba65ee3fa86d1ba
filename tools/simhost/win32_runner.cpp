#include "win32_runner.h"

#include <algorithm>
#include <cstdio>

#include "win32_desktop.h"

namespace varimo {
namespace {

// A scenario is a short script; anything bigger is not one.
constexpr long kMaxScenarioBytes = 1 << 20;
// How long an interactive session pumps between looks at the host's close request.
constexpr uint32_t kInteractiveSliceMS = 50;

bool ReadTextFile(const std::string& path, std::string& text) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  text.clear();
  char buffer[4096];
  size_t read;
  while ((read = std::fread(buffer, 1, sizeof(buffer), file)) > 0) {
    text.append(buffer, read);
    if (text.size() > kMaxScenarioBytes) break;
  }
  std::fclose(file);
  return text.size() <= kMaxScenarioBytes;
}

// %NAME% in a word is the environment variable NAME; SIMHOST_DIR is the host's folder.
std::string ExpandWord(const std::string& word) {
  if (word.find('%') == std::string::npos) return word;
  char expanded[4096];
  DWORD length = ExpandEnvironmentStringsA(word.c_str(), expanded, sizeof(expanded));
  return length > 0 && length <= sizeof(expanded) ? std::string(expanded) : word;
}

std::string JoinWords(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) {
    if (!text.empty()) text += ' ';
    text += word.find(' ') == std::string::npos && !word.empty() ? word : "\"" + word + "\"";
  }
  return text;
}

}  // namespace

ScenarioRunner::ScenarioRunner(Win32SimHost& host, RequestLog& log, const std::string& hostFolder)
    : host_(host), log_(log), hostFolder_(hostFolder) {
  SetEnvironmentVariableA("SIMHOST_DIR", hostFolder.c_str());
}

const std::vector<ScenarioRunner::TCommand>& ScenarioRunner::Commands() {
  static const std::vector<TCommand> commands = {
      {"playlist", "playlist add FILE [LENGTHMS] | playlist clear", 1, 3, false,
       &ScenarioRunner::CmdPlaylist},
      {"play", "play", 0, 0, false, &ScenarioRunner::CmdPlay},
      {"pause", "pause", 0, 0, false, &ScenarioRunner::CmdPause},
      {"stop", "stop", 0, 0, false, &ScenarioRunner::CmdStop},
      {"next", "next", 0, 0, false, &ScenarioRunner::CmdNext},
      {"prev", "prev", 0, 0, false, &ScenarioRunner::CmdPrevious},
      {"seek", "seek MS", 1, 1, false, &ScenarioRunner::CmdSeek},
      {"select", "select INDEX", 1, 1, false, &ScenarioRunner::CmdSelect},
      {"repeat", "repeat on|off", 1, 1, false, &ScenarioRunner::CmdRepeat},
      {"shuffle", "shuffle on|off", 1, 1, false, &ScenarioRunner::CmdShuffle},
      {"skin", "skin DIR NAME (both \"\" for the built-in skin)", 2, 2, false,
       &ScenarioRunner::CmdSkin},
      {"host-command", "host-command ID", 1, 1, false, &ScenarioRunner::CmdHostCommand},
      {"load", "load", 0, 0, false, &ScenarioRunner::CmdLoad},
      {"unload", "unload", 0, 0, false, &ScenarioRunner::CmdUnload},
      {"pump", "pump MS", 1, 1, false, &ScenarioRunner::CmdPump},
      {"timeout", "timeout MS", 1, 1, true, &ScenarioRunner::CmdTimeout},
      {"mark", "mark", 0, 0, true, &ScenarioRunner::CmdMark},
      {"expect-request", "expect-request KIND [CODE [ARG]]", 1, 3, true,
       &ScenarioRunner::CmdExpectRequest},
      {"expect-no-request", "expect-no-request KIND [CODE [ARG]]", 1, 3, true,
       &ScenarioRunner::CmdExpectNoRequest},
      {"expect-count", "expect-count N KIND [CODE [ARG]]", 2, 4, true,
       &ScenarioRunner::CmdExpectCount},
      {"expect-state", "expect-state stopped|playing|paused", 1, 1, false,
       &ScenarioRunner::CmdExpectState},
      {"expect-entry", "expect-entry INDEX", 1, 1, false, &ScenarioRunner::CmdExpectEntry},
      {"expect-position", "expect-position MIN MAX", 2, 2, false,
       &ScenarioRunner::CmdExpectPosition},
      {"expect-menu-item", "expect-menu-item ID yes|no [POSITION]", 2, 3, false,
       &ScenarioRunner::CmdExpectMenuItem},
      {"expect-ipc", "expect-ipc CODE ARG ANSWER (a number, MIN..MAX, nonzero, or a text)", 3, 3,
       false, &ScenarioRunner::CmdExpectIpc},
      {"target", "target WINDOW", 1, 1, false, &ScenarioRunner::CmdTarget},
      {"expect-visible", "expect-visible WINDOW yes|no", 2, 2, false,
       &ScenarioRunner::CmdExpectVisible},
      {"expect-rect", "expect-rect WINDOW LEFT TOP WIDTH HEIGHT (* for any)", 5, 5, false,
       &ScenarioRunner::CmdExpectRect},
      {"move", "move WINDOW LEFT TOP", 3, 3, false, &ScenarioRunner::CmdMove},
      {"minimize", "minimize WINDOW", 1, 1, false, &ScenarioRunner::CmdMinimize},
      {"restore", "restore WINDOW", 1, 1, false, &ScenarioRunner::CmdRestore},
      {"repaint", "repaint COUNT [activate]", 1, 2, false, &ScenarioRunner::CmdRepaint},
      {"click", "click X Y [right] [double]", 2, 4, false, &ScenarioRunner::CmdClick},
      {"drag", "drag X1 Y1 X2 Y2 [right]", 4, 5, false, &ScenarioRunner::CmdDrag},
      {"wheel", "wheel X Y NOTCHES (positive away from the user)", 3, 3, false,
       &ScenarioRunner::CmdWheel},
      {"key", "key KEY [alt] [ctrl] [shift]", 1, 4, false, &ScenarioRunner::CmdKey},
      {"probe", "probe X Y RRGGBB [TOLERANCE]", 3, 4, false, &ScenarioRunner::CmdProbe},
      {"screenshot", "screenshot FILE [WINDOW|all|screen]", 1, 2, false,
       &ScenarioRunner::CmdScreenshot},
      {"expect-pixels", "expect-pixels X1 Y1 X2 Y2 RRGGBB TOLERANCE N|MIN..MAX|MIN..|none|all", 7,
       7, false, &ScenarioRunner::CmdExpectPixels},
      {"expect-bitmap", "expect-bitmap X Y FILE LEFT TOP RIGHT BOTTOM [TOLERANCE]", 7, 8, false,
       &ScenarioRunner::CmdExpectBitmap},
      {"expect-alpha", "expect-alpha WINDOW ALPHA|none", 2, 2, false,
       &ScenarioRunner::CmdExpectAlpha},
      {"ini-reset", "ini-reset", 0, 0, true, &ScenarioRunner::CmdIniReset},
      {"write-ini", "write-ini SECTION KEY VALUE", 3, 3, true, &ScenarioRunner::CmdWriteIni},
      {"expect-ini", "expect-ini SECTION KEY VALUE", 3, 3, true, &ScenarioRunner::CmdExpectIni},
      {"expect-no-ini", "expect-no-ini SECTION KEY", 2, 2, true, &ScenarioRunner::CmdExpectNoIni},
      {"gdi-count", "gdi-count", 0, 0, true, &ScenarioRunner::CmdGdiCount},
      {"expect-gdi-count", "expect-gdi-count TOLERANCE", 1, 1, true,
       &ScenarioRunner::CmdExpectGdiCount},
      {"echo", "echo TEXT...", 0, 64, true, &ScenarioRunner::CmdEcho},
      {"wait-close", "wait-close", 0, 0, false, &ScenarioRunner::CmdWaitClose},
      {"quit", "quit", 0, 0, true, &ScenarioRunner::CmdQuit},
  };
  return commands;
}

int ScenarioRunner::Run(const std::string& scenarioPath) {
  std::string text;
  if (!ReadTextFile(scenarioPath, text)) return Fail(0, scenarioPath, "cannot read the scenario");
  std::vector<TScenarioLine> lines;
  std::string error;
  if (!ParseScenario(text, lines, error)) return Fail(0, scenarioPath, error);
  host_.Note("scenario " + scenarioPath);
  for (const TScenarioLine& line : lines) {
    const std::string& name = line.Words[0];
    Args args;
    for (size_t i = 1; i < line.Words.size(); ++i) args.push_back(ExpandWord(line.Words[i]));
    std::string shown = name + (args.empty() ? "" : " " + JoinWords(args));
    const TCommand* command = nullptr;
    for (const TCommand& candidate : Commands()) {
      if (name == candidate.Name) command = &candidate;
    }
    if (command == nullptr) return Fail(line.Number, shown, "unknown command");
    if (args.size() < command->MinArgs || args.size() > command->MaxArgs) {
      return Fail(line.Number, shown, std::string("usage: ") + command->Usage);
    }
    if (closed_ && !command->AfterClose) {
      return Fail(line.Number, shown,
                  "the host has closed; only expectations on the log "
                  "and the settings file can follow");
    }
    host_.Note("line " + std::to_string(line.Number) + ": " + shown);
    error = (this->*command->Run)(args);
    if (!error.empty()) return Fail(line.Number, shown, error);
    if (!closed_ && host_.CloseRequested()) ShutDown();
    if (quit_) break;
  }
  ShutDown();
  host_.Note("scenario passed");
  std::printf("PASS %s\n", scenarioPath.c_str());
  std::fflush(stdout);
  return 0;
}

int ScenarioRunner::RunInteractive() {
  if (!CmdLoad({}).empty()) {
    std::fprintf(stderr, "simhost: cannot load the plug-in (see the log)\n");
  }
  while (!host_.CloseRequested()) Pump(kInteractiveSliceMS);
  ShutDown();
  return 0;
}

void ScenarioRunner::Pump(uint32_t ms) {
  uint32_t start = GetTickCount();
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    host_.Tick();
    uint32_t elapsed = GetTickCount() - start;
    if (elapsed >= ms) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<uint32_t>(ms - elapsed, 10), QS_ALLINPUT);
  }
}

void ScenarioRunner::ShutDown() {
  if (closed_) return;
  closed_ = true;
  if (plugin_.Loaded()) {
    host_.Note("host: plug-in quit and unload at exit");
    plugin_.Unload();
  }
  host_.Note("host: closed");
}

std::string ScenarioRunner::CmdQuit(const Args&) {
  quit_ = true;
  return std::string();
}

std::string ScenarioRunner::CmdWaitClose(const Args&) {
  while (!host_.CloseRequested()) Pump(kInteractiveSliceMS);
  return std::string();
}

std::string ScenarioRunner::CmdEcho(const Args& args) {
  std::string text = JoinWords(args);
  host_.Note("echo: " + text);
  std::printf("%s\n", text.c_str());
  std::fflush(stdout);
  return std::string();
}

int ScenarioRunner::Fail(int line, const std::string& command, const std::string& message) {
  std::string text = "FAIL line " + std::to_string(line) + ": " + command + ": " + message;
  host_.Note(text);
  std::fprintf(stderr, "%s\n", text.c_str());
  std::fflush(stderr);
  ShutDown();
  return 1;
}

HWND ScenarioRunner::ResolveWindow(const std::string& name) const {
  if (name == "main") return host_.Main();
  if (name == "equalizer") return host_.Equalizer();
  if (name == "playlist") return host_.Playlist();
  if (name == "browser") return host_.Browser();
  return FindProcessWindow(name == "plugin" ? "Winamp Varimo" : name, host_);
}

std::string ScenarioRunner::TargetPoint(const std::string& x, const std::string& y,
                                        POINT& point) const {
  std::optional<int64_t> dx = ParseInteger(x);
  std::optional<int64_t> dy = ParseInteger(y);
  if (!dx || !dy) return "coordinates must be numbers";
  HWND window = ResolveWindow(target_);
  if (window == nullptr) return "no window '" + target_ + "' to aim at";
  RECT rect;
  GetWindowRect(window, &rect);
  point = {rect.left + static_cast<LONG>(*dx), rect.top + static_cast<LONG>(*dy)};
  return std::string();
}

}  // namespace varimo
