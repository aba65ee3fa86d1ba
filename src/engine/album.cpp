#include "engine/album.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "common/vocabulary.h"
#include "sources/archive_reader.h"
#include "sources/cue_reader.h"
#include "sources/file_reader.h"
#include "sources/mpeg.h"
#include "sources/pack_reader.h"
#include "sources/tag_reader.h"

namespace varimo {
namespace {

constexpr size_t kID3v2HeaderSize = 10;
constexpr size_t kID3v1Size = 128;

// Reads the container found after the album file's tag; returns the album kind.
int32_t ReadContainer(TTrackList& tracks, FileReader& file, int32_t tagSize) {
  int32_t probe = ProbeStream(file);
  file.Seek(tagSize);
  switch (probe) {
    case kProbePack: {
      int32_t size = GetPackDirectorySize(file);
      std::vector<uint8_t> directory = file.ReadBytes(size);
      ReadPackDirectory(tracks, directory.data(), directory.size(), tagSize);
      return kAlbumPack;
    }
    case kProbeZip: ReadZipDirectory(tracks, file); return kAlbumZip;
    case kProbeLha: ReadLhaDirectory(tracks, file); return kAlbumLha;
    default: return kAlbumNone;
  }
}

// Completes a member's texts from its own tags. A Pack keeps its directory's artist and
// title. An ID3v2 tag replaces only what it supplies, so a tag whose frames are all in
// encodings the reader skips does not blank a track.
void ReadMemberTags(TTrackItem& track, FileReader& file, int32_t albumKind) {
  bool ownNames = albumKind != kAlbumPack;
  uint8_t block[kID3v1Size];
  int64_t v1At = int64_t{track.EndPos} - static_cast<int64_t>(kID3v1Size);
  TID3v1Info v1;
  if (v1At >= 0 && file.ReadAt(v1At, block, kID3v1Size) == kID3v1Size &&
      ReadID3v1(v1, block, kID3v1Size, false)) {
    if (ownNames) {
      track.Artist = v1.Artist;
      track.Title = v1.Title;
    }
    track.Album = v1.Album;
    track.Track = v1.Track;
    track.Year = v1.Year;
  }

  uint8_t header[kID3v2HeaderSize];
  size_t got = file.ReadAt(track.StartPos, header, kID3v2HeaderSize);
  // A tag is read no further than its member: one that claims more runs into the members
  // after it, and a hostile archive would have every member read the rest of the file.
  int64_t tagSize =
      std::min<int64_t>(GetID3v2Size(header, got), int64_t{track.EndPos} - track.StartPos);
  if (tagSize <= 0) return;
  file.Seek(track.StartPos);
  std::vector<uint8_t> tag = file.ReadBytes(tagSize);
  TID3v2Info v2;
  ReadID3v2Frames(v2, tag.data(), tag.size(), false);
  auto take = [](std::string& field, const std::string& value) {
    if (!value.empty()) field = value;
  };
  if (ownNames) {
    take(track.Artist, v2.Artist);
    take(track.Title, v2.Title);
  }
  take(track.Album, v2.Album);
  take(track.Track, v2.Track);
  take(track.Year, v2.Year);
}

// Gives every member its start and drops what is not timeable audio; returns the total.
int64_t TimeMembers(TTrackList& tracks, FileReader& file) {
  int64_t total = 0;
  TTrackList kept;
  kept.reserve(tracks.size());
  for (TTrackItem& track : tracks) {
    // A member without a byte range has nothing to play.
    if (track.EndPos <= track.StartPos) continue;
    file.Seek(track.StartPos);
    int32_t duration = EstimateLengthMS(file, int64_t{track.EndPos} - track.StartPos);
    if (duration < 0) continue;
    // Overlapping Pack members can sum past what a time in ms holds; a track that would end
    // there ends the list, as a byte position past 2 GiB ends a directory walk.
    if (total + duration > std::numeric_limits<int32_t>::max()) break;
    track.StartMS = static_cast<int32_t>(total);
    total += duration;
    kept.push_back(std::move(track));
  }
  tracks = std::move(kept);
  return total;
}

void RestoreOrReset(TAlbumState& album, const TAlbumSettings& settings, TAlbumBuild& build) {
  TTrackList& tracks = album.Tracks;
  int32_t count = static_cast<int32_t>(tracks.size());
  if (album.LoadState == kLoadFirstBuild) album.LoadState = kLoadBuilt;
  if (album.SavedStatePending) {
    album.SavedStatePending = false;
    std::string exclusions = settings.ReadExclusions ? settings.ReadExclusions() : std::string();
    for (size_t i = 0; i < exclusions.size() && i < tracks.size(); ++i) {
      tracks[i].Mark = exclusions[i] == '0' ? -1 : 0;
    }
    // A negative saved index names no track: it is treated like one past the list.
    if (album.CurrentIndex >= 0 && album.CurrentIndex < count) {
      tracks[album.CurrentIndex].Mark = kCurrentMark;
      build.ScrollToCurrent = true;
    } else {
      album.CurrentIndex = 0;
    }
  } else if (settings.Mode != kModeShuffleAllPending) {
    album.CurrentIndex = 0;
    if (count > 0) tracks[0].Mark = kCurrentMark;
  }
}

void DeriveLengths(TTrackList& tracks, int64_t total) {
  for (size_t i = 0; i < tracks.size(); ++i) {
    int64_t end = i + 1 < tracks.size() ? int64_t{tracks[i + 1].StartMS} : total;
    int64_t length = end - tracks[i].StartMS;
    if (length > std::numeric_limits<int32_t>::max()) length = std::numeric_limits<int32_t>::max();
    if (length < std::numeric_limits<int32_t>::min()) length = std::numeric_limits<int32_t>::min();
    tracks[i].LengthMS = static_cast<int32_t>(length);
    tracks[i].Time = TrackTimeText(tracks[i].LengthMS);
  }
}

}  // namespace

std::string TrackTimeText(int32_t lengthMS) {
  int32_t seconds = lengthMS / 1000;
  char text[32];
  std::snprintf(text, sizeof text, "%02d%02d", seconds / 60, seconds % 60);
  return text;
}

std::string ExclusionString(const TTrackList& tracks) {
  std::string text;
  text.reserve(tracks.size());
  for (const TTrackItem& track : tracks) text += IsExcluded(track) ? '0' : '1';
  return text;
}

TAlbumBuild LoadAlbum(TAlbumState& album, IFiles& files, const std::string& path,
                      const TAlbumSettings& settings, int32_t& topIndex) {
  TAlbumBuild build;
  album.AlbumFile = path;
  album.Tracks.clear();
  album.AlbumKind = kAlbumNone;
  album.SeekBaseMS = 0;

  std::unique_ptr<IFile> handle = files.OpenRead(path);
  if (!handle) {
    topIndex = 0;
    // Until a build opens its file the saved current track waits for it, as the saved
    // exclusions do; the build has happened all the same.
    if (!album.SavedStatePending) album.CurrentIndex = 0;
    if (album.LoadState == kLoadFirstBuild) album.LoadState = kLoadBuilt;
    return build;
  }
  build.Opened = true;
  FileReader file(*handle);

  uint8_t header[kID3v2HeaderSize];
  int32_t tagSize = GetID3v2Size(header, file.ReadAt(0, header, kID3v2HeaderSize));
  file.Seek(0);

  int64_t total = 0;
  bool unreadableCue = false;
  if (tagSize > 0) {
    std::vector<uint8_t> tag = file.ReadBytes(tagSize);
    int32_t cue = ReadEmbeddedCue(album.Tracks, tag.data(), tag.size());
    if (cue == kCueUnreadable) {
      // A sheet with a time that is no time: the file carries no usable album information.
      album.Tracks.clear();
      unreadableCue = true;
    } else if (cue >= 0) {
      album.AlbumKind = kAlbumCue;
      file.Seek(tagSize);
      total = cue > 0 ? cue : EstimateLengthMS(file, -1);
    }
  }

  if (album.AlbumKind == kAlbumNone && !unreadableCue) {
    file.Seek(tagSize);
    album.AlbumKind = ReadContainer(album.Tracks, file, tagSize);
    if (album.AlbumKind != kAlbumNone) {
      for (TTrackItem& track : album.Tracks) ReadMemberTags(track, file, album.AlbumKind);
      total = TimeMembers(album.Tracks, file);
    }
  }

  topIndex = 0;
  RestoreOrReset(album, settings, build);
  DeriveLengths(album.Tracks, total);
  if (settings.Format) ApplySingleArtistBlanking(album.Tracks, *settings.Format);
  return build;
}

}  // namespace varimo
