#pragma once
// All of the main window's run-time state, and the ports it works through. The window owns
// one TVarimo for its lifetime; every subsystem's operations take it, or the parts of it
// they touch.

#include "common/subsystem_state.h"
#include "engine/album.h"
#include "engine/album_memory.h"
#include "platform/files.h"
#include "platform/host.h"
#include "platform/ports.h"
#include "platform/ui_ports.h"
#include "settings/ini_file.h"
#include "settings/settings.h"

namespace varimo {

// Settings holds the options, the title format and the hot keys as they are in force; its
// window, minimised and play values are those read at start-up, which the state structs
// then carry on.
struct TVarimo {
  TSettings Settings;
  TAlbumState Album;
  TWindowState Window;
  TPlayState Play;
  THostWindows HostWindows;
  THotKeyState HotKeys;
  // What is kept of the album files the host left (with the AlbumMemory option).
  AlbumMemory Albums;
  // The host's program file; the settings and the help page live in its folder.
  std::string HostProgramPath;
  // The user's UI language is Japanese, as the system answered at start-up: the language
  // [Option] Language = 0 follows.
  bool SystemJapanese = true;
  // The options are being applied; Apply never runs inside itself (from a message that its
  // hot-key registration shows, say).
  bool Applying = false;
};

// The outside world the main window works through.
struct TPorts {
  IHost& Host;
  IFiles& Files;
  IniFile& Ini;
  IWindow& Window;
  IClock& Clock;
  IView& View;
  ITransparency& Transparency;
  IPointer& Pointer;
  IKeyboard& Keyboard;
  IHotKeySystem& HotKeySystem;
  IHooks& Hooks;
  IMenus& Menus;
  IDialogs& Dialogs;
  // The albums' store file; without it the albums' memory keeps nothing.
  AlbumStoreFile* AlbumStore = nullptr;
};

}  // namespace varimo
