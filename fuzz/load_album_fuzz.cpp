// The whole album build over arbitrary bytes, then what the file information and extraction
// read for each track. The build reads each member whole as the directory yields it; it must
// give what reading the whole directory, then every member's tags, then every member's time
// gives.
#include <cstdlib>
#include <limits>

#include "engine/album.h"
#include "engine/album_members.h"
#include "fakes/memory_files.h"
#include "sources/archive_reader.h"
#include "sources/extraction.h"
#include "sources/file_info.h"
#include "sources/mpeg.h"
#include "sources/pack_reader.h"
#include "sources/tag_reader.h"

using namespace varimo;

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

TTrackList ReadInPasses(const uint8_t* data, size_t size, int32_t kind) {
  TIoCounters counters;
  auto handle = OpenMemoryFile(data, size, counters);
  FileReader file(*handle);
  uint8_t header[10];
  const int32_t tagSize = GetID3v2Size(header, file.ReadAt(0, header, sizeof header));
  file.Seek(tagSize);
  TTrackList listed;
  if (kind == kAlbumPack) {
    std::vector<uint8_t> directory = file.ReadBytes(GetPackDirectorySize(file));
    ReadPackDirectory(listed, directory.data(), directory.size(), tagSize);
  } else if (kind == kAlbumZip) {
    ReadZipDirectory(listed, file);
  } else {
    ReadLhaDirectory(listed, file);
  }
  for (TTrackItem& track : listed) ReadMemberTags(track, file, kind);
  TTrackList kept;
  int64_t total = 0;
  for (TTrackItem& track : listed) {
    const int32_t duration = MemberDurationMS(track, file);
    if (duration < 0) continue;
    if (total + duration > std::numeric_limits<int32_t>::max()) break;
    track.StartMS = static_cast<int32_t>(total);
    total += duration;
    kept.push_back(track);
  }
  return kept;
}

void CheckSameAsPasses(const uint8_t* data, size_t size) {
  MemoryFiles files;
  files.Add("album", std::vector<uint8_t>(data, data + size));
  TAlbumState album;
  album.LoadState = kLoadBuilt;
  int32_t top = 0;
  LoadAlbum(album, files, "album", {}, top);
  if (album.AlbumKind <= kAlbumCue) return;
  const TTrackList expected = ReadInPasses(data, size, album.AlbumKind);
  Check(album.Tracks.size() == expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    const TTrackItem& a = album.Tracks[i];
    const TTrackItem& b = expected[i];
    Check(a.FileName == b.FileName && a.Artist == b.Artist && a.Title == b.Title &&
          a.Album == b.Album && a.Track == b.Track && a.Year == b.Year &&
          a.StartPos == b.StartPos && a.EndPos == b.EndPos && a.StartMS == b.StartMS);
  }
}

}  // namespace

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
  CheckSameAsPasses(data, size);
  return 0;
}
