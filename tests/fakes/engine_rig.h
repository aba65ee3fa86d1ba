#pragma once
// The album engine wired to a simulated host, in-memory files and an INI file, and the fake
// window, clock, translucency and view ports: start-up, ticks, play and shut-down run end to
// end as they do in the plug-in.

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "fakes/fake_ports.h"
#include "fakes/memory_files.h"
#include "fakes/sim_host.h"
#include "frame/varimo.h"
#include "platform/atomic_file.h"
#include "settings/ini_file.h"

namespace varimo {

constexpr char kRigIniPath[] = "C:\\Winamp\\Plugins\\gen_Varimo.ini";
constexpr char kRigAlbumsPath[] = "C:\\Winamp\\Plugins\\gen_Varimo.albums";
constexpr THostHandle kRigHostWindow = 0x1234;
constexpr THostHandle kRigHostMenu = 0x4321;

// Replaces in-memory files whole and counts how often.
class RigReplacer : public IFileReplacer {
 public:
  explicit RigReplacer(MemoryFiles& disk) : disk_(disk) {}
  bool Replace(const std::string& path, const std::string& bytes) override;
  bool Rename(const std::string& from, const std::string& to) override {
    return disk_.Move(from, to);
  }
  int Replaces = 0;

 private:
  MemoryFiles& disk_;
};

class EngineRig {
 public:
  EngineRig();
  EngineRig(const EngineRig&) = delete;
  EngineRig& operator=(const EngineRig&) = delete;

  // A ZIP of stored MP3 members of these lengths, added to the files and to the host's
  // playlist (its length the sum). Returns the playlist index.
  int32_t AddZipAlbum(const std::string& path, const std::vector<int32_t>& trackMS);
  // An MP3 file without album information.
  int32_t AddPlainFile(const std::string& path, int32_t lengthMS);
  // A playlist entry whose file does not exist.
  int32_t AddMissingFile(const std::string& path, int32_t lengthMS);

  // An album of count tracks of 10 s each put straight into the model, and a host entry as
  // long followed by a plain file, playing in the first track.
  void UseTenSecondAlbum(int32_t count, const std::set<int32_t>& excluded = {});
  // The same album in a shown normal window of 275 x 116 at (100, 100) with five rows of
  // 10 pixels.
  void ShowTenSecondAlbum(int32_t count, const std::set<int32_t>& excluded = {});

  void PutIni(const std::string& text);
  std::string IniText() const;

  // The plug-in's start-up up to the first tick, as the plug-in runs it.
  void StartUp();
  bool ShutDown();
  void Tick();
  // Lets ms pass: the host plays on, and the timer ticks at its interval while it runs.
  void Run(int32_t ms);

  // The host requests after mark other than the monitor's polls (skin, play state, list
  // position, entry path, position): "ipc:<code>:<argument>", "cmd:<code>", "restore" or
  // "popup".
  std::vector<std::string> Steering(size_t mark) const;

  TAlbumState& Album() { return Varimo.Album; }
  TPlayState& Play() { return Varimo.Play; }
  TWindowState& Win() { return Varimo.Window; }
  int32_t Current() const { return Varimo.Album.CurrentIndex; }

  SimHost Host;
  MemoryFiles Disk;
  CountingFiles Files{Disk};
  RigReplacer Replacer{Disk};
  IniFile Ini{Files, Replacer, kRigIniPath};
  AlbumStoreFile AlbumStore{Files, Replacer, kRigAlbumsPath};
  FakeWindow Window;
  FakeClock Clock;
  FakeView View{Host, Window};
  FakeTransparency Transparency;
  FakePointer Pointer;
  FakeKeyboard Keyboard;
  FakeHotKeySystem HotKeySystem;
  FakeHooks Hooks;
  FakeMenus Menus;
  FakeDialogs Dialogs;
  TPorts Ports{Host,    Files,    Ini,          Window, Clock, View,   Transparency,
               Pointer, Keyboard, HotKeySystem, Hooks,  Menus, Dialogs, &AlbumStore};
  TVarimo Varimo;
};

}  // namespace varimo
