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
#include "win32_modal_watch.h"
#include "win32_plugin_loader.h"
#include "win32_script_fiber.h"
#include "win32_selftest_ui.h"
#include "win32_sim_host.h"

namespace varimo {

class ScenarioRunner {
 public:
  // hostFolder: the folder of the host's program (with a trailing backslash), where the
  // plug-in and its settings file live under "Plugins\".
  ScenarioRunner(Win32SimHost& host, RequestLog& log, const std::string& hostFolder);
  ~ScenarioRunner();

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

  int RunLines(const std::vector<TScenarioLine>& lines, const std::string& scenarioPath);
  // Lets the thread's message loop, whichever runs now, go on for ms of real time.
  void Pump(uint32_t ms);
  // Pumps until condition holds or the timeout has passed; the last look decides.
  template <typename Condition>
  bool WaitFor(Condition condition);
  // Runs task on the host's side, where the plug-in's code must run: anything that can
  // open a modal loop or pump messages. Its error once it returns; empty when a modal
  // loop began inside it (a later failure of it fails the next line).
  std::string OnHost(ScriptFiber::HostTask task);
  // At every pass of any message loop.
  void Poll();
  // The host closed: it lets the plug-in go as it would at exit.
  void ShutDown();
  int Fail(int line, const std::string& command, const std::string& message);
  void FailStalled(uint32_t ms);
  bool TimeBoxOver() const;
  // Real input, then the loop runs until the input queue has been read.
  void SettleInput();
  void ClickAt(POINT screen, bool right, bool twice);

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
  std::string CmdHostSearch(const Args& args);
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
  std::string CmdExpectNote(const Args& args);
  std::string CmdExpectNoNote(const Args& args);
  std::string CmdExpectFileLine(const Args& args);
  std::string CmdHostMenuClose(const Args& args);
  // Steps, time boxes and the host thread's responsiveness, for long runs.
  std::string CmdStep(const Args& args);
  std::string CmdStepsFor(const Args& args);
  std::string CmdStepsBreak(const Args& args);
  std::string CmdStepsEnd(const Args& args);
  std::string CmdSet(const Args& args);
  std::string CmdExpectResponsive(const Args& args);

  // Popup menus, message boxes, modal loops (win32_runner_modal.cpp).
  std::string CmdExpectModalDone(const Args& args);
  std::string CmdExpectPopup(const Args& args);
  std::string CmdExpectPopupItem(const Args& args);
  std::string CmdExpectNoPopupItem(const Args& args);
  std::string CmdPopupOpen(const Args& args);
  std::string CmdPopupPick(const Args& args);
  std::string CmdPopupDismiss(const Args& args);
  std::string CmdPopupList(const Args& args);
  std::string CmdExpectMessageBox(const Args& args);
  std::string CmdAnswerMessageBox(const Args& args);
  std::string CmdExpectMessageBoxes(const Args& args);
  // Self-test windows (win32_runner_modal.cpp).
  std::string CmdSelftestPopup(const Args& args);
  std::string CmdSelftestMessageBox(const Args& args);
  std::string CmdSelftestDialog(const Args& args);
  std::string CmdSelftestBrowseFolder(const Args& args);
  std::string CmdSelftestOpenFile(const Args& args);
  std::string CmdSelftestAtom(const Args& args);
  std::string CmdSelftestStart(const Args& args);
  std::string CmdSelftestStall(const Args& args);
  std::string CmdSelftestLeak(const Args& args);

  // Dialogs and their controls (win32_runner_dialog.cpp).
  std::string CmdDialog(const Args& args);
  std::string CmdDialogList(const Args& args);
  std::string CmdExpectCaptionsFit(const Args& args);
  std::string CmdDialogClick(const Args& args);
  std::string CmdDialogCheck(const Args& args);
  std::string CmdDialogTab(const Args& args);
  std::string CmdDialogUpDown(const Args& args);
  std::string CmdDialogCombo(const Args& args);
  std::string CmdDialogType(const Args& args);
  std::string CmdDialogKey(const Args& args);
  std::string CmdExpectControl(const Args& args);
  std::string CmdExpectCell(const Args& args);
  std::string CmdListClick(const Args& args);
  std::string CmdListDrag(const Args& args);
  std::string CmdBrowseFolder(const Args& args);
  std::string CmdOpenFile(const Args& args);

