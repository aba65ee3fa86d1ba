// LoadAlbum over real files with a warm page cache: 200 stored members of 5 MB each, written
// sparse, so the album is about 1 GB on disk but costs almost nothing to make. The Network
// variants charge each OS read 1 ms, as a file on a network share costs: their time is the
// measured time plus that charge, counted through the files port, not slept.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/album.h"
#include "support/id3_builder.h"
#include "support/mpeg_builder.h"

namespace varimo {
namespace {

constexpr int kMembers = 200;
constexpr uint32_t kMemberSize = 5 * 1000 * 1000;

class SparseWriter {
 public:
  explicit SparseWriter(const std::string& path)
      : fd_(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644)) {}
  ~SparseWriter() {
    if (::ftruncate(fd_, pos_) != 0) std::perror("ftruncate");
    ::close(fd_);
  }
  void Put(const std::vector<uint8_t>& bytes) {
    if (::pwrite(fd_, bytes.data(), bytes.size(), pos_) != static_cast<ssize_t>(bytes.size())) {
      std::perror("pwrite");
    }
    pos_ += static_cast<off_t>(bytes.size());
  }
  void Skip(off_t n) { pos_ += n; }
  off_t Pos() const { return pos_; }

 private:
  int fd_;
  off_t pos_ = 0;
};

void PutLE(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A member: a small ID3v2 tag, the first frame header, sparse audio, an ID3v1 block.
void PutMember(SparseWriter& w, int index) {
  std::vector<uint8_t> head =
      ID3v2Builder(3).Text("TIT2", "Track " + std::to_string(index)).Text("TPE1", "Bench").Build();
  auto frame = MpegHeaderBytes({});
  head.insert(head.end(), frame.begin(), frame.end());
  w.Put(head);
  w.Skip(kMemberSize - head.size() - 128);
  w.Put(BuildID3v1({"Track", "Bench", "Album", "2026", "", 1, 0}));
}

std::string MakeZip() {
  std::string path = "/tmp/varimo_bench_album.zip";
  SparseWriter w(path);
  for (int i = 0; i < kMembers; ++i) {
    std::string name = "Album/" + std::to_string(i) + ".mp3";
    std::vector<uint8_t> h = {'P', 'K', 3, 4};
    PutLE(h, 10, 2), PutLE(h, 0, 2), PutLE(h, 0, 2), PutLE(h, 0, 4), PutLE(h, 0, 4);
    PutLE(h, kMemberSize, 4), PutLE(h, kMemberSize, 4), PutLE(h, name.size(), 2), PutLE(h, 0, 2);
    h.insert(h.end(), name.begin(), name.end());
    w.Put(h);
    PutMember(w, i);
  }
  w.Put({'P', 'K', 5, 6});
  return path;
}

std::string MakeLha() {
  std::string path = "/tmp/varimo_bench_album.lzh";
  SparseWriter w(path);
  for (int i = 0; i < kMembers; ++i) {
    std::string name = std::to_string(i) + ".mp3";
    uint32_t nameHeader = static_cast<uint32_t>(3 + name.size());
    std::vector<uint8_t> h;
    PutLE(h, 26 + nameHeader, 2);
    for (char c : std::string("-lh0-")) h.push_back(static_cast<uint8_t>(c));
    PutLE(h, kMemberSize, 4), PutLE(h, kMemberSize, 4), PutLE(h, 0, 4);
    h.push_back(0x20), h.push_back(2), PutLE(h, 0, 2), h.push_back('U');
    PutLE(h, nameHeader, 2);
    h.push_back(1);
    h.insert(h.end(), name.begin(), name.end());
    PutLE(h, 0, 2);
    w.Put(h);
    PutMember(w, i);
  }
  w.Put({0});
  return path;
}

void PutSyncsafe(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 21; shift >= 0; shift -= 7)
    out.push_back(static_cast<uint8_t>((v >> shift) & 0x7F));
}

std::string MakePack() {
  std::string path = "/tmp/varimo_bench_album.pack";
  std::vector<uint8_t> entries;
  std::vector<std::string> names;
  size_t textBytes = 0;
  for (int i = 0; i < kMembers; ++i) {
    names.push_back(std::to_string(i) + ".mp3");
    textBytes += 4 + names.back().size() + 1 + 6 + 8;
  }
  uint32_t directorySize = static_cast<uint32_t>(12 + 5 + textBytes + 4);
  std::vector<uint8_t> dir = {'P', 'a', 'c', 'k'};
  PutSyncsafe(dir, directorySize);
  dir.push_back(kMembers / 128), dir.push_back(kMembers % 128), dir.push_back(0), dir.push_back(1);
  for (char c : std::string("Pack")) dir.push_back(static_cast<uint8_t>(c));
  dir.push_back(0);
  for (int i = 0; i <= kMembers; ++i) {
    uint32_t offset = directorySize + static_cast<uint32_t>(i) * kMemberSize;
    for (int shift = 24; shift >= 0; shift -= 8)
      dir.push_back(static_cast<uint8_t>(offset >> shift));
    if (i == kMembers) break;
    for (const char* text : {names[i].c_str(), "Bench", "Title 1"}) {
      dir.insert(dir.end(), text, text + std::strlen(text) + 1);
    }
  }
  SparseWriter w(path);
  w.Put(dir);
  for (int i = 0; i < kMembers; ++i) PutMember(w, i);
  return path;
}

void LoadAlbumBench(benchmark::State& state, std::string (*make)(), int32_t kind) {
  std::string path = make();
  std::unique_ptr<IFiles> files = MakeSystemFiles();
  uint64_t reads = 0;
  for (auto _ : state) {
    TAlbumState album;
    int32_t top = 0;
    files->Counters() = {};
    LoadAlbum(album, *files, path, {}, top);
    reads = files->Counters().Reads;
    if (album.AlbumKind != kind || album.Tracks.size() != kMembers) {
      state.SkipWithError("the album did not load whole");
      break;
    }
  }
  state.counters["os_reads_per_member"] = static_cast<double>(reads) / kMembers;
  std::remove(path.c_str());
}

constexpr double kSecondsPerNetworkRead = 0.001;

void LoadAlbumOverNetworkBench(benchmark::State& state, std::string (*make)(), int32_t kind) {
  std::string path = make();
  std::unique_ptr<IFiles> files = MakeSystemFiles();
  uint64_t reads = 0;
  for (auto _ : state) {
    TAlbumState album;
    int32_t top = 0;
    files->Counters() = {};
    const auto start = std::chrono::steady_clock::now();
    LoadAlbum(album, *files, path, {}, top);
    const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
    reads = files->Counters().Reads;
    state.SetIterationTime(spent.count() + static_cast<double>(reads) * kSecondsPerNetworkRead);
    if (album.AlbumKind != kind || album.Tracks.size() != kMembers) {
      state.SkipWithError("the album did not load whole");
      break;
    }
  }
  state.counters["os_reads"] = static_cast<double>(reads);
  std::remove(path.c_str());
}

BENCHMARK_CAPTURE(LoadAlbumBench, Zip200, MakeZip, kAlbumZip)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadAlbumBench, Lha200, MakeLha, kAlbumLha)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadAlbumBench, Pack200, MakePack, kAlbumPack)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadAlbumOverNetworkBench, Zip200, MakeZip, kAlbumZip)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadAlbumOverNetworkBench, Lha200, MakeLha, kAlbumLha)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadAlbumOverNetworkBench, Pack200, MakePack, kAlbumPack)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace varimo
