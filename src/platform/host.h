#pragma once
// The host port: every request Varimo makes of the host player, each answered at once.

#include <cstdint>
#include <string>

namespace varimo {

// A window or menu handle of the host; the core only stores and compares it.
using THostHandle = uintptr_t;

// The host's request codes (the last argument of its IPC message).
enum HostIpc : int32_t {
  kIpcPlayState = 104,
  kIpcPositionMS = 105,
  kIpcSeekTo = 106,
  kIpcListPosition = 125,
  kIpcSkin = 201,
  kIpcEntryPath = 211,
  kIpcBrowser = 249,
  kIpcSetShuffle = 252,
  kIpcSetRepeat = 253,
  kIpcHostWindow = 260,
  kIpcMainPopupMenu = 281,
};

// The host's menu commands; hot-key tables refer to them by these codes.
enum HostCommand : int32_t {
  kCommandClose = 40001,
  kCommandToggleRepeat = 40022,
  kCommandToggleShuffle = 40023,
  kCommandOpenFile = 40029,
  kCommandToggleEqualizer = 40036,
  kCommandTogglePlaylist = 40040,
  kCommandPrevious = 40044,
  kCommandPlay = 40045,
  kCommandPause = 40046,
  kCommandStop = 40047,
  kCommandNext = 40048,
  kCommandVolumeUp = 40058,
  kCommandVolumeDown = 40059,
  kCommandForward5s = 40060,
  kCommandBack5s = 40061,
};

// Answers of PlayState(); any other answer means stopped.
enum HostPlayState : int32_t {
  kHostStopped = 0,
  kHostPlaying = 1,
  kHostPaused = 3,
};

// The argument of HostWindow().
enum HostWindowKind : int32_t {
  kHostEqualizer = 0,
  kHostPlaylistEditor = 1,
  kHostBrowser = 2,
  kHostVideo = 3,
};

class IHost {
 public:
  virtual ~IHost() = default;

  // The host's main window, which every request goes to.
  virtual THostHandle MainWindow() const = 0;

  // 1 playing, 3 paused, anything else stopped.
  virtual int32_t PlayState() = 0;
  // Position in the current entry; negative when nothing plays.
  virtual int32_t PositionMS() = 0;
  // Playback continues from ms within the current entry.
  virtual void SeekTo(int32_t ms) = 0;
  // Index of the current playlist entry.
  virtual int32_t ListPosition() = 0;
  // File path of a playlist entry, byte for byte; empty when the host has none.
  virtual std::string EntryPath(int32_t index) = 0;
  // Writes the current skin's directory (empty for the built-in skin) into directory and
  // returns the text the host answers, which changes whenever the skin changes.
  virtual std::string SkinRequest(std::string& directory) = 0;
  // Opens the host's browser window and shows the file at path in it.
  virtual void OpenBrowser(const std::string& path) = 0;
  virtual void SetShuffle(bool on) = 0;
  virtual void SetRepeat(bool on) = 0;
  // One of the host's other windows; 0 when it has none.
  virtual THostHandle HostWindow(HostWindowKind which) = 0;
  virtual THostHandle MainPopupMenu() = 0;
  // Restores the host's main window from minimised.
  virtual void RestoreMainWindow() = 0;
  // Opens the host's main popup menu as a right click on its main window does.
  virtual void OpenMainPopup() = 0;

  virtual void Command(HostCommand command) = 0;

  void Close() { Command(kCommandClose); }
  void ToggleRepeat() { Command(kCommandToggleRepeat); }
  void ToggleShuffle() { Command(kCommandToggleShuffle); }
  void OpenFile() { Command(kCommandOpenFile); }
  void ToggleEqualizer() { Command(kCommandToggleEqualizer); }
  void TogglePlaylist() { Command(kCommandTogglePlaylist); }
  // Moves to the previous or next playlist entry.
  void Previous() { Command(kCommandPrevious); }
  void Next() { Command(kCommandNext); }
  // Plays the current entry from its start.
  void Play() { Command(kCommandPlay); }
  // Pauses; while paused, resumes.
  void Pause() { Command(kCommandPause); }
  void Stop() { Command(kCommandStop); }
  void VolumeUp() { Command(kCommandVolumeUp); }
  void VolumeDown() { Command(kCommandVolumeDown); }
  void Forward5s() { Command(kCommandForward5s); }
  void Back5s() { Command(kCommandBack5s); }
};

}  // namespace varimo
