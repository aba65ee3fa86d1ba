// Extraction through the plug-in's own Windows file port against the system's copy of the
// same bytes (CopyFileA of a file holding just the member) on the same disk, timed with the
// performance counter, the median of seven runs each after one to warm the cache.
// Usage: win32_extraction_timing ALBUM START END MEMBERFILE OUTFOLDER
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "sources/extraction.h"

namespace {

double Seconds(const std::function<bool()>& run) {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  std::vector<double> times;
  for (int i = 0; i < 8; ++i) {
    QueryPerformanceCounter(&start);
    if (!run()) return -1;
    QueryPerformanceCounter(&end);
    if (i > 0) times.push_back(double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart));
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: %s ALBUM START END MEMBERFILE OUTFOLDER\n", argv[0]);
    return 2;
  }
  const std::string album = argv[1], member = argv[4], out = argv[5];
  varimo::TTrackItem track;
  track.FileName = "Album\\member.mp3";
  track.StartPos = std::atoi(argv[2]);
  track.EndPos = std::atoi(argv[3]);
  const double bytes = double(track.EndPos - track.StartPos);
  std::unique_ptr<varimo::IFiles> files = varimo::MakeSystemFiles();
  const double extract =
      Seconds([&] { return varimo::ExtractTrack(*files, album, track, out).Ok; });
  const std::string copy = out + "\\copy.bin";
  const double system =
      Seconds([&] { return CopyFileA(member.c_str(), copy.c_str(), FALSE) != 0; });
  if (extract <= 0 || system <= 0) {
    std::printf("a copy failed\n");
    return 1;
  }
  std::printf("extraction %.1f ms (%.0f MB/s), system copy %.1f ms (%.0f MB/s): %.0f%%\n",
              extract * 1000, bytes / extract / 1e6, system * 1000, bytes / system / 1e6,
              100 * system / extract);
  return 0;
}
