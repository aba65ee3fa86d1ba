// The probe's search and the frame walk over in-memory files, with the OS reads they cost.
#include <benchmark/benchmark.h>

#include "fakes/memory_files.h"
#include "sources/mpeg.h"
#include "support/mpeg_builder.h"

namespace varimo {
namespace {

std::vector<uint8_t> ZipMemberAfterLongRun() {
  std::vector<uint8_t> bytes = {'P', 'K', 3, 4};
  bytes.resize(60 * 1024, 0);
  AppendMpegFrames(bytes, MpegFrameSpec{}, 1);
  return bytes;
}

void ReportReads(benchmark::State& state, const TIoCounters& counters) {
  state.counters["os_reads_per_call"] =
      benchmark::Counter(static_cast<double>(counters.Reads), benchmark::Counter::kAvgIterations);
}

// Every operation gets a fresh reader, as every caller opens the file anew.
void BM_ProbeStream60KiBSearch(benchmark::State& state) {
  std::vector<uint8_t> bytes = ZipMemberAfterLongRun();
  TIoCounters counters;
  auto file = OpenMemoryFile(bytes.data(), bytes.size(), counters);
  for (auto _ : state) {
    file->Seek(0);
    FileReader reader(*file);
    benchmark::DoNotOptimize(ProbeStream(reader));
  }
  ReportReads(state, counters);
}
BENCHMARK(BM_ProbeStream60KiBSearch)->Unit(benchmark::kMicrosecond);

void BM_EstimateLengthMS(benchmark::State& state) {
  std::vector<uint8_t> bytes = MakeMp3OfDuration(240000);
  TIoCounters counters;
  auto file = OpenMemoryFile(bytes.data(), bytes.size(), counters);
  for (auto _ : state) {
    file->Seek(0);
    FileReader reader(*file);
    benchmark::DoNotOptimize(EstimateLengthMS(reader, -1));
  }
  ReportReads(state, counters);
}
BENCHMARK(BM_EstimateLengthMS)->Unit(benchmark::kMicrosecond);

void BM_AnalyzeMpegStream10000Frames(benchmark::State& state) {
  std::vector<uint8_t> bytes;
  AppendCbrMpegFrames(bytes, MpegFrameSpec{}, 10000);
  TIoCounters counters;
  auto file = OpenMemoryFile(bytes.data(), bytes.size(), counters);
  int pumps = 0;
  for (auto _ : state) {
    file->Seek(0);
    FileReader reader(*file);
    TMpegInfo info;
    benchmark::DoNotOptimize(AnalyzeMpegStream(reader, info, 0, [&] { ++pumps; }));
  }
  ReportReads(state, counters);
  state.counters["frames"] = benchmark::Counter(pumps, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_AnalyzeMpegStream10000Frames)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace varimo
