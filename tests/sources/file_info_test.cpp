#include "sources/file_info.h"

#include <gtest/gtest.h>

#include "fakes/memory_files.h"
#include "support/id3_builder.h"
#include "support/mpeg_builder.h"

namespace varimo {
namespace {

std::vector<uint8_t> Concat(std::initializer_list<std::vector<uint8_t>> parts) {
  std::vector<uint8_t> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

class FileInfoTest : public ::testing::Test {
 protected:
  // An album whose member sits behind 100 bytes of something else.
  TTrackItem AddMember(const std::vector<uint8_t>& member) {
    files_.Add("album", Concat({std::vector<uint8_t>(100, 0x11), member, {0x11, 0x11}}));
    TTrackItem track;
    track.FileName = "dir/member.mp3";
    track.StartPos = 100;
    track.EndPos = 100 + static_cast<int32_t>(member.size());
    return track;
  }
  MemoryFiles files_;
};

TEST_F(FileInfoTest, ShowsBothTagsAndTheFrameSummary) {
  std::vector<uint8_t> tag =
      ID3v2Builder(3).Text("TIT2", "Song").Text("TCON", "(17)").Padding(2048 - 10 - 15 - 15).Build();
  ASSERT_EQ(tag.size(), 2048u);
  std::vector<uint8_t> frames;
  AppendCbrMpegFrames(frames, {}, 10000);  // padded as an encoder pads 128 kbit/s
  TTrackItem track = AddMember(Concat({tag, frames,
                                       BuildID3v1({"T1", "A1", "B1", "1999", "note", 7, 0})}));
  int pumps = 0;
  TFileInfoData info = ReadFileInfo(files_, "album", kAlbumZip, &track, [&] { ++pumps; });
  EXPECT_EQ(info.KindCaption, "ZIP");
  EXPECT_EQ(info.KindColor, 0x00FF00FFu);
  EXPECT_EQ(info.FileName, "dir/member.mp3");
  ASSERT_TRUE(info.ID3v1Enabled);
  EXPECT_EQ(info.ID3v1.Genre, "Blues");
  EXPECT_EQ(info.ID3v1.Track, "07");
  ASSERT_TRUE(info.ID3v2Enabled);
  EXPECT_EQ(info.ID3v2.Title, "Song");
  EXPECT_EQ(info.ID3v2.Genre, "Rock");
  std::vector<std::string> expected = {
      "Size: 4181768 bytes", "Header found at: 2048 bytes", "Length: 261 seconds",
      "MPEG 1.0 layer 3", "128kbit, 10000 frames", "44100Hz JointStereo", "CRCs: No",
      "Copyrighted: No", "Original: Yes", "Emphasis: None"};
  EXPECT_EQ(info.MpegLines, expected);
  EXPECT_EQ(pumps, 10000);
}

TEST_F(FileInfoTest, GroupsStayDisabledForWhatTheMemberLacks) {
  TTrackItem track = AddMember(MakeMpegStream({}, 20));
  TFileInfoData info = ReadFileInfo(files_, "album", kAlbumPack, &track, {});
  EXPECT_EQ(info.KindCaption, "Pack");
  EXPECT_FALSE(info.ID3v1Enabled);
  EXPECT_FALSE(info.ID3v2Enabled);
  ASSERT_EQ(info.MpegLines.size(), 10u);
  EXPECT_EQ(info.MpegLines[1], "Header found at: 0 bytes");
}

TEST_F(FileInfoTest, KindsWithoutByteRangesAndMissingFilesShowOnlyWhatIsKnown) {
  TTrackItem track = AddMember(MakeMpegStream({}, 20));
  struct Case {
    int32_t kind;
    const char* album;
    bool withTrack;
    const char* caption;
    const char* fileName;
  } cases[] = {
      {kAlbumCue, "album", true, "", ""},
      {kAlbumNone, "album", true, "", ""},
      {kAlbumLha, "album", false, "LHA", ""},
      {kAlbumLha, "gone", true, "LHA", "dir/member.mp3"},
  };
  for (const Case& c : cases) {
    TFileInfoData info = ReadFileInfo(files_, c.album, c.kind, c.withTrack ? &track : nullptr, {});
    EXPECT_EQ(info.KindCaption, c.caption);
    EXPECT_EQ(info.FileName, c.fileName);
    EXPECT_FALSE(info.ID3v1Enabled || info.ID3v2Enabled);
    EXPECT_TRUE(info.MpegLines.empty());
  }
}

TEST_F(FileInfoTest, AMemberWithNoFrameShowsNoMpegLines) {
  TTrackItem track = AddMember(std::vector<uint8_t>(5000, 0x20));
  EXPECT_TRUE(ReadFileInfo(files_, "album", kAlbumZip, &track, {}).MpegLines.empty());
}

TEST(FileInfoPosition, CentresOnTheMainWindowAndStaysOnTheScreen) {
  struct Case {
    int32_t left, top, expectedLeft, expectedTop;
  } cases[] = {
      {500, 300, 500 + 137 - 331, 300 + 58 - 190},
      {-400, -400, 0, 0},
      {1200, 900, 1280 - 662, 1024 - 381 - 32},
  };
  for (const Case& c : cases) {
    TDialogRect r = FileInfoDialogPosition(c.left, c.top, 275, 116, 662, 381, 1280, 1024);
    EXPECT_EQ(r.Left, c.expectedLeft);
    EXPECT_EQ(r.Top, c.expectedTop);
  }
}

}  // namespace
}  // namespace varimo
