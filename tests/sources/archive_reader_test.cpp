#include "sources/archive_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <map>
#include <ostream>

#include "fakes/memory_files.h"
#include "sources/bytes.h"
#include "support/container_builder.h"

namespace varimo {
namespace {

using Bytes = std::vector<uint8_t>;
using Patch = std::function<void(Bytes&)>;
using Reader = void (*)(TTrackList&, FileReader&);

struct Entry {
  std::string FileName;
  std::string Title;
  int32_t StartPos;
  int32_t EndPos;
  bool operator==(const Entry& o) const {
    return FileName == o.FileName && Title == o.Title && StartPos == o.StartPos &&
           EndPos == o.EndPos;
  }
};

std::ostream& operator<<(std::ostream& os, const Entry& e) {
  return os << "{" << e.FileName << ", " << e.Title << ", " << e.StartPos << ", " << e.EndPos
            << "}";
}

std::vector<Entry> EntriesOf(const TTrackList& tracks) {
  std::vector<Entry> entries;
  for (const TTrackItem& t : tracks) entries.push_back({t.FileName, t.Title, t.StartPos, t.EndPos});
  return entries;
}

std::vector<Entry> Walk(Reader read, IFile& file, int64_t start) {
  FileReader reader(file);
  reader.Seek(start);
  TTrackList tracks;
  read(tracks, reader);
  return EntriesOf(tracks);
}

std::vector<Entry> Walk(Reader read, const Bytes& bytes, int64_t start = 0) {
  TIoCounters counters;
  auto file = OpenMemoryFile(bytes.data(), bytes.size(), counters);
  return Walk(read, *file, start);
}

Bytes Data(size_t size) {
  return Bytes(size, 0x55);
}

Patch CutAt(size_t size) {
  return [size](Bytes& b) { b.resize(size); };
}

Patch PutLE(size_t at, uint32_t value, int bytes) {
  return [=](Bytes& b) {
    for (int i = 0; i < bytes; ++i) b[at + i] = static_cast<uint8_t>(value >> (8 * i));
  };
}

// A file of any size that reads as zeros except where chunks are planted, for walks that
// reach past 2 GiB without holding that much memory.
class SparseFile : public IFile {
 public:
  SparseFile(int64_t size, std::map<int64_t, Bytes> chunks)
      : size_(size), chunks_(std::move(chunks)) {}

  size_t Read(void* dst, size_t count) override {
    size_t n =
        position_ >= size_ ? 0 : static_cast<size_t>(std::min<int64_t>(count, size_ - position_));
    auto* out = static_cast<uint8_t*>(dst);
    std::fill(out, out + n, 0);
    for (const auto& [at, bytes] : chunks_) {
      int64_t from = std::max(at, position_);
      int64_t to = std::min<int64_t>(at + static_cast<int64_t>(bytes.size()), position_ + n);
      for (int64_t i = from; i < to; ++i) out[i - position_] = bytes[i - at];
    }
    position_ += static_cast<int64_t>(n);
    return n;
  }
  size_t Write(const void*, size_t) override { return 0; }
  bool Seek(int64_t position) override {
    position_ = position;
    return true;
  }
  int64_t Position() const override { return position_; }
  int64_t Size() const override { return size_; }

