#include "window/input.h"

#include <algorithm>

#include "engine/monitor.h"
#include "engine/play_commands.h"

namespace varimo {
namespace {

// The skip keys wait this long for the host to move before the display follows.
constexpr uint32_t kSkipSettleMS = 100;
// Wheel delta per row scrolled: a standard notch of 120 moves three rows.
constexpr int32_t kWheelDeltaPerRow = 40;
constexpr char kCarriageReturn = '\r';

int64_t Resolve(const TEdgeOffset& edge, int32_t size) {
  return edge.FromFar ? int64_t{size} - edge.Offset : int64_t{edge.Offset};
}

bool InRange(const THitRange& range, int32_t size, int32_t value) {
  return value >= Resolve(range.Low, size) && value <= Resolve(range.High, size);
}

int32_t TrackCount(const TAlbumState& album) {
  return static_cast<int32_t>(album.Tracks.size());
}

// The list row at window height y, counted from the first track; the settings keep the
// font size at 6 or more, so rows always have a height.
int32_t RowAt(const TVarimo& varimo, int32_t y) {
  const int32_t rowHeight = std::max(varimo.Settings.Option.FontSize, 1);
  return (y - kListRegion.Y.Low.Offset) / rowHeight + varimo.Window.TopIndex;
}

bool InList(TPorts& ports, int32_t x, int32_t y) {
  const TWindowBounds bounds = ports.Window.Bounds();
  return InRegion(kListRegion, bounds.Width, bounds.Height, x, y);
}

bool MoveSelectionUp(TWindowState& window) {
  if (window.SelectedIndex == 0) return false;
  window.SelectedIndex = window.SelectedIndex == -1 ? 0 : window.SelectedIndex - 1;
  if (window.SelectedIndex < window.TopIndex) window.TopIndex = window.SelectedIndex;
  return true;
}

bool MoveSelectionDown(TWindowState& window, int32_t count) {
  if (window.SelectedIndex >= count - 1) return false;
  ++window.SelectedIndex;
  if (window.SelectedIndex >= window.TopIndex + window.VisibleRows) {
    window.TopIndex = window.SelectedIndex - window.VisibleRows + 1;
  }
  return true;
}

// The host moves five seconds, and the time display follows at once.
void Skip(TVarimo& varimo, TPorts& ports, bool forward) {
  if (varimo.Play.HostState != kHostPlaying) return;
  if (forward) {
    ports.Host.Forward5s();
  } else {
    ports.Host.Back5s();
  }
  ports.Clock.Sleep(kSkipSettleMS);
  TimerTimer(varimo, ports);
}

// Flips the selected track's exclusion; the last playable track stays playable.
bool ToggleExclusion(TAlbumState& album, int32_t index) {
  TTrackItem& track = album.Tracks[static_cast<size_t>(index)];
  if (!IsExcluded(track)) {
    const auto playable = std::count_if(album.Tracks.begin(), album.Tracks.end(),
                                        [](const TTrackItem& t) { return !IsExcluded(t); });
    if (playable == 1) return false;
  }
  track.Mark = -track.Mark - 1;
  return true;
}

char ToUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

bool InRegion(const THitRegion& region, int32_t width, int32_t height, int32_t x, int32_t y) {
  return InRange(region.X, width, x) && InRange(region.Y, height, y);
}

CursorNumber HoverCursor(int32_t state, int32_t width, int32_t height, int32_t x, int32_t y) {
  if (state == kStateNormal) {
    for (const THoverCursor& hover : kNormalHoverCursors) {
      if (InRegion(hover.Region, width, height, x, y)) return hover.Cursor;
    }
  } else if (state == kStateSmall) {
    for (const THoverCursor& hover : kSmallHoverCursors) {
      if (InRegion(hover.Region, width, height, x, y)) return hover.Cursor;
    }
  }
  return kCursorNormal;
}

void FormMouseDown(TVarimo& varimo, TPorts& ports, int32_t x, int32_t y) {
  TWindowState& window = varimo.Window;
  if (window.State != kStateNormal || !InList(ports, x, y)) return;
  const int32_t row = RowAt(varimo, y);
  window.SelectedIndex = row < TrackCount(varimo.Album) ? row : -1;
  ports.View.Repaint();
}

void FormDblClick(TVarimo& varimo, TPorts& ports, int32_t x, int32_t y) {
  TAlbumState& album = varimo.Album;
  if (varimo.Window.State != kStateNormal || album.Tracks.empty() || !InList(ports, x, y)) return;
  const int32_t row = RowAt(varimo, y);
  if (row >= TrackCount(album)) return;
  album.CurrentIndex = row;
  // A track the user picks counts as played in the current shuffle pass.
  if (varimo.Play.Mode == kModeShuffleAlbum) ++album.Tracks[static_cast<size_t>(row)].Mark;
  PlayTrack(varimo, ports, false);
}

bool FormMouseWheel(TVarimo& varimo, TPorts& ports, int32_t delta) {
  TWindowState& window = varimo.Window;
  if (window.State != kStateNormal) return false;
  const int32_t last = TrackCount(varimo.Album) - window.VisibleRows;
  if (delta == 0 || last <= 0) return true;
  const bool room = delta < 0 ? window.TopIndex < last : window.TopIndex > 0;
  if (!room) return true;
  const int64_t top = int64_t{window.TopIndex} - delta / kWheelDeltaPerRow;
  window.TopIndex = static_cast<int32_t>(std::clamp<int64_t>(top, 0, last));
  ports.View.Repaint();
  return true;
}

void FormKeyDown(TVarimo& varimo, TPorts& ports, int32_t key) {
  TWindowState& window = varimo.Window;
  if (window.State < 0) return;
  TAlbumState& album = varimo.Album;
  switch (key) {
    case kKeyUp:
      if (MoveSelectionUp(window)) ports.View.Repaint();
      return;
    case kKeyDown:
      if (MoveSelectionDown(window, TrackCount(album))) ports.View.Repaint();
      return;
    case kKeyRight:
    case kKeyLeft: Skip(varimo, ports, key == kKeyRight); return;
    case kKeyDelete:
      // A shorter album loaded since the selection was made may no longer hold it.
      if (window.State == kStateSmall || window.SelectedIndex < 0 ||
          window.SelectedIndex >= TrackCount(album)) {
        return;
      }
      if (ToggleExclusion(album, window.SelectedIndex)) ports.View.Repaint();
      return;
    default: return;
  }
}

void FormKeyPress(TVarimo& varimo, TPorts& ports, char character, bool fromWindow) {
  if (varimo.Window.State < 0) return;
  const char c = ToUpper(character);
  const TOptionSettings& options = varimo.Settings.Option;
  if (c == kCarriageReturn) {
    // Enter in a host window belongs to the host.
    if (fromWindow) PopupPlayItemClick(varimo, ports);
  } else if (c == options.PrevKey) {
    PlayPrevious(varimo, ports);
  } else if (c == options.NextKey) {
    PlayNext(varimo, ports);
  }
}

}  // namespace varimo
