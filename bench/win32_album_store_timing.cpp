// The albums' store kept with a thousand albums through the plug-in's own Windows replace, in
// the current folder: the store's replace (the new file flushed, the move left to the system)
// against the settings file's (the move written through as well), taken in turns, and the
// text alone; the median of 101 runs each after one to warm up, timed with the performance
// counter. Usage: win32_album_store_timing
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/album_memory.h"
#include "platform/atomic_file.h"

namespace {

using varimo::TAlbumRecord;

TAlbumRecord Album(int i, int32_t current) {
  return TAlbumRecord{"D:\\Music\\Artist " + std::to_string(i % 97) + "\\Album " +
                          std::to_string(i) + " (2026) [Deluxe Edition].zip",
                      80000000 + i, 12, "110111101111", current, 70000};
}

double Now() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return double(now.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main() {
  varimo::AlbumMemory memory;
  std::vector<TAlbumRecord> kept;
  for (int i = 0; i < 1000; ++i) kept.push_back(Album(i, 1));
  memory.Reset(kept);
  std::unique_ptr<varimo::IFileReplacer> replacer = varimo::MakeSystemFileReplacer();
  const std::string path = "gen_Varimo.albums";
  std::vector<double> lazy, durable, text;
  for (int run = 0; run < 204; ++run) {
    const double start = Now();
    memory.Remember(Album(run % 1000, run % 12));
    const std::string bytes = varimo::FormatAlbumRecords(memory.Records());
    const double formatted = Now();
    const bool store = run % 2 == 0;
    if (!(store ? replacer->ReplaceLazily(path, bytes) : replacer->Replace(path, bytes))) {
      std::printf("the store could not be written\n");
      return 1;
    }
    const double end = Now();
    if (run < 2) continue;
    (store ? lazy : durable).push_back(end - start);
    text.push_back(formatted - start);
  }
  DeleteFileA(path.c_str());
  std::printf("album store, 1000 albums: %.3f ms (the settings file's replace: %.3f ms; "
              "the record and the text: %.3f ms)\n",
              Median(lazy), Median(durable), Median(text));
  return 0;
}
