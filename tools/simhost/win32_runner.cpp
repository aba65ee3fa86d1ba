#include "win32_runner.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "win32_desktop.h"
#include "win32_menu_reader.h"

namespace varimo {
namespace {

// A generated soak of half an hour runs to a few megabytes; anything bigger is no scenario.
constexpr long kMaxScenarioBytes = 16 << 20;
// How long an interactive session pumps between looks at the host's close request.
constexpr uint32_t kInteractiveSliceMS = 50;
// A scenario whose thread has not come back for this long is stuck; it ends with a
// failure instead of waiting for the test's overall time limit.
constexpr uint32_t kStallMS = 30000;
constexpr size_t kMaxLineBytes = 1 << 16;

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

// %NAME% in a word is the environment variable NAME (SIMHOST_DIR is the host's folder);
// an unknown name stays as it is. Only the names are replaced: the system's expansion
// would carry the whole word through the ANSI code page and break its UTF-8 text.
std::string ExpandWord(const std::string& word) {
  std::string expanded;
  size_t i = 0;
  while (i < word.size()) {
    size_t open = word.find('%', i);
    size_t close = open == std::string::npos ? open : word.find('%', open + 1);
    if (close == std::string::npos) break;
    expanded.append(word, i, open - i);
    std::string name = word.substr(open + 1, close - open - 1);
    char value[4096];
    DWORD length = name.empty() ? 0 : GetEnvironmentVariableA(name.c_str(), value, sizeof(value));
    if (length > 0 && length < sizeof(value)) {
      expanded.append(value, length);
      i = close + 1;
    } else {
      // Not a name: the first percent sign is text, the second may open a name.
      expanded += '%';
      i = open + 1;
    }
  }
  expanded.append(word, i, std::string::npos);
  return expanded;
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
    : host_(host),
      log_(log),
      hostFolder_(hostFolder),
      watch_([this](const std::string& text) { host_.Note(text); }),
      selftest_([this](const std::string& text) { host_.Note(text); }, host.Main()) {
  SetEnvironmentVariableA("SIMHOST_DIR", hostFolder.c_str());
  // The scenario language has no escape for a quote inside a quoted word.
  SetEnvironmentVariableA("SIMHOST_QUOTE", "\"");
  selftest_.Create(GetModuleHandleA(nullptr));
}

ScenarioRunner::~ScenarioRunner() {
  for (const TReservedHotKey& hotKey : reserved_) UnregisterHotKey(host_.Main(), hotKey.Id);
  for (ATOM atom : atoms_) GlobalDeleteAtom(atom);
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
      {"host-search", "host-search", 0, 0, false, &ScenarioRunner::CmdHostSearch},
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
      {"move", "move WINDOW LEFT TOP [WIDTH HEIGHT]", 3, 5, false, &ScenarioRunner::CmdMove},
      {"minimize", "minimize WINDOW [system]", 1, 2, false, &ScenarioRunner::CmdMinimize},
      {"restore", "restore WINDOW [system]", 1, 2, false, &ScenarioRunner::CmdRestore},
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
      {"expect-saved-track", "expect-saved-track", 0, 0, true,
       &ScenarioRunner::CmdExpectSavedTrack},
      {"remember-rect", "remember-rect WINDOW NAME", 2, 2, false, &ScenarioRunner::CmdRememberRect},
      {"gdi-count", "gdi-count", 0, 0, true, &ScenarioRunner::CmdGdiCount},
      {"expect-gdi-count", "expect-gdi-count TOLERANCE [KIB]", 1, 2, true,
       &ScenarioRunner::CmdExpectGdiCount},
      {"step", "step TEXT...", 1, 64, true, &ScenarioRunner::CmdStep},
      {"steps-for", "steps-for MS", 1, 1, true, &ScenarioRunner::CmdStepsFor},
      {"steps-break", "steps-break", 0, 0, true, &ScenarioRunner::CmdStepsBreak},
      {"steps-end", "steps-end", 0, 0, true, &ScenarioRunner::CmdStepsEnd},
      {"set", "set NAME VALUE", 2, 2, true, &ScenarioRunner::CmdSet},
      {"expect-responsive", "expect-responsive MS", 1, 1, false,
       &ScenarioRunner::CmdExpectResponsive},
      {"expect-note", "expect-note TEXT", 1, 1, true, &ScenarioRunner::CmdExpectNote},
      {"expect-no-note", "expect-no-note TEXT", 1, 1, true, &ScenarioRunner::CmdExpectNoNote},
      {"expect-file-line", "expect-file-line FILE LINE", 2, 2, true,
       &ScenarioRunner::CmdExpectFileLine},
      {"host-menu-close", "host-menu-close MS|never", 1, 1, false,
       &ScenarioRunner::CmdHostMenuClose},
      {"expect-modal-done", "expect-modal-done", 0, 0, false, &ScenarioRunner::CmdExpectModalDone},
      {"expect-popup", "expect-popup yes|no", 1, 1, false, &ScenarioRunner::CmdExpectPopup},
      {"expect-popup-item", "expect-popup-item PATH STATE...", 1, 12, false,
       &ScenarioRunner::CmdExpectPopupItem},
      {"expect-no-popup-item", "expect-no-popup-item PATH", 1, 1, false,
       &ScenarioRunner::CmdExpectNoPopupItem},
      {"popup-open", "popup-open PATH", 1, 1, false, &ScenarioRunner::CmdPopupOpen},
      {"popup-pick", "popup-pick PATH", 1, 1, false, &ScenarioRunner::CmdPopupPick},
      {"popup-dismiss", "popup-dismiss", 0, 0, false, &ScenarioRunner::CmdPopupDismiss},
      {"popup-list", "popup-list", 0, 0, false, &ScenarioRunner::CmdPopupList},
      {"expect-message-box", "expect-message-box TEXT [CAPTION]", 1, 2, false,
       &ScenarioRunner::CmdExpectMessageBox},
      {"answer-message-box", "answer-message-box ok|cancel|yes|no|abort|retry|ignore", 1, 1, false,
       &ScenarioRunner::CmdAnswerMessageBox},
      {"expect-message-boxes", "expect-message-boxes N", 1, 1, false,
       &ScenarioRunner::CmdExpectMessageBoxes},
      {"dialog", "dialog CAPTION", 1, 1, false, &ScenarioRunner::CmdDialog},
      {"dialog-list", "dialog-list", 0, 0, false, &ScenarioRunner::CmdDialogList},
      {"expect-captions-fit", "expect-captions-fit", 0, 0, false,
       &ScenarioRunner::CmdExpectCaptionsFit},
      {"dialog-click", "dialog-click CONTROL [double] [right]", 1, 3, false,
       &ScenarioRunner::CmdDialogClick},
      {"dialog-check", "dialog-check CONTROL on|off", 2, 2, false, &ScenarioRunner::CmdDialogCheck},
      {"dialog-tab", "dialog-tab CONTROL CAPTION|#INDEX", 2, 2, false,
       &ScenarioRunner::CmdDialogTab},
      {"dialog-updown", "dialog-updown CONTROL up|down [COUNT] | dialog-updown CONTROL to N", 2, 3,
       false, &ScenarioRunner::CmdDialogUpDown},
      {"dialog-combo", "dialog-combo CONTROL ENTRY|#INDEX", 2, 2, false,
       &ScenarioRunner::CmdDialogCombo},
      {"dialog-type", "dialog-type CONTROL TEXT [append]", 2, 3, false,
       &ScenarioRunner::CmdDialogType},
      {"dialog-key", "dialog-key KEY [alt] [ctrl] [shift]", 1, 4, false,
       &ScenarioRunner::CmdDialogKey},
      {"expect-control", "expect-control CONTROL PROPERTY VALUE", 3, 3, false,
       &ScenarioRunner::CmdExpectControl},
      {"expect-cell", "expect-cell CONTROL ROW COLUMN TEXT", 4, 4, false,
       &ScenarioRunner::CmdExpectCell},
      {"list-click", "list-click CONTROL ROW COLUMN [double] [right]", 3, 5, false,
       &ScenarioRunner::CmdListClick},
      {"list-drag", "list-drag CONTROL FROMROW TOROW", 3, 3, false, &ScenarioRunner::CmdListDrag},
      {"browse-folder", "browse-folder PATH|cancel", 1, 1, false, &ScenarioRunner::CmdBrowseFolder},
      {"open-file", "open-file PATH|cancel", 1, 1, false, &ScenarioRunner::CmdOpenFile},
      {"press", "press X Y [right]", 2, 3, false, &ScenarioRunner::CmdPress},
      {"move-to", "move-to X Y [STEPS]", 2, 3, false, &ScenarioRunner::CmdMoveTo},
      {"release", "release [right]", 0, 1, false, &ScenarioRunner::CmdRelease},
      {"expect-cursor-pos", "expect-cursor-pos X Y [screen]", 2, 3, false,
       &ScenarioRunner::CmdExpectCursorPos},
      {"activate", "activate WINDOW", 1, 1, false, &ScenarioRunner::CmdActivate},
      {"expect-key", "expect-key WINDOW down|up|sysdown|sysup KEY", 3, 3, false,
       &ScenarioRunner::CmdExpectKey},
      {"expect-no-key", "expect-no-key WINDOW down|up|sysdown|sysup KEY", 3, 3, false,
       &ScenarioRunner::CmdExpectNoKey},
      {"expect-activated", "expect-activated WINDOW yes|no", 2, 2, false,
       &ScenarioRunner::CmdExpectActivated},
      {"hotkey", "hotkey N|ATOMNAME [MODIFIERS KEY]", 1, 3, false, &ScenarioRunner::CmdHotKey},
      {"reserve-hotkey", "reserve-hotkey MODIFIERS KEY", 2, 2, false,
       &ScenarioRunner::CmdReserveHotKey},
      {"release-hotkey", "release-hotkey MODIFIERS KEY", 2, 2, false,
       &ScenarioRunner::CmdReleaseHotKey},
      {"expect-hotkey-free", "expect-hotkey-free MODIFIERS KEY yes|no", 3, 3, false,
       &ScenarioRunner::CmdExpectHotKeyFree},
      {"expect-atom", "expect-atom N|NAME yes|no", 2, 2, true, &ScenarioRunner::CmdExpectAtom},
      {"selftest-popup", "selftest-popup X Y", 2, 2, false, &ScenarioRunner::CmdSelftestPopup},
      {"selftest-message-box",
       "selftest-message-box TEXT [CAPTION] [ok|okcancel|yesno|yesnocancel] [ansi]", 1, 4, false,
       &ScenarioRunner::CmdSelftestMessageBox},
      {"selftest-dialog", "selftest-dialog", 0, 0, false, &ScenarioRunner::CmdSelftestDialog},
      {"selftest-browse-folder", "selftest-browse-folder", 0, 0, false,
       &ScenarioRunner::CmdSelftestBrowseFolder},
      {"selftest-open-file", "selftest-open-file [FOLDER]", 0, 1, false,
       &ScenarioRunner::CmdSelftestOpenFile},
      {"selftest-atom", "selftest-atom N|NAME", 1, 1, false, &ScenarioRunner::CmdSelftestAtom},
      {"selftest-stall", "selftest-stall MS", 1, 1, false, &ScenarioRunner::CmdSelftestStall},
      {"selftest-leak", "selftest-leak KIB MENUS", 2, 2, false, &ScenarioRunner::CmdSelftestLeak},
      {"selftest-start", "selftest-start PROGRAM ALBUM [FOLDER]", 2, 3, false,
       &ScenarioRunner::CmdSelftestStart},
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
  host_.Step("scenario " + scenarioPath);
  int status = 1;
  bool ran = fiber_.Run([&] { status = RunLines(lines, scenarioPath); }, [this] { Poll(); },
                        kStallMS, [this](uint32_t ms) { FailStalled(ms); });
  if (!ran) return Fail(0, scenarioPath, "this system cannot run the scenario beside the host");
  return status;
}

int ScenarioRunner::RunLines(const std::vector<TScenarioLine>& lines,
                             const std::string& scenarioPath) {
  for (size_t index = 0; index < lines.size(); ++index) {
    if (lines[index].Words[0] == "steps-break" && TimeBoxOver()) {
      // The time is up: the remaining steps give way to what follows the box.
      int breakLine = lines[index].Number;
      while (index < lines.size() && lines[index].Words[0] != "steps-end") ++index;
      if (index == lines.size()) return Fail(breakLine, "steps-break", "no steps-end follows");
    }
    const TScenarioLine& line = lines[index];
    const std::string& name = line.Words[0];
    Args args;
    for (size_t i = 1; i < line.Words.size(); ++i) args.push_back(ExpandWord(line.Words[i]));
    std::string shown = name + (args.empty() ? "" : " " + JoinWords(args));
    for (const std::string& late : fiber_.TakeLateErrors()) {
      return Fail(currentLine_, "(a step that opened a modal loop)", late);
    }
    currentLine_ = line.Number;
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
    host_.Step("line " + std::to_string(line.Number) + ": " + shown);
    std::string error = (this->*command->Run)(args);
    if (!error.empty()) return Fail(line.Number, shown, error);
    if (!closed_ && host_.CloseRequested()) ShutDown();
    if (quit_) break;
  }
  for (const std::string& late : fiber_.TakeLateErrors()) {
    return Fail(currentLine_, "(a step that opened a modal loop)", late);
  }
  if (fiber_.ForeignLoops() > 0) {
    return Fail(currentLine_, "(end of the scenario)",
                "a modal loop still runs (a popup menu, message box or dialog is open); "
                "close it and wait for it with expect-modal-done");
  }
  uint32_t stall = std::max(longestStall_, fiber_.TakeLongestStall());
  host_.Step("host thread: longest stall " + std::to_string(stall) + " ms");
  ShutDown();
  host_.Step("scenario passed");
  std::printf("PASS %s\n", scenarioPath.c_str());
  std::fflush(stdout);
  return 0;
}

int ScenarioRunner::RunInteractive() {
  bool ran = fiber_.Run(
      [this] {
        if (!CmdLoad({}).empty()) {
          std::fprintf(stderr, "simhost: cannot load the plug-in (see the log)\n");
        }
        while (!host_.CloseRequested()) Pump(kInteractiveSliceMS);
        ShutDown();
      },
      [this] { Poll(); }, 0, nullptr);
  return ran ? 0 : 1;
}

void ScenarioRunner::Pump(uint32_t ms) {
  if (fiber_.OnScript()) {
    fiber_.Sleep(ms);
    return;
  }
  // Before the script runs and after it ended: the host's own loop, right here.
  uint32_t start = GetTickCount();
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Poll();
    uint32_t elapsed = GetTickCount() - start;
    if (elapsed >= ms) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<uint32_t>(ms - elapsed, 10), QS_ALLINPUT);
  }
}

std::string ScenarioRunner::OnHost(ScriptFiber::HostTask task) {
  std::optional<std::string> result = fiber_.CallOnHost(std::move(task));
  return result ? *result : std::string();
}

void ScenarioRunner::Poll() {
  host_.Tick();
  watch_.Poll();
}

void ScenarioRunner::ShutDown() {
  if (closed_) return;
  closed_ = true;
  if (plugin_.Loaded()) {
    host_.Note("host: plug-in quit and unload at exit");
    OnHost([this] {
      plugin_.Unload();
      return std::string();
    });
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
  std::string text = "FAIL line " + std::to_string(line) + ": " + command + ": " + message +
                     (step_.empty() ? std::string() : " (in step " + step_ + ")");
  host_.Step(text);
  std::fprintf(stderr, "%s\n", text.c_str());
  std::fflush(stderr);
  if (fiber_.ForeignLoops() > 0 || fiber_.RunningHostTasks() > 0) {
    // The plug-in's code is on the stack below the modal loop: it can neither be quit nor
    // unloaded, and nobody is left to close what it opened.
    host_.Note("host: ended inside a modal loop");
    std::fflush(stdout);
    TerminateProcess(GetCurrentProcess(), 1);
  }
  ShutDown();
  return 1;
}

void ScenarioRunner::FailStalled(uint32_t ms) {
  // From the watchdog thread, while the host's thread is stuck.
  std::string text = "FAIL line " + std::to_string(currentLine_) +
                     ": the host's thread has not come back to the scenario for " +
                     std::to_string(ms) +
                     " ms (the plug-in hangs, or runs a message loop that dispatches no timer "
                     "messages)" +
                     (step_.empty() ? std::string() : " (in step " + step_ + ")");
  host_.Step(text);
  std::fprintf(stderr, "%s\n", text.c_str());
  std::fflush(stderr);
  std::fflush(stdout);
  TerminateProcess(GetCurrentProcess(), 1);
}

bool ScenarioRunner::TimeBoxOver() const {
  return timeBoxed_ && GetTickCount() - timeBoxStart_ >= timeBoxMS_;
}

std::string ScenarioRunner::CmdStep(const Args& args) {
  step_ = JoinWords(args);
  ++stepsRun_;
  return std::string();
}

std::string ScenarioRunner::CmdStepsFor(const Args& args) {
  std::optional<int64_t> ms = ParseInteger(args[0]);
  if (!ms || *ms < 0 || *ms > 86400000) return "give 0 to 86400000 ms";
  timeBoxed_ = true;
  timeBoxStart_ = GetTickCount();
  timeBoxMS_ = static_cast<uint32_t>(*ms);
  stepsRun_ = 0;
  return std::string();
}

std::string ScenarioRunner::CmdStepsBreak(const Args&) {
  // Where the time is up, the line is never run: RunLines goes on after the box.
  return timeBoxed_ ? std::string() : "no steps-for opened a time box";
}

std::string ScenarioRunner::CmdSet(const Args& args) {
  if (args[0].empty() || args[0].find('=') != std::string::npos) return "no such name";
  SetEnvironmentVariableA(args[0].c_str(), args[1].c_str());
  return std::string();
}

std::string ScenarioRunner::CmdStepsEnd(const Args&) {
  if (!timeBoxed_) return "no steps-for opened a time box";
  uint32_t elapsed = GetTickCount() - timeBoxStart_;
  host_.Step("steps: " + std::to_string(stepsRun_) + " ran in " + std::to_string(elapsed) + " ms" +
             (elapsed >= timeBoxMS_ ? " (the time was up)" : " (all of them)"));
  std::printf("steps: %d ran in %u ms\n", stepsRun_, static_cast<unsigned>(elapsed));
  std::fflush(stdout);
  timeBoxed_ = false;
  step_.clear();
  return std::string();
}

std::string ScenarioRunner::CmdExpectResponsive(const Args& args) {
  std::optional<int64_t> ms = ParseInteger(args[0]);
  if (!ms || *ms < 1) return "give a number of ms";
  uint32_t stall = fiber_.TakeLongestStall();
  if (stall > longestStall_) {
    longestStall_ = stall;
    host_.Step("host thread: longest stall so far " + std::to_string(stall) + " ms");
  }
  if (stall <= *ms) return std::string();
  return "the host's thread went " + std::to_string(stall) +
         " ms without a pass of its message loop since the last expect-responsive";
}

std::string ScenarioRunner::CmdExpectNote(const Args& args) {
  const std::vector<std::string>& notes = log_.Notes();
  if (WaitFor([&] {
        for (size_t i = noteMark_; i < notes.size(); ++i) {
          if (notes[i].find(args[0]) != std::string::npos) return true;
        }
        return false;
      })) {
    return std::string();
  }
  return "no log line holds \"" + args[0] + "\" since the mark";
}

std::string ScenarioRunner::CmdExpectNoNote(const Args& args) {
  const std::vector<std::string>& notes = log_.Notes();
  for (size_t i = noteMark_; i < notes.size(); ++i) {
    if (notes[i].find(args[0]) != std::string::npos) return "the log has \"" + notes[i] + "\"";
  }
  return std::string();
}

std::string ScenarioRunner::CmdExpectFileLine(const Args& args) {
  std::vector<std::string> lines;
  if (WaitFor([&] {
        lines.clear();
        std::FILE* file = std::fopen(args[0].c_str(), "rb");
        if (file == nullptr) return false;
        std::string line;
        int c;
        while ((c = std::fgetc(file)) != EOF && line.size() < kMaxLineBytes) {
          if (c != '\n') {
            line += static_cast<char>(c);
            continue;
          }
          if (!line.empty() && line.back() == '\r') line.pop_back();
          lines.push_back(line);
          line.clear();
        }
        if (!line.empty()) lines.push_back(line);
        std::fclose(file);
        return std::find(lines.begin(), lines.end(), args[1]) != lines.end();
      })) {
    return std::string();
  }
  if (lines.empty()) return "cannot read " + args[0] + ", or it is empty";
  return "no such line; the last is \"" + lines.back() + "\"";
}

std::string ScenarioRunner::CmdHostMenuClose(const Args& args) {
  if (args[0] == "never") {
    host_.SetPopupCloseMS(0);
    return std::string();
  }
  std::optional<int64_t> ms = ParseInteger(args[0]);
  if (!ms || *ms < 1 || *ms > 600000) return "say never or 1 to 600000 ms";
  host_.SetPopupCloseMS(static_cast<uint32_t>(*ms));
  return std::string();
}

HWND ScenarioRunner::ResolveWindow(const std::string& name) const {
  if (name == "dialog") return dialog_ != nullptr && IsWindow(dialog_) ? dialog_ : nullptr;
  if (name == "menu") return WindowOfMenu(OpenRootMenu());
  if (name == "message-box") return CurrentMessageBox();
  if (name == "main") return host_.Main();
  if (name == "equalizer") return host_.Equalizer();
  if (name == "playlist") return host_.Playlist();
  if (name == "browser") return host_.Browser();
  return FindProcessWindow(name == "plugin" ? "Winamp Varimo" : name, host_);
}

std::string ScenarioRunner::TargetPoint(const std::string& x, const std::string& y,
                                        POINT& point) const {
  // "right-N" and "bottom-N" count back from the far edges, for parts anchored there.
  auto offset = [](const std::string& word, const char* edge, bool& fromEdge) {
    size_t length = std::strlen(edge);
    fromEdge = word.compare(0, length, edge) == 0;
    std::optional<int64_t> n = ParseInteger(fromEdge ? word.substr(length) : word);
    if (fromEdge && n) n = -*n;
    return n;
  };
  bool fromRight = false;
  bool fromBottom = false;
  std::optional<int64_t> dx = offset(x, "right-", fromRight);
  std::optional<int64_t> dy = offset(y, "bottom-", fromBottom);
  if (!dx || !dy) return "coordinates must be numbers, right-N or bottom-N";
  bool relative = target_ == "screen" || target_ == "pointer";
  if (relative && (fromRight || fromBottom)) return "right-N and bottom-N need a target window";
  if (target_ == "screen") {
    point = {static_cast<LONG>(*dx), static_cast<LONG>(*dy)};
    return std::string();
  }
  if (target_ == "pointer") {
    GetCursorPos(&point);
    point = {point.x + static_cast<LONG>(*dx), point.y + static_cast<LONG>(*dy)};
    return std::string();
  }
  HWND window = ResolveWindow(target_);
  if (window == nullptr) return "no window '" + target_ + "' to aim at";
  RECT rect;
  GetWindowRect(window, &rect);
  point = {(fromRight ? rect.right : rect.left) + static_cast<LONG>(*dx),
           (fromBottom ? rect.bottom : rect.top) + static_cast<LONG>(*dy)};
  return std::string();
}

}  // namespace varimo
