#include "win32_script_fiber.h"

#include <algorithm>

namespace varimo {
namespace {

// How often a foreign loop hands the thread to a waiting script; also the longest pause
// of the host's own loop.
constexpr UINT kTimerMS = 10;
constexpr SIZE_T kScriptStackBytes = 1 << 20;
constexpr DWORD kWatchdogSliceMS = 250;

// The timer procedure has no argument to carry its scheduler; one scenario runs at a time.
ScriptFiber* gRunning = nullptr;

}  // namespace

bool ScriptFiber::Run(Script script, std::function<void()> poll, uint32_t stallMS,
                      std::function<void(uint32_t)> onStall) {
  script_ = std::move(script);
  poll_ = std::move(poll);
  stallMS_ = stallMS;
  onStall_ = std::move(onStall);
  hostFiber_ = ConvertThreadToFiber(nullptr);
  if (hostFiber_ == nullptr) return false;
  scriptFiber_ = CreateFiber(kScriptStackBytes, &ScriptFiber::FiberMain, this);
  if (scriptFiber_ == nullptr) return false;
  gRunning = this;
  timer_ = SetTimer(nullptr, 0, kTimerMS, &ScriptFiber::TimerProc);
  HANDLE watchdog = nullptr;
  if (stallMS_ > 0)
    watchdog = CreateThread(nullptr, 0, &ScriptFiber::WatchdogMain, this, 0, nullptr);
  wakeAt_ = GetTickCount();
  lastTurn_ = wakeAt_;
  while (!finished_) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      // This loop resumes the script itself; the timer is for the loops of others.
      if (IsOwnTimer(message)) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    NoteTurn();
    poll_();
    if (Due()) ResumeScript();
    if (finished_) break;
    uint32_t untilDue = std::max<int32_t>(0, static_cast<int32_t>(wakeAt_ - GetTickCount()));
    MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<uint32_t>(untilDue, kTimerMS),
                              QS_ALLINPUT);
  }
  stopWatchdog_ = true;
  if (watchdog != nullptr) {
    WaitForSingleObject(watchdog, INFINITE);
    CloseHandle(watchdog);
  }
  KillTimer(nullptr, timer_);
  gRunning = nullptr;
  DeleteFiber(scriptFiber_);
  scriptFiber_ = nullptr;
  ConvertFiberToThread();
  return true;
}

bool ScriptFiber::OnScript() const {
  return onScript_;
}

void ScriptFiber::Sleep(uint32_t ms) {
  if (!OnScript()) {
    // Only the script waits through here; anything else would stall the loop it runs in.
    ::Sleep(ms);
    return;
  }
  wakeAt_ = GetTickCount() + ms;
  dueSince_ = wakeAt_;
  scriptWaiting_ = true;
  SwitchToFiber(hostFiber_);
  scriptWaiting_ = false;
}

std::optional<std::string> ScriptFiber::CallOnHost(HostTask task) {
  if (!OnScript()) return task();
  // Only calls still pending or running need their place kept.
  while (!calls_.empty() && calls_.front().Done) calls_.pop_front();
  calls_.emplace_back();
  THostCall* call = &calls_.back();
  call->Task = std::move(task);
  pending_ = call;
  wakeAt_ = GetTickCount();
  dueSince_ = wakeAt_;
  scriptWaiting_ = true;
  SwitchToFiber(hostFiber_);
  scriptWaiting_ = false;
  if (call->Done) return call->Result;
  return std::nullopt;
}

uint32_t ScriptFiber::TakeLongestStall() {
  uint32_t longest = longestStall_;
  longestStall_ = 0;
  return longest;
}

void ScriptFiber::NoteTurn() {
  uint32_t now = GetTickCount();
  longestStall_ = std::max(longestStall_, now - lastTurn_);
  lastTurn_ = now;
}

std::vector<std::string> ScriptFiber::TakeLateErrors() {
  std::vector<std::string> errors;
  errors.swap(lateErrors_);
  return errors;
}

void CALLBACK ScriptFiber::FiberMain(void* self) {
  auto* fiber = static_cast<ScriptFiber*>(self);
  fiber->script_();
  fiber->finished_ = true;
  // A fiber must never return: that would end the thread.
  for (;;) SwitchToFiber(fiber->hostFiber_);
}

void ScriptFiber::ResumeScript() {
  while (!finished_) {
    NoteTurn();
    onScript_ = true;
    SwitchToFiber(scriptFiber_);
    onScript_ = false;
    // What the script did on the thread is the host's own work, not a stall; a host task
    // that follows is the plug-in's and counts.
    lastTurn_ = GetTickCount();
    if (pending_ == nullptr) return;
    THostCall* call = pending_;
    pending_ = nullptr;
    running_.push_back(call);
    std::string result = call->Task();
    running_.pop_back();
    call->Result = result;
    call->Done = true;
    if (call->Modal) {
      // The script has long gone on; it is resumed when its own wait is over.
      if (!result.empty()) lateErrors_.push_back(result);
      return;
    }
  }
}

bool ScriptFiber::Due() const {
  return !finished_ && static_cast<int32_t>(GetTickCount() - wakeAt_) >= 0;
}

bool ScriptFiber::IsOwnTimer(const MSG& message) const {
  return message.message == WM_TIMER && message.hwnd == nullptr && message.wParam == timer_;
}

void CALLBACK ScriptFiber::TimerProc(HWND, UINT, UINT_PTR, DWORD) {
  ScriptFiber* self = gRunning;
  // Only a loop on the host's side can hand the thread over; a loop that the script
  // itself started would have to end first.
  if (self == nullptr || self->finished_ || self->onScript_) return;
  ++self->foreignLoops_;
  for (THostCall* call : self->running_) call->Modal = true;
  self->NoteTurn();
  self->poll_();
  if (self->Due()) self->ResumeScript();
  --self->foreignLoops_;
}

DWORD WINAPI ScriptFiber::WatchdogMain(void* self) {
  auto* fiber = static_cast<ScriptFiber*>(self);
  while (!fiber->stopWatchdog_) {
    ::Sleep(kWatchdogSliceMS);
    if (!fiber->scriptWaiting_) continue;
    int32_t overdue = static_cast<int32_t>(GetTickCount() - fiber->dueSince_);
    if (overdue > static_cast<int32_t>(fiber->stallMS_)) {
      fiber->onStall_(static_cast<uint32_t>(overdue));
      return 0;
    }
  }
  return 0;
}

}  // namespace varimo
