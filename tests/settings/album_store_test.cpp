#include "settings/album_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "memory_replacer.h"
#include "settings/ini_file.h"

namespace varimo {
namespace {

constexpr char kStore[] = "C:\\Winamp\\Plugins\\gen_Varimo.albums";
constexpr char kBad[] = "C:\\Winamp\\Plugins\\gen_Varimo.albums.bad";

TAlbumRecord Record(std::string path, int32_t current = 1, int32_t position = 70000) {
  return TAlbumRecord{std::move(path), 123456, 4, "1010", current, position};
}

// Paths are the host's bytes: whatever they hold comes back the same.
TEST(AlbumStore, RecordsRoundTripWithAnyBytesInTheirPaths) {
  const std::vector<std::string> paths = {
      "C:\\Music\\plain.zip",
      "C:\\a]b\\[Album]\\x=y.zip",
      std::string("C:\\line\r\nbreak\\Path=evil.zip"),
      "C:\\100%25 done %zz.zip",
      " C:\\blank at both ends ",
      std::string("C:\\\x95\x5C\x83\x5D\\sjis.zip"),  // Shift-JIS with '\' and ']' trail bytes
      std::string("C:\\nul\0inside", 13),
      std::string("\x7F\x01\t"),
  };
  std::vector<TAlbumRecord> records;
  for (const std::string& path : paths) records.push_back(Record(path));
  records.push_back({"C:\\stopped.zip", 0, 1, "0", 0, -1});
  const std::string text = FormatAlbumRecords(records);
  // One line per field: no path brings its own line break or section into the file.
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 7 * 9);
  const auto parsed = ParseAlbumRecords(text);
  ASSERT_TRUE(parsed.has_value());
  EXPECT_EQ(*parsed, records);
}

TEST(AlbumStore, TextThatIsNotAStoreIsRefused) {
  const std::string good = "[Album]\r\nPath=C:\\a.zip\r\nSize=10\r\nTracks=2\r\nDelete=01\r\n"
                           "No=1\r\nPosition=-1\r\n";
  ASSERT_TRUE(ParseAlbumRecords(good).has_value());
  EXPECT_TRUE(ParseAlbumRecords("").has_value());
  const std::vector<std::string> bad = {
      "garbage\x01\x02\xFF",
      "Path=C:\\a.zip\r\n",                                   // a field outside a section
      good + "[Album]\r\nPath=C:\\b.zip\r\n",                 // a record without its fields
      good.substr(0, good.find("Delete")) + "Delete=012\r\nNo=1\r\nPosition=-1\r\n",
      good.substr(0, good.find("Delete")) + "Delete=0x\r\nNo=1\r\nPosition=-1\r\n",
      good.substr(0, good.find("No=")) + "No=2\r\nPosition=-1\r\n",   // no such track
      good.substr(0, good.find("No=")) + "No=1\r\nPosition=12a\r\n",
      good + "Size=10\r\n",                                     // a field twice
      "[Album]\r\nPath=C:\\%4\r\nSize=10\r\nTracks=1\r\nDelete=1\r\nNo=0\r\nPosition=-1\r\n",
      "[Album]\r\nPath=C:\\a\r\nSize=10\r\nTracks=1\r\nDelete=1\r\nNo=0\r\nPosition=-1\r\nX=1\r\n",
  };
  for (const std::string& text : bad) EXPECT_FALSE(ParseAlbumRecords(text).has_value()) << text;
}

// The file as written: a section per record, the most recently used first, and as many
// records as fit in the limit.
TEST(AlbumStore, TheFileIsASectionPerRecordAndStaysWithinItsLimit) {
  EXPECT_EQ(FormatAlbumRecords({Record("C:\\100%.zip"), {"D:\\b\tc.mp3", 0, 1, "0", 0, -1}}),
            "[Album]\r\nPath=C:\\100%25.zip\r\nSize=123456\r\nTracks=4\r\nDelete=1010\r\n"
            "No=1\r\nPosition=70000\r\n"
            "[Album]\r\nPath=D:\\b%09c.mp3\r\nSize=0\r\nTracks=1\r\nDelete=0\r\nNo=0\r\n"
            "Position=-1\r\n");
  EXPECT_EQ(FormatAlbumRecords({}), "");
  // Paths of 1.1 MB: three fit in the 4 MB, the fourth and the small fifth give way.
  std::vector<TAlbumRecord> records;
  for (char c : std::string("abcd")) records.push_back(Record(std::string(1100000, c)));
  records.push_back(Record("C:\\small.zip"));
  const std::string text = FormatAlbumRecords(records);
  EXPECT_LE(static_cast<int64_t>(text.size()), kMaxAlbumStoreBytes);
  const auto parsed = ParseAlbumRecords(text);
  ASSERT_TRUE(parsed.has_value());
  EXPECT_EQ(*parsed, std::vector<TAlbumRecord>(records.begin(), records.begin() + 3));
}

// The store may lose its latest write at a power cut (it never syncs the folder); the
// settings file never does.
TEST(AlbumStore, OnlyTheStoreIsWrittenLazily) {
  MemoryFiles files;
  MemoryReplacer replacer(files);
  IniFile ini(files, replacer, "C:\\Winamp\\Plugins\\gen_Varimo.ini");
  ASSERT_TRUE(ini.WriteInteger("Option", "AlbumMemory", 1));
  EXPECT_EQ(std::make_pair(replacer.Replaces, replacer.LazyReplaces), std::make_pair(1, 0));
  AlbumStoreFile store(files, replacer, kStore);
  std::vector<TAlbumRecord> records;
  store.Load(records);
  ASSERT_TRUE(store.Save({Record("C:\\a.zip")}));
  EXPECT_EQ(std::make_pair(replacer.Replaces, replacer.LazyReplaces), std::make_pair(2, 1));
}

struct TLoadCase {
  const char* Name;
  bool Exists;
  std::string Bytes;
  AlbumStoreFile::TLoad Expected;
  size_t Records;
  bool SetAside;  // the old bytes are under the other name afterwards
};

// A store that cannot be read is never lost: garbled or too large it is set aside and the
// store starts afresh; what could not be moved is not written over.
TEST(AlbumStore, LoadKeepsWhatItCannotReadAndStartsAfresh) {
  const std::string good = FormatAlbumRecords({Record("C:\\a.zip"), Record("C:\\b.zip")});
  const std::vector<TLoadCase> cases = {
      {"missing", false, "", AlbumStoreFile::TLoad::kMissing, 0, false},
      {"good", true, good, AlbumStoreFile::TLoad::kLoaded, 2, false},
      {"garbled", true, "\x89PNG\r\n\x1A\n", AlbumStoreFile::TLoad::kSetAside, 0, true},
      {"too large", true, std::string(kMaxAlbumStoreBytes + 1, '\n'),
       AlbumStoreFile::TLoad::kSetAside, 0, true},
  };
  for (const TLoadCase& c : cases) {
    MemoryFiles files;
    MemoryReplacer replacer(files);
    PutFile(files, kBad, "an older one");
    if (c.Exists) PutFile(files, kStore, c.Bytes);
    AlbumStoreFile store(files, replacer, kStore);
    std::vector<TAlbumRecord> records;
    EXPECT_EQ(store.Load(records), c.Expected) << c.Name;
    EXPECT_EQ(records.size(), c.Records) << c.Name;
    EXPECT_EQ(FileText(files, kBad), c.SetAside ? c.Bytes : "an older one") << c.Name;
    EXPECT_TRUE(store.Writable()) << c.Name;
    ASSERT_TRUE(store.Save({Record("C:\\new.zip")})) << c.Name;
    EXPECT_EQ(*ParseAlbumRecords(FileText(files, kStore)),
              std::vector<TAlbumRecord>{Record("C:\\new.zip")}) << c.Name;
  }

  // Garbled, and the move aside fails: the file stays as it is for good.
  MemoryFiles files;
  MemoryReplacer replacer(files);
  PutFile(files, kStore, "garbled");
  replacer.Fail = true;
  AlbumStoreFile store(files, replacer, kStore);
  std::vector<TAlbumRecord> records;
  EXPECT_EQ(store.Load(records), AlbumStoreFile::TLoad::kUnreadable);
  replacer.Fail = false;
  EXPECT_FALSE(store.Save({Record("C:\\new.zip")}));
  EXPECT_EQ(FileText(files, kStore), "garbled");
  EXPECT_EQ(replacer.Replaces, 0);
  EXPECT_EQ(files.Find(kBad), nullptr);
}

}  // namespace
}  // namespace varimo
