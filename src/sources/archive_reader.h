#pragma once
// Stored members of ZIP and LHA archives, walked by their local headers.

#include "common/track_item.h"
#include "sources/file_reader.h"

namespace varimo {

// Appends one track per member with data, from the position on.
void ReadZipDirectory(TTrackList& tracks, FileReader& file);

// Appends one track per stored member, from the position on.
void ReadLhaDirectory(TTrackList& tracks, FileReader& file);

// The title a ZIP member name gives.
std::string ZipTitleFromName(const std::string& name);

}  // namespace varimo
