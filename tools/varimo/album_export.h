#pragma once
// What the tool makes of a whole album: the files `extract --all` writes for its tracks, and
// the album as a cue sheet for players that read cue sheets.

#include <cstdint>
#include <string>
#include <vector>

#include "common/track_item.h"

namespace varimo {

// The file a track of a Pack, ZIP or LHA album is written to, or why it is not.
struct TMemberFile {
  std::string Name;     // the member name without its folders, as single extraction names it
  std::string Refusal;  // empty when the track can be written under Name
};

// One entry per track. Refuses what single extraction refuses (a name that is no plain file
// name, no byte range) and a name that an earlier track of the album already takes, as
// Windows compares names, so that no track overwrites another.
std::vector<TMemberFile> PlanMemberFiles(const TTrackList& tracks);

// mm:ss:ff of a time in ms: 75 frames a second, rounded down, so an index never lies after
// the track's start.
std::string CueTime(int32_t ms);

// The album as a cue sheet, every line ended by CR LF. A Cue album's tracks lie over
// audioFile, the album file itself; any other album gets a FILE entry per track named as
// files says, and leaves out the tracks files refuses. Texts are the stored bytes, or UTF-8
// when utf8 is set.
std::string CueSheet(const TTrackList& tracks, int32_t albumKind, const std::string& audioFile,
                     const std::vector<TMemberFile>& files, bool utf8);

}  // namespace varimo
