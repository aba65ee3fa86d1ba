// Arbitrary bytes as a ZIP and as an LHA archive in an in-memory file, and as a member name:
// the walks must end, read nothing outside the file and give ranges that start inside it.
#include <cstdlib>
#include <string>

#include "fakes/memory_files.h"
#include "sources/archive_reader.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace varimo;
  // A small window makes headers straddle the reader's buffer edges.
  for (size_t window : {size_t{64}, FileReader::kDefaultWindow}) {
    for (auto read : {ReadZipDirectory, ReadLhaDirectory}) {
      TIoCounters counters;
      auto file = OpenMemoryFile(data, size, counters);
      FileReader reader(*file, window);
      TTrackList tracks;
      read(tracks, reader);
      // Each member takes at least its fixed header (26 bytes for LHA, 30 for ZIP).
      Check(tracks.size() <= size / 26);
      for (const TTrackItem& t : tracks) {
        Check(t.StartPos >= 0 && t.StartPos <= t.EndPos);
        Check(static_cast<size_t>(t.StartPos) <= size);
        Check(t.FileName.size() < size);
      }
    }
  }

  const std::string name(reinterpret_cast<const char*>(data), size);
  Check(ZipTitleFromName(name).size() <= name.size());
  return 0;
}
