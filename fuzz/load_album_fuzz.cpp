// The whole album build over arbitrary bytes, then what the file information and extraction
// read for each track.
#include <cstdlib>

#include "engine/album.h"
#include "fakes/memory_files.h"
#include "sources/extraction.h"
#include "sources/file_info.h"

using namespace varimo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MemoryFiles files;
  files.Add("album", std::vector<uint8_t>(data, data + size));
  files.AddFolder("out");
  TAlbumState album;
  album.CurrentIndex = size > 0 ? data[0] % 8 : 0;
  TAlbumSettings settings;
  settings.ReadExclusions = [] { return std::string("0101"); };
  const TListForm format = DefaultListForm();
  settings.Format = &format;
  int32_t top = 0;
  LoadAlbum(album, files, "album", settings, top);
  int32_t count = static_cast<int32_t>(album.Tracks.size());
  if (album.CurrentIndex < 0 || (count > 0 && album.CurrentIndex >= count)) std::abort();
  if (album.AlbumKind == kAlbumNone && count != 0) std::abort();
  for (int32_t i = 0; i < count && i < 4; ++i) {
    const TTrackItem& track = album.Tracks[i];
    if (album.AlbumKind > kAlbumCue && track.EndPos <= track.StartPos) std::abort();
    ReadFileInfo(files, "album", album.AlbumKind, &track, {});
    ExtractTrack(files, "album", track, "out");
  }
  return 0;
}
