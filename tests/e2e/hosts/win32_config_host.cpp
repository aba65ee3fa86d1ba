// A minimal host player that calls the plug-in's config, as a host's plug-in preferences do:
// the options dialog "設定" opens modally over the host, the host's windows are disabled
// while it is open and the plug-in's monitor goes on polling the host meanwhile; OK writes
// the options and gives the host its windows back; a config call arriving while the dialog
// is open opens no second one. Prints a PASS or FAIL line per check and exits 0 only when
// every check held.
#include <windows.h>

#include "test_host.h"

#include <cstdio>
#include <cstring>
#include <cwchar>

namespace {

using test_host::Check;
using test_host::kIni;
using test_host::Pump;
using test_host::Record;

constexpr wchar_t kOptionsCaption[] = L"\u8a2d\u5b9a";  // 設定
int playStateRequests = 0;
HWND host = nullptr;
Record* record = nullptr;

struct DialogSeen {
  bool Found = false;
  bool HostDisabled = false;
  int RequestsAtOpen = 0;
  int RequestsWhileOpen = 0;
  int Dialogs = 0;
  DWORD Waited = 0;
} seen;

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER && lParam == 104) ++playStateRequests;
  if (message == WM_USER) return 0;
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool IniHas(const char* section, const char* key) {
  char value[64];
  GetPrivateProfileStringA(section, key, "(none)", value, sizeof(value), kIni);
  return std::strcmp(value, "(none)") != 0;
}

BOOL CALLBACK CountDialogs(HWND window, LPARAM) {
  wchar_t caption[16] = {};
  GetWindowTextW(window, caption, 16);
  if (IsWindowVisible(window) && std::wcscmp(caption, kOptionsCaption) == 0) ++seen.Dialogs;
  return TRUE;
}

// Runs inside the dialog's modal loop, which dispatches thread timers.
void CALLBACK Watch(HWND, UINT, UINT_PTR timer, DWORD) {
  seen.Waited += 100;
  HWND dialog = FindWindowW(nullptr, kOptionsCaption);
  if (dialog != nullptr && IsWindowVisible(dialog)) {
    if (!seen.Found) {
      seen.Found = true;
      seen.HostDisabled = IsWindowEnabled(host) == FALSE;
      seen.RequestsAtOpen = playStateRequests;
      // A second configure call while the dialog is open.
      record->config();
      EnumThreadWindows(GetCurrentThreadId(), CountDialogs, 0);
      return;
    }
    if (seen.Waited >= 1500) {
      seen.RequestsWhileOpen = playStateRequests - seen.RequestsAtOpen;
      KillTimer(nullptr, timer);
      PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    }
    return;
  }
  if (seen.Waited > 10000) {
    std::printf("FAIL the options dialog did not open\n");
    std::fflush(stdout);
    ExitProcess(1);
  }
}

}  // namespace

int main() {
  WNDCLASSA hostClass = {};
  hostClass.lpfnWndProc = HostProc;
  hostClass.hInstance = GetModuleHandleA(nullptr);
  hostClass.lpszClassName = "Winamp v1.x";
  RegisterClassA(&hostClass);
  host = CreateWindowA("Winamp v1.x", "Winamp", WS_POPUP | WS_VISIBLE, 375, 100, 275, 116, nullptr,
                       nullptr, hostClass.hInstance, nullptr);
  if (host == nullptr) return 2;
  DeleteFileA(kIni);

  HMODULE library = LoadLibraryA("Plugins\\gen_Varimo.dll");
  auto entry = library == nullptr ? nullptr
                                  : reinterpret_cast<Record* (*)()>(reinterpret_cast<void*>(
                                        GetProcAddress(library, "winampGetGeneralPurposePlugin")));
  record = entry != nullptr ? entry() : nullptr;
  if (record == nullptr) return 2;
  record->hwndParent = host;
  record->hDllInstance = library;
  record->init();
  Pump(500);

  SetTimer(nullptr, 0, 100, Watch);
  record->config();
  Check(seen.Found, "config opens the options dialog");
  Check(seen.HostDisabled, "the host's window is disabled while it is open");
  Check(seen.RequestsWhileOpen >= 3, "the monitor polls the host while it is open");
  Check(seen.Dialogs == 1, "a second config call opens no second dialog");
  Check(IsWindowEnabled(host) != FALSE, "the host's window is enabled again once it closed");
  Check(FindWindowW(nullptr, kOptionsCaption) == nullptr, "the dialog is gone after OK");
  Check(IniHas("Option", "TimerMS") && IniHas("ListForm", "Count") && IniHas("HotKey", "Count"),
        "OK writes the Option, ListForm and HotKey sections");

  record->quit();
  FreeLibrary(library);
  DestroyWindow(host);
  return test_host::failures == 0 ? 0 : 1;
}
