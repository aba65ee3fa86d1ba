#include "engine/monitor.h"

#include <algorithm>
#include <limits>
#include <string>

#include "common/flag_scope.h"
#include "engine/album_memory.h"
#include "engine/play_commands.h"
#include "engine/shuffle.h"

namespace varimo {
namespace {


int64_t EndMS(const TTrackItem& track) {
  return int64_t{track.StartMS} + track.LengthMS;
}

void ShowWindow(TWindowState& window, IWindow& port) {
  window.State = -window.State;
  port.Show();
}

void HideWindow(TWindowState& window, IWindow& port) {
  window.State = -window.State;
  port.Hide();
}

// A stopped or paused host: nothing to steer. The time display is blanked once, when
// playback stops. Returns true when the tick ends here.
bool HandleIdleHost(TVarimo& varimo, TPorts& ports) {
  TPlayState& play = varimo.Play;
  TAlbumState& album = varimo.Album;
  // A paused host in a pending shuffle-all switch waits for the monitor to pick a track.
  const bool awaitingPick = play.HostState == kHostPaused && play.Mode == kModeShuffleAllPending;
  if (play.HostState == kHostPlaying || album.LoadState < 0 || awaitingPick) return false;
  if (album.LoadState == kLoadPlaying) {
    if (varimo.Window.State == kStateNormal) {
      ports.View.BlankTimeDisplay();
      ports.View.DrawPositionThumb(-1, play.PositionFraction);
    }
    album.LoadState = kLoadBuilt;
    play.TimeDigits[3] = -1;
  }
  return true;
}

// The album build leaves the index of the previous file in place while a shuffle-all pick
// is pending. Brought into the list the way the pick would bring it, it names a track at
// every moment. A list without tracks keeps it as it is: the pick in the next album file
// starts from it, and a saved track still waits there for the first file that opens.
void KeepCurrentInList(TAlbumState& album) {
  const int32_t count = TrackCount(album);
  if (count == 0) return;
  if (album.CurrentIndex >= count) album.CurrentIndex %= count;
  if (album.CurrentIndex < 0) album.CurrentIndex = 0;
}

// Rebuilds the album from the host's current entry. Returns false when the tick ends.
bool Rebuild(TVarimo& varimo, TPorts& ports, const std::string& path) {
  TAlbumState& album = varimo.Album;
  TPlayState& play = varimo.Play;
  TWindowState& window = varimo.Window;
  const TOptionSettings& options = varimo.Settings.Option;

  if (album.LoadState == kLoadRebuildRequested) album.LoadState = kLoadBuilt;
  // The new entry waits, paused, for the pick of a shuffle-all track.
  if (play.HostState == kHostPlaying && play.Mode == kModeShuffleAllPending) {
    ports.Host.Pause();
    play.HostState = kHostPaused;
  }

  // The album being left is kept as it is now, before the build replaces it; an album built
  // again in place (after Apply) finds itself in the memory.
  const bool cameBack = path != album.AlbumFile;
  RememberAlbum(varimo, ports);

  TAlbumSettings albumSettings;
  albumSettings.ReadExclusions = [&ports] { return ReadExclusions(ports.Ini); };
  albumSettings.Format = &varimo.Settings.ListForm;
  albumSettings.Mode = play.Mode;
  if (options.AlbumMemory) {
    AlbumMemory& memory = varimo.Albums;
    albumSettings.FindRecord = [&memory](const std::string& file, int64_t size, int32_t count) {
      return memory.Match(file, size, count);
    };
  }
  const TAlbumBuild build = LoadAlbum(album, ports.Files, path, albumSettings, window.TopIndex);
  if (build.ScrollToCurrent) ScrollToCurrent(varimo);
  KeepCurrentInList(album);

  if (!build.Opened) {
    if (options.VisibleChk && window.State > 0) HideWindow(window, ports.Window);
    play.TimeDigits[3] = -1;
    play.HostState = kHostStopped;
    ports.View.Repaint();
    return false;
  }
  window.CheckedAlbumKind = album.AlbumKind;
  play.TimeDigits[3] = -1;
  if (album.Tracks.empty()) {
    if (options.VisibleChk) {
      if (window.Minimized == 0 && window.State > 0) HideWindow(window, ports.Window);
    } else if (play.Mode == kModeShuffleAllPending) {
      ports.View.Repaint();
    }
  } else if (options.VisibleChk && window.Minimized == 0 && window.State < 0) {
    ShowWindow(window, ports.Window);
  }
  // An album that comes back to a playing host continues where it was left; the seek moves
  // the correction's base with it.
  if (build.ResumeMS >= 0 && options.AlbumMemory && options.AlbumResume && cameBack &&
      play.HostState == kHostPlaying) {
    PlayTrackFrom(varimo, ports, build.ResumeMS);
  }
  if (play.Mode != kModeShuffleAllPending) ports.View.Repaint();
  return true;
}

// Lets a host that waits for a shuffle-all pick play on where there is no track to pick.
void PlayOnWithoutPick(TPlayState& play, IHost& host) {
  if (play.Mode == kModeShuffleAllPending && play.HostState != kHostPlaying) {
    host.Play();
    play.HostState = kHostPlaying;
  }
}

bool HasPlayableAfter(const TTrackList& tracks, int32_t index) {
  return std::any_of(tracks.begin() + std::min<size_t>(index + 1, tracks.size()), tracks.end(),
                     [](const TTrackItem& t) { return !IsExcluded(t); });
}

void ShowTime(TVarimo& varimo, TPorts& ports, int32_t positionMS) {
  const TWindowState& window = varimo.Window;
  TPlayState& play = varimo.Play;
  const bool small = window.State == kStateSmall;
  if (window.State != kStateNormal && !(small && varimo.Settings.Option.PlayTime)) return;
  const TTrackItem& track = varimo.Album.Tracks[varimo.Album.CurrentIndex];
  const TTimeDigits digits = TimeDigitsFor(track, positionMS, window.Remain);
  // Drawn only when the seconds digit moves, and the thumb along with it.
  if (digits[3] == play.TimeDigits[3]) return;
  play.TimeDigits = digits;
  if (small) {
    ports.View.DrawSmallTime(digits, window.Remain);
    return;
  }
  ports.View.DrawTimeDisplay(digits, window.Remain);
  if (window.DragMode == kDragPosition) return;
  ports.View.DrawPositionThumb(-1, play.PositionFraction);
  play.PositionFraction = PositionFractionFor(track, positionMS);
  ports.View.DrawPositionThumb(0, play.PositionFraction);
}

// Normal play, and every mode while no track's end is near: follows playback into the next
// track, skips excluded tracks, hands over to the host's next entry after the album.
void FollowPlayback(TVarimo& varimo, TPorts& ports, const TTrackAt& at, int32_t positionMS) {
  TAlbumState& album = varimo.Album;
  if (at.Index != album.CurrentIndex) {
    album.CurrentIndex = at.Index;
    ScrollToCurrent(varimo);
    ports.View.Repaint();
  } else if (at.Near) {
    for (int32_t next = album.CurrentIndex + 1;; ++next) {
      if (next >= TrackCount(album)) {
        ports.Host.Next();
        return;
      }
      if (IsExcluded(album.Tracks[next])) continue;
      // The following track plays on by itself.
      if (next == album.CurrentIndex + 1) break;
      album.CurrentIndex = next;
      ScrollToCurrent(varimo);
      ports.View.Repaint();
      PlayTrack(varimo, ports, false);
      return;
    }
  }
  ShowTime(varimo, ports, positionMS);
  album.LoadState = kLoadPlaying;
}

// Plays the track the mode chose and shows it at its start.
void PlayChosenTrack(TVarimo& varimo, TPorts& ports) {
  ScrollToCurrent(varimo);
  PlayTrack(varimo, ports, false);
  varimo.Play.PositionFraction = 0;
  ports.View.Repaint();
}

void ActByMode(TVarimo& varimo, TPorts& ports, const TTrackAt& at, int32_t positionMS) {
  TAlbumState& album = varimo.Album;
  TPlayState& play = varimo.Play;
  const int32_t mode = play.Mode;
  if (mode == kModeRepeatSingle && at.Near) {
    PlayTrack(varimo, ports, false);
  } else if (mode == kModeRepeatAlbum && at.Near &&
             !HasPlayableAfter(album.Tracks, album.CurrentIndex)) {
    auto first = std::find_if(album.Tracks.begin(), album.Tracks.end(),
                              [](const TTrackItem& t) { return !IsExcluded(t); });
    if (first != album.Tracks.end()) {
      album.CurrentIndex = static_cast<int32_t>(first - album.Tracks.begin());
    }
    PlayChosenTrack(varimo, ports);
  } else if (mode == kModeShuffleAlbum && at.Near) {
    PickShuffleAlbumTrack(album.Tracks, album.CurrentIndex, play.Seed);
    PlayChosenTrack(varimo, ports);
  } else if (mode == kModeShuffleAll && at.Near) {
    SwitchShuffleAllFile(play, ports.Host);
  } else if (mode == kModeShuffleAllPending) {
    play.Mode = kModeShuffleAll;
    PickShuffleAllTrack(album.Tracks, album.CurrentIndex, play.Seed, album.ListPos,
                        play.ShuffleHistory);
    ScrollToCurrent(varimo);
    play.PositionFraction = 0;
    ports.View.Repaint();
    PlayTrack(varimo, ports, true);
    play.HostState = kHostPlaying;
  } else {
    FollowPlayback(varimo, ports, at, positionMS);
  }
}

}  // namespace

int32_t CorrectedPositionMS(int32_t positionMS, int32_t seekBaseMS, int32_t correctMS) {
  // The drift's numerator is a whole number, held exactly; dividing once keeps a correction
  // that comes out whole from landing a millisecond short when truncated.
  const long double drift =
      static_cast<long double>(int64_t{positionMS} - seekBaseMS) * correctMS / 60000.0L;
  const long double corrected = positionMS + drift;
  if (corrected <= 0) return 0;
  if (corrected >= std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(corrected);
}

TTrackAt LocateTrack(const TTrackList& tracks, int32_t positionMS, int32_t breakMS) {
  TTrackAt at;
  for (size_t i = 0; i < tracks.size(); ++i) {
    const int64_t end = EndMS(tracks[i]);
    if (positionMS < end) {
      at.Index = static_cast<int32_t>(i);
      at.Near = end - positionMS < breakMS;
      break;
    }
  }
  return at;
}

TTimeDigits TimeDigitsFor(const TTrackItem& track, int32_t positionMS, bool remain) {
  int64_t shown = remain ? EndMS(track) - positionMS : int64_t{positionMS} - track.StartMS;
  shown = std::max<int64_t>(shown, 0);
  const int64_t seconds = shown / 1000;
  const int64_t minutes = seconds / 60;
  const int64_t rest = seconds % 60;
  // Two digits of minutes: a track of 100 minutes or more shows the last two, so that every
  // digit names a glyph.
  return {static_cast<int32_t>(minutes / 10 % 10), static_cast<int32_t>(minutes % 10),
          static_cast<int32_t>(rest / 10), static_cast<int32_t>(rest % 10)};
}

double PositionFractionFor(const TTrackItem& track, int32_t positionMS) {
  if (track.LengthMS <= 0) return 0;
  const double fraction = static_cast<double>(int64_t{positionMS} - track.StartMS) / track.LengthMS;
  return std::clamp(fraction, 0.0, 1.0);
}

void TimerTimer(TVarimo& varimo, TPorts& ports) {
  TPlayState& play = varimo.Play;
  if (play.InTick) return;
  const TFlagScope scope(play.InTick);
  TAlbumState& album = varimo.Album;
  TWindowState& window = varimo.Window;
  const TOptionSettings& options = varimo.Settings.Option;

  ports.View.LoadSkin(false);
  play.HostState = ports.Host.PlayState();
  // A stopped host has left its place in the track.
  if (play.HostState != kHostPlaying && play.HostState != kHostPaused) album.PlaceMS = -1;
  if (HandleIdleHost(varimo, ports)) return;

  if (album.LoadState == kLoadFirstBuild && window.Minimized == 0) {
    if (!ports.Window.IsWindowVisible(ports.Host.MainWindow())) return;
    if (!options.VisibleChk && window.State > 0) ports.Window.Show();
  }

  album.ListPos = ports.Host.ListPosition();
  const std::string path = ports.Host.EntryPath(album.ListPos);
  if (path != album.AlbumFile || album.LoadState == kLoadRebuildRequested) {
    if (!Rebuild(varimo, ports, path)) return;
  }

  if (album.AlbumKind == kAlbumNone) {
    PlayOnWithoutPick(play, ports.Host);
    // Also for an empty playlist at start-up: a tick still at the first build would wait
    // for the host's main window to be visible before every later build. The saved marks
    // and track wait for the first album under their own flag.
    album.LoadState = play.HostState == kHostPlaying ? kLoadPlaying : kLoadBuilt;
    return;
  }

  int32_t positionMS = ports.Host.PositionMS();
  if (positionMS < 0) {
    if (play.HostState == kHostPaused && play.Mode == kModeShuffleAllPending) ports.Host.Play();
    return;
  }
  if (options.Correct) {
    positionMS = CorrectedPositionMS(positionMS, album.SeekBaseMS, options.CorrectMS);
  }
  const TTrackAt at = LocateTrack(album.Tracks, positionMS, options.BreakMS);
  if (at.Index < 0) {
    album.PlaceMS = -1;
    // An album file without a track to pick would otherwise hold a pending shuffle-all
    // switch paused for good.
    PlayOnWithoutPick(play, ports.Host);
    return;
  }
  ActByMode(varimo, ports, at, positionMS);
  // The place to come back to: within the current track, and not so near its end that the
  // album would go on at once (an album played to its end starts again from the top).
  album.PlaceMS = at.Index == album.CurrentIndex && !at.Near ? positionMS : -1;
}

}  // namespace varimo
