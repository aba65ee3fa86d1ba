// The cost of keeping one album as the host leaves it, with a thousand albums kept: the
// record into the memory and the whole store file written through the real atomic replace,
// into a temporary folder under /tmp (it must be on a disk, not in memory). The target
// is under 5 ms; run with --benchmark_repetitions=20 and read the median.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "engine/album_memory.h"
#include "platform/atomic_file.h"
#include "platform/files.h"

namespace varimo {
namespace {

TAlbumRecord Album(int i, int32_t current) {
  // A typical path and a twelve-track album.
  return TAlbumRecord{"D:\\Music\\Artist " + std::to_string(i % 97) + "\\Album " +
                          std::to_string(i) + " (2026) [Deluxe Edition].zip",
                      80000000 + i, 12, "110111101111", current, 70000};
}

void BM_RememberAlbumWithAThousandKept(benchmark::State& state) {
  char folder[] = "/tmp/varimo_albums_XXXXXX";
  if (::mkdtemp(folder) == nullptr) {
    state.SkipWithError("no temporary folder");
    return;
  }
  const std::string path = std::string(folder) + "/gen_Varimo.albums";
  std::unique_ptr<IFiles> files = MakeSystemFiles();
  std::unique_ptr<IFileReplacer> replacer = MakeSystemFileReplacer();
  AlbumStoreFile store(*files, *replacer, path);
  std::vector<TAlbumRecord> none;
  store.Load(none);
  AlbumMemory memory;
  std::vector<TAlbumRecord> kept;
  for (int i = 0; i < 1000; ++i) kept.push_back(Album(i, 1));
  memory.Reset(kept);
  int32_t current = 0;
  for (auto _ : state) {
    // A changed record each time: the write is never skipped.
    current = (current + 1) % 12;
    memory.Remember(Album(static_cast<int>(state.iterations()) % 1000, current));
    const std::vector<TAlbumRecord> records = memory.Records();
    if (!store.Save(records)) state.SkipWithError("the store could not be written");
  }
  state.counters["albums"] = static_cast<double>(memory.Size());
  state.counters["file_bytes"] = static_cast<double>(FormatAlbumRecords(memory.Records()).size());
  ::unlink(path.c_str());
  ::rmdir(folder);
}
BENCHMARK(BM_RememberAlbumWithAThousandKept)->Unit(benchmark::kMillisecond);

// The text alone, the part of the cost that is the plug-in's own.
void BM_FormatAThousandAlbums(benchmark::State& state) {
  std::vector<TAlbumRecord> records;
  for (int i = 0; i < 1000; ++i) records.push_back(Album(i, i % 12));
  for (auto _ : state) benchmark::DoNotOptimize(FormatAlbumRecords(records));
}
BENCHMARK(BM_FormatAThousandAlbums)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace varimo
