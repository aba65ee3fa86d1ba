// A minimal host player that behaves in ways simhost does not: it answers the skin and
// entry-path requests with plain numbers where an address is owed, and it resizes the
// plug-in's window from outside, below its size limits. It loads Plugins\gen_Varimo.dll
// from the current folder twice, prints a PASS or FAIL line per check and exits 0 only
// when every check held.
#include <windows.h>

#include "test_host.h"

#include <cstdio>
#include <cstring>

namespace {

using test_host::Check;
using test_host::kIni;
using test_host::Pump;
using test_host::Record;

int playStateRequests = 0;

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_USER) return DefWindowProcA(hwnd, message, wParam, lParam);
  switch (lParam) {
    case 104: ++playStateRequests; return 0;
    case 105: return -1;
    case 201:
      // The built-in skin, and the answer 1 instead of the address of the skin's name.
      if (wParam != 0) reinterpret_cast<char*>(wParam)[0] = '\0';
      return 1;
    case 211: return -1;  // no address for the entry's path either
    default: return 0;
  }
}

SIZE SizeAfterResize(HWND window, int width, int height) {
  SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT rect;
  GetWindowRect(window, &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

bool IniIs(const char* section, const char* key, const char* expected) {
  char value[64];
  GetPrivateProfileStringA(section, key, "(none)", value, sizeof(value), kIni);
  return std::strcmp(value, expected) == 0;
}

// Loads the plug-in, lets it tick, runs check on its window, and unloads it.
template <typename CheckWindow>
bool Session(HWND host, CheckWindow check) {
  HMODULE library = LoadLibraryA("Plugins\\gen_Varimo.dll");
  if (library == nullptr) return false;
  auto entry = reinterpret_cast<Record* (*)()>(
      reinterpret_cast<void*>(GetProcAddress(library, "winampGetGeneralPurposePlugin")));
  Record* record = entry != nullptr ? entry() : nullptr;
  if (record == nullptr) return false;
  record->hwndParent = host;
  record->hDllInstance = library;
  record->init();
  HWND window = FindWindowA("TVarimo", "Winamp Varimo");
  playStateRequests = 0;
  Pump(1000);
  check(window);
  record->quit();
  FreeLibrary(library);
  return true;
}

// A crash of the plug-in is a failed check, reported at once rather than left to a debugger.
LONG WINAPI ReportCrash(EXCEPTION_POINTERS* exception) {
  std::printf("FAIL the host crashed: exception %08lX at %p\n",
              exception->ExceptionRecord->ExceptionCode,
              exception->ExceptionRecord->ExceptionAddress);
  std::fflush(stdout);
  ExitProcess(3);
}

}  // namespace

int main() {
  SetUnhandledExceptionFilter(ReportCrash);
  WNDCLASSA hostClass = {};
  hostClass.lpfnWndProc = HostProc;
  hostClass.hInstance = GetModuleHandleA(nullptr);
  hostClass.lpszClassName = "Winamp v1.x";
  RegisterClassA(&hostClass);
  HWND host = CreateWindowA("Winamp v1.x", "Winamp", WS_POPUP | WS_VISIBLE, 375, 100, 275, 116,
                            nullptr, nullptr, hostClass.hInstance, nullptr);
  if (host == nullptr) return 2;

  DeleteFileA(kIni);
  bool loaded = Session(host, [](HWND window) {
    Check(playStateRequests >= 2, "the monitor ticks on although the host answers numbers");
    Check(IsWindowVisible(window) != FALSE, "the first ticks show the window");
    const SIZE small = SizeAfterResize(window, 200, 50);
    Check(small.cx == 275 && small.cy == 116, "a resize from outside keeps 275 x 116 at least");
    const SIZE large = SizeAfterResize(window, 300, 200);
    Check(large.cx == 300 && large.cy == 200, "a larger size is taken as asked");
  });
  Check(loaded, "the first session loads");
  Check(IniIs("Window", "Width", "300") && IniIs("Window", "Height", "200"),
        "the unloading saves the size the window kept");

  WritePrivateProfileStringA("Window", "State", "2", kIni);
  loaded = Session(host, [](HWND window) {
    Check(SizeAfterResize(window, 275, 100).cy == 14, "the small window stays 14 high");
    Check(SizeAfterResize(window, 275, 5).cy == 14, "and is not made lower either");
  });
  Check(loaded, "the second session loads");
  Check(IniIs("Window", "State", "2"), "the second unloading saves the small state");

  DestroyWindow(host);
  return test_host::failures == 0 ? 0 : 1;
}
