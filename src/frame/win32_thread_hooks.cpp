#include "frame/win32_thread_hooks.h"

#include <windows.h>

#include "hotkeys/host_hooks.h"
#include "platform/win32_window_object.h"
#include "window/win32_screen.h"

namespace varimo {
namespace {

// Hook procedures get no context of their own: what they serve is library-wide, as the
// hooks are.
struct THookTarget {
  TVarimo* Varimo = nullptr;
  TPorts* Ports = nullptr;
  HWND HostMain = nullptr;
  HWND Own = nullptr;
  HHOOK WindowProcs = nullptr;
  HHOOK Queue = nullptr;
};
THookTarget target;

// The forwarding runs inside the system's code that called the hook: nothing may unwind
// out of it.
void ForwardWindowMessage(const CWPSTRUCT& call) noexcept {
  if (call.hwnd != target.HostMain || (call.message != WM_MOVE && call.message != WM_SIZE)) return;
  try {
    const THostMainWindow host{Win32WindowBounds(reinterpret_cast<THostHandle>(call.hwnd)),
                               IsIconic(call.hwnd) != FALSE};
    const TWorkArea work = Win32WorkArea();
    if (call.message == WM_MOVE) {
      FollowHostMove(*target.Varimo, target.Ports->Window, host, work);
    } else {
      HostSizeChanged(*target.Varimo, target.Ports->Window, host, work);
    }
  } catch (...) {
  }
}

// Bit 29 of a key message's second argument: the Alt key is down.
constexpr LPARAM kAltDownBit = 1 << 29;

THostKeyTarget KeyTargetOf(HWND window) {
  THostKeyTarget key;
  char name[256] = {};
  const int length = GetClassNameA(window, name, sizeof(name));
  key.ClassName.assign(name, length > 0 ? static_cast<size_t>(length) : 0);
  // The plug-in's dialogs and message boxes are owned by its window, or by one of its
  // dialogs in turn.
  key.PluginWindow = OwnerChainHolds(GetAncestor(window, GA_ROOT), target.Own);
  return key;
}

void ForwardQueuedMessage(const MSG& message) noexcept {
  try {
    TVarimo& varimo = *target.Varimo;
    TPorts& ports = *target.Ports;
    switch (message.message) {
      case WM_KEYDOWN:
        if (ForwardsHostKey(KeyTargetOf(message.hwnd))) {
          ForwardHostKey(varimo, ports, static_cast<uint32_t>(message.wParam));
        }
        return;
      case WM_SYSKEYDOWN:
        HostSystemKey(varimo, ports, static_cast<uint32_t>(message.wParam),
                      (message.lParam & kAltDownBit) != 0);
        return;
      case WM_COMMAND:
        if (message.hwnd == target.HostMain) {
          HostMenuCommand(varimo, ports, LOWORD(message.wParam));
        }
        return;
      default: return;
    }
  } catch (...) {
  }
}

LRESULT CALLBACK CallWndProcHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && target.Varimo != nullptr) {
    ForwardWindowMessage(*reinterpret_cast<const CWPSTRUCT*>(lParam));
  }
  return CallNextHookEx(target.WindowProcs, code, wParam, lParam);
}

LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
  // A message only looked at stays in the queue and comes by again when it is taken.
  if (code == HC_ACTION && wParam == PM_REMOVE && target.Varimo != nullptr) {
    ForwardQueuedMessage(*reinterpret_cast<const MSG*>(lParam));
  }
  return CallNextHookEx(target.Queue, code, wParam, lParam);
}

}  // namespace

void Win32ThreadHooks::Install() {
  Remove();
  if (varimo_ == nullptr || ports_ == nullptr) return;
  target.Varimo = varimo_;
  target.Ports = ports_;
  target.HostMain = reinterpret_cast<HWND>(ports_->Host.MainWindow());
  target.Own = reinterpret_cast<HWND>(ports_->Window.Handle());
  const DWORD thread = GetWindowThreadProcessId(target.HostMain, nullptr);
  if (thread == 0) return;
  target.WindowProcs = SetWindowsHookExA(WH_CALLWNDPROC, CallWndProcHook, nullptr, thread);
  target.Queue = SetWindowsHookExA(WH_GETMESSAGE, GetMessageHook, nullptr, thread);
}

void Win32ThreadHooks::Remove() {
  if (target.WindowProcs != nullptr) UnhookWindowsHookEx(target.WindowProcs);
  if (target.Queue != nullptr) UnhookWindowsHookEx(target.Queue);
  target = THookTarget();
}

}  // namespace varimo
