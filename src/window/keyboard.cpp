#include "window/keyboard.h"

#include <algorithm>

#include "engine/monitor.h"
#include "engine/play_commands.h"
#include "window/dialog_commands.h"
#include "window/popup_menu.h"

namespace varimo {
namespace {

// The skip keys wait this long for the host to move before the display follows.
constexpr uint32_t kSkipSettleMS = 100;
constexpr char kCarriageReturn = '\r';

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

void FormKeyDown(TVarimo& varimo, TPorts& ports, int32_t key, TKeyShift shift) {
  TWindowState& window = varimo.Window;
  if (window.State < 0) return;
  TAlbumState& album = varimo.Album;
  if (shift.Alt && key == kKey3) {
    // The file commands act on the selected track; the small window shows the current one.
    if (window.State == kStateSmall) window.SelectedIndex = album.CurrentIndex;
    PopupFileInfoClick(varimo, ports);
    return;
  }
  if (shift.Ctrl && key == kKeyP) {
    PopupOptionsClick(varimo, ports);
    return;
  }
  switch (key) {
    case kKeyF1: PopupHelpClick(varimo, ports); return;
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
