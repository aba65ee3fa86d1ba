#pragma once
// The main window's run-time state, kept in plain structs by subsystem, and the lifecycle
// operations that read the settings at creation and save them at destruction.

#include <array>
#include <cstddef>
#include <cstdint>

#include "engine/album.h"
#include "engine/shuffle.h"
#include "frame/host.h"
#include "platform/files.h"
#include "platform/ports.h"
#include "settings/ini_file.h"
#include "settings/settings.h"

namespace varimo {

// Window heights the sizes switch between.
constexpr int32_t kNormalMinHeight = 116;
constexpr int32_t kSmallHeight = 14;

// Values of TWindowState::State (negated while the window is hidden).
constexpr int32_t kStateNormal = 1;
constexpr int32_t kStateSmall = 2;

// Values of TPlayState::Mode. Other values play as normal.
enum PlayMode : int32_t {
  kModeNormal = 0,
  kModeRepeatSingle = 1,
  kModeRepeatAlbum = 2,
  kModeShuffleAlbum = 3,
  kModeShuffleAll = 4,
  kModeShuffleAllPending = 5,  // shuffle all, waiting for the next entry to pick a track
};

// DragMode while the scroll thumb or the position-bar thumb is held.
constexpr int32_t kDragScrollThumb = 3;
constexpr int32_t kDragPosition = 5;

// The window's own state. Its position and size live in the window itself (IWindow).
struct TWindowState {
  int32_t State = kStateNormal;            // 1 normal, 2 small; negative while hidden
  int32_t SavedHeight = kNormalMinHeight;  // the normal window's height
  // 0 the host's main window is shown, 1 it was minimised; -1 or -2 as read at start-up and
  // not yet confirmed by the host (-2: the window was docked to it).
  int32_t Minimized = 0;
  bool Docked = false;  // moves with the host's main window
  bool Active = false;
  int32_t TopIndex = 0;
  int32_t VisibleRows = 0;
  int32_t SelectedIndex = -1;
  // The list's time column and the widths of "0" and ":" in the list font, from the last
  // resize of the normal window.
  int32_t TimeColumnX = 0;
  int32_t DigitWidth = 0;
  int32_t ColonWidth = 0;
  // The scroll thumb as the last repaint placed it, and its travel per row.
  int32_t ThumbY = 20;
  double ScrollStep = 0;
  int32_t DragMode = 0;  // what the held mouse button does; kDragPosition for the thumb
  bool Remain = false;   // the time display counts the track's remaining time down
  // The album-information radio item that is checked; follows AlbumKind only for builds
  // that could open the file.
  int32_t CheckedAlbumKind = kAlbumNone;
  // The Transparence value applied last; -100 until the first application.
  int32_t AppliedTransparence = -100;
};

struct TPlayState {
  int32_t Mode = kModeNormal;
  uint32_t Seed = 0;
  int32_t HostState = kHostStopped;  // last answer of the host's play-state request
  TTimeDigits TimeDigits{0, 0, 0, -1};
  double PositionFraction = 0;  // the position bar within the current track, 0..1
  TShuffleHistory ShuffleHistory;
  bool InTick = false;  // a tick of the playback monitor is running
};

// Where the host's windows are in the order the window follows them.
enum HostWindowSlot : size_t {
  kSlotMain = 0,
  kSlotEqualizer = 1,
  kSlotPlaylistEditor = 2,
  kSlotBrowser = 3,
  kSlotVideo = 4,
};

struct THostWindows {
  std::array<THostHandle, 5> Handles{};  // 0 for a window the host does not have
  // The host main window's top-left corner as last seen; the window follows its moves.
  int32_t MainLeft = 0;
  int32_t MainTop = 0;
};

// The composition root's state. Settings holds the options, the title format and the hot
// keys as they are in force; its window, minimised and play values are those read at
// start-up, which the state structs then carry on.
struct TVarimo {
  TSettings Settings;
  TAlbumState Album;
  TWindowState Window;
  TPlayState Play;
  THostWindows HostWindows;
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
};

// The play-mode radio items of the popup menu.
enum class ModeItem { kNone, kNormal, kRepeatSingle, kRepeatAlbum, kShuffleAlbum, kShuffleAll };

// The item checked for a mode: a pending shuffle-all shows as shuffle all, an unknown mode
// checks none.
ModeItem ModeItemFor(int32_t mode);

// Reads every setting, places and sizes the window, takes over the saved play state and
// makes the window translucent as set.
void FormCreate(TVarimo& varimo, TPorts& ports);

// Keeps the host's windows: its main window and the four the host names on request.
void AttachHostWindows(TVarimo& varimo, IHost& host, const TWindowBounds& hostMainBounds);

// With the window set to hide while no album file plays, it starts hidden until one does
// (unless the host's main window was minimised).
void HoldBackUntilAlbum(TVarimo& varimo);

// Saves the window, the exclusion marks and the play state, and empties the track list.
// False when the settings file could not be written.
bool FormDestroy(TVarimo& varimo, TPorts& ports);

// Applies the Transparence setting once per value; switches it off when the system has no
// translucent windows.
void ApplyTransparency(TVarimo& varimo, ITransparency& transparency);

}  // namespace varimo
