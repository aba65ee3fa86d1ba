#pragma once
// The scenario runs on a fiber of its own beside the host's message loop. Every wait of
// the script hands the thread back to whichever message loop runs at that moment: the
// host's own, or the modal loop of a popup menu, a message box, a dialog or a shell
// dialog that the plug-in (or the host) opened. A thread timer, dispatched by every such
// loop, hands the thread back to the script when its wait is over. So every scenario line
// works the same inside and outside modal loops, and no line ever takes a message away
// from the loop that owns it.

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace varimo {

class ScriptFiber {
 public:
  using Script = std::function<void()>;
  // A piece of work for the host's side; its result is an error text, empty for success.
  using HostTask = std::function<std::string()>;

  ScriptFiber() = default;
  ScriptFiber(const ScriptFiber&) = delete;
  ScriptFiber& operator=(const ScriptFiber&) = delete;

  // Runs script to its end on the script fiber while this thread's message loop runs;
  // poll runs at every pass of whichever loop runs. stallMS > 0 starts a watchdog that
  // calls onStall (from another thread) when the thread has not come back to a due
  // script for that long. False when the thread cannot run fibers.
  bool Run(Script script, std::function<void()> poll, uint32_t stallMS,
           std::function<void(uint32_t)> onStall);

  bool OnScript() const;
  // From the script: lets the running loop go on for ms (0: one pass of it).
  void Sleep(uint32_t ms);
  // From the script: runs task on the host's side, as code called from a message
  // handler runs. Its result once it has returned; nothing when a message loop began
  // inside it first: then the script goes on while that loop runs, and a failure the
  // task reports later is kept for TakeLateErrors. The task must own what it uses.
  std::optional<std::string> CallOnHost(HostTask task);

  // Message loops other than the host's own that the thread is inside now.
  int ForeignLoops() const { return foreignLoops_; }
  // Host tasks that have not returned yet.
  size_t RunningHostTasks() const { return running_.size(); }
  std::vector<std::string> TakeLateErrors();
  // The longest time the thread went without a pass of any message loop since the last
  // call, the script's own running time excepted: how long the host could not answer.
  uint32_t TakeLongestStall();

 private:
  struct THostCall {
    HostTask Task;
    std::string Result;
    bool Done = false;
    bool Modal = false;  // a foreign loop ran inside it
  };

  static void CALLBACK FiberMain(void* self);
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);
  static DWORD WINAPI WatchdogMain(void* self);
  void ResumeScript();
  bool Due() const;
  bool IsOwnTimer(const MSG& message) const;
  void NoteTurn();

  void* hostFiber_ = nullptr;
  void* scriptFiber_ = nullptr;
  bool onScript_ = false;
  UINT_PTR timer_ = 0;
  Script script_;
  std::function<void()> poll_;
  bool finished_ = false;
  uint32_t wakeAt_ = 0;
  int foreignLoops_ = 0;
  std::deque<THostCall> calls_;  // stable addresses: a task may outlive the script's wait
  THostCall* pending_ = nullptr;
  std::vector<THostCall*> running_;
  std::vector<std::string> lateErrors_;
  uint32_t lastTurn_ = 0;
  uint32_t longestStall_ = 0;
  // Read by the watchdog thread.
  std::atomic<uint32_t> dueSince_{0};
  std::atomic<bool> scriptWaiting_{false};
  std::atomic<bool> stopWatchdog_{false};
  uint32_t stallMS_ = 0;
  std::function<void(uint32_t)> onStall_;
};

}  // namespace varimo
