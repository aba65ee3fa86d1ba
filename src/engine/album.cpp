#include "engine/album.h"

#include <algorithm>
#include <limits>

#include "common/vocabulary.h"
#include "engine/album_members.h"
#include "sources/archive_reader.h"
#include "sources/cue_reader.h"
#include "sources/file_reader.h"
#include "sources/mpeg.h"
#include "sources/pack_reader.h"
#include "sources/tag_reader.h"

namespace varimo {
namespace {

constexpr size_t kID3v2HeaderSize = 10;

int32_t AlbumKindOfProbe(int32_t probe) {
  switch (probe) {
    case kProbePack: return kAlbumPack;
    case kProbeZip: return kAlbumZip;
    case kProbeLha: return kAlbumLha;
    default: return kAlbumNone;
  }
}

// Reads the container found after the album file's tag, each member taking its tags and
// time as the directory yields it; returns the album kind and the members' total time.
int32_t ReadContainer(TTrackList& tracks, FileReader& file, int32_t tagSize, int64_t& total) {
  const int32_t kind = AlbumKindOfProbe(ProbeStream(file));
  file.Seek(tagSize);
  TimedMembers members(tracks, file, kind);
  const TMemberTake take = [&](TTrackItem&& track) { return members.Add(std::move(track)); };
  switch (kind) {
    case kAlbumPack: {
      int32_t size = GetPackDirectorySize(file);
      std::vector<uint8_t> directory = file.ReadBytes(size);
      TTrackList listed;
      ReadPackDirectory(listed, directory.data(), directory.size(), tagSize);
      for (TTrackItem& track : listed) {
        if (!take(std::move(track))) break;
      }
      break;
    }
    case kAlbumZip: WalkZipMembers(file, take); break;
    case kAlbumLha: WalkLhaMembers(file, take); break;
    default: break;
  }
  total = members.TotalMS();
  return kind;
}

void ApplyExclusions(TTrackList& tracks, const std::string& exclusions) {
  for (size_t i = 0; i < exclusions.size() && i < tracks.size(); ++i) {
    tracks[i].Mark = exclusions[i] == '0' ? -1 : 0;
  }
}

// The album's own record, as the first build restores the saved state; a pending shuffle-all
// pick keeps the index it picks from. An excluded current track stays excluded.
void RestoreRecord(TAlbumState& album, const TAlbumRecord& record, const TAlbumSettings& settings,
                   TAlbumBuild& build) {
  TTrackList& tracks = album.Tracks;
  album.SavedStatePending = false;
  ApplyExclusions(tracks, record.Exclusions);
  if (settings.Mode == kModeShuffleAllPending) return;
  album.CurrentIndex = record.CurrentIndex;
  TTrackItem& current = tracks[album.CurrentIndex];
  if (!IsExcluded(current)) current.Mark = kCurrentMark;
  build.ScrollToCurrent = true;
  build.ResumeMS = record.PositionMS;
}

void RestoreOrReset(TAlbumState& album, const TAlbumSettings& settings, TAlbumBuild& build) {
  TTrackList& tracks = album.Tracks;
  int32_t count = static_cast<int32_t>(tracks.size());
  if (album.LoadState == kLoadFirstBuild) album.LoadState = kLoadBuilt;
  const TAlbumRecord* record =
      settings.FindRecord && count > 0 ? settings.FindRecord(album.AlbumFile, album.FileSize, count)
                                       : nullptr;
  if (record != nullptr) {
    RestoreRecord(album, *record, settings, build);
  } else if (album.SavedStatePending) {
    album.SavedStatePending = false;
    ApplyExclusions(tracks, settings.ReadExclusions ? settings.ReadExclusions() : std::string());
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
  // Minutes and seconds of two digits at least (printf's "%02d%02d"), formatted by hand so
  // that the plug-in does not link the C runtime's formatted printing for four digits.
  const int32_t seconds = lengthMS / 1000;
  std::string text;
  for (int32_t part : {seconds / 60, seconds % 60}) {
    const std::string digits = std::to_string(part);
    if (digits.size() < 2) text += '0';
    text += digits;
  }
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
  album.FileSize = -1;
  album.PlaceMS = -1;

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
  album.FileSize = handle->Size();
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
    album.AlbumKind = ReadContainer(album.Tracks, file, tagSize, total);
  }

  topIndex = 0;
  RestoreOrReset(album, settings, build);
  DeriveLengths(album.Tracks, total);
  if (settings.Format) ApplySingleArtistBlanking(album.Tracks, *settings.Format);
  return build;
}

}  // namespace varimo
