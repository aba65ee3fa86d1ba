#pragma once
// The library's application object: created by the host's init, it owns the main window and
// everything the window works through, and is destroyed when the host unloads the library.

#include <memory>

#include "dialogs/win32_plugin_dialogs.h"
#include "frame/varimo.h"
#include "frame/win32_thread_hooks.h"
#include "frame/win32_host.h"
#include "platform/atomic_file.h"
#include "platform/files.h"
#include "platform/win32_ui_ports.h"
#include "settings/ini_file.h"
#include "window/win32_main_window.h"

namespace varimo {

class Win32Application {
 public:
  // hostWindow is the host's main window, module (an HINSTANCE) the library.
  Win32Application(THostHandle hostWindow, void* module);
  Win32Application(const Win32Application&) = delete;
  Win32Application& operator=(const Win32Application&) = delete;
  // The unloading: the main window is destroyed, which saves the settings, and every hook,
  // timer and system object of the library goes with it.
  ~Win32Application();

  // The start-up: creates the hidden main window from the settings, attaches it to the host,
  // hooks the host's thread and starts the playback monitor.
  void Start();
  // The host is shutting down: the hooks go; the window lives on until the unloading.
  void Quit();
  // The host's configure call: the options dialog.
  void Config();

 private:
  std::unique_ptr<IFiles> files_;
  std::unique_ptr<IFileReplacer> replacer_;
  IniFile ini_;
  AlbumStoreFile albums_;
  Win32Host host_;
  TVarimo varimo_;
  Win32MainWindow window_;
  Win32Keyboard keyboard_;
  Win32HotKeySystem hotKeySystem_;
  Win32Menus menus_;
  Win32PluginDialogs dialogs_;
  Win32ThreadHooks hooks_;
  TPorts ports_;
};

}  // namespace varimo
