#pragma once
// The main window's run-time state by subsystem, as plain structs: the window's own state,
// the play state and the host's windows. The operations that change them live with their
// subsystems and take the structs they touch.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "common/hotkey_entry.h"
#include "common/track_item.h"
#include "common/vocabulary.h"
#include "platform/host.h"
#include "platform/ports.h"
#include "platform/ui_ports.h"

namespace varimo {

// Where a move snapped the window: the pointer coordinate when it snapped, or nothing
// snapped there. Cleared at the start of every move.
using TSnapAnchor = std::optional<int32_t>;
struct TSnapCorner {
  TPoint Pointer;
  int32_t Candidate = 0;  // which of the host window's three corners it sits on
};
struct THostSnap {
  // Left to the host's right edge, right to its left edge, top to its bottom, bottom to its top.
  std::array<TSnapAnchor, 4> Edges{};
  // Bottom-left, bottom-right, top-left and top-right corner of the window.
  std::array<std::optional<TSnapCorner>, 4> Corners{};
};
struct TSnapMemory {
  TSnapAnchor ScreenLeft;
  TSnapAnchor ScreenRight;
  TSnapAnchor ScreenTop;
  std::array<THostSnap, 5> Hosts{};
};

// The normal window's title bar height: the scroll thumb rests just below it until a repaint
// places it. The window's geometry table (window/geometry.h) builds on it.
constexpr int32_t kTitleBarHeight = 20;

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
  int32_t ThumbY = kTitleBarHeight;
  double ScrollStep = 0;
  int32_t DragMode = kDragNone;  // what the held mouse button does
  bool Remain = false;           // the time display counts the track's remaining time down
  // The album-information radio item that is checked; follows AlbumKind only for builds
  // that could open the file.
  int32_t CheckedAlbumKind = kAlbumNone;
  // The Transparence value applied last; -100 until the first application.
  int32_t AppliedTransparence = -100;
  // The pointer, in screen coordinates, at the press or the last applied step of a drag.
  TPoint DragAnchor;
  TSnapMemory Snap;
  // The command id of the item put into the host's main menu while the window is hidden;
  // 0 while there is none.
  int32_t HostMenuItemId = 0;
};

struct TShuffleEntry {
  int32_t Entry = -1;  // host playlist index
  int32_t Track = -1;
};

// The tracks shuffle-all mode played lately, across every entry of the host's playlist.
struct TShuffleHistory {
  static constexpr int32_t kSize = 100;
  std::array<TShuffleEntry, kSize> Entries{};
  int32_t Index = 0;  // where the next pick is written
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
constexpr size_t kHostWindowCount = 5;

struct THotKeyState {
  std::vector<THotKeyEntry> HotKeys;
  bool HotKeyEnabled = false;
  // Tick counts of the last accepted repeating command and Alt + VisibleKey toggle.
  uint32_t LastRepeatTick = 0;
  uint32_t LastToggleTick = 0;
};

struct THostWindows {
  std::array<THostHandle, kHostWindowCount> Handles{};  // 0 for a window the host does not have
  // The host main window's top-left corner as last seen; the window follows its moves.
  int32_t MainLeft = 0;
  int32_t MainTop = 0;
};

}  // namespace varimo
