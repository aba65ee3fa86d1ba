#include "engine/album_memory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/engine_rig.h"

namespace varimo {
namespace {

TAlbumRecord Kept(const std::string& path, int64_t size = 1000, int32_t count = 3) {
  return TAlbumRecord{path, size, count, std::string(count - 1, '1') + "0", 0, -1};
}

TEST(AlbumMemory, ARecordHoldsOnlyForTheSamePathSizeAndTrackCount) {
  struct TCase {
    const char* Path;
    int64_t Size;
    int32_t Count;
    bool Found;
  };
  const std::vector<TCase> cases = {
      {"C:\\a.zip", 1000, 3, true},
      {"C:\\A.zip", 1000, 3, false},  // the host's bytes, not a file system's folding
      {"C:\\a.zip", 1001, 3, false},
      {"C:\\a.zip", 1000, 4, false},
  };
  for (const TCase& c : cases) {
    AlbumMemory memory;
    memory.Reset({Kept("C:\\a.zip")});
    EXPECT_EQ(memory.Match(c.Path, c.Size, c.Count) != nullptr, c.Found) << c.Path << c.Size;
    // A record that no longer describes its file is gone, and the store has to know.
    const bool dropped = std::string(c.Path) == "C:\\a.zip" && !c.Found;
    EXPECT_EQ(memory.Size(), dropped ? 0u : 1u);
    EXPECT_EQ(memory.Changed, dropped);
  }
}

TEST(AlbumMemory, AThousandAlbumsAreKeptAndTheLeastRecentlyUsedGoesFirst) {
  AlbumMemory memory;
  std::vector<TAlbumRecord> read;
  for (int i = 0; i < 1200; ++i) read.push_back(Kept("C:\\" + std::to_string(i) + ".zip"));
  memory.Reset(read);
  ASSERT_EQ(memory.Size(), 1000u);  // the file's first thousand: the most recent
  EXPECT_NE(memory.Match("C:\\999.zip", 1000, 3), nullptr);
  EXPECT_EQ(memory.Match("C:\\1000.zip", 1000, 3), nullptr);
  // 0 was used lately (above: 999); a new album pushes out the least recent, 998.
  ASSERT_NE(memory.Match("C:\\0.zip", 1000, 3), nullptr);
  EXPECT_TRUE(memory.Remember(Kept("C:\\new.zip")));
  EXPECT_EQ(memory.Size(), 1000u);
  const std::vector<TAlbumRecord> records = memory.Records();
  EXPECT_EQ(records[0].Path, "C:\\new.zip");
  EXPECT_EQ(records[1].Path, "C:\\0.zip");
  EXPECT_EQ(records[2].Path, "C:\\999.zip");
  EXPECT_EQ(records.back().Path, "C:\\997.zip");
  EXPECT_EQ(memory.Match("C:\\998.zip", 1000, 3), nullptr);
  // The same record again changes nothing; an album as every build leaves it needs none.
  memory.Changed = false;
  EXPECT_FALSE(memory.Remember(Kept("C:\\new.zip")));
  EXPECT_FALSE(memory.Changed);
  EXPECT_TRUE(memory.Remember({"C:\\new.zip", 1000, 3, "111", 0, -1}));
  EXPECT_EQ(memory.Size(), 999u);
  EXPECT_FALSE(memory.Remember({"C:\\other.zip", 1000, 3, "111", 0, -1}));
}

class AlbumMemoryRig : public ::testing::Test {
 protected:
  void Start(const std::string& options) {
    rig.AddZipAlbum("C:\\A.zip", {20000, 20000, 90000, 20000, 20000});
    rig.AddZipAlbum("C:\\B.zip", {30000, 30000});
    rig.PutIni(options);
    rig.StartUp();
    rig.Host.Place(0, 0, kHostPlaying);
    rig.Run(1000);
  }
  // The host's own move to another entry, as a double click in its playlist makes it.
  void MoveTo(int32_t entry, int32_t positionMS) {
    rig.Host.Place(entry, positionMS, kHostPlaying);
    rig.Run(1000);
  }
  std::string Store() const { return FileText(rig.Disk, kRigAlbumsPath); }
  static std::string FileText(const MemoryFiles& files, const std::string& path) {
    const std::vector<uint8_t>* bytes = files.Find(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
  }
  EngineRig rig;
};

TEST_F(AlbumMemoryRig, ExclusionsComeBackWithTheirAlbumAndAreSkipped) {
  Start("[Option]\r\nAlbumMemory=1\r\n");
  ToggleExcluded(rig.Album().Tracks[1]);
  ToggleExcluded(rig.Album().Tracks[3]);
  MoveTo(1, 0);
  ASSERT_EQ(rig.Album().AlbumFile, "C:\\B.zip");
  EXPECT_FALSE(IsExcluded(rig.Album().Tracks[1]));
  EXPECT_NE(Store().find("Delete=10101"), std::string::npos) << Store();
  MoveTo(0, 0);
  ASSERT_EQ(rig.Album().AlbumFile, "C:\\A.zip");
  const std::vector<bool> expected = {false, true, false, true, false};
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(IsExcluded(rig.Album().Tracks[i]), expected[i]) << i;
  }
  // Playback skips both: from the first track's end straight to the third.
  const size_t mark = rig.Host.LogMark();
  rig.Run(20000);
  EXPECT_EQ(rig.Current(), 2);
  EXPECT_EQ(rig.Steering(mark), (std::vector<std::string>{"ipc:106:40000"}));

