#pragma once
// What the album build does with each member of a Pack, ZIP or LHA album: its tags, then its
// playing time.

#include <cstdint>

#include "common/track_item.h"
#include "sources/file_reader.h"

namespace varimo {

// Completes a member's texts from its own ID3v1 block and ID3v2 tag.
void ReadMemberTags(TTrackItem& track, FileReader& file, int32_t albumKind);

// The member's playing time; negative when it has no byte range or is not audio the length
// estimate can time.
int32_t MemberDurationMS(const TTrackItem& track, FileReader& file);

// Builds the track list from members handed over in directory order: each gets its tags and
// its time as it arrives, so the reads of one member follow one another and the region
// around a member boundary, read once, serves the end of one member and the start of the
// next. The list, its order and every field come out as if all tags were read first and
// all times after.
class TimedMembers {
 public:
  TimedMembers(TTrackList& tracks, FileReader& file, int32_t albumKind)
      : tracks_(tracks), file_(file), albumKind_(albumKind) {}

  // Keeps the member when it is timeable audio; false once the list is complete: a track
  // that would end past what a time in ms holds ends it, as a byte position past 2 GiB ends
  // a directory walk. The file's position is left where it was.
  bool Add(TTrackItem&& track);
  // The summed playing time of the members kept.
  int64_t TotalMS() const { return total_; }

 private:
  TTrackList& tracks_;
  FileReader& file_;
  int32_t albumKind_;
  int64_t total_ = 0;
};

}  // namespace varimo
