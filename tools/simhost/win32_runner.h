#pragma once
// Runs a scenario script against the simulated host and the real plug-in: each line is
// a user action, a host or plug-in event, or an expectation. The first failed
// expectation ends the run.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "scenario.h"
#include "win32_gdi_count.h"
#include "win32_plugin_loader.h"
#include "win32_sim_host.h"

namespace varimo {

class ScenarioRunner {
 public:
  // hostFolder: the folder of the host's program (with a trailing backslash), where the
  // plug-in and its settings file live under "Plugins\".
  ScenarioRunner(Win32SimHost& host, RequestLog& log, const std::string& hostFolder);

  // 0 when every line ran and every expectation held, 1 otherwise (the message is on
  // standard error and in the log).
  int Run(const std::string& scenarioPath);
  // Without a script: load the plug-in and let the user drive until the host closes.
  int RunInteractive();

 private:
  using Args = std::vector<std::string>;
  using Handler = std::string (ScenarioRunner::*)(const Args&);
  struct TCommand {
    const char* Name;
    const char* Usage;
    size_t MinArgs;
    size_t MaxArgs;
    bool AfterClose;  // still meaningful once the host has closed
    Handler Run;
  };
  static const std::vector<TCommand>& Commands();

  // Runs the message loop for ms of real time.
  void Pump(uint32_t ms);
  // Pumps until condition holds or the timeout has passed; the last look decides.
  template <typename Condition>
  bool WaitFor(Condition condition);
  // The host closed: it lets the plug-in go as it would at exit.
  void ShutDown();
  int Fail(int line, const std::string& command, const std::string& message);

  // Host and playback (win32_runner_host.cpp).
  std::string CmdPlaylist(const Args& args);
  std::string CmdPlay(const Args& args);
  std::string CmdPause(const Args& args);
  std::string CmdStop(const Args& args);
  std::string CmdNext(const Args& args);
  std::string CmdPrevious(const Args& args);
  std::string CmdSeek(const Args& args);
  std::string CmdSelect(const Args& args);
  std::string CmdRepeat(const Args& args);
  std::string CmdShuffle(const Args& args);
  std::string CmdSkin(const Args& args);
  std::string CmdHostCommand(const Args& args);
  std::string CmdLoad(const Args& args);
  std::string CmdUnload(const Args& args);
  std::string CmdPump(const Args& args);
  std::string CmdTimeout(const Args& args);
  std::string CmdMark(const Args& args);
  std::string CmdExpectRequest(const Args& args);
  std::string CmdExpectNoRequest(const Args& args);
  std::string CmdExpectCount(const Args& args);
  std::string CmdExpectState(const Args& args);
  std::string CmdExpectEntry(const Args& args);
  std::string CmdExpectPosition(const Args& args);
  std::string CmdExpectMenuItem(const Args& args);
  std::string CmdExpectIpc(const Args& args);
  std::string CmdEcho(const Args& args);
  std::string CmdQuit(const Args& args);
  std::string CmdWaitClose(const Args& args);

  // Windows, input, pixels, settings file, resources (win32_runner_window.cpp).
  std::string CmdTarget(const Args& args);
  std::string CmdExpectVisible(const Args& args);
  std::string CmdExpectRect(const Args& args);
  std::string CmdMove(const Args& args);
  std::string CmdMinimize(const Args& args);
  std::string CmdRestore(const Args& args);
  std::string CmdRepaint(const Args& args);
  std::string CmdClick(const Args& args);
  std::string CmdDrag(const Args& args);
  std::string CmdWheel(const Args& args);
  std::string CmdKey(const Args& args);
  std::string CmdProbe(const Args& args);
  std::string CmdScreenshot(const Args& args);
  std::string CmdIniReset(const Args& args);
  std::string CmdWriteIni(const Args& args);
  std::string CmdExpectIni(const Args& args);
  std::string CmdExpectNoIni(const Args& args);
  std::string CmdGdiCount(const Args& args);
  // What a window shows (win32_runner_checks.cpp).
  std::string CmdExpectPixels(const Args& args);
  std::string CmdExpectBitmap(const Args& args);
  std::string CmdExpectAlpha(const Args& args);
  std::string CmdExpectGdiCount(const Args& args);

  // A window named in a script: main, equalizer, playlist, browser, plugin (the
  // plug-in's window, by its caption), or any class name or caption; null if none.
  HWND ResolveWindow(const std::string& name) const;
  // The target window's top-left corner plus (x, y), or an error.
  std::string TargetPoint(const std::string& x, const std::string& y, POINT& point) const;
  std::string IniPath() const { return hostFolder_ + "Plugins\\gen_Varimo.ini"; }

  Win32SimHost& host_;
  RequestLog& log_;
  std::string hostFolder_;
  Win32PluginLoader plugin_;
  uint32_t timeoutMS_ = 3000;
  size_t mark_ = 0;
  std::string target_ = "plugin";
  bool closed_ = false;
  bool quit_ = false;
  TGuiObjectCount objectsBefore_;
  bool gdiCounted_ = false;
};

template <typename Condition>
bool ScenarioRunner::WaitFor(Condition condition) {
  uint32_t start = GetTickCount();
  while (GetTickCount() - start < timeoutMS_) {
    if (condition()) return true;
    Pump(20);
  }
  return condition();
}

}  // namespace varimo
