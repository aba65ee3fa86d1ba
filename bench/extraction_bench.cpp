// Extraction of a 100 MB member against a plain copy of the same bytes on the same disk:
// the system's own file copy, and a read/write loop with the extraction's chunk size. The
// album is written once, with real (not sparse) bytes, beside the benchmark; the page cache
// is warm for every variant. PeakRssGrowthMB is how far the process's peak resident size
// rose over the run: a copy held whole in memory would show the member's 100 MB.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "sources/extraction.h"

namespace varimo {
namespace {

constexpr int64_t kMemberBytes = 100 * 1000 * 1000;
constexpr int64_t kMemberStart = 4096;
constexpr size_t kChunk = 1 << 20;
const char kAlbum[] = "extraction_bench_album.zip";
const char kOutFolder[] = "extraction_bench_out";
const char kMemberCopy[] = "extraction_bench_member.bin";

void WriteAlbumOnce() {
  if (std::filesystem::exists(kAlbum) &&
      std::filesystem::file_size(kAlbum) == static_cast<uintmax_t>(kMemberStart + kMemberBytes)) {
    return;
  }
  FILE* f = std::fopen(kAlbum, "wb");
  std::mt19937 random(7);
  std::vector<uint32_t> block(kChunk / 4);
  for (int64_t written = 0; written < kMemberStart + kMemberBytes;) {
    for (uint32_t& word : block) word = random();
    const size_t n = static_cast<size_t>(
        std::min<int64_t>(static_cast<int64_t>(kChunk), kMemberStart + kMemberBytes - written));
    std::fwrite(block.data(), 1, n, f);
    written += static_cast<int64_t>(n);
  }
  std::fclose(f);
  std::filesystem::create_directories(kOutFolder);
}

long PeakRssKB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

void BM_ExtractTrack(benchmark::State& state) {
  WriteAlbumOnce();
  std::unique_ptr<IFiles> files = MakeSystemFiles();
  TTrackItem track;
  track.FileName = "Album/member.mp3";
  track.StartPos = static_cast<int32_t>(kMemberStart);
  track.EndPos = static_cast<int32_t>(kMemberStart + kMemberBytes);
  const long before = PeakRssKB();
  for (auto _ : state) {
    TExtractResult result = ExtractTrack(*files, kAlbum, track, kOutFolder, '/');
    if (!result.Ok) state.SkipWithError("extraction failed");
  }
  state.SetBytesProcessed(state.iterations() * kMemberBytes);
  state.counters["PeakRssGrowthMB"] = static_cast<double>(PeakRssKB() - before) / 1024.0;
}
BENCHMARK(BM_ExtractTrack)->Unit(benchmark::kMillisecond)->UseRealTime();

// The system's copy of a file of the member's size (the kernel's own path where it has one).
void BM_SystemFileCopy(benchmark::State& state) {
  WriteAlbumOnce();
  if (!std::filesystem::exists(kMemberCopy)) {
    std::filesystem::copy_file(kAlbum, kMemberCopy);
    std::filesystem::resize_file(kMemberCopy, static_cast<uintmax_t>(kMemberBytes));
  }
  const std::string target = std::string(kOutFolder) + "/copy.bin";
  for (auto _ : state) {
    std::filesystem::copy_file(kMemberCopy, target,
                               std::filesystem::copy_options::overwrite_existing);
  }
  state.SetBytesProcessed(state.iterations() * kMemberBytes);
}
BENCHMARK(BM_SystemFileCopy)->Unit(benchmark::kMillisecond)->UseRealTime();

// A read/write loop over the same byte range in chunks of the extraction's size.
void BM_ChunkedCopy(benchmark::State& state) {
  WriteAlbumOnce();
  std::vector<char> buffer(kChunk);
  const std::string target = std::string(kOutFolder) + "/chunked.bin";
  for (auto _ : state) {
    FILE* in = std::fopen(kAlbum, "rb");
    FILE* out = std::fopen(target.c_str(), "wb");
    std::setvbuf(in, nullptr, _IONBF, 0);
    std::setvbuf(out, nullptr, _IONBF, 0);
    std::fseek(in, kMemberStart, SEEK_SET);
    for (int64_t left = kMemberBytes; left > 0;) {
      const size_t n = static_cast<size_t>(std::min<int64_t>(left, kChunk));
      if (std::fread(buffer.data(), 1, n, in) != n || std::fwrite(buffer.data(), 1, n, out) != n) {
        state.SkipWithError("copy failed");
        break;
      }
      left -= static_cast<int64_t>(n);
    }
    std::fclose(in);
    std::fclose(out);
  }
  state.SetBytesProcessed(state.iterations() * kMemberBytes);
}
BENCHMARK(BM_ChunkedCopy)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace varimo
