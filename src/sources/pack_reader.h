#pragma once
// The directory of a MusicPack 3on3 Pack file.

#include <cstddef>
#include <cstdint>

#include "common/track_item.h"
#include "sources/file_reader.h"

namespace varimo {

// Size of the directory at the position (its synchsafe size field); the position stays.
int32_t GetPackDirectorySize(FileReader& file);

// Appends one track per member with FileName, Artist, Title, StartPos and EndPos; base is
// the file offset of the "Pack" header.
void ReadPackDirectory(TTrackList& tracks, const uint8_t* directory, size_t count, int32_t base);

}  // namespace varimo
