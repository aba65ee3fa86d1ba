#include "settings/settings.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "settings/memory_replacer.h"

namespace varimo {
namespace {

const char kPath[] = "C:\\Winamp\\Plugins\\gen_Varimo.ini";

auto Tie(const TWindowSettings& w) {
  return std::tie(w.Left, w.Top, w.Width, w.Height, w.State, w.Remain);
}
auto Tie(const TOptionSettings& o) {
  return std::tie(o.VisibleChk, o.PlayTime, o.TimerMS, o.BreakMS, o.Correct, o.CorrectMS, o.PrevKey,
                  o.NextKey, o.VisibleKey, o.MP3on3Path, o.MP3on3Stop, o.FontName, o.FontSize,
                  o.FontPitch, o.Transparence);
}
auto Tie(const TPlaySettings& p) {
  return std::tie(p.No, p.Mode, p.Seed);
}
std::vector<std::pair<std::string, int32_t>> Items(const TListForm& form) {
  std::vector<std::pair<std::string, int32_t>> items;
  for (const TFormatItem& item : form.Items) items.emplace_back(item.Text, item.Code);
  return items;
}
std::vector<std::tuple<int32_t, int32_t, int32_t>> Entries(const THotKeySettings& hotKeys) {
  std::vector<std::tuple<int32_t, int32_t, int32_t>> entries;
  for (const THotKeyEntry& e : hotKeys.Entries) entries.emplace_back(e.Cmd, e.Mod, e.Key);
  return entries;
}

void ExpectSameSettings(const TSettings& actual, const TSettings& expected) {
  EXPECT_EQ(actual.Winamp.Minimized, expected.Winamp.Minimized);
  EXPECT_EQ(Tie(actual.Window), Tie(expected.Window));
  EXPECT_EQ(Tie(actual.Option), Tie(expected.Option));
  EXPECT_EQ(Tie(actual.Play), Tie(expected.Play));
  EXPECT_EQ(actual.ListForm.FormatHeader, expected.ListForm.FormatHeader);
  EXPECT_EQ(Items(actual.ListForm), Items(expected.ListForm));
  EXPECT_EQ(actual.HotKey.Enabled, expected.HotKey.Enabled);
  EXPECT_EQ(Entries(actual.HotKey), Entries(expected.HotKey));
}

// The state a window in these settings has when it is destroyed on a 1024 x 768 screen.
TShutDownState StateOf(const TSettings& s, std::string exclusions) {
  TShutDownState state;
  state.Minimized = s.Winamp.Minimized;
  state.Left = s.Window.Left;
  state.Top = s.Window.Top;
  state.Width = s.Window.Width;
  state.State = s.Window.State;
  state.SavedHeight = s.Window.Height;
  state.Height = s.Window.State == 1 ? s.Window.Height : 14;
  state.Remain = s.Window.Remain;
  state.ScreenWidth = 1024;
  state.ScreenHeight = 768;
  state.Delete = std::move(exclusions);
  state.CurrentIndex = s.Play.No;
  state.Mode = s.Play.Mode;
  state.Seed = s.Play.Seed;
  return state;
}

class SettingsTest : public ::testing::Test {
 protected:
  MemoryFiles files;
  MemoryReplacer replacer{files};
  IniFile ini{files, replacer, kPath};
};

TEST_F(SettingsTest, NoFileGivesTheDefaults) {
  TSettings read = ReadSettings(ini);
  ExpectSameSettings(read, TSettings());
  EXPECT_EQ(read.ListForm.FormatHeader, 11);
  EXPECT_EQ(Items(read.ListForm), Items(DefaultListForm()));
  EXPECT_EQ(ReadExclusions(ini), "");
}

TEST_F(SettingsTest, ApplyAndShutDownOnNoFileWriteEveryKey) {
  ASSERT_TRUE(WriteApplySections(ini, TSettings()));
  ASSERT_TRUE(WriteShutDownSections(ini, StateOf(TSettings(), "")));
  EXPECT_EQ(FileText(files, kPath),
            "[Option]\r\nVisibleChk=0\r\nPlayTime=0\r\nTimerMS=200\r\nBreakMS=250\r\nCorrect=1\r\n"
            "CorrectMS=300\r\nPrevKey=,\r\nNextKey=.\r\nVisibleKey=A\r\nMP3on3Path=\r\n"
            "MP3on3Stop=1\r\nFontName=MS UI Gothic\r\nFontSize=10\r\nFontPitch=0\r\n"
            "Transparence=-1\r\n"
            "[ListForm]\r\nCount=3\r\nNumber=11\r\nOmit1=1\r\nItem1=1\r\nText1=\r\nOmit2=1\r\n"
            "Item2=0\r\nText2=/ - /\r\nOmit3=0\r\nItem3=2\r\nText3=\r\n"
            "[HotKey]\r\nEnabled=0\r\nCount=0\r\n"
            "[Winamp]\r\nMinimized=0\r\n"
            "[Window]\r\nLeft=100\r\nTop=100\r\nWidth=275\r\nHeight=116\r\nState=1\r\nRemain=0\r\n"
            "Delete=\r\n"
            "[Play]\r\nNo=0\r\nMode=0\r\nSeed=0\r\n");
  EXPECT_EQ(replacer.Replaces, 2);
  ExpectSameSettings(ReadSettings(ini), TSettings());
}

TEST_F(SettingsTest, EveryKeyReadsBackAsWritten) {
  TSettings s;
  s.Winamp.Minimized = -2;
  s.Window = {-40, 700, 400, 300, -2, true};
  s.Option.VisibleChk = true;
  s.Option.PlayTime = true;
  s.Option.TimerMS = 300;
  s.Option.BreakMS = 450;
  s.Option.Correct = false;
  s.Option.CorrectMS = -250;
  s.Option.PrevKey = '[';
  s.Option.NextKey = ']';
  s.Option.VisibleKey = 'Z';
  s.Option.MP3on3Path = "C:\\Tools\\\x95\x5C\\MP3on3.exe";
  s.Option.MP3on3Stop = false;
  s.Option.FontName = "\x82\x6C\x82\x72 Gothic";
  s.Option.FontSize = 50;
  s.Option.FontPitch = 9;
  s.Option.Transparence = 55;
  s.Play = {7, 3, 123456};
  s.ListForm = ListFormFromPreset(FormatPresets()[2]);
  s.ListForm.Items.push_back({"  \"quoted\"  ", kFormatText});
  s.ListForm.Items.push_back({"", kFormatFileName});
  s.HotKey.Enabled = true;
  s.HotKey.Entries = {{1, 1, 48}, {999, 7, 0x7B}};

  ASSERT_TRUE(WriteApplySections(ini, s));
  ASSERT_TRUE(WriteShutDownSections(ini, StateOf(s, "0110")));
  ExpectSameSettings(ReadSettings(ini), s);
  EXPECT_EQ(ReadExclusions(ini), "0110");
}

TEST_F(SettingsTest, ValuesNoDialogCouldStoreAreBroughtIntoRange) {
  const struct {
    const char* line;
    int32_t TOptionSettings::*field;
    int32_t expected;
  } cases[] = {
      {"FontSize=0", &TOptionSettings::FontSize, 6},
      {"FontSize=-12", &TOptionSettings::FontSize, 6},
      {"FontSize=500", &TOptionSettings::FontSize, 50},
      {"TimerMS=0", &TOptionSettings::TimerMS, 100},
      {"TimerMS=60000", &TOptionSettings::TimerMS, 1000},
      {"TimerMS=100\r\nBreakMS=-5", &TOptionSettings::BreakMS, 100},
      {"BreakMS=-5", &TOptionSettings::BreakMS, 200},
      {"BreakMS=99999", &TOptionSettings::BreakMS, 1500},
      {"TimerMS=700\r\nBreakMS=300", &TOptionSettings::BreakMS, 700},
      {"TimerMS=1000\r\nBreakMS=1500", &TOptionSettings::BreakMS, 1500},
      {"CorrectMS=-2000000000", &TOptionSettings::CorrectMS, -1000},
      {"CorrectMS=1001", &TOptionSettings::CorrectMS, 1000},
      {"FontPitch=-1", &TOptionSettings::FontPitch, 0},
      {"FontPitch=10", &TOptionSettings::FontPitch, 9},
      {"Transparence=-7", &TOptionSettings::Transparence, -1},
      {"Transparence=0", &TOptionSettings::Transparence, 0},
      {"Transparence=101", &TOptionSettings::Transparence, 100},
      {"Language=2", &TOptionSettings::Language, 2},
      {"Language=3", &TOptionSettings::Language, 0},
      {"Language=-1", &TOptionSettings::Language, 0},
      {"Language=en", &TOptionSettings::Language, 0},
  };
  for (const auto& c : cases) {
    PutFile(files, kPath, std::string("[Option]\r\n") + c.line + "\r\n");
    EXPECT_EQ(ReadSettings(ini).Option.*c.field, c.expected) << c.line;
  }
}

TEST_F(SettingsTest, EmptyKeyCharactersFallBackToTheirDefaults) {
  PutFile(files, kPath, "[Option]\r\nPrevKey=\r\nNextKey=  \r\nVisibleKey=\"\"\r\n");
  TOptionSettings o = ReadSettings(ini).Option;
  EXPECT_EQ(o.PrevKey, ',');
  EXPECT_EQ(o.NextKey, '.');
  EXPECT_EQ(o.VisibleKey, 'A');
  PutFile(files, kPath, "[Option]\r\nPrevKey=QX\r\n");
  EXPECT_EQ(ReadSettings(ini).Option.PrevKey, 'Q');
}

TEST_F(SettingsTest, AZeroByteKeptByQuotesIsNoKey) {
  // Found by fuzzing: the zero byte was read as the key and written back as an empty value.
  const char zero[] = "[Option]\r\nPrevKey=\"\0\"\r\n";
  PutFile(files, kPath, std::string(zero, sizeof zero - 1));
  EXPECT_EQ(ReadSettings(ini).Option.PrevKey, ',');
}

TEST_F(SettingsTest, StartUpReadsWinampAndPlayAsTheWindowExpectsThem) {
  const struct {
    const char* file;
    int32_t minimized;
    int32_t no;
    int32_t mode;
  } cases[] = {
      {"[Winamp]\r\nMinimized=1\r\n", -1, 0, 0}, {"[Winamp]\r\nMinimized=2\r\n", -2, 0, 0},
      {"[Winamp]\r\nMinimized=5\r\n", 0, 0, 0},  {"[Winamp]\r\nMinimized=-2147483648\r\n", 0, 0, 0},
      {"[Play]\r\nMode=5\r\n", 0, 0, 4},         {"[Play]\r\nMode=7\r\n", 0, 0, 7},
      {"[Play]\r\nNo=12\r\n", 0, 12, 0},         {"[Play]\r\nNo=-3\r\n", 0, 0, 0},
  };
  for (const auto& c : cases) {
    PutFile(files, kPath, c.file);
    TSettings s = ReadSettings(ini);
    EXPECT_EQ(s.Winamp.Minimized, c.minimized) << c.file;
    EXPECT_EQ(s.Play.No, c.no) << c.file;
    EXPECT_EQ(s.Play.Mode, c.mode) << c.file;
  }
}

struct ListFormCase {
  const char* name;
  std::string section;
  int32_t header;
  std::vector<std::pair<std::string, int32_t>> items;
};

TEST_F(SettingsTest, ListFormLoadsFromItsSection) {
  const ListFormCase cases[] = {
      {"no count: the default format, items ignored",
       "Omit1=0\r\nItem1=2\r\nText1=\r\n",
       11,
       {{"", 11}, {" - ", 10}, {"", 2}}},
      {"count 0: the default format",
       "Count=0\r\nNumber=0\r\nItem1=2\r\n",
       11,
       {{"", 11}, {" - ", 10}, {"", 2}}},
      {"number 11 with a group loads both flags",
       "Count=1\r\nNumber=11\r\nOmit1=1\r\nItem1=1\r\n",
       11,
       {{"", 11}}},
      {"number 10 without a group still marks one",
       "Count=1\r\nNumber=10\r\nItem1=2\r\n",
       10,
       {{"", 2}}},
      {"number missing shows numbers", "Count=1\r\nItem1=2\r\n", 1, {{"", 2}}},
      {"unwrapped one-character text reads empty",
       "Count=1\r\nNumber=0\r\nText1=x\r\n",
       0,
       {{"", 0}}},
      {"quoted wrapped text keeps its blanks",
       "Count=1\r\nNumber=0\r\nText1=\"/ a /\"\r\n",
       0,
       {{" a ", 0}}},
      {"other kinds keep a text written into the file",
       "Count=2\r\nNumber=10\r\nOmit1=1\r\nItem1=2\r\nText1=/stray/\r\nItem2=6\r\nText2=/x/\r\n",
       10,
       {{"stray", 12}, {"x", 6}}},
      {"missing items are empty texts",
       "Count=2\r\nNumber=0\r\nItem1=2\r\n",
       0,
       {{"", 2}, {"", 0}}},
      {"negative count reads no item", "Count=-4\r\nNumber=1\r\nItem1=2\r\n", 1, {}},
      {"huge omit does not overflow",
       "Count=1\r\nNumber=0\r\nOmit1=2000000000\r\nItem1=1\r\n",
       0,
       {{"", INT32_MAX}}},
  };
  for (const ListFormCase& c : cases) {
    PutFile(files, kPath, "[ListForm]\r\n" + c.section);
    TListForm form = ReadListForm(ini);
    EXPECT_EQ(form.FormatHeader, c.header) << c.name;
    EXPECT_EQ(Items(form), c.items) << c.name;
  }
}

TEST_F(SettingsTest, AHugeCountReadsABoundedNumberOfEntries) {
  PutFile(files, kPath, "[ListForm]\r\nCount=2147483647\r\n[HotKey]\r\nCount=2147483647\r\n");
  TSettings s = ReadSettings(ini);
  EXPECT_EQ(s.ListForm.Items.size(), static_cast<size_t>(kMaxFormatItems));
  EXPECT_EQ(s.HotKey.Entries.size(), static_cast<size_t>(kMaxHotKeys));
}

TEST_F(SettingsTest, ApplyRewritesListFormAndHotKeysWhole) {
  PutFile(files, kPath,
          "; my notes\r\n[ListForm]\r\nCount=5\r\nNumber=11\r\nOmit1=1\r\nItem1=1\r\nItem5=3\r\n"
          "[HotKey]\r\nEnabled=1\r\nCount=2\r\nCmd1=16\r\n[Mine]\r\nKeep=this\r\n");
  TSettings s;
  s.ListForm = ListFormFromPreset(FormatPresets()[1]);
  s.ListForm.Items[0].Text = "stray";  // only a text item's text is stored
  s.HotKey.Entries = {{16, 2, 0x27}};
  ASSERT_TRUE(WriteApplySections(ini, s));
  const std::string text = FileText(files, kPath);
  EXPECT_EQ(text.rfind("; my notes\r\n[Mine]\r\nKeep=this\r\n[Option]\r\n", 0), 0u) << text;
  EXPECT_NE(text.find("[ListForm]\r\nCount=4\r\nNumber=11\r\nOmit1=0\r\nItem1=2\r\nText1=\r\n"
                      "Omit2=1\r\nItem2=0\r\nText2=/ (/\r\nOmit3=1\r\nItem3=1\r\nText3=\r\n"
                      "Omit4=1\r\nItem4=0\r\nText4=/)/\r\n[HotKey]\r\nEnabled=0\r\nCount=1\r\n"
                      "Mod0=2\r\nKey0=39\r\nCmd0=16\r\n"),
            std::string::npos)
      << text;
  EXPECT_EQ(text.find("Item5"), std::string::npos);
  EXPECT_EQ(text.find("Cmd1"), std::string::npos);
}

TEST_F(SettingsTest, ShutDownKeepsEverythingElseInTheFile) {
  const std::string before =
      ";comment\r\n[Option]\r\nFontSize=12\r\nUnknown=1\r\n\r\n[Window]\r\nLeft=1\r\nExtra=x\r\n";
  PutFile(files, kPath, before);
  TShutDownState state = StateOf(TSettings(), "01");
  state.Left = 5;
  ASSERT_TRUE(WriteShutDownSections(ini, state));
  EXPECT_EQ(FileText(files, kPath),
            ";comment\r\n[Option]\r\nFontSize=12\r\nUnknown=1\r\n\r\n[Window]\r\nLeft=5\r\n"
            "Extra=x\r\nTop=100\r\nWidth=275\r\nHeight=116\r\nState=1\r\nRemain=0\r\nDelete=01\r\n"
            "[Winamp]\r\nMinimized=0\r\n[Play]\r\nNo=0\r\nMode=0\r\nSeed=0\r\n");
}

TEST_F(SettingsTest, ShutDownStoresTheHeightOfTheNormalWindowAndAPendingMode) {
  // A hidden window (negative state) keeps the height of its kind: a normal one's own, even
  // when it was resized after it was last small.
  const struct {
    int32_t state, height, savedHeight, expected;
  } cases[] = {
      {2, 14, 200, 200}, {-2, 14, 200, 200}, {1, 300, 116, 300}, {-1, 145, 116, 145},
  };
  for (const auto& c : cases) {
    TShutDownState state = StateOf(TSettings(), "");
    state.State = c.state;
    state.Height = c.height;
    state.SavedHeight = c.savedHeight;
    state.Mode = 5;
    ASSERT_TRUE(WriteShutDownSections(ini, state));
    EXPECT_EQ(ini.ReadInteger("Window", "Height", 0), c.expected) << c.state;
    EXPECT_EQ(ini.ReadInteger("Play", "Mode", 0), 5);
  }
}

TEST(SettingsShutDownTest, WindowPositionAndMinimizedAsSaved) {
  const struct {
    int32_t left, width, screenWidth, expected;
  } lefts[] = {
      {-500, 275, 1024, 0},   {-275, 275, 1024, 0},    {-274, 275, 1024, -274},
      {100, 275, 1024, 100},  {1023, 275, 1024, 1023}, {1024, 275, 1024, 749},
      {5000, 275, 1024, 749},
  };
  for (const auto& c : lefts) {
    EXPECT_EQ(SavedLeft(c.left, c.width, c.screenWidth), c.expected) << c.left;
  }
  const struct {
    int32_t top, height, screenHeight, expected;
  } tops[] = {
      {-30, 116, 768, 0},   {-29, 116, 768, -29}, {767, 116, 768, 767},
      {768, 116, 768, 652}, {768, 14, 768, 754},
  };
  for (const auto& c : tops)
    EXPECT_EQ(SavedTop(c.top, c.height, c.screenHeight), c.expected) << c.top;
  const struct {
    int32_t minimized;
    bool docked;
    int32_t expected;
  } minimized[] = {
      {-1, false, 1}, {-2, false, 2}, {-1, true, 1}, {0, false, 0},
      {0, true, 0},   {1, false, 1},  {1, true, 2},
  };
  for (const auto& c : minimized) {
    EXPECT_EQ(SavedMinimized(c.minimized, c.docked), c.expected) << c.minimized << c.docked;
  }
}

TEST(SettingsPathTest, LiesInThePluginsFolderBesideTheHostProgram) {
  const struct {
    std::string program;
    std::string expected;
  } cases[] = {
      {"C:\\Program Files\\Winamp\\winamp.exe",
       "C:\\Program Files\\Winamp\\Plugins\\gen_Varimo.ini"},
      {"C:\\\x95\x5C\\winamp.exe", "C:\\\x95\x5C\\Plugins\\gen_Varimo.ini"},
      {"C:\\\x95\x5Cwinamp.exe", "C:\\Plugins\\gen_Varimo.ini"},
      {"winamp.exe", "Plugins\\gen_Varimo.ini"},
  };
  for (const auto& c : cases) EXPECT_EQ(SettingsFilePath(c.program), c.expected) << c.program;
}

}  // namespace
}  // namespace varimo

