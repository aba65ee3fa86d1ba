// Arbitrary bytes as an album file: the probe, the length estimate and the frame walk must end
// quietly, inside the file, whatever they meet.
#include <cstddef>
#include <cstdint>

#include "fakes/memory_files.h"
#include "sources/mpeg.h"

namespace varimo {
namespace {

void Run(const uint8_t* data, size_t size) {
  TIoCounters counters;
  auto file = OpenMemoryFile(data, size, counters);
  // A small window makes the reads cross window edges often.
  FileReader reader(*file, 64);
  const int64_t half = static_cast<int64_t>(size / 2);

  reader.Seek(0);
  ProbeStream(reader);

  reader.Seek(0);
  EstimateLengthMS(reader, -1);
  reader.Seek(size > 0 ? data[0] : 0);
  EstimateLengthMS(reader, half);

  TMpegInfo info;
  reader.Seek(0);
  int pumps = 0;
  if (AnalyzeMpegStream(reader, info, 0, [&] { ++pumps; })) {
    if (pumps != info.Frames || info.SampleRate == 0) __builtin_trap();
  }
  reader.Seek(0);
  AnalyzeMpegStream(reader, info, half);
}

}  // namespace
}  // namespace varimo

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  varimo::Run(data, size);
  return 0;
}
