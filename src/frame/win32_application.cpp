#include "frame/win32_application.h"

#include <windows.h>

#include <vector>

#include "settings/settings.h"
#include "window/snap.h"
#include "window/win32_screen.h"

namespace varimo {
namespace {

// The path of the host's program file; the settings live beside it.
std::string HostProgramPath() {
  std::vector<char> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return std::string();
    // A path that filled the buffer may have been cut.
    if (length < path.size()) return std::string(path.data(), length);
    if (path.size() >= 32768) return std::string();
    path.resize(path.size() * 2);
  }
}

}  // namespace

Win32Application::Win32Application(THostHandle hostWindow, void* module)
    : files_(MakeSystemFiles()),
      replacer_(MakeSystemFileReplacer()),
      ini_(*files_, *replacer_, SettingsFilePath(HostProgramPath())),
      host_(hostWindow),
      window_(module, varimo_, host_),
      ports_{host_, *files_, ini_, window_, window_, window_, window_} {
  window_.Connect(ports_, [this] { FormDestroy(varimo_, ports_); });
}

Win32Application::~Win32Application() {
  hooks_.Remove();
  window_.Destroy();
}

void Win32Application::Start() {
  // Owned by the host's main window, the window stays above it and hides with it.
  if (!window_.Create(host_.MainWindow())) return;
  FormCreate(varimo_, ports_);
  AttachHost();
  HoldBackUntilAlbum(varimo_);
  SnapOnce();
  hooks_.Install(varimo_, ports_, window_.Handle());
  window_.StartTimer(varimo_.Settings.Option.TimerMS);
}

void Win32Application::Quit() {
  hooks_.Remove();
}

void Win32Application::SnapOnce() {
  const TWindowBounds bounds = window_.Bounds();
  const TWindowOrigin snapped = SnapPosition(varimo_.Window, bounds);
  if (snapped.Left == bounds.Left && snapped.Top == bounds.Top) return;
  window_.SetBounds({snapped.Left, snapped.Top, bounds.Width, bounds.Height});
}

void Win32Application::AttachHost() {
  AttachHostWindows(varimo_, host_, Win32WindowBounds(host_.MainWindow()));
  // The skin comes first: the window neither paints nor lays itself out without it.
  window_.LoadSkin(true);
  window_.BindPaint();
  // Registering the hot keys and putting the show-window item into the host's menu, as the
  // hidden window does, follow here once they exist.
}

}  // namespace varimo
