#include "album_export.h"

#include <gtest/gtest.h>

#include "codepage.h"
#include "fakes/memory_files.h"
#include "sources/extraction.h"

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

// Outside Windows the tool writes UTF-8 names. The folders are cut off on the stored bytes:
// in UTF-8 the half-width katakana end in bytes that Shift-JIS reads as lead bytes, which
// would take the separator after them for a second byte; and the 0x5C that ends 表 or ソ is
// no separator. extract, extract --all and cue all name the file this way.
TEST(AlbumExport, ShiftJisMembersAreCutBeforeTheirNamesBecomeUtf8) {
  struct Case {
    const char* member;  // Shift-JIS, as the album stores it
    const char* file;    // the UTF-8 name written, empty when refused
  } cases[] = {
      // clang-format off
      {"\xB1\xD9\xCA\xDE\xD1\\04 \x8B\xC8.mp3",            "04 \xE6\x9B\xB2.mp3"},  // ｱﾙﾊﾞﾑ\04 曲
      {"\xBF\xCC\xC4/\x95\x5C.mp3",                        "\xE8\xA1\xA8.mp3"},     // ｿﾌﾄ/表
      {"\x95\x5C\\\x83\x5C\\01.mp3",                       "01.mp3"},               // 表\ソ\01
      {"\xC3\xDE\xA8\xBD\xB8\\\x83\x5C\x95\x5C.mp3",       "\xE3\x82\xBD\xE8\xA1\xA8.mp3"},
      {"\xC3\xDE\xA8\xBD\xB8\\\xC4\xD7\xAF\xB8.mp3",       // ﾃﾞｨｽｸ\ﾄﾗｯｸ
       "\xEF\xBE\x84\xEF\xBE\x97\xEF\xBD\xAF\xEF\xBD\xB8.mp3"},
      {"\xB1\xD9\xCA\xDE\xD1\\\x95\x5C\\",                 ""},                     // a folder
      // clang-format on
  };
  MemoryFiles files;
  files.Add("/in/album.zip", std::vector<uint8_t>(400, 7));
  TTrackList tracks;
  for (const Case& c : cases) tracks.push_back(Member(c.member, 100, 300));
  std::vector<TMemberFile> plan = PlanMemberFiles(tracks);
  std::string sheet = CueSheet(tracks, kAlbumZip, "album.zip", plan, true);
  for (size_t i = 0; i < tracks.size(); ++i) {
    const std::string file = cases[i].file;
    TExtractResult r = ExtractTrack(files, "/in/album.zip", tracks[i], "/out", '/', ShiftJisToUtf8);
    EXPECT_EQ(r.Ok, !file.empty()) << i;
    EXPECT_EQ(plan[i].Refusal.empty(), !file.empty()) << i;
    EXPECT_EQ(sheet.find("FILE \"" + file + "\" MP3\r\n") != std::string::npos, !file.empty()) << i;
    if (file.empty()) continue;
    EXPECT_EQ(r.Path, "/out/" + file) << i;
    EXPECT_NE(files.Find("/out/" + file), nullptr) << i;
  }
}

}  // namespace
}  // namespace varimo
