#include "window/dialog_commands.h"

#include <gtest/gtest.h>

#include "fakes/engine_rig.h"

namespace varimo {
namespace {

class DialogCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rig_.AddZipAlbum(kAlbum, {3000, 4000, 5000});
    rig_.Host.Place(0, 100, kHostPlaying);
    rig_.StartUp();
    rig_.Tick();
    ASSERT_EQ(rig_.Album().Tracks.size(), 3u);
    rig_.Win().SelectedIndex = 1;
    rig_.Disk.AddFolder("C:\\Music");
    rig_.Disk.AddFolder("D:\\Out");
  }

  std::vector<uint8_t> TrackBytes(size_t index) {
    const TTrackItem& track = rig_.Album().Tracks[index];
    const std::vector<uint8_t>& album = *rig_.Disk.Find(kAlbum);
    return std::vector<uint8_t>(album.begin() + track.StartPos, album.begin() + track.EndPos);
  }

  static constexpr char kAlbum[] = "C:\\Music\\album.zip";
  EngineRig rig_;
};

TEST_F(DialogCommandsTest, ExtractionCopiesTheTrackSelectedWhenTheBrowserClosesIntoTheFolder) {
  rig_.Disk.Add("D:\\Out\\3.mp3", {1, 2, 3});
  rig_.Dialogs.FolderAnswer = "D:\\Out";
  // The browser's loop ran a tick and the user's selection moved meanwhile.
  rig_.Dialogs.OnBrowse = [this] {
    rig_.Tick();
    rig_.Win().SelectedIndex = 2;
  };
  PopupFileExtractClick(rig_.Varimo, rig_.Ports);
  ASSERT_EQ(rig_.Dialogs.Browses.size(), 1u);
  EXPECT_EQ(rig_.Dialogs.Browses[0].Title, u8"抽出先ﾌｫﾙﾀﾞ指定");
  EXPECT_EQ(rig_.Dialogs.Browses[0].Proposed, "C:\\Music");
  ASSERT_NE(rig_.Disk.Find("D:\\Out\\3.mp3"), nullptr);
  EXPECT_EQ(*rig_.Disk.Find("D:\\Out\\3.mp3"), TrackBytes(2)) << "replaced, byte for byte";
  EXPECT_TRUE(rig_.Dialogs.Messages.empty());
}

TEST_F(DialogCommandsTest, NothingHappensWithoutAnAlbumFileAFolderOrASelectedTrack) {
  rig_.Dialogs.FolderAnswer = std::nullopt;
  PopupFileExtractClick(rig_.Varimo, rig_.Ports);
  EXPECT_EQ(rig_.Dialogs.Browses.size(), 1u);
  EXPECT_EQ(rig_.Disk.Find("D:\\Out\\2.mp3"), nullptr);

  rig_.Dialogs.FolderAnswer = "D:\\Out";
  rig_.Dialogs.OnBrowse = [this] { rig_.Win().SelectedIndex = 7; };
  PopupFileExtractClick(rig_.Varimo, rig_.Ports);
  EXPECT_EQ(rig_.Disk.Find("D:\\Out\\8.mp3"), nullptr);

  rig_.Album().AlbumFile = "C:\\Music\\gone.zip";
  PopupFileExtractClick(rig_.Varimo, rig_.Ports);
  EXPECT_EQ(rig_.Dialogs.Browses.size(), 2u) << "a missing album file opens no browser";
  EXPECT_TRUE(rig_.Dialogs.Messages.empty());
}

TEST_F(DialogCommandsTest, AShortWriteShowsTheErrorCodeAndAProposedFolderThatIsGoneIsNotProposed) {
  rig_.Disk.SetWriteLimit(10);
  rig_.Dialogs.FolderAnswer = "E:\\";
  rig_.Album().AlbumFile = "C:\\Elsewhere\\album.zip";
  rig_.Disk.Add("C:\\Elsewhere\\album.zip", *rig_.Disk.Find(kAlbum));
  PopupFileExtractClick(rig_.Varimo, rig_.Ports);
  EXPECT_EQ(rig_.Dialogs.Browses.back().Proposed, "");
  EXPECT_EQ(rig_.Dialogs.Messages, (std::vector<std::string>{"Write Error - 112"}));
}

TEST_F(DialogCommandsTest, UnpackingStopsTheHostFirstWhenSetAndNamesTheProgramExactly) {
  rig_.Varimo.Settings.Option.MP3on3Path = "C:\\Program Files\\MP3on3.exe";
  size_t mark = rig_.Host.LogMark();
  PopupAlbumInfoUnPackClick(rig_.Varimo, rig_.Ports);
  EXPECT_EQ(rig_.Host.CountCommand(kCommandStop, mark), 1u);
  using TStart = std::pair<std::string, std::string>;
  EXPECT_EQ(rig_.Dialogs.Programs,
            (std::vector<TStart>{{"C:\\Program Files\\MP3on3.exe",
                                  "\"C:\\Program Files\\MP3on3.exe\" \"C:\\Music\\album.zip\""}}));

  rig_.Varimo.Settings.Option.MP3on3Stop = false;
  mark = rig_.Host.LogMark();
  PopupAlbumInfoUnPackClick(rig_.Varimo, rig_.Ports);
  EXPECT_EQ(rig_.Host.CountSince(mark), 0u) << "playback goes on";
  EXPECT_EQ(rig_.Dialogs.Programs.size(), 2u);
}

}  // namespace
}  // namespace varimo
