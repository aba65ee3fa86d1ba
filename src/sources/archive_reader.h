#pragma once
// Stored members of ZIP and LHA archives, walked by their local headers.

#include <functional>

#include "common/track_item.h"
#include "sources/file_reader.h"

namespace varimo {

// Takes each member as the walk finds it; false ends the walk. It may read the file
// anywhere: the walk goes on from where it was.
using TMemberTake = std::function<bool(TTrackItem&& track)>;

// Hands over one track per member with data, from the position on.
void WalkZipMembers(FileReader& file, const TMemberTake& take);
// Hands over one track per stored member, from the position on.
void WalkLhaMembers(FileReader& file, const TMemberTake& take);

// The walks, appending every member.
void ReadZipDirectory(TTrackList& tracks, FileReader& file);
void ReadLhaDirectory(TTrackList& tracks, FileReader& file);

// The title a ZIP member name gives.
std::string ZipTitleFromName(const std::string& name);

}  // namespace varimo
