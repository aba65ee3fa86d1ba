#include "album_export.h"

#include <gtest/gtest.h>

namespace varimo {
namespace {

TTrackItem Member(const char* fileName, int32_t startPos = 100, int32_t endPos = 200) {
  TTrackItem track;
  track.FileName = fileName;
  track.StartPos = startPos;
  track.EndPos = endPos;
  return track;
}

TEST(AlbumExport, CueTimesRoundDownToWholeFrames) {
  struct Case {
    int32_t ms;
    const char* time;
  } cases[] = {
      {0, "00:00:00"},      {2133, "00:02:09"},     {61999, "01:01:74"},
      {205533, "03:25:39"}, {6000000, "100:00:00"}, {-5, "00:00:00"},
  };
  for (const Case& c : cases) EXPECT_EQ(CueTime(c.ms), c.time) << c.ms;
}

TEST(AlbumExport, EveryTrackGetsItsOwnFileOrAReason) {
  const char* kFine = "";
  const char* kNotPlain = "its name is no plain file name";
  const char* kNoRange = "it has no byte range in the album file";
  const char* kTaken = "an earlier track has the same file name";
  struct Case {
    TTrackItem track;
    const char* name;
    const char* refusal;
  } cases[] = {
      // clang-format off
      {Member("CD1/A Song.mp3"),       "A Song.mp3",     kFine},
      {Member("CD2\\a song.MP3"),      "a song.MP3",     kTaken},  // Windows ignores case
      {Member("a song.mp3. "),         "a song.mp3. ",   kTaken},  // and trailing dots, blanks
      {Member("\x83\x41.mp3"),         "\x83\x41.mp3",   kFine},   // one double-byte character
      {Member("\x83\x61.mp3"),         "\x83\x61.mp3",   kFine},   // another, not its lower case
      {Member("../../up.mp3"),         "up.mp3",         kFine},   // the folders go, so it stays
      {Member("dir/CON.mp3"),          "CON.mp3",        kNotPlain},
      {Member("c:d.mp3"),              "c:d.mp3",        kNotPlain},
      {Member("folder/"),              "",               kNotPlain},
      {Member("empty.mp3", 300, 300),  "empty.mp3",      kNoRange},
      {Member("empty.mp3"),            "empty.mp3",      kFine},   // the refused one took nothing
      // clang-format on
  };
  TTrackList tracks;
  for (const Case& c : cases) tracks.push_back(c.track);
  std::vector<TMemberFile> files = PlanMemberFiles(tracks);
  ASSERT_EQ(files.size(), tracks.size());
  for (size_t i = 0; i < tracks.size(); ++i) {
    EXPECT_EQ(files[i].Name, cases[i].name) << i;
    EXPECT_EQ(files[i].Refusal, cases[i].refusal) << i;
  }
}

TEST(AlbumExport, CueSheetTextsCannotBreakTheirQuotesOrLines) {
  TTrackItem track = Member("01 x.mp3");
  track.Title = "Say \"Hi\"\tnow";
  track.Artist = "\x83\x41";  // Shift-JIS as stored, UTF-8 on request
  TTrackList tracks = {track};
  std::vector<TMemberFile> files = PlanMemberFiles(tracks);
  EXPECT_EQ(CueSheet(tracks, kAlbumZip, "album.zip", files, false),
            "PERFORMER \"\x83\x41\"\r\n"
            "FILE \"01 x.mp3\" MP3\r\n"
            "  TRACK 01 AUDIO\r\n"
            "    TITLE \"Say 'Hi' now\"\r\n"
            "    PERFORMER \"\x83\x41\"\r\n"
            "    INDEX 01 00:00:00\r\n");
  EXPECT_EQ(CueSheet(tracks, kAlbumZip, "album.zip", files, true),
            "PERFORMER \"\xE3\x82\xA2\"\r\n"
            "FILE \"01 x.mp3\" MP3\r\n"
            "  TRACK 01 AUDIO\r\n"
            "    TITLE \"Say 'Hi' now\"\r\n"
            "    PERFORMER \"\xE3\x82\xA2\"\r\n"
            "    INDEX 01 00:00:00\r\n");
}

}  // namespace
}  // namespace varimo
