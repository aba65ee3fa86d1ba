// The library's entry point, the record the host reads, and the library's lifetime: the
// application object lives from the host's init to the unloading of the library.
#include <windows.h>

#include "frame/win32_application.h"

#if defined(__GLIBCXX__)
namespace __gnu_cxx {
// Frees the runtime's own reserves (libstdc++); it has no header of its own.
void __freeres() noexcept;
}  // namespace __gnu_cxx
#endif

namespace {

struct GeneralPurposePlugin {
  int version;
  const char* description;
  int (*init)();
  void (*config)();
  void (*quit)();
  HWND hwndParent;
  HINSTANCE hDllInstance;
};

// The library's own module: it holds the window class, the cursors and the built-in skin,
// whatever the host writes into the record.
HINSTANCE library = nullptr;
varimo::Win32Application* application = nullptr;

int Init();
void Config();
void Quit();

GeneralPurposePlugin plugin = {
    0x10, "Varimo Ver1.62 [gen_Varimo.dll]", Init, Config, Quit, nullptr, nullptr};

int Init() {
  // The record may be read any number of times; only the first init creates anything.
  if (application != nullptr) return 0;
  // Nothing may unwind into the host, which knows nothing of C++ exceptions: a start-up that
  // cannot finish leaves the plug-in idle, and the unloading still cleans up what it made.
  try {
    application = new varimo::Win32Application(
        reinterpret_cast<varimo::THostHandle>(plugin.hwndParent), library);
    application->Start();
  } catch (...) {
  }
  return 0;
}

void Config() {
  if (application == nullptr) return;
  try {
    application->Config();
  } catch (...) {
  }
}

void Quit() {
  if (application != nullptr) application->Quit();
}

void Unload() {
  delete application;
  application = nullptr;
}

// The C++ runtime linked into the library keeps a reserve for exceptions thrown when memory
// runs out and never gives it back by itself: a host that loads and unloads the library again
// and again would lose it each time.
void ReleaseRuntimeReserves() {
#if defined(__GLIBCXX__)
  __gnu_cxx::__freeres();
#endif
}

}  // namespace

extern "C" __declspec(dllexport) GeneralPurposePlugin* winampGetGeneralPurposePlugin() {
  return &plugin;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) library = instance;
  // Only FreeLibrary destroys the window and saves the settings; at process exit the
  // system tears everything down itself, other threads already gone.
  if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    Unload();
    ReleaseRuntimeReserves();
  }
  return TRUE;
}
