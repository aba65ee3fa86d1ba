#include "window/skin.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "fakes/memory_files.h"
#include "support/bmp_builder.h"
#include "support/container_builder.h"

namespace varimo {
namespace {

TEST(ParseSkinColor, ReadsRedGreenBlueIntoTheLowToHighBytes) {
  struct Case {
    const char* Text;
    uint32_t Expected;
  };
  const Case cases[] = {
      {"", 0},
      {"#", 0},
      {"#0000FF", 0xFF0000},
      {"00ff00", 0x00FF00},
      {"#FFFF00", 0x00FFFF},
      {"#AbCdEf", 0xEFCDAB},
      {"abcdef", 0xEFCDAB},
      {"#12345", 0},          // too short with "#"
      {"12345", 0},           // too short without
      {"#zz8000", 0x008000},  // bad characters count as 0 digits
      {"#8z0000", 0x000080},  // the shift happens for a bad character too
      {"#123456789", 0x563412},
      {"1234567", 0x563412},
      {" #FFFFFF", 0xFFFF00},  // no "#" first: the digits start at the blank
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseSkinColor(c.Text), c.Expected) << '"' << c.Text << '"';
  }
}

TEST(LoadSkinColors, TakesTheTextSectionOfPleditTxtWithItsDefaults) {
  struct Case {
    const char* Name;
    bool Exists;
    std::string Text;
    TSkinColors Expected;
  };
  std::string utf16 = "\xFF\xFE";
  for (char ch : std::string("[Text]\r\nNormal=#0000FF\r\n")) utf16 += std::string{ch, '\0'};
  const Case cases[] = {
      {"no file: fixed colours, selection blue",
       false,
       "",
       {0x00FF00, 0xFFFFFF, 0, 0xFF0000, 0x00FF00}},
      {"empty file: key defaults, selection red",
       true,
       "",
       {0x00FF00, 0xFFFFFF, 0, 0x0000FF, 0x00FF00}},
      {"all keys",
       true,
       "[Text]\r\nNormal=#0000FF\r\nCurrent=#00FF00\r\nNormalBG=#102030\r\n"
       "SelectedBG=#405060\r\nmbFG=#FFFF00\r\n",
       {0xFF0000, 0x00FF00, 0x302010, 0x605040, 0x00FFFF}},
      {"names in any case, blanks and quotes dropped",
       true,
       "[text]\nNORMAL = \"#123456\" \nmbfg=\n",
       {0x563412, 0xFFFFFF, 0, 0x0000FF, 0x563412}},
      {"an empty Normal value is black, and mbFG follows it",
       true,
       "[Text]\nNormal=\n",
       {0, 0xFFFFFF, 0, 0x0000FF, 0}},
      {"other sections are not read",
       true,
       "[Colors]\nCurrent=#000000\n[Text2]\nNormal=#0000FF\n",
       {0x00FF00, 0xFFFFFF, 0, 0x0000FF, 0x00FF00}},
      {"a UTF-8 mark",
       true,
       "\xEF\xBB\xBF[Text]\nNormal=#0000FF\n",
       {0xFF0000, 0xFFFFFF, 0, 0x0000FF, 0xFF0000}},
      {"UTF-16", true, utf16, {0xFF0000, 0xFFFFFF, 0, 0x0000FF, 0xFF0000}},
      {"binary bytes",
       true,
       std::string("\0\xFF[Te\0xt]\x81]\r\r\n=\x1A", 15),
       {0x00FF00, 0xFFFFFF, 0, 0x0000FF, 0x00FF00}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    MemoryFiles files;
    if (c.Exists) files.Add("C:\\Skins\\Dark\\Pledit.txt", BytesOf(c.Text));
    const TSkinColors colors = LoadSkinColors("C:\\Skins\\Dark", files);
    EXPECT_EQ(colors.ColorNormal, c.Expected.ColorNormal);
    EXPECT_EQ(colors.ColorCurrent, c.Expected.ColorCurrent);
    EXPECT_EQ(colors.ColorNormalBG, c.Expected.ColorNormalBG);
    EXPECT_EQ(colors.ColorSelectedBG, c.Expected.ColorSelectedBG);
    EXPECT_EQ(colors.ColorMbFG, c.Expected.ColorMbFG);
  }
}

TEST(LoadSkinColors, AFolderOfThatNameGivesTheKeyDefaults) {
  MemoryFiles files;
  files.AddFolder("\\Pledit.txt");
  EXPECT_EQ(LoadSkinColors("", files).ColorSelectedBG, 0x0000FFu);
}

TEST(LoadSkinColors, AHugeFileIsReadOnlyToItsLastWholeLineWithinTheLimit) {
  // The limit falls inside the Normal value: cut there it would read "#00", black.
  std::string text = "[Text]\nCurrent=#0000FF\n" + std::string(kMaxSkinColorFileBytes - 34, ';') +
                     "\nNormal=#0000FF\n";
  text += std::string(10 * 1024 * 1024, 'x');
  MemoryFiles files;
  files.Add("S\\Pledit.txt", BytesOf(text));
  const TSkinColors colors = LoadSkinColors("S", files);
  EXPECT_EQ(colors.ColorCurrent, 0xFF0000u);
  EXPECT_EQ(colors.ColorNormal, 0x00FF00u);
  EXPECT_LE(files.Counters().BytesRead, kMaxSkinColorFileBytes);
}

TEST(SkinBitmapMinimum, HoldsEveryPieceAndGlyphCell) {
  EXPECT_EQ(FrameBitmapMinimum().Width, 276);
  EXPECT_EQ(FrameBitmapMinimum().Height, 110);
  EXPECT_EQ(GlyphBitmapMinimum().Width, 155);
  EXPECT_EQ(GlyphBitmapMinimum().Height, 18);
}

TEST(ReadSkinBitmap, GivesOnlyCheckedBitmapsThatHoldTheLayout) {
  auto solid = [](int width, int height, uint16_t bits) {
    return BuildBmp(TrueColorBmp(width, height, bits, [](int, int) { return 0x123456u; }));
  };
  std::vector<uint8_t> truncated = solid(280, 111, 24);
  truncated.resize(200);
  struct Case {
    const char* Name;
    std::vector<uint8_t> File;
    bool Folder;
    TBitmapSize Minimum;
    bool Served;
  };
  const TBitmapSize frame = FrameBitmapMinimum(), glyphs = GlyphBitmapMinimum();
  // clang-format off
  const Case cases[] = {
      {"a 280 x 111 frame",          solid(280, 111, 24), false, frame,  true},
      {"the smallest frame",         solid(276, 110, 24), false, frame,  true},
      {"32 bits per pixel",          solid(280, 111, 32), false, frame,  true},
      {"one column short",           solid(275, 111, 24), false, frame,  false},
      {"one row short",              solid(280, 109, 24), false, frame,  false},
      {"1 x 1",                      solid(1, 1, 24),     false, frame,  false},
      {"truncated",                  truncated,           false, frame,  false},
      {"0 bytes",                    {},                  false, frame,  false},
      {"a folder",                   {},                  true,  frame,  false},
      {"glyphs",                     solid(155, 18, 24),  false, glyphs, true},
      {"tiny glyphs",                solid(154, 18, 24),  false, glyphs, false},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    MemoryFiles files;
    if (c.Folder) {
      files.AddFolder("S\\Pledit.bmp");
    } else {
      files.Add("S\\Pledit.bmp", c.File);
    }
    const std::optional<TBmpImage> image = ReadSkinBitmap(files, "S\\Pledit.bmp", c.Minimum);
    ASSERT_EQ(image.has_value(), c.Served);
    if (c.Served) {
      EXPECT_EQ(image->Pixels[0], 0x123456u);
    }
  }
}

TEST(ReadSkinBitmap, AFileLargerThanAnyBitmapWithinTheCapsIsNotRead) {
  MemoryFiles files;
  BmpSpec huge = PalettedBmp(8, 8, 8, {0}, [](int, int) { return 0; });
  huge.Width = huge.Height = 8000;
  huge.Bits.resize(8000 * 8000);
  files.Add("Pledit.bmp", BuildBmp(huge));
  EXPECT_FALSE(ReadSkinBitmap(files, "Pledit.bmp", FrameBitmapMinimum()));
  EXPECT_EQ(files.Counters().BytesRead, 0u);
}

// A skin folder: which names are files, and which of them do not decode as bitmaps.
struct FakeSkinFolder {
  std::set<std::string> Files;
  std::set<std::string> Broken;
  std::vector<std::string> Loads;

  TPathTest IsFile() {
    return [this](const std::string& path) { return Files.count(path) == 1; };
  }
  TBitmapLoad Loader() {
    return [this](const TBitmapCandidate& candidate) {
      const std::string name = candidate.Path.empty() ? candidate.Resource : candidate.Path;
      Loads.push_back(name);
      return Broken.count(name) == 0;
    };
  }
};

TEST(LoadFrameBitmap, TakesVarimoThenPleditThenTheBuiltInFrame) {
  const std::string varimo = "D:\\Skin\\Varimo.bmp";
  const std::string pledit = "D:\\Skin\\Pledit.bmp";
  struct Case {
    const char* Name;
    std::set<std::string> Files;
    std::set<std::string> Broken;
    std::string Path;
    std::string Resource;
    bool OwnLayout;
    std::vector<std::string> Loads;
  };
  const Case cases[] = {
      {"nothing", {}, {}, "", "PLEDITBMP", true, {"PLEDITBMP"}},
      {"Pledit.bmp only", {pledit}, {}, pledit, "", false, {pledit}},
      {"Varimo.bmp wins", {varimo, pledit}, {}, varimo, "", true, {varimo}},
      {"Varimo.bmp alone", {varimo}, {}, varimo, "", true, {varimo}},
      {"broken Varimo.bmp falls through",
       {varimo, pledit},
       {varimo},
       pledit,
       "",
       false,
       {varimo, pledit}},
      {"both broken",
       {varimo, pledit},
       {varimo, pledit},
       "",
       "PLEDITBMP",
       true,
       {varimo, pledit, "PLEDITBMP"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    FakeSkinFolder folder{c.Files, c.Broken, {}};
    const TBitmapCandidate taken = LoadFrameBitmap("D:\\Skin", folder.IsFile(), folder.Loader());
    EXPECT_EQ(taken.Path, c.Path);
    EXPECT_EQ(taken.Resource, c.Resource);
    EXPECT_EQ(taken.OwnLayout, c.OwnLayout);
    EXPECT_EQ(folder.Loads, c.Loads);
  }
}

TEST(LoadGlyphBitmap, TakesTextBmpThenTheBuiltInGlyphs) {
  const std::string text = "\\Text.bmp";
  struct Case {
    const char* Name;
    std::set<std::string> Files;
    std::set<std::string> Broken;
    std::string Path;
    std::string Resource;
  };
  const Case cases[] = {
      {"built-in skin: nothing in the drive root", {}, {}, "", "TEXTBMP"},
      {"Text.bmp", {text}, {}, text, ""},
      {"broken Text.bmp", {text}, {text}, "", "TEXTBMP"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    FakeSkinFolder folder{c.Files, c.Broken, {}};
    const TBitmapCandidate taken = LoadGlyphBitmap("", folder.IsFile(), folder.Loader());
    EXPECT_EQ(taken.Path, c.Path);
    EXPECT_EQ(taken.Resource, c.Resource);
  }
}

TEST(CheckSkinDir, ReloadsOnForceOrAChangedAnswerAndReadsFilesFromTheBuffer) {
  struct Case {
    const char* Name;
    bool Force;
    std::string Returned;
    std::string Buffer;
    std::string SkinDir;
    bool Reload;
    std::string Folder;
    std::string NewSkinDir;
  };
  const Case cases[] = {
      {"same skin twice", false, "C:\\S\\A", "C:\\S\\A", "C:\\S\\A", false, "", "C:\\S\\A"},
      {"forced load of the same skin", true, "C:\\S\\A", "C:\\S\\A", "C:\\S\\A", true, "C:\\S\\A",
       "C:\\S\\A"},
      {"start-up with the built-in skin", true, "", "", "", true, "", ""},
      {"skin changed", false, "C:\\S\\B", "C:\\S\\B", "C:\\S\\A", true, "C:\\S\\B", "C:\\S\\B"},
      {"built-in skin chosen", false, "", "", "C:\\S\\A", true, "", ""},
      {"the answer decides, not the buffer", false, "C:\\S\\A", "C:\\S\\B", "C:\\S\\A", false, "",
       "C:\\S\\A"},
      {"blanks in the buffer are trimmed, the answer is kept as it is", false, " C:\\S\\C\t",
       " C:\\S\\C\t\r\n", "C:\\S\\C", true, "C:\\S\\C", " C:\\S\\C\t"},
      {"answer and buffer differ", false, "token-7", "C:\\S\\D", "token-6", true, "C:\\S\\D",
       "token-7"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const TSkinCheck check = CheckSkinDir(c.Force, c.Returned, c.Buffer, c.SkinDir);
    EXPECT_EQ(check.Reload, c.Reload);
    EXPECT_EQ(check.Folder, c.Folder);
    EXPECT_EQ(check.SkinDir, c.NewSkinDir);
  }
}

TEST(KeepOnScreen, PullsTheWindowBackInsideTheScreen) {
  struct Case {
    const char* Name;
    TWindowOrigin Origin;
    TScreenMetrics Screen;
    TWindowOrigin Expected;
  };
  const TScreenMetrics plain{1024, 768, 0, 0};
  const TScreenMetrics taskbarLeftTop{1024, 768, 60, 30};
  const Case cases[] = {
      {"on screen", {100, 200}, plain, {100, 200}},
      {"left of the screen", {-50, 200}, plain, {0, 200}},
      {"left of the screen, taskbar on the left", {-50, 200}, taskbarLeftTop, {60, 200}},
      {"past the right edge", {900, 200}, plain, {1024 - 275, 200}},
      {"touching the right edge", {1024 - 275, 200}, plain, {1024 - 275, 200}},
      {"above the screen, taskbar at the top", {100, -5}, taskbarLeftTop, {100, 30}},
      {"past the bottom edge", {100, 700}, plain, {100, 768 - 116}},
      {"touching the bottom edge", {100, 768 - 116}, plain, {100, 768 - 116}},
      {"off two edges", {-10, 760}, plain, {0, 768 - 116}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const TWindowOrigin moved = KeepOnScreen(c.Origin, 275, 116, c.Screen);
    EXPECT_EQ(moved.Left, c.Expected.Left);
    EXPECT_EQ(moved.Top, c.Expected.Top);
  }
}

}  // namespace
}  // namespace varimo
