#include "engine/album_members.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "sources/mpeg.h"
#include "sources/tag_reader.h"

namespace varimo {
namespace {

constexpr size_t kID3v2HeaderSize = 10;
constexpr size_t kID3v1Size = 128;

}  // namespace

// A Pack keeps its directory's artist and title. An ID3v2 tag replaces only what it
// supplies, so a tag whose frames are all in encodings the reader skips does not blank a
// track.
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

int32_t MemberDurationMS(const TTrackItem& track, FileReader& file) {
  // A member without a byte range has nothing to play.
  if (track.EndPos <= track.StartPos) return -1;
  file.Seek(track.StartPos);
  return EstimateLengthMS(file, int64_t{track.EndPos} - track.StartPos);
}

bool TimedMembers::Add(TTrackItem&& track) {
  // A member that is dropped keeps no tags, so they are not read.
  if (track.EndPos <= track.StartPos) return true;
  const int64_t resume = file_.Position();
  ReadMemberTags(track, file_, albumKind_);
  const int32_t duration = MemberDurationMS(track, file_);
  file_.Seek(resume);
  if (duration < 0) return true;
  if (total_ + duration > std::numeric_limits<int32_t>::max()) return false;
  track.StartMS = static_cast<int32_t>(total_);
  total_ += duration;
  tracks_.push_back(std::move(track));
  return true;
}

}  // namespace varimo
