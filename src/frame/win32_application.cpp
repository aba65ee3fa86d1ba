#include "frame/win32_application.h"

#include <windows.h>

#include <vector>

#include "frame/options_apply.h"
#include "hotkeys/hotkeys.h"
#include "settings/settings.h"
#include "window/dialog_commands.h"

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
      albums_(*files_, *replacer_, AlbumStoreFilePath(HostProgramPath())),
      host_(hostWindow),
      window_(module, varimo_, host_),
      hotKeySystem_([this] { return window_.Handle(); }),
      menus_([this] { return window_.Handle(); }),
      dialogs_([this] { return window_.Handle(); }),
      ports_{host_,   *files_,   ini_,          window_, window_, window_, window_,
             window_, keyboard_, hotKeySystem_, hooks_,  menus_,  dialogs_, &albums_} {
  varimo_.HostProgramPath = HostProgramPath();
  varimo_.SystemJapanese = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
  hooks_.Bind(varimo_, ports_);
  dialogs_.Bind(varimo_, ports_,
                [this](TOptionsModel& model) { ButtonUpdateClick(varimo_, ports_, model); });
  TWindowEvents events;
  events.Close = [this] { FormClose(varimo_, ports_); };
  events.Destroy = [this] { FormDestroy(varimo_, ports_); };
  events.HotKey = [this](int32_t id) { OnHotKey(varimo_, ports_, id); };
  window_.Connect(ports_, std::move(events));
}

Win32Application::~Win32Application() {
  hooks_.Remove();
  window_.Destroy();
}

void Win32Application::Start() {
  // Owned by the host's main window, the window stays above it and hides with it.
  if (!window_.Create(host_.MainWindow())) return;
  StartUp(varimo_, ports_);
}

void Win32Application::Quit() {
  hooks_.Remove();
}

void Win32Application::Config() {
  PopupOptionsClick(varimo_, ports_);
}

}  // namespace varimo