  // Quit and start again: the store brings the marks back, not [Window] Delete.
  ASSERT_TRUE(rig.ShutDown());
  EngineRig second;
  second.AddZipAlbum("C:\\A.zip", {20000, 20000, 90000, 20000, 20000});
  second.PutIni(rig.IniText());
  second.Disk.Add(kRigAlbumsPath, *rig.Disk.Find(kRigAlbumsPath));
  second.StartUp();
  second.Host.Place(0, 45000, kHostPlaying);
  second.Run(400);
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(IsExcluded(second.Album().Tracks[i]), expected[i]) << i;
  }
}

TEST_F(AlbumMemoryRig, ResumeComesBackToThePlaceAndMovesTheCorrectionsBase) {
  Start("[Option]\r\nAlbumMemory=1\r\nAlbumResume=1\r\n");
  rig.Host.Place(0, 40000 + 70000, kHostPlaying);  // track 3 at 1:10
  rig.Run(400);
  ASSERT_EQ(rig.Current(), 2);
  const int32_t left = rig.Album().PlaceMS;
  ASSERT_GE(left, 110000);
  MoveTo(1, 0);
  const size_t mark = rig.Host.LogMark();
  rig.Host.Place(0, 0, kHostPlaying);
  rig.Tick();
  EXPECT_EQ(rig.Current(), 2);
  EXPECT_EQ(rig.Steering(mark), (std::vector<std::string>{"ipc:106:" + std::to_string(left)}));
  EXPECT_EQ(rig.Album().SeekBaseMS, left);
}

// With both options off nothing of the store exists: no file access, no file, and the
// settings file and the host's requests as they always were.
TEST_F(AlbumMemoryRig, OffTheStoreIsNeverTouched) {
  Start("[Option]\r\nAlbumMemory=0\r\n");
  ToggleExcluded(rig.Album().Tracks[1]);
  MoveTo(1, 0);
  MoveTo(0, 0);
  EXPECT_FALSE(IsExcluded(rig.Album().Tracks[1]));
  ASSERT_TRUE(rig.ShutDown());
  EXPECT_EQ(rig.Disk.Find(kRigAlbumsPath), nullptr);
  EXPECT_EQ(rig.Disk.Find(std::string(kRigAlbumsPath) + ".bad"), nullptr);
  EXPECT_EQ(rig.Varimo.Albums.Loaded, false);
}

}  // namespace
}  // namespace varimo