  // Pointer, keys, activation, hot keys (win32_runner_input.cpp).
  std::string CmdPress(const Args& args);
  std::string CmdMoveTo(const Args& args);
  std::string CmdRelease(const Args& args);
  std::string CmdExpectCursorPos(const Args& args);
  std::string CmdActivate(const Args& args);
  std::string CmdExpectKey(const Args& args);
  std::string CmdExpectNoKey(const Args& args);
  std::string CmdExpectActivated(const Args& args);
  std::string CmdHotKey(const Args& args);
  std::string CmdReserveHotKey(const Args& args);
  std::string CmdReleaseHotKey(const Args& args);
  std::string CmdExpectHotKeyFree(const Args& args);
  std::string CmdExpectAtom(const Args& args);

  // Windows, input, pixels, settings file, resources (win32_runner_window.cpp).
  std::string CmdTarget(const Args& args);
  std::string CmdExpectVisible(const Args& args);
  std::string CmdExpectRect(const Args& args);
  std::string CmdMove(const Args& args);
  std::string ShowHostWindow(const Args& args, int show, WPARAM command);
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
  std::string CmdExpectSavedTrack(const Args& args);
  std::string CmdRememberRect(const Args& args);
  std::string CmdGdiCount(const Args& args);
  // What a window shows (win32_runner_checks.cpp).
  std::string CmdExpectPixels(const Args& args);
  std::string CmdExpectBitmap(const Args& args);
  std::string CmdExpectAlpha(const Args& args);
  std::string CmdExpectGdiCount(const Args& args);

  // A window named in a script: main, equalizer, playlist, browser, plugin (the
  // plug-in's window, by its caption), dialog (the one chosen by the dialog command),
  // menu (the open popup menu), message-box (the open one), or any class name or
  // caption; null if none.
  HWND ResolveWindow(const std::string& name) const;
  // The open message box a command acts on: the one last expected while it is open,
  // else the one open.
  HWND CurrentMessageBox() const;
  // The control of the chosen dialog, or an error; waits for it to exist.
  std::string WaitControl(const std::string& spec, HWND& control);
  // Types text (UTF-8 or ANSI) as key presses of its characters to the focus.
  void TypeText(const std::wstring& text);
  // Opens the submenus along path[0..count) by the pointer; the menu holding the last.
  std::string OpenMenuPath(const std::vector<std::string>& path, size_t count, HMENU& menu);
  // The target window's top-left corner plus (x, y), or an error. X may be "right-N" and Y
  // "bottom-N", counted back from the window's right or bottom edge; with the target
  // "pointer" they are offsets from where the pointer is.
  std::string TargetPoint(const std::string& x, const std::string& y, POINT& point) const;
  std::string IniPath() const { return hostFolder_ + "Plugins\\gen_Varimo.ini"; }

  struct TReservedHotKey {
    int Id;
    UINT Modifiers;
    UINT Key;
  };

  Win32SimHost& host_;
  RequestLog& log_;
  std::string hostFolder_;
  Win32PluginLoader plugin_;
  ScriptFiber fiber_;
  ModalWatch watch_;
  SelfTestUi selftest_;
  uint32_t timeoutMS_ = 3000;
  // What the expectations look at: requests, notes, host events and message boxes since
  // the mark.
  size_t mark_ = 0;
  size_t noteMark_ = 0;
  size_t eventMark_ = 0;
  size_t boxMark_ = 0;
  HWND dialog_ = nullptr;
  HWND messageBox_ = nullptr;
  std::vector<TReservedHotKey> reserved_;
  std::vector<ATOM> atoms_;
  int currentLine_ = 0;
  std::string target_ = "plugin";
  bool closed_ = false;
  bool quit_ = false;
  TGuiObjectCount objectsBefore_;
  bool gdiCounted_ = false;
  // The step that runs now, for failure messages; the time box of steps-for.
  std::string step_;
  bool timeBoxed_ = false;
  uint32_t timeBoxStart_ = 0;
  uint32_t timeBoxMS_ = 0;
  int stepsRun_ = 0;
  uint32_t longestStall_ = 0;
  std::string longestStallStep_;
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
