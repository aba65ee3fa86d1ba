#include "sources/pack_reader.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>

#include "fakes/memory_files.h"
#include "support/container_builder.h"

namespace varimo {
namespace {

struct Entry {
  std::string FileName;
  std::string Artist;
  std::string Title;
  int32_t StartPos;
  int32_t EndPos;
  bool operator==(const Entry& o) const {
    return FileName == o.FileName && Artist == o.Artist && Title == o.Title &&
           StartPos == o.StartPos && EndPos == o.EndPos;
  }
};

std::ostream& operator<<(std::ostream& os, const Entry& e) {
  return os << "{" << e.FileName << ", " << e.Artist << ", " << e.Title << ", " << e.StartPos
            << ", " << e.EndPos << "}";
}

std::vector<Entry> EntriesOf(const TTrackList& tracks) {
  std::vector<Entry> entries;
  for (const TTrackItem& t : tracks) {
    entries.push_back({t.FileName, t.Artist, t.Title, t.StartPos, t.EndPos});
  }
  return entries;
}

// Three members of 100, 200 and 50 bytes. The directory is 87 bytes: header 12, comment
// "MusicPack" 10, entries 24, 24 and 13, end offset 4.
PackSpec ThreeMembers() {
  PackSpec spec;
  spec.Members = {{"01.mp3", "Artist A", "One", std::vector<uint8_t>(100, 0x11)},
                  {"02.mp3", "Artist B", "Two", std::vector<uint8_t>(200, 0x22)},
                  {"03.mp3", "", "", std::vector<uint8_t>(50, 0x33)}};
  return spec;
}

std::vector<Entry> ThreeMemberEntries(int32_t base) {
  return {{"01.mp3", "Artist A", "One", base + 87, base + 187},
          {"02.mp3", "Artist B", "Two", base + 187, base + 387},
          {"03.mp3", "", "", base + 387, base + 437}};
}

// An ID3v2 tag of 4096 bytes in all: 10-byte header, size 4086 synchsafe, padding.
std::vector<uint8_t> Tag4096() {
  std::vector<uint8_t> tag = {'I', 'D', '3', 3, 0, 0, 0x00, 0x00, 0x1F, 0x76};
  tag.resize(4096, 0);
  return tag;
}

// The album build's sequence: size at the header, that many bytes, then the parse.
TTrackList LoadPack(const std::vector<uint8_t>& file, int32_t base) {
  TIoCounters counters;
  auto handle = OpenMemoryFile(file.data(), file.size(), counters);
  FileReader reader(*handle);
  reader.Seek(base);
  std::vector<uint8_t> directory = reader.ReadBytes(GetPackDirectorySize(reader));
  TTrackList tracks;
  ReadPackDirectory(tracks, directory.data(), directory.size(), base);
  return tracks;
}

TEST(PackReader, ListsMembersAtOffsetsFromTheHeader) {
  struct Case {
    const char* what;
    bool tagged;
    bool bigEndian;
  } cases[] = {
      {"no tag, synchsafe offsets", false, false},
      {"4096-byte tag, synchsafe offsets", true, false},
      {"no tag, big-endian offsets", false, true},
      {"4096-byte tag, big-endian offsets", true, true},
  };
  for (const Case& c : cases) {
    PackSpec spec = ThreeMembers();
    spec.BigEndianOffsets = c.bigEndian;
    if (c.tagged) spec.Leading = Tag4096();
    int32_t base = c.tagged ? 4096 : 0;
    TTrackList tracks = LoadPack(BuildPack(spec), base);
    EXPECT_EQ(EntriesOf(tracks), ThreeMemberEntries(base)) << c.what;
    for (const TTrackItem& t : tracks) {
      EXPECT_TRUE(t.Album.empty() && t.Track.empty() && t.Year.empty() && t.Time.empty());
      EXPECT_EQ(t.StartMS, 0);
      EXPECT_EQ(t.Mark, 0);
    }
  }
}

TEST(PackReader, OffsetFormFollowsFlagBitZero) {
  // One member "a" with empty artist and title at offset 200, ending at 272.
  struct Case {
    uint8_t flags;
    std::vector<uint8_t> offset;
    std::vector<uint8_t> end;
  } cases[] = {
      {0x00, {0x00, 0x00, 0x01, 0x48}, {0x00, 0x00, 0x02, 0x10}},
      {0x01, {0x00, 0x00, 0x00, 0xC8}, {0x00, 0x00, 0x01, 0x10}},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> dir = {'P', 'a', 'c', 'k', 0, 0, 0, 25, 0, 1, 0, c.flags, 0};
    dir.insert(dir.end(), c.offset.begin(), c.offset.end());
    dir.insert(dir.end(), {'a', 0, 0, 0});
    dir.insert(dir.end(), c.end.begin(), c.end.end());
    TTrackList tracks;
    ReadPackDirectory(tracks, dir.data(), dir.size(), 0);
    EXPECT_EQ(EntriesOf(tracks), (std::vector<Entry>{{"a", "", "", 200, 272}}))
        << "flags " << int{c.flags};
  }
}

TEST(PackReader, MemberCountIsHighByteTimes128PlusLowByte) {
  PackSpec spec;
  for (int i = 0; i < 200; ++i) spec.Members.push_back({std::to_string(i), "", "", {0}});
  std::vector<uint8_t> dir = BuildPackDirectory(spec);
  // Count bytes 0x01 0x05 list the first 133 of the 200 entries.
  dir[8] = 0x01;
  dir[9] = 0x05;
  TTrackList tracks;
  ReadPackDirectory(tracks, dir.data(), dir.size(), 0);
  ASSERT_EQ(tracks.size(), 133u);
  EXPECT_EQ(tracks.back().FileName, "132");
  EXPECT_EQ(tracks.back().EndPos, tracks.back().StartPos + 1);

  dir[8] = 0x00;
  dir[9] = 0x00;
  tracks.clear();
  ReadPackDirectory(tracks, dir.data(), dir.size(), 0);
  EXPECT_TRUE(tracks.empty());
}

TEST(PackReader, ShortDirectoryEndsWithTheLastEntryWhoseEndWasRead) {
  // Byte layout of the 87-byte directory: member offsets at 22, 46 and 70, their texts
  // after each, the end offset at 83.
  std::vector<uint8_t> dir = BuildPackDirectory(ThreeMembers());
  ASSERT_EQ(dir.size(), 87u);
  std::vector<Entry> all = ThreeMemberEntries(0);
  struct Case {
    size_t count;
    size_t kept;
  } cases[] = {
      {87, 3},  // complete
      {85, 2},  // end offset cut: the last member's end is unknown
      {80, 2},  // third name cut after its offset was read: that offset ends the second
      {72, 1},  // third offset cut: the second member's end is unknown
      {46, 0},  // second offset missing
      {20, 0},  // inside the text after the header
      {11, 0},  // header incomplete
  };
  for (const Case& c : cases) {
    TTrackList tracks;
    ReadPackDirectory(tracks, dir.data(), c.count, 0);
    EXPECT_EQ(EntriesOf(tracks), std::vector<Entry>(all.begin(), all.begin() + c.kept))
        << "count " << c.count;
  }

  // A file that ends inside its directory gives what was read, not what the header states.
  std::vector<uint8_t> file = BuildPack(ThreeMembers());
  file.resize(80);
  EXPECT_EQ(EntriesOf(LoadPack(file, 0)), std::vector<Entry>(all.begin(), all.begin() + 2));
}

TEST(PackReader, PositionsOutsideTheTrackRangeEndTheList) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  struct Case {
    const char* what;
    int32_t base;
    bool bigEndian;
    std::vector<uint8_t> secondOffset;  // replaces the bytes at 46, when given
    std::vector<Entry> expected;
  } cases[] = {
      {"third start past 2 GiB",
       kMax - 200,
       false,
       {},
       {{"01.mp3", "Artist A", "One", kMax - 113, kMax - 13}}},
      {"negative big-endian offset", 0, true, {0xFF, 0xFF, 0xFF, 0x00}, {}},
      {"synchsafe byte 0x80 reads negative", 0, false, {0x80, 0x00, 0x00, 0x00}, {}},
      {"offsets that do not increase stay listed",
       4096,
       true,
       {0xFF, 0xFF, 0xFF, 0x00},
       {{"01.mp3", "Artist A", "One", 4183, 3840},
        {"02.mp3", "Artist B", "Two", 3840, 4483},
        {"03.mp3", "", "", 4483, 4533}}},
  };
  for (const Case& c : cases) {
    PackSpec spec = ThreeMembers();
    spec.BigEndianOffsets = c.bigEndian;
    std::vector<uint8_t> dir = BuildPackDirectory(spec);
    std::copy(c.secondOffset.begin(), c.secondOffset.end(), dir.begin() + 46);
    TTrackList tracks;
    ReadPackDirectory(tracks, dir.data(), dir.size(), c.base);
    EXPECT_EQ(EntriesOf(tracks), c.expected) << c.what;
  }
}

TEST(PackReader, DirectorySizeComesFromTheHeaderAndLeavesThePosition) {
  std::vector<uint8_t> tagged = Tag4096();
  std::vector<uint8_t> pack = BuildPack(ThreeMembers());
  tagged.insert(tagged.end(), pack.begin(), pack.end());
  struct Case {
    const char* what;
    std::vector<uint8_t> file;
    int64_t position;
    int32_t expected;
  } cases[] = {
      {"at the start", pack, 0, 87},
      {"after a tag", tagged, 4096, 87},
      {"size 200", {'P', 'a', 'c', 'k', 0x00, 0x00, 0x01, 0x48, 0, 0, 0, 0}, 0, 200},
      {"header cut short", {'P', 'a', 'c', 'k', 0x00, 0x00, 0x01, 0x48, 0, 0, 0}, 0, 0},
      {"malformed size reads as 0", {'P', 'a', 'c', 'k', 0x80, 0x00, 0x00, 0x00, 0, 0, 0, 0}, 0, 0},
  };
  for (const Case& c : cases) {
    TIoCounters counters;
    auto handle = OpenMemoryFile(c.file.data(), c.file.size(), counters);
    FileReader reader(*handle);
    reader.Seek(c.position);
    EXPECT_EQ(GetPackDirectorySize(reader), c.expected) << c.what;
    EXPECT_EQ(reader.Position(), c.position) << c.what;
  }
}

}  // namespace
}  // namespace varimo
