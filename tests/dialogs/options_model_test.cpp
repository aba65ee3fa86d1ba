#include "dialogs/options_model.h"

#include <gtest/gtest.h>

#include "fakes/engine_rig.h"

namespace varimo {
namespace {

TEST(OptionsModel, LoadsEveryControlFromTheSettingsInForce) {
  EngineRig rig;
  rig.PutIni(
      "[Option]\r\nTimerMS=300\r\nBreakMS=400\r\nCorrect=0\r\nCorrectMS=-20\r\nPrevKey=^\r\n"
      "NextKey=x\r\nVisibleKey=,\r\nFontName=Arial\r\nFontSize=14\r\nFontPitch=2\r\n"
      "Transparence=45\r\nMP3on3Path=C:\\t\\MP3on3.exe\r\nMP3on3Stop=0\r\nPlayTime=1\r\n"
      "[HotKey]\r\nEnabled=1\r\nCount=1\r\nCmd0=111\r\nMod0=3\r\nKey0=80\r\n");
  rig.StartUp();
  const TOptionsModel m = LoadOptionsModel(rig.Varimo);
  EXPECT_FALSE(m.Visible);
  EXPECT_TRUE(m.PlayTime);
  EXPECT_EQ(m.Timer.Position, 300);
  EXPECT_EQ(std::make_tuple(m.Break.Position, m.Break.Min, m.Break.Max),
            std::make_tuple(400, 300, 1500));
  EXPECT_FALSE(m.Correct);
  EXPECT_EQ(m.CorrectMS.Position, -20);
  EXPECT_EQ(KeyAt(kTrackKeyEntries, m.PrevKey, 0), '^');
  EXPECT_EQ(m.NextKey, -1) << "a lower-case key is in no list";
  EXPECT_EQ(m.VisibleKey, -1) << "punctuation is not in the show/hide list";
  EXPECT_TRUE(m.HotKeyEnabled);
  EXPECT_EQ(m.HotKeyList.Rows.size(), 1u);
  EXPECT_EQ(m.MP3on3Path, "C:\\t\\MP3on3.exe");
  EXPECT_FALSE(m.MP3on3Stop);
  EXPECT_EQ(m.FontName, "Arial");
  EXPECT_EQ(m.FontSize.Position, 14);
  EXPECT_EQ(m.FontPitch.Position, 2);
  EXPECT_TRUE(m.Transparence);
  EXPECT_EQ(m.TransparenceValue.Position, 45);
  EXPECT_TRUE(m.FormatList.Numbered);
  EXPECT_EQ(m.FormatList.Rows.size(), 3u);

  rig.Varimo.Settings.Option.Transparence = -1;
  const TOptionsModel opaque = LoadOptionsModel(rig.Varimo);
  EXPECT_FALSE(opaque.Transparence);
  EXPECT_EQ(opaque.TransparenceValue.Position, 100);
  EXPECT_EQ(kTrackKeyEntries.size(), 47u);
  EXPECT_EQ(kVisibleKeyEntries.size(), 36u);
  EXPECT_EQ(kTrackKeyEntries.back(), "\\");
}

TEST(OptionsModel, ChecksEnableTheirControlsAndEveryChangeEnablesApply) {
  const TEnabledLook on = LookFor(true);
  const TEnabledLook off = LookFor(false);
  EXPECT_EQ(std::make_tuple(on.Enabled, on.Background, on.Text),
            std::make_tuple(true, TSystemColor::kWindow, TSystemColor::kWindowText));
  EXPECT_EQ(std::make_tuple(off.Enabled, off.Background, off.Text),
            std::make_tuple(false, TSystemColor::kButtonFace, TSystemColor::kInactiveCaption));

  TOptionsModel m;
  m.FormShow();
  EXPECT_FALSE(m.ApplyEnabled) << "the shown dialog starts unchanged";
  EXPECT_EQ(m.Sample.size(), 0u);
  m.CheckBoxCorrectClick(false);
  EXPECT_FALSE(m.CorrectLook().Enabled);
  EXPECT_TRUE(m.ApplyEnabled);
  m.ApplyEnabled = false;
  m.CheckBoxTransparenceClick(true);
  EXPECT_TRUE(m.TransparenceLook().Enabled);
  EXPECT_TRUE(m.ApplyEnabled);
  // Resume follows the memory: off by default, disabled, and a click there is not taken.
  m.ApplyEnabled = false;
  EXPECT_FALSE(m.AlbumResumeLook().Enabled);
  m.CheckBoxAlbumResumeClick(true);
  EXPECT_FALSE(m.AlbumResume);
  EXPECT_FALSE(m.ApplyEnabled);
  m.CheckBoxAlbumMemoryClick(true);
  EXPECT_TRUE(m.AlbumResumeLook().Enabled);
  m.CheckBoxAlbumResumeClick(true);
  EXPECT_TRUE(m.AlbumResume);
  EXPECT_TRUE(m.ApplyEnabled);
  m.CheckBoxAlbumMemoryClick(false);
  EXPECT_FALSE(m.AlbumResumeLook().Enabled);
  m.HotKeyList.Selected = 0;
  m.CheckBoxHotKeyClick(true);
  EXPECT_EQ(m.HotKeyList.Selected, -1);
  EXPECT_TRUE(m.HotKeyListLook().Enabled);
  m.ApplyEnabled = false;
  m.Take(TListChange::kNone);
  EXPECT_FALSE(m.ApplyEnabled);
  m.Take(TListChange::kHotKeys);
  EXPECT_TRUE(m.ApplyEnabled);
  m.FormatList.Preset(2);
  m.CheckBoxFormNoClick(true);
  EXPECT_EQ(m.Sample.front().Text, u8"№ ");
  EXPECT_EQ(m.Sample.size(), 6u);
}

TEST(OptionsModel, TheBreakRisesWithTheTimerWhichIsItsLowerLimit) {
  TOptionsModel m;
  m.Break.Set(500);
  m.UpDownTimerClick(700);
  EXPECT_EQ(std::make_tuple(m.Break.Position, m.Break.Min), std::make_tuple(700, 700));
  m.UpDownTimerClick(300);
  EXPECT_EQ(std::make_tuple(m.Break.Position, m.Break.Min), std::make_tuple(700, 300));
  m.UpDownClick(m.Break, 200);
  EXPECT_EQ(m.Break.Position, 300);
  m.UpDownTimerClick(5000);
  EXPECT_EQ(m.Timer.Position, 1000);
  EXPECT_EQ(m.Break.Position, 1000);
}

TEST(OptionsModel, TheCorrectionIsHowManyMillisecondsAMinuteThePositionLags) {
  struct Case {
    int32_t play, clock;
    std::optional<int32_t> correction;
  };
  // clang-format off
  const Case cases[] = {
      {59700,  60000, 300},
      {60100,  60000, -100},
      {0,      60000, 60000},   // no progress; 32-bit arithmetic would overflow here
      {0,     600000, 60000},
      {5,          0, std::nullopt},
  };
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(MeasuredCorrection(c.play, c.clock), c.correction) << c.play << "/" << c.clock;
  }
}

TEST(OptionsModel, MeasuringPlaysWaitsReadsAndOnTheSecondPressStopsAndFillsTheCorrection) {
  EngineRig rig;
  rig.AddPlainFile("C:\\a.mp3", 600000);
  TOptionsModel m;
  m.ApplyEnabled = false;
  const size_t mark = rig.Host.LogMark();
  m.ButtonMeasureClick(rig.Host, rig.Clock);
  EXPECT_EQ(std::string(m.MeasureButtonCaption()), u8"終了");
  EXPECT_EQ(rig.Host.CountCommand(kCommandPlay, mark), 1u);
  EXPECT_EQ(rig.Clock.Slept, 100u);
  EXPECT_EQ(m.MeasureStartPosition, 100);
  rig.Host.Advance(59700);
  rig.Clock.Now += 60000;
  m.ButtonMeasureClick(rig.Host, rig.Clock);
  EXPECT_EQ(m.CorrectMS.Position, 300);
  EXPECT_TRUE(m.ApplyEnabled);
  EXPECT_EQ(std::string(m.MeasureButtonCaption()), u8"計測");
  EXPECT_EQ(rig.Host.CountCommand(kCommandStop, mark), 1u);

  // A host that does not move: the control holds its upper limit.
  m.ButtonMeasureClick(rig.Host, rig.Clock);
  rig.Clock.Now += 1000;
  m.ButtonMeasureClick(rig.Host, rig.Clock);
  EXPECT_EQ(m.CorrectMS.Position, 1000);
  // Stopped within the same tick: the value stays.
  m.CorrectMS.Set(42);
  m.ButtonMeasureClick(rig.Host, rig.Clock);
  m.ButtonMeasureClick(rig.Host, rig.Clock);
  EXPECT_EQ(m.CorrectMS.Position, 42);
}

TEST(OptionsModel, DialogsOpenCentredOnTheWindowAndStayOnTheScreen) {
  struct Case {
    TWindowBounds main;
    int32_t left, top;
  };
  // clang-format off
  const Case cases[] = {
      {{100, 100, 275, 116},   64,   12},
      {{1005, 908, 275, 116}, 933,  700},   // the screen's bottom-right corner
      {{-400, -300, 275, 116},  0,    0},
      {{101, 101, 275, 117},   65,   13},   // halves drop their remainder
  };
  // clang-format on
  for (const Case& c : cases) {
    const TDialogRect r = DialogPosition(c.main, 347, 292, {1280, 1024});
    EXPECT_EQ(std::make_pair(r.Left, r.Top), std::make_pair(c.left, c.top)) << c.main.Left;
  }
}

TEST(OptionsModel, TheProgramBrowserStartsInTheFolderOfTheCurrentPath) {
  struct Case {
    const char* path;
    const char* folder;
    const char* name;
  };
  // clang-format off
  const Case cases[] = {
      {"C:\\Tools\\MP3on3.exe", "C:\\Tools", "MP3on3.exe"},
      {"C:\\pack.exe",          "C:\\",      "pack.exe"},
      {"C:\\Tools\\",           "C:\\Tools", "MP3on3.exe"},
      {"",                      "",          "MP3on3.exe"},
  };
  // clang-format on
  EXPECT_EQ(HelpPagePath("C:\\Program Files\\Winamp\\winamp.exe"),
            "C:\\Program Files\\Winamp\\Plugins\\gen_Varimo.htm");
  for (const Case& c : cases) {
    const TProgramBrowseStart start = ProgramBrowseStart(c.path);
    EXPECT_EQ(start.Folder, c.folder) << c.path;
    EXPECT_EQ(start.FileName, c.name) << c.path;
  }
}

}  // namespace
}  // namespace varimo
