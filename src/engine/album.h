#pragma once
// The album model: the tracks of the host entry the plug-in follows, rebuilt by LoadAlbum
// whenever that entry changes.

#include <cstdint>
#include <functional>
#include <string>

#include "common/track_item.h"
#include "platform/files.h"
#include "settings/album_store.h"
#include "settings/title_format.h"

namespace varimo {

// LoadState values.
constexpr int32_t kLoadFirstBuild = -1;
constexpr int32_t kLoadRebuildRequested = -2;
constexpr int32_t kLoadBuilt = 0;
constexpr int32_t kLoadPlaying = 1;

// The Mark a track gets when it becomes the current one.
constexpr int32_t kCurrentMark = 101;

struct TAlbumState {
  TTrackList Tracks;
  std::string AlbumFile;
  int32_t ListPos = 0;
  int32_t AlbumKind = kAlbumNone;
  int32_t CurrentIndex = 0;
  int32_t LoadState = kLoadFirstBuild;
  int32_t SeekBaseMS = 0;
  // The exclusions and the current track saved at the last shut-down still wait for the
  // first build that opens its file; a first build that opens none (a missing file) keeps
  // them waiting.
  bool SavedStatePending = true;
  // The album file's size as the build found it; -1 when it did not open.
  int64_t FileSize = -1;
  // The corrected position last seen in the current track while the host played or paused
  // there; -1 when playback is elsewhere (stopped, past the album, near the track's end).
  int32_t PlaceMS = -1;
};

inline int32_t TrackCount(const TAlbumState& album) {
  return static_cast<int32_t>(album.Tracks.size());
}
// The index is one of the album's tracks.
inline bool NamesTrack(const TAlbumState& album, int32_t index) {
  return index >= 0 && index < TrackCount(album);
}

// What the build needs from the settings; read through callbacks so that the exclusion
// string is read only by the first build.
struct TAlbumSettings {
  std::function<std::string()> ReadExclusions;  // key Delete of section Window
  const TListForm* Format = nullptr;            // decides the single-artist blanking
  int32_t Mode = 0;                             // play mode; 5 picks the track itself
  // The album's own record (path, file size, track count), when the albums' memory keeps
  // one: the build restores it in place of the saved exclusions.
  std::function<const TAlbumRecord*(const std::string&, int64_t, int32_t)> FindRecord;
};

struct TAlbumBuild {
  bool Opened = false;
  // The first build restored the saved current track, or any build the album's own record:
  // the window scrolls it into view.
  bool ScrollToCurrent = false;
  // The album's own record was restored with a place in its current track (ms from the
  // track's start); -1 for none.
  int32_t ResumeMS = -1;
};

// Rebuilds the track list from the file at path. topIndex is the window's first visible
// track, which every build resets.
TAlbumBuild LoadAlbum(TAlbumState& album, IFiles& files, const std::string& path,
                      const TAlbumSettings& settings, int32_t& topIndex);

// One character per track: "0" excluded, "1" otherwise (saved at shut-down).
std::string ExclusionString(const TTrackList& tracks);

// "%02d%02d" of whole minutes and remaining seconds.
std::string TrackTimeText(int32_t lengthMS);

}  // namespace varimo