namespace varimo {
namespace {

// The album options exist in the file only while on: turned off, the file is as it was
// before they existed.
TEST_F(SettingsTest, TheAlbumOptionsAreWrittenOnlyWhileOn) {
  ASSERT_TRUE(WriteApplySections(ini, TSettings()));
  const std::string before = FileText(files, kPath);
  struct TStep {
    bool Memory;
    bool Resume;
    const char* Keys;  // what follows Transparence=-1 in [Option]
  };
  const std::vector<TStep> steps = {
      {true, false, "AlbumMemory=1\r\n"},
      {true, true, "AlbumMemory=1\r\nAlbumResume=1\r\n"},
      {false, false, ""},
  };
  for (const TStep& step : steps) {
    TSettings settings;
    settings.Option.AlbumMemory = step.Memory;
    settings.Option.AlbumResume = step.Resume;
    ASSERT_TRUE(WriteApplySections(ini, settings));
    std::string expected = before;
    expected.insert(expected.find("Transparence=-1\r\n") + 17, step.Keys);
    EXPECT_EQ(FileText(files, kPath), expected) << step.Keys;
    const TSettings read = ReadSettings(ini);
    EXPECT_EQ(read.Option.AlbumMemory, step.Memory);
    EXPECT_EQ(read.Option.AlbumResume, step.Resume);
  }
}

}  // namespace
}  // namespace varimo
