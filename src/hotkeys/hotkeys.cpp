#include "hotkeys/hotkeys.h"

#include <string>

#include "common/captions.h"
#include "engine/monitor.h"
#include "engine/play_commands.h"
#include "hotkeys/hotkey_tables.h"
#include "window/popup_menu.h"
#include "window/appearance.h"

namespace varimo {
namespace {

constexpr char kAtomPrefix[] = "Varimo Plugin for Winamp 2.x ";
// A repeating command arriving this soon after the last one taken is dropped.
constexpr uint32_t kRepeatGuardMS = 90;
constexpr int32_t kKeyShift = 16;
constexpr int32_t kKeyControl = 17;
constexpr int32_t kKeyAlt = 18;
// The host's playlist editor opens its add-file dialog on this key.
constexpr int32_t kAddFileKey = 76;

// The system still holds the combination's keys down when the message arrives.
void ReleaseCombination(const THotKeyEntry& entry, IKeyboard& keyboard) {
  keyboard.KeyUp(entry.Key, false);
  if ((entry.Mod & kModAlt) != 0) keyboard.KeyUp(kKeyAlt, true);
  if ((entry.Mod & kModCtrl) != 0) keyboard.KeyUp(kKeyControl, true);
  if ((entry.Mod & kModShift) != 0) keyboard.KeyUp(kKeyShift, true);
}

bool HostPlaying(const TVarimo& varimo) {
  return varimo.Play.HostState == kHostPlaying;
}

void RunRepeating(TVarimo& varimo, TPorts& ports, int32_t code) {
  IHost& host = ports.Host;
  switch (code) {
    case kHotKeyHostRewind:
      if (!HostPlaying(varimo)) return;
      host.Back5s();
      TimerTimer(varimo, ports);
      return;
    case kHotKeyHostFastForward:
      if (!HostPlaying(varimo)) return;
      host.Forward5s();
      TimerTimer(varimo, ports);
      return;
    case kHotKeyHostVolumeUp: host.VolumeUp(); return;
    case kHotKeyHostVolumeDown: host.VolumeDown(); return;
    default: return;
  }
}

void RunCommand(TVarimo& varimo, TPorts& ports, int32_t code) {
  IHost& host = ports.Host;
  const THostWindows& windows = varimo.HostWindows;
  TAlbumState& album = varimo.Album;
  switch (code) {
    case kHotKeyActivate: ActivateWindow(varimo, ports, ports.Window.Handle()); return;
    case kHotKeyPopupMenu:
      ActivateWindow(varimo, ports, ports.Window.Handle());
      OpenPopupMenu(varimo, ports, ports.Pointer.Position());
      return;
    case kHotKeyPlaySelection: PopupPlayItemClick(varimo, ports); return;
    case kHotKeyPlayStop:
      if (HostPlaying(varimo)) {
        host.Stop();
      } else if (NamesTrack(album, album.CurrentIndex)) {
        PlayTrack(varimo, ports, false);
      } else {
        host.Play();
      }
      return;
    case kHotKeyPreviousTrack:
      if (album.Tracks.empty()) {
        host.Previous();
      } else {
        PlayPrevious(varimo, ports);
      }
      return;
    case kHotKeyNextTrack:
      if (album.Tracks.empty()) {
        host.Next();
      } else {
        PlayNext(varimo, ports);
      }
      return;
    case kHotKeyShowHide: ToggleVisible(varimo, ports); return;
    case kHotKeyHostActivate: ActivateWindow(varimo, ports, windows.Handles[kSlotMain]); return;
    case kHotKeyHostPopupMenu:
      ActivateWindow(varimo, ports, windows.Handles[kSlotMain]);
      host.OpenMainPopup();
      return;
    case kHotKeyHostOpenFile:
      ActivateWindow(varimo, ports, windows.Handles[kSlotMain]);
      host.OpenFile();
      return;
    case kHotKeyHostAddFile:
      ActivateWindow(varimo, ports, windows.Handles[kSlotPlaylistEditor]);
      ports.Keyboard.KeyPress(kAddFileKey);
      return;
    case kHotKeyHostPlay: host.Play(); return;
    case kHotKeyHostStop: host.Stop(); return;
    case kHotKeyHostPause: host.Pause(); return;
    case kHotKeyHostPreviousFile: host.Previous(); return;
    case kHotKeyHostNextFile: host.Next(); return;
    case kHotKeyHostShuffle: host.ToggleShuffle(); return;
    case kHotKeyHostRepeat: host.ToggleRepeat(); return;
    case kHotKeyHostEqualizer: host.ToggleEqualizer(); return;
    case kHotKeyHostPlaylist: host.TogglePlaylist(); return;
    default: return;
  }
}

}  // namespace

std::string HotKeyAtomName(size_t position) {
  return kAtomPrefix + std::to_string(position);
}

THotKeyState LoadHotKeys(const THotKeySettings& stored) {
  THotKeyState state;
  state.HotKeyEnabled = stored.Enabled;
  state.HotKeys = stored.Entries;
  for (THotKeyEntry& entry : state.HotKeys) entry.Id = -1;
  return state;
}

THotKeySettings StoredHotKeys(const THotKeyState& state) {
  THotKeySettings stored;
  stored.Enabled = state.HotKeyEnabled;
  stored.Entries = state.HotKeys;
  // The atoms are this run's.
  for (THotKeyEntry& entry : stored.Entries) entry.Id = -1;
  return stored;
}

void RegisterHotKeys(THotKeyState& state, IHotKeySystem& system, IDialogs& dialogs) {
  for (size_t n = 0; n < state.HotKeys.size(); ++n) {
    THotKeyEntry& entry = state.HotKeys[n];
    const int32_t atom = system.AddGlobalAtom(HotKeyAtomName(n));
    entry.Id = atom != 0 ? atom : -1;
    if (atom != 0 && system.Register(entry.Id, entry.Mod, entry.Key)) continue;
    state.HotKeyEnabled = false;
    dialogs.ShowMessage(Caption(TCaption::kMessageCannotRegister));
  }
}

void UnregisterHotKeys(THotKeyState& state, IHotKeySystem& system) {
  for (const THotKeyEntry& entry : state.HotKeys) {
    if (entry.Id == -1) continue;
    system.Unregister(entry.Id);
    system.DeleteGlobalAtom(entry.Id);
  }
  state.HotKeys.clear();
}

void OnHotKey(TVarimo& varimo, TPorts& ports, int32_t id) {
  THotKeyState& state = varimo.HotKeys;
  const THotKeyEntry* found = nullptr;
  for (const THotKeyEntry& entry : state.HotKeys) {
    if (entry.Id == id) {
      found = &entry;
      break;
    }
  }
  if (found == nullptr) return;
  // The command may rebuild the list (the options dialog's Apply): keep what it needs.
  const THotKeyEntry entry = *found;
  if (entry.Cmd == kHotKeyHostExit) {
    ports.Host.Close();
    return;
  }
  if (entry.Cmd >= kFirstRepeatingHotKey) {
    const uint32_t now = ports.Clock.TickCount();
    if (now - state.LastRepeatTick <= kRepeatGuardMS) return;
    RunRepeating(varimo, ports, entry.Cmd);
    state.LastRepeatTick = ports.Clock.TickCount();
    return;
  }
  ReleaseCombination(entry, ports.Keyboard);
  RunCommand(varimo, ports, entry.Cmd);
}

void ActivateWindow(TVarimo& varimo, TPorts& ports, THostHandle window) {
  if (varimo.Window.Minimized != 0) ports.Host.RestoreMainWindow();
  ports.Window.Activate(window);
}

}  // namespace varimo
