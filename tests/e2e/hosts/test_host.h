#pragma once
// What the small test hosts share: the plug-in's record as the host sees it, a message pump
// and the PASS/FAIL lines the scripts read.
#include <windows.h>

#include <cstdio>

namespace test_host {

struct Record {
  int version;
  const char* description;
  int (*init)();
  void (*config)();
  void (*quit)();
  HWND hwndParent;
  HINSTANCE hDllInstance;
};

// The plug-in's settings file beside the host.
constexpr char kIni[] = ".\\Plugins\\gen_Varimo.ini";

inline int failures = 0;

// Runs the host's messages for ms milliseconds of real time.
inline void Pump(DWORD ms) {
  const DWORD start = GetTickCount();
  MSG message;
  while (GetTickCount() - start < ms) {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(5);
  }
}

inline void Check(bool held, const char* what) {
  std::printf("%s %s\n", held ? "PASS" : "FAIL", what);
  if (!held) ++failures;
}

}  // namespace test_host
