// Arbitrary bytes as a Pack directory, parsed directly and read from an in-memory file the
// way the album build reads it: the parse must stay inside the bytes and give sound ranges.
#include <cstdlib>

#include "fakes/memory_files.h"
#include "sources/pack_reader.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckEntries(const varimo::TTrackList& tracks, size_t count) {
  // Every entry takes at least an offset and three zero bytes after the 12-byte header.
  Check(tracks.size() <= (count < 12 ? 0 : (count - 12) / 7));
  for (const varimo::TTrackItem& t : tracks) {
    Check(t.StartPos >= 0 && t.EndPos >= 0);
    Check(t.FileName.size() + t.Artist.size() + t.Title.size() < count);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace varimo;
  for (int32_t base : {0, 0x7FFFFF00}) {
    TTrackList tracks;
    ReadPackDirectory(tracks, data, size, base);
    CheckEntries(tracks, size);
  }

  TIoCounters counters;
  auto file = OpenMemoryFile(data, size, counters);
  FileReader reader(*file);
  const int32_t directorySize = GetPackDirectorySize(reader);
  Check(directorySize >= 0 && reader.Position() == 0);
  const std::vector<uint8_t> directory = reader.ReadBytes(directorySize);
  TTrackList tracks;
  ReadPackDirectory(tracks, directory.data(), directory.size(), 0);
  CheckEntries(tracks, directory.size());
  return 0;
}
