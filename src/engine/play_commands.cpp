#include "engine/play_commands.h"

#include <algorithm>
#include <limits>

#include "engine/scroll.h"
#include "engine/shuffle.h"

namespace varimo {
namespace {

bool IsShuffleAll(int32_t mode) {
  return mode == kModeShuffleAll || mode == kModeShuffleAllPending;
}

// Polls the host every millisecond until it reports playing; false when it has not after
// the limit, as for an entry the host cannot play.
bool WaitUntilPlaying(TPlayState& play, TPorts& ports) {
  const uint32_t start = ports.Clock.TickCount();
  for (;;) {
    play.HostState = ports.Host.PlayState();
    if (play.HostState == kHostPlaying) return true;
    if (ports.Clock.TickCount() - start >= kHostStartLimitMS) return false;
    ports.Clock.Sleep(1);
  }
}

// The step loop of previous and next outside shuffle: direction -1 or 1. Returns false
// when the album's end handed over to the host's previous or next entry.
bool StepToPlayable(TVarimo& varimo, TPorts& ports, int32_t direction) {
  TAlbumState& album = varimo.Album;
  const int32_t count = TrackCount(album);
  const bool wrap = varimo.Play.Mode == kModeRepeatAlbum;
  const int32_t edge = direction < 0 ? 0 : count - 1;
  for (int32_t step = 0; step < count; ++step) {
    if (album.CurrentIndex == edge) {
      if (!wrap) {
        if (direction < 0) {
          ports.Host.Previous();
        } else {
          ports.Host.Next();
        }
        return false;
      }
      album.CurrentIndex = direction < 0 ? count : -1;
    }
    album.CurrentIndex += direction;
    if (!IsExcluded(album.Tracks[album.CurrentIndex])) break;
  }
  return true;
}

void PlayNeighbour(TVarimo& varimo, TPorts& ports, int32_t direction) {
  if (IsShuffleAll(varimo.Play.Mode)) {
    SwitchShuffleAllFile(varimo.Play, ports.Host);
    return;
  }
  TAlbumState& album = varimo.Album;
  if (album.Tracks.empty()) return;
  // Shuffle all leaves the index of the previous file until it picks; stepping from there
  // would leave the list.
  if (!NamesTrack(album, album.CurrentIndex)) album.CurrentIndex = 0;
  if (varimo.Play.Mode == kModeShuffleAlbum) {
    PickShuffleAlbumTrack(album.Tracks, album.CurrentIndex, varimo.Play.Seed);
  } else if (!StepToPlayable(varimo, ports, direction)) {
    return;
  }
  ScrollToCurrent(varimo);
  PlayTrack(varimo, ports, false);
  varimo.Play.PositionFraction = 0;
  ports.View.Repaint();
}

// PlayTrack and PlayTrackFrom: offsetMS into the track at CurrentIndex.
void PlayTrackAt(TVarimo& varimo, TPorts& ports, bool resume, int32_t offsetMS) {
  TAlbumState& album = varimo.Album;
  if (!NamesTrack(album, album.CurrentIndex)) return;
  const int64_t target = int64_t{album.Tracks[album.CurrentIndex].StartMS} + offsetMS;
  const int32_t startMS = static_cast<int32_t>(
      std::clamp<int64_t>(target, 0, std::numeric_limits<int32_t>::max()));
  ports.Window.StopTimer();
  if (varimo.Play.HostState != kHostPlaying && varimo.Play.HostState != kHostPaused) {
    ports.Host.Play();
    if (!WaitUntilPlaying(varimo.Play, ports)) {
      ports.Window.StartTimer(varimo.Settings.Option.TimerMS);
      return;
    }
    ports.Clock.Sleep(kHostSettleMS);
  }
  if (startMS != 0 || resume) {
    ports.Host.SeekTo(startMS);
  } else {
    ports.Host.Play();
  }
  if (resume) ports.Host.Pause();
  album.SeekBaseMS = startMS;
  ports.Window.StartTimer(varimo.Settings.Option.TimerMS);
}

}  // namespace

void ScrollToCurrent(TVarimo& varimo) {
  ScrollToCurrent(varimo.Window.TopIndex, varimo.Window.VisibleRows, varimo.Album.CurrentIndex,
                  TrackCount(varimo.Album));
}

void PlayTrack(TVarimo& varimo, TPorts& ports, bool resume) {
  PlayTrackAt(varimo, ports, resume, 0);
}

void PlayTrackFrom(TVarimo& varimo, TPorts& ports, int32_t offsetMS) {
  PlayTrackAt(varimo, ports, false, offsetMS);
}

void PlayPrevious(TVarimo& varimo, TPorts& ports) {
  PlayNeighbour(varimo, ports, -1);
}

void PlayNext(TVarimo& varimo, TPorts& ports) {
  PlayNeighbour(varimo, ports, 1);
}

void SwitchShuffleAllFile(TPlayState& play, IHost& host) {
  host.SetShuffle(true);
  host.SetRepeat(true);
  if (play.HostState != kHostPlaying) host.Play();
  host.Next();
  host.Pause();
  play.Mode = kModeShuffleAllPending;
}

void PopupPlayItemClick(TVarimo& varimo, TPorts& ports) {
  TAlbumState& album = varimo.Album;
  if (album.Tracks.empty()) return;
  const int32_t selected = varimo.Window.SelectedIndex;
  if (selected >= 0) {
    // A selection left over from a longer list names no track; taking it would leave the
    // current track outside the list.
    if (!NamesTrack(album, selected)) return;
    album.CurrentIndex = selected;
  }
  if (!NamesTrack(album, album.CurrentIndex)) return;
  ScrollToCurrent(varimo);
  ports.View.Repaint();
  // Counting the play in an excluded track's Mark would include it again.
  TTrackItem& track = album.Tracks[album.CurrentIndex];
  if (varimo.Play.Mode == kModeShuffleAlbum && !IsExcluded(track)) track.Mark += 1;
  PlayTrack(varimo, ports, false);
}

void PopupModeClick(TPlayState& play, int32_t tag) {
  play.Mode = tag;
}

}  // namespace varimo
