#include <gtest/gtest.h>

#include "engine/play_commands.h"
#include "fakes/engine_rig.h"
#include "frame/varimo.h"
#include "window/popup_menu.h"

namespace varimo {
namespace {

// The value of key in the INI text, or "(none)".
std::string IniValue(const std::string& text, const std::string& key) {
  const std::string prefix = "\n" + key + "=";
  size_t at = ("\n" + text).find(prefix);
  if (at == std::string::npos) return "(none)";
  size_t begin = at + prefix.size() - 1;
  size_t end = text.find_first_of("\r\n", begin);
  return text.substr(begin, end - begin);
}

TEST(FormCreate, SizesTheWindowByItsSavedState) {
  struct Case {
    const char* name;
    std::string window;
    int32_t expectedHeight, expectedMin, expectedMax, expectedState, expectedSavedHeight;
  } cases[] = {
      {"normal", "State=1\r\nHeight=203\r\n", 203, 116, 0, 1, 203},
      {"normal, hidden", "State=-1\r\nHeight=174\r\n", 174, 116, 0, -1, 174},
      {"a saved height below the minimum", "State=1\r\nHeight=50\r\n", 116, 116, 0, 1, 50},
      {"small", "State=2\r\nHeight=203\r\n", 14, 14, 14, 2, 203},
      {"small, hidden", "State=-2\r\nHeight=203\r\n", 14, 14, 14, -2, 203},
      {"an unknown state reads as normal", "State=9\r\nHeight=203\r\n", 203, 116, 0, 1, 203},
      {"state 0 reads as normal", "State=0\r\nHeight=145\r\n", 145, 116, 0, 1, 145},
      {"state 3 reads as normal", "State=3\r\nHeight=145\r\n", 145, 116, 0, 1, 145},
  };
  for (const Case& c : cases) {
    EngineRig rig;
    rig.PutIni("[Window]\r\nLeft=-40\r\nTop=33\r\nWidth=325\r\n" + c.window);
    rig.StartUp();
    const TWindowBounds bounds = rig.Window.Bounds();
    // The skin load at start-up brings the window back from beyond the screen's left edge.
    EXPECT_EQ(bounds.Left, 0) << c.name;
    EXPECT_EQ(bounds.Top, 33) << c.name;
    EXPECT_EQ(bounds.Width, 325) << c.name;
    EXPECT_EQ(bounds.Height, c.expectedHeight) << c.name;
    EXPECT_EQ(rig.Window.MinHeight, c.expectedMin) << c.name;
    EXPECT_EQ(rig.Window.MaxHeight, c.expectedMax) << c.name;
    EXPECT_EQ(rig.Win().State, c.expectedState) << c.name;
    EXPECT_EQ(rig.Win().SavedHeight, c.expectedSavedHeight) << c.name;
  }
}

TEST(FormCreate, TakesOverThePlayStateAndChecksTheModeItem) {
  struct Case {
    int32_t stored;
    int32_t expectedMode;
    ModeItem expectedItem;
  } cases[] = {
      {0, 0, ModeItem::kNormal},      {1, 1, ModeItem::kRepeatSingle},
      {2, 2, ModeItem::kRepeatAlbum}, {3, 3, ModeItem::kShuffleAlbum},
      {4, 4, ModeItem::kShuffleAll},  {5, 4, ModeItem::kShuffleAll},
      {7, 7, ModeItem::kNone},        {-1, -1, ModeItem::kNone},
  };
  for (const Case& c : cases) {
    EngineRig rig;
    rig.PutIni("[Play]\r\nNo=4\r\nSeed=-2\r\nMode=" + std::to_string(c.stored) + "\r\n");
    rig.StartUp();
    EXPECT_EQ(rig.Play().Mode, c.expectedMode) << c.stored;
    EXPECT_EQ(ModeItemFor(rig.Play().Mode), c.expectedItem) << c.stored;
    EXPECT_EQ(rig.Current(), 4);
    EXPECT_EQ(rig.Play().Seed, 0xFFFFFFFEu);
  }
  EXPECT_EQ(ModeItemFor(kModeShuffleAllPending), ModeItem::kShuffleAll);
}

TEST(FormCreate, AWindowSetToHideWithoutAlbumStartsHidden) {
  struct Case {
    const char* name;
    std::string ini;
    int32_t expectedState;
  } cases[] = {
      {"hide option off", "[Window]\r\nState=1\r\n", 1},
      {"hide option on", "[Option]\r\nVisibleChk=1\r\n[Window]\r\nState=1\r\n", -1},
      {"small window", "[Option]\r\nVisibleChk=1\r\n[Window]\r\nState=2\r\n", -2},
      {"already hidden", "[Option]\r\nVisibleChk=1\r\n[Window]\r\nState=-1\r\n", -1},
      {"host minimised", "[Option]\r\nVisibleChk=1\r\n[Winamp]\r\nMinimized=1\r\n", 1},
      {"host minimised, docked", "[Option]\r\nVisibleChk=1\r\n[Winamp]\r\nMinimized=2\r\n", 1},
  };
  for (const Case& c : cases) {
    EngineRig rig;
    rig.PutIni(c.ini);
    rig.StartUp();
    EXPECT_EQ(rig.Win().State, c.expectedState) << c.name;
  }
}

TEST(ApplyTransparency, SetsTheOpacityOncePerValue) {
  struct Case {
    const char* name;
    int32_t setting;
    bool available;
    std::vector<uint8_t> expectedOpacities;
    int32_t expectedSetting;
  } cases[] = {
      {"half", 50, true, {127}, 50},
      {"off is opaque", -1, true, {255}, -1},
      {"fully transparent", 0, true, {0}, 0},
      {"beyond 100 stays opaque", 250, true, {255}, 250},
      {"no translucent windows switches it off", 50, false, {}, -1},
  };
  for (const Case& c : cases) {
    TVarimo varimo;
    FakeTransparency transparency;
    transparency.Available = c.available;
    varimo.Settings.Option.Transparence = c.setting;
    ApplyTransparency(varimo, transparency);
    ApplyTransparency(varimo, transparency);
    EXPECT_EQ(transparency.Opacities, c.expectedOpacities) << c.name;
    EXPECT_EQ(varimo.Settings.Option.Transparence, c.expectedSetting) << c.name;
  }
  // A new value is applied again; the window is made layered at creation.
  EngineRig rig;
  rig.PutIni("[Option]\r\nTransparence=80\r\n");
  rig.StartUp();
  EXPECT_TRUE(rig.Transparency.Layered);
  rig.Varimo.Settings.Option.Transparence = 40;
  ApplyTransparency(rig.Varimo, rig.Transparency);
  EXPECT_EQ(rig.Transparency.Opacities, (std::vector<uint8_t>{204, 102}));
}

TEST(FormDestroy, SavesTheWindowOnScreenAndTheMinimisedState) {
  struct Case {
    const char* name;
    TWindowBounds bounds;
    int32_t minimized;
    bool docked;
    std::string left, top, minimizedText;
  } cases[] = {
      {"left of the screen", {-300, 10, 275, 116}, 0, false, "0", "10", "0"},
      {"just on screen", {-274, -29, 275, 116}, 1, false, "-274", "-29", "1"},
      {"at the screen's right edge", {1280, -30, 275, 116}, 1, true, "1005", "0", "2"},
      {"below the screen", {20, 1024, 275, 116}, -1, true, "20", "908", "1"},
      {"never confirmed docked", {20, 40, 275, 116}, -2, false, "20", "40", "2"},
      {"shown, docked", {20, 40, 275, 116}, 0, true, "20", "40", "0"},
  };
  for (const Case& c : cases) {
    EngineRig rig;
    rig.StartUp();
    rig.Window.SetBounds(c.bounds);
    rig.Win().Minimized = c.minimized;
    rig.Win().Docked = c.docked;
    EXPECT_TRUE(rig.ShutDown()) << c.name;
    const std::string ini = rig.IniText();
    EXPECT_EQ(IniValue(ini, "Left"), c.left) << c.name;
    EXPECT_EQ(IniValue(ini, "Top"), c.top) << c.name;
    EXPECT_EQ(IniValue(ini, "Minimized"), c.minimizedText) << c.name;
  }
}

// A normal window hidden by its close button after it was resized keeps its new height.
TEST(FormDestroy, KeepsTheNormalHeightWhileSmallAndTakesTheCurrentOneOtherwise) {
  struct Case {
    int32_t state;
    std::string expectedHeight;
  } cases[] = {{1, "232"}, {-1, "232"}, {2, "145"}, {-2, "145"}};
  for (const Case& c : cases) {
    EngineRig rig;
    rig.PutIni("[Window]\r\nHeight=145\r\n");
    rig.StartUp();
    rig.Win().State = c.state;
    rig.Window.SetBounds({0, 0, 275, 232});
    rig.ShutDown();
    EXPECT_EQ(IniValue(rig.IniText(), "Height"), c.expectedHeight) << c.state;
    EXPECT_EQ(IniValue(rig.IniText(), "State"), std::to_string(c.state));
  }
}

// Start-up, play, shut-down and start-up again: everything the file keeps comes back, and a
// second shut-down writes the same file.
TEST(Lifecycle, ARoundTripThroughTheSettingsFileLosesNothing) {
  auto playlist = [](EngineRig& rig) {
    rig.AddPlainFile("C:\\intro.mp3", 20000);
    rig.AddZipAlbum("C:\\album.zip", {10000, 12000, 9000, 11000, 8000, 10000, 7000});
  };
  const std::string initial =
      "[Window]\r\nLeft=55\r\nTop=66\r\nWidth=300\r\nHeight=174\r\nState=1\r\nRemain=1\r\n"
      "[Option]\r\nTransparence=70\r\nBreakMS=300\r\n[Play]\r\nMode=3\r\nSeed=3\r\n";
  EngineRig first;
  playlist(first);
  first.PutIni(initial);
  first.StartUp();
  first.Host.Place(1, 0, kHostPlaying);
  first.Run(45000);  // shuffle picks along the way
  ToggleExcluded(first.Album().Tracks[2]);
  ToggleExcluded(first.Album().Tracks[5]);
  first.Window.SetBounds({80, 90, 325, 203});
  first.Win().Docked = true;
  first.Win().Minimized = 1;
  const int32_t current = first.Current();
  const uint32_t seed = first.Play().Seed;
  ASSERT_TRUE(first.ShutDown());
  const std::string saved = first.IniText();
  EXPECT_TRUE(first.Album().Tracks.empty());

  EngineRig second;
  playlist(second);
  second.PutIni(saved);
  second.StartUp();
  second.Host.Place(1, 0, kHostStopped);
  second.Tick();
  EXPECT_EQ(second.Current(), current);
  ASSERT_EQ(second.Album().Tracks.size(), 7u);
  for (int32_t i = 0; i < 7; ++i) {
    EXPECT_EQ(IsExcluded(second.Album().Tracks[i]), (i == 2 || i == 5) && i != current) << i;
  }
  EXPECT_EQ(second.Play().Mode, kModeShuffleAlbum);
  EXPECT_EQ(second.Play().Seed, seed);
  EXPECT_TRUE(second.Win().Remain);
  EXPECT_EQ(second.Win().Minimized, -2);
  EXPECT_EQ(second.Win().SavedHeight, 203);
  const TWindowBounds bounds = second.Window.Bounds();
  EXPECT_EQ(bounds.Left, 80);
  EXPECT_EQ(bounds.Top, 90);
  EXPECT_EQ(bounds.Width, 325);
  EXPECT_EQ(bounds.Height, 203);
  EXPECT_EQ(second.Transparency.Opacities, (std::vector<uint8_t>{178}));
  EXPECT_EQ(second.Varimo.Settings.Option.BreakMS, 300);

  ASSERT_TRUE(second.ShutDown());
  EXPECT_EQ(second.IniText(), saved);
}

}  // namespace
}  // namespace varimo
