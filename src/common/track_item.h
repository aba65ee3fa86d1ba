#pragma once
// One track of the current album file, and where the album's tracks came from.

#include <cstdint>
#include <string>
#include <vector>

namespace varimo {

struct TTrackItem {
  std::string Artist;
  std::string Title;
  std::string Album;
  std::string Track;
  std::string Year;
  std::string Time;  // "%02d%02d" of whole minutes and remaining seconds
  int32_t StartMS = 0;
  int32_t LengthMS = 0;
  int32_t StartPos = 0;  // first byte of the track in the album file (0 for Cue)
  int32_t EndPos = 0;    // one past the last byte (0 for Cue)
  std::string FileName;  // member name inside a Pack or archive
  int32_t Mark = 0;      // >= 0 plays (shuffle counters); < 0 excluded
};

using TTrackList = std::vector<TTrackItem>;

enum AlbumKindCode : int32_t {
  kAlbumNone = -1,
  kAlbumCue = 0,
  kAlbumPack = 1,
  kAlbumZip = 2,
  kAlbumLha = 3,
};

// "Cue", "Pack", "ZIP", "LHA", or empty for none.
const char* AlbumKindName(int32_t kind);

// Excluding and including again is the bitwise complement, so a shuffle counter survives.
inline void ToggleExcluded(TTrackItem& track) {
  track.Mark = ~track.Mark;
}
inline bool IsExcluded(const TTrackItem& track) {
  return track.Mark < 0;
}

}  // namespace varimo