 private:
  int64_t size_;
  std::map<int64_t, Bytes> chunks_;
  int64_t position_ = 0;
};

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

TEST(ZipReader, ListsStoredMembersAfterHeaderNameAndExtraField) {
  // "zip -0" local headers: 30 bytes, the name, 28 bytes of extra field, the data.
  std::vector<ZipMemberSpec> members = {
      {"Album/01 Intro.mp3", Data(100), false, InfoZipExtra()},
      {"Album/02 Song.mp3", Data(200), false, InfoZipExtra()},
      {"Album/03 Outro.mp3", Data(300), false, InfoZipExtra()},
  };
  Bytes zip = BuildZip(members);
  Bytes tagged(4096, 0);
  tagged.insert(tagged.end(), zip.begin(), zip.end());
  for (int32_t base : {0, 4096}) {
    EXPECT_EQ(Walk(ReadZipDirectory, base ? tagged : zip, base),
              (std::vector<Entry>{{"Album/01 Intro.mp3", "01 Intro", base + 76, base + 176},
                                  {"Album/02 Song.mp3", "02 Song", base + 251, base + 451},
                                  {"Album/03 Outro.mp3", "03 Outro", base + 527, base + 827}}))
        << "base " << base;
  }
}

TEST(ZipReader, WalkGoesOnOrStopsByWhatFollowsEachMember) {
  // Members "a.mp3" etc. without extra field: 35 header bytes, then 10 bytes of data.
  auto member = [](const char* name, ZipDescriptor descriptor = ZipDescriptor::kNone,
                   bool sizesInHeader = false) {
    ZipMemberSpec m{name, Data(10)};
    m.Descriptor = descriptor;
    m.SizesInLocalHeader = sizesInHeader;
    return m;
  };
  const auto kSigned = ZipDescriptor::kWithSignature;
  const auto kUnsigned = ZipDescriptor::kWithoutSignature;
  ZipMemberSpec deflated = member("b.mp3");
  deflated.Deflate = true;
  ZipMemberSpec withExtra = member("b.mp3");
  withExtra.Extra = InfoZipExtra();
  struct Case {
    const char* what;
    std::vector<ZipMemberSpec> members;
    Patch patch;
    std::vector<Entry> expected;
  } cases[] = {
      {"folder first",
       {{"Album/"}, member("Album/a.mp3"), member("Album/b.mp3")},
       nullptr,
       {{"Album/a.mp3", "a", 77, 87}, {"Album/b.mp3", "b", 128, 138}}},
      {"empty member passed over",
       {member("a.mp3"), {"e.mp3"}, member("c.mp3")},
       nullptr,
       {{"a.mp3", "a", 35, 45}, {"c.mp3", "c", 115, 125}}},
      {"descriptor with sizes 0 in the header: stops in the data",
       {member("a.mp3", kSigned), member("b.mp3", kSigned)},
       nullptr,
       {}},
      {"descriptor with signature after sized members",
       {member("a.mp3", kSigned, true), member("b.mp3", kSigned, true),
        member("c.mp3", kSigned, true)},
       nullptr,
       {{"a.mp3", "a", 35, 45}, {"b.mp3", "b", 96, 106}, {"c.mp3", "c", 157, 167}}},
      {"descriptor without signature after sized members",
       {member("a.mp3", kUnsigned, true), member("b.mp3", kUnsigned, true),
        member("c.mp3", kUnsigned, true)},
       nullptr,
       {{"a.mp3", "a", 35, 45}, {"b.mp3", "b", 92, 102}, {"c.mp3", "c", 149, 159}}},
      {"deflated member listed like a stored one",
       {member("a.mp3"), deflated, member("c.mp3")},
       nullptr,
       {{"a.mp3", "a", 35, 45}, {"b.mp3", "b", 80, 90}, {"c.mp3", "c", 125, 135}}},
      {"second header cut inside its name",
       {member("a.mp3"), member("b.mp3")},
       CutAt(45 + 33),
       {{"a.mp3", "a", 35, 45}}},
      {"second header cut inside its extra field",
       {member("a.mp3"), withExtra},
       CutAt(100),
       {{"a.mp3", "a", 35, 45}}},
      {"member ending past 2 GiB",
       {member("a.mp3"), member("b.mp3")},
       PutLE(45 + 18, kMax - 50, 4),
       {{"a.mp3", "a", 35, 45}}},
  };
  for (const Case& c : cases) {
    Bytes zip = BuildZip(c.members);
    if (c.patch) c.patch(zip);
    EXPECT_EQ(Walk(ReadZipDirectory, zip), c.expected) << c.what;
  }
}

TEST(ZipReader, TitleDropsFoldersAndExtension) {
  struct Case {
    std::string name;
    std::string title;
  } cases[] = {
      {"Album/01 Intro.mp3", "01 Intro"},
      {"Live.2001/Intro", "Live"},
      {"C:\\Music\\Track.mp3", "Track"},
      {"Disc:Track.mp3", "Track"},
      {"dir\\sub/x.y.mp3", "x.y"},
      {"NoExtension", "NoExtension"},
      {".mp3", ""},
      {"", ""},
      // 0x83 0x5C and 0x95 0x5C are double-byte characters whose second byte is "\".
      {"\x83\x5C\x83\x74\x83\x67.mp3", "\x83\x5C\x83\x74\x83\x67"},
      {"CD1\\\x95\x5C\x8E\x86.mp3", "\x95\x5C\x8E\x86"},
  };
  for (const Case& c : cases) EXPECT_EQ(ZipTitleFromName(c.name), c.title) << c.name;
}

TEST(LhaReader, WalkListsStoredMembersUntilAHeaderItCannotTake) {
  // With the common header first a level-2 header is 39 bytes: 26 fixed, common header 5,
  // name header 8; each member has 10 bytes of data.
  auto member = [](const char* name, const char* method = "-lh0-") {
    LhaMemberSpec m{name, Data(10), method};
    m.Before = {LhaCommonHeader()};
    return m;
  };
  LhaMemberSpec nameless = member("");
  nameless.NameHeader = false;
  LhaMemberSpec nameOnly = member("a.mp3");
  nameOnly.Before.clear();
  // The older levels carry enough data that their first bytes, misread as a header size,
  // would still find a whole header in the file.
  LhaMemberSpec level0 = member("b.mp3");
  level0.Level = 0;
  level0.Data = Data(70000);
  LhaMemberSpec level1 = member("a.mp3");
  level1.Level = 1;
  level1.Data = Data(70000);
  struct Case {
    const char* what;
    std::vector<LhaMemberSpec> members;
    Patch patch;
    std::vector<Entry> expected;
  } cases[] = {
      {"three stored, common header before the name",
       {member("a.mp3"), member("b.mp3"), member("c.mp3")},
       nullptr,
       {{"a.mp3", "a.mp3", 39, 49}, {"b.mp3", "b.mp3", 88, 98}, {"c.mp3", "c.mp3", 137, 147}}},
      {"third compressed",
       {member("a.mp3"), member("b.mp3"), member("c.mp3", "-lh5-")},
       nullptr,
       {{"a.mp3", "a.mp3", 39, 49}, {"b.mp3", "b.mp3", 88, 98}}},
      {"first compressed", {member("a.mp3", "-lh5-"), member("b.mp3")}, nullptr, {}},
      {"name header alone", {nameOnly}, nullptr, {{"a.mp3", "a.mp3", 34, 44}}},
      {"no name header", {nameless}, nullptr, {{"", "", 31, 41}}},
      {"level-0 header stops",
       {member("a.mp3"), level0, member("c.mp3")},
       nullptr,
       {{"a.mp3", "a.mp3", 39, 49}}},
      {"level-1 header first", {level1, member("b.mp3")}, nullptr, {}},
      {"header size below the fixed part", {member("a.mp3")}, PutLE(0, 25, 2), {}},
      {"extended area cut short",
       {member("a.mp3"), member("b.mp3")},
       CutAt(49 + 30),
       {{"a.mp3", "a.mp3", 39, 49}}},
      {"first size reaching outside the area",
       {member("a.mp3"), member("b.mp3")},
       PutLE(24, 0xFFFF, 2),
       {{"", "", 39, 49}, {"b.mp3", "b.mp3", 88, 98}}},
      {"next size too small for a header", {member("a.mp3")}, PutLE(29, 1, 2), {{"", "", 39, 49}}},
      {"member ending past 2 GiB",
       {member("a.mp3"), member("b.mp3")},
       PutLE(49 + 7, kMax - 60, 4),
       {{"a.mp3", "a.mp3", 39, 49}}},
  };
  for (const Case& c : cases) {
    Bytes lha = BuildLha(c.members);
    if (c.patch) c.patch(lha);
    EXPECT_EQ(Walk(ReadLhaDirectory, lha), c.expected) << c.what;
  }
}

TEST(ArchiveReaders, StopBeforeAMemberStartingPast2GiB) {
  // The first member's data ends 16 bytes short of 2 GiB; the next header's data would
  // start past it.
  const int64_t second = kMax - 15;
  Bytes zipFirst = BuildZip({{"a.mp3"}});
  zipFirst.resize(35);
  PutLE(18, static_cast<uint32_t>(second - 35), 4)(zipFirst);
  Bytes zipSecond = BuildZip({{"b.mp3", Data(10)}});
  SparseFile zip(second + 100, {{0, zipFirst}, {second, zipSecond}});
  EXPECT_EQ(Walk(ReadZipDirectory, zip, 0),
            (std::vector<Entry>{{"a.mp3", "a", 35, static_cast<int32_t>(second)}}));

  LhaMemberSpec first{"a.mp3"};
  first.Before = {LhaCommonHeader()};
  Bytes lhaFirst = BuildLha({first});
  lhaFirst.resize(39);
  PutLE(7, static_cast<uint32_t>(second - 39), 4)(lhaFirst);
  SparseFile lha(second + 100, {{0, lhaFirst}, {second, BuildLha({{"b.mp3", Data(10)}})}});
  EXPECT_EQ(Walk(ReadLhaDirectory, lha, 0),
            (std::vector<Entry>{{"a.mp3", "a.mp3", 39, static_cast<int32_t>(second)}}));
}

TEST(ArchiveReaders, PassOverMemberDataWithoutReadingIt) {
  const size_t kMember = 1 << 20;
  Bytes zip =
      BuildZip({{"a.mp3", Data(kMember)}, {"b.mp3", Data(kMember)}, {"c.mp3", Data(kMember)}});
  Bytes lha =
      BuildLha({{"a.mp3", Data(kMember)}, {"b.mp3", Data(kMember)}, {"c.mp3", Data(kMember)}});
  struct Case {
    const char* what;
    Reader read;
    const Bytes& bytes;
  } cases[] = {{"ZIP", ReadZipDirectory, zip}, {"LHA", ReadLhaDirectory, lha}};
  for (const Case& c : cases) {
    TIoCounters counters;
    auto file = OpenMemoryFile(c.bytes.data(), c.bytes.size(), counters);
    EXPECT_EQ(Walk(c.read, *file, 0).size(), 3u) << c.what;
    // A window of the buffered reader per header at most, against 3 MiB of data.
    EXPECT_LE(counters.BytesRead, 4 * FileReader::kDefaultWindow) << c.what;
  }
}

}  // namespace
}  // namespace varimo
