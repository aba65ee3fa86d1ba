#include "dialogs/win32_plugin_dialogs.h"

#include <windows.h>
// The common controls and shell headers build on the one above.
#include <objbase.h>
#include <shlobj.h>

#include <vector>

#include "common/flag_scope.h"
#include "dialogs/file_info_layout.h"
#include "dialogs/win32_file_info_dialog.h"
#include "dialogs/win32_options_dialog.h"

namespace varimo {
namespace {

int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM, LPARAM folder) {
  // The folder the album lies in is where the browser opens.
  if (message == BFFM_INITIALIZED) SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, folder);
  return 0;
}

}  // namespace

void Win32PluginDialogs::ShowOptions() {
  if (open_ || varimo_ == nullptr) return;
  const TFlagScope open(open_);
  TOptionsModel model = LoadOptionsModel(*varimo_);
  const TOptionsContext context{apply_,
                                ports_->Host,
                                ports_->Clock,
                                ports_->Window.Bounds(),
                                ports_->Window.ScreenSize(),
                                HelpPagePath(varimo_->HostProgramPath)};
  ShowOptionsDialog(reinterpret_cast<TWindowHandle>(owner_()), model, context);
}

void Win32PluginDialogs::ShowFileInfo() {
  if (open_ || varimo_ == nullptr) return;
  const TFlagScope open(open_);
  const TFileInfoData info = ReadSelectedFileInfo(*varimo_, *ports_);
  ShowFileInfoDialog(reinterpret_cast<TWindowHandle>(owner_()), info, ports_->Window.Bounds(),
                     ports_->Window.ScreenSize());
}

std::optional<std::string> Win32PluginDialogs::BrowseForFolder(const std::string& title,
                                                               const std::string& proposed) {
  if (open_) return std::nullopt;
  const TFlagScope open(open_);
  const std::wstring caption = WideFromUtf8(title);
  const std::wstring start = WideFromAnsi(proposed);
  HWND owner = reinterpret_cast<HWND>(owner_());
  BROWSEINFOW browse = {};
  browse.hwndOwner = owner;
  browse.lpszTitle = caption.c_str();
  browse.ulFlags = BIF_RETURNONLYFSDIRS;
  if (!start.empty()) {
    browse.lpfn = BrowseCallback;
    browse.lParam = reinterpret_cast<LPARAM>(start.c_str());
  }
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  // A drive without a medium must not stop the browser with the system's error box.
  const UINT errorMode = SetErrorMode(SEM_FAILCRITICALERRORS);
  LPITEMIDLIST chosen = nullptr;
  {
    TOtherWindowsDisabled others;
    chosen = SHBrowseForFolderW(&browse);
  }
  SetErrorMode(errorMode);
  if (owner != nullptr && IsWindowVisible(owner)) SetActiveWindow(owner);
  std::optional<std::string> folder;
  if (chosen != nullptr) {
    std::vector<wchar_t> path(MAX_PATH + 1, L'\0');
    if (SHGetPathFromIDListW(chosen, path.data())) folder = AnsiPathFromWide(path.data());
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator != nullptr) {
      allocator->Free(chosen);
      allocator->Release();
    }
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return folder;
}

void Win32PluginDialogs::StartProgram(const std::string& program, const std::string& commandLine) {
  // Named exactly: the system would otherwise try each blank of an unquoted path as the end
  // of the program's name, and might start another program.
  if (program.empty()) return;
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_FORCEONFEEDBACK;
  startup.wShowWindow = SW_SHOW;
  PROCESS_INFORMATION process = {};
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  if (CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                     nullptr, nullptr, &startup, &process)) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
}

}  // namespace varimo
