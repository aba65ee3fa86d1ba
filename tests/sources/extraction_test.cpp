#include "sources/extraction.h"

#include <gtest/gtest.h>

#include "fakes/memory_files.h"

namespace varimo {
namespace {

TEST(Extraction, ProposedFolderIsTheAlbumFilesFolder) {
  struct Case {
    const char* albumFile;
    const char* folder;
  } cases[] = {
      {"D:\\Music\\album.zip", "D:\\Music"},
      {"D:\\album.zip", "D:\\"},  // a drive root keeps its backslash
      {"D:album.zip", "D:"},
      {"album.zip", ""},
      {"\\\\server\\share\\a.zip", "\\\\server\\share"},
      // 0x95 0x5C is one double-byte character, not a folder separator.
      {"D:\\\x95\x5C\\a.zip", "D:\\\x95\x5C"},
      {"D:\\\x95\x5C.zip", "D:\\"},
  };
  for (const Case& c : cases) EXPECT_EQ(ProposedFolder(c.albumFile), c.folder) << c.albumFile;
}

TEST(Extraction, OutputNameAndPath) {
  struct Case {
    const char* fileName;
    const char* folder;
    const char* path;
  } cases[] = {
      {"Album/03 Song.mp3", "D:\\Music", "D:\\Music\\03 Song.mp3"},
      {"Song.mp3", "D:\\", "D:\\Song.mp3"},
      {"a\\b\\c.mp3", "D:\\x\\", "D:\\x\\c.mp3"},
      {"\x95\x5C.mp3", "C:\\out", "C:\\out\\\x95\x5C.mp3"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExtractOutputPath(c.folder, ExtractOutputName(c.fileName)), c.path) << c.fileName;
  }
  // A folder ending in the second byte of a double-byte character still needs a separator.
  EXPECT_EQ(ExtractOutputPath("C:\\\x95\x5C", "a.mp3"), "C:\\\x95\x5C\\a.mp3");
  EXPECT_EQ(ExtractOutputPath("/tmp/out", "a.mp3", '/'), "/tmp/out/a.mp3");
}

TEST(Extraction, OnlyPlainFileNamesAreWritten) {
  const char* refused[] = {"", ".", "..", "C:evil.mp3", "CON", "con.mp3", "NUL", "COM1.mp3",
                           "lpt9", "Aux .txt", "a?b", "tab\there"};
  for (const char* name : refused) EXPECT_FALSE(IsPlainFileName(name)) << name;
  const char* accepted[] = {"Song.mp3", "CONCERT.mp3", "COM10.mp3", "...mp3", "\x95\x5C.mp3",
                            "01 - Intro (live).mp3"};
  for (const char* name : accepted) EXPECT_TRUE(IsPlainFileName(name)) << name;
}

class ExtractTrackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<uint8_t> album(5000);
    for (size_t i = 0; i < album.size(); ++i) album[i] = static_cast<uint8_t>(i * 7);
    files_.Add("D:\\a.zip", album);
    files_.Add("D:\\out\\Song.mp3", {1, 2, 3});
  }
  TTrackItem Member(const char* name, int32_t start, int32_t end) {
    TTrackItem t;
    t.FileName = name;
    t.StartPos = start;
    t.EndPos = end;
    return t;
  }
  MemoryFiles files_;
};

TEST_F(ExtractTrackTest, CopiesTheRangeReplacingAFileOfThatName) {
  TExtractResult r = ExtractTrack(files_, "D:\\a.zip", Member("dir/Song.mp3", 100, 4100), "D:\\out");
  ASSERT_TRUE(r.Ok);
  EXPECT_EQ(r.Path, "D:\\out\\Song.mp3");
  const std::vector<uint8_t>& album = *files_.Find("D:\\a.zip");
  EXPECT_EQ(*files_.Find(r.Path), std::vector<uint8_t>(album.begin() + 100, album.begin() + 4100));
}

TEST_F(ExtractTrackTest, FailuresReportTheSystemCodeAndWriteNothingWherePossible) {
  struct Case {
    const char* albumFile;
    TTrackItem track;
    uint32_t code;
    bool created;
  } cases[] = {
      {"D:\\a.zip", Member("x.mp3", 100, 100), kErrorInvalidData, false},
      {"D:\\a.zip", Member("x.mp3", 300, 200), kErrorInvalidData, false},
      {"D:\\a.zip", Member("CON", 0, 10), kErrorInvalidName, false},
      {"D:\\a.zip", Member("", 0, 10), kErrorInvalidName, false},
      {"D:\\a.zip", Member("x.mp3", 4000, 6000), kErrorHandleEof, false},
      {"D:\\gone.zip", Member("x.mp3", 0, 10), 2, false},
  };
  for (const Case& c : cases) {
    TExtractResult r = ExtractTrack(files_, c.albumFile, c.track, "D:\\out");
    EXPECT_FALSE(r.Ok) << c.track.FileName;
    EXPECT_EQ(r.ErrorCode, c.code) << c.track.FileName;
    EXPECT_EQ(files_.Find("D:\\out\\x.mp3") != nullptr, c.created);
  }
}

TEST_F(ExtractTrackTest, AFullDiskIsReportedWithItsCode) {
  files_.SetWriteLimit(1000);
  TExtractResult r = ExtractTrack(files_, "D:\\a.zip", Member("x.mp3", 0, 3000), "D:\\out");
  EXPECT_FALSE(r.Ok);
  EXPECT_EQ(WriteErrorMessage(r.ErrorCode), "Write Error - 112");
}

TEST(Extraction, TheUnpackProgramIsNamedExactlyAndQuotedOnlyWhereABlankWouldSplitIt) {
  // clang-format off
  const struct {
    const char* path;
    const char* program;
    const char* commandLine;
  } cases[] = {
    {"C:\\Tools\\MP3on3.exe",           "C:\\Tools\\MP3on3.exe",         "C:\\Tools\\MP3on3.exe \"D:\\My Music\\a b.mp3\""},
    {"C:\\Music Pack\\MP3on3.exe",      "C:\\Music Pack\\MP3on3.exe",    "\"C:\\Music Pack\\MP3on3.exe\" \"D:\\My Music\\a b.mp3\""},
    {"C:\\Music\tPack\\MP3on3.exe",     "C:\\Music\tPack\\MP3on3.exe",   "\"C:\\Music\tPack\\MP3on3.exe\" \"D:\\My Music\\a b.mp3\""},
    {"\"C:\\Music Pack\\MP3on3.exe\"",  "C:\\Music Pack\\MP3on3.exe",    "\"C:\\Music Pack\\MP3on3.exe\" \"D:\\My Music\\a b.mp3\""},
    {"",                                 "",                               " \"D:\\My Music\\a b.mp3\""},
  };
  // clang-format on
  for (const auto& c : cases) {
    const TProgramStart start = UnpackStart(c.path, "D:\\My Music\\a b.mp3");
    EXPECT_EQ(start.Program, c.program) << c.path;
    EXPECT_EQ(start.CommandLine, c.commandLine) << c.path;
  }
}

}  // namespace
}  // namespace varimo
