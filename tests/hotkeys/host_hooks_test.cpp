#include "hotkeys/host_hooks.h"

#include <gtest/gtest.h>

#include "fakes/engine_rig.h"

namespace varimo {
namespace {

// A screen of 1280 x 1024 with a task bar of 30 pixels at the bottom.
constexpr TWorkArea kWork = {0, 0, 1280, 994};

TEST(HostKeyCharacter, ReadsTheKeysOnTheJapaneseLayout) {
  struct Case {
    uint32_t key;
    char expected;
  } cases[] = {
      {48, '0'},  {57, '9'},  {65, 'A'},  {90, 'Z'},  {13, '\r'}, {186, ':'}, {187, ';'},
      {188, ','}, {189, '-'}, {190, '.'}, {191, '/'}, {192, '@'}, {219, '['}, {220, '\\'},
      {221, ']'}, {222, '^'}, {47, 0},    {58, 0},    {64, 0},    {91, 0},    {97, 0},
      {32, 0},    {0, 0},     {193, 0},   {0x1BC, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(HostKeyCharacter(c.key), c.expected) << c.key;
}

TEST(ForwardHostKey, StepsThroughTheAlbumButLeavesEnterToTheHost) {
  struct Case {
    uint32_t key;
    int32_t expectedCurrent;
  } cases[] = {{188, 0}, {190, 2}, {13, 1}, {65, 1}};
  for (const Case& c : cases) {
    EngineRig rig;
    rig.Album().Tracks.assign(3, TTrackItem{});
    for (int32_t i = 0; i < 3; ++i) {
      rig.Album().Tracks[i].StartMS = i * 10000;
      rig.Album().Tracks[i].LengthMS = 10000;
    }
    rig.Host.AddEntry("C:\\album.zip", 30000);
    rig.Host.Place(0, 12000, kHostPlaying);
    rig.Play().HostState = kHostPlaying;
    rig.Album().CurrentIndex = 1;
    rig.Win().SelectedIndex = 2;
    ForwardHostKey(rig.Varimo, rig.Ports, c.key);
    EXPECT_EQ(rig.Current(), c.expectedCurrent) << c.key;
  }
}

TEST(ForwardsHostKey, LeavesTextFieldsAndThePluginsOwnWindowsAlone) {
  // clang-format off
  const struct {
    const char* className;
    bool pluginWindow;
    bool forwarded;
  } cases[] = {
    {"Winamp PE",        false, true},   // the host's playlist editor
    {"Winamp v1.x",      false, true},
    {"Button",           false, true},
    {"ComboBox",         false, true},   // a drop-down list: its keys choose, they type nothing
    {"SysListView32",    false, true},
    {"Edit",             false, false},  // the host's jump-to-file box, a combo box's edit
    {"EDIT",             false, false},
    {"RichEdit20W",      false, false},
    {"RICHEDIT50W",      false, false},
    {"RichEdit",         false, false},
    {"msctls_hotkey32",  false, false},
    {"Editor",           false, true},   // a class of its own, not the system's edit
    {"#32770",           true,  false},  // the plug-in's dialogs and what they own
    {"Button",           true,  false},
    {"Edit",             true,  false},
    {"Winamp Varimo",    true,  false},
  };
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(ForwardsHostKey({c.className, c.pluginWindow}), c.forwarded)
        << c.className << " " << c.pluginWindow;
  }
}

TEST(IsHostParked, TakesTheWorkAreasBottomLeftCornerOrTheSystemsWord) {
  struct Case {
    TWindowBounds host;
    bool minimized;
    bool expected;
  } cases[] = {
      {{0, 965, 160, 24}, false, true},
      {{-4, 1000, 160, 24}, false, true},
      {{0, 964, 160, 24}, false, false},
      {{1, 965, 160, 24}, false, false},
      {{375, 100, 275, 116}, false, false},
      // Where current systems and Wine put a minimised window.
      {{-32000, -32000, 160, 24}, false, false},
      {{-32000, -32000, 160, 24}, true, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsHostParked({c.host, c.minimized}, kWork), c.expected)
        << c.host.Left << ", " << c.host.Top << ", " << c.minimized;
  }
  // A task bar at the top moves the corner down with the work area.
  EXPECT_TRUE(IsHostParked({{0, 995, 160, 24}, false}, {0, 30, 1280, 1024}));
  EXPECT_FALSE(IsHostParked({{0, 965, 160, 24}, false}, {0, 30, 1280, 1024}));
}

TEST(FollowHostMove, MovesADockedWindowAlongWithTheHost) {
  struct Case {
    const char* name;
    bool docked;
    int32_t loadState, minimized;
    TWindowBounds host;
    int32_t expectedLeft, expectedTop, expectedCornerLeft, expectedCornerTop;
  } cases[] = {
      {"docked", true, kLoadBuilt, 0, {395, 90, 275, 116}, 120, 90, 395, 90},
      {"not docked", false, kLoadBuilt, 0, {395, 90, 275, 116}, 100, 100, 395, 90},
      {"not moved", true, kLoadBuilt, 0, {375, 100, 275, 116}, 100, 100, 375, 100},
      {"before the first build", true, kLoadFirstBuild, 0, {395, 90, 275, 116}, 100, 100, 375, 100},
      {"minimised", true, kLoadBuilt, 1, {395, 90, 275, 116}, 100, 100, 375, 100},
      {"parked", true, kLoadBuilt, 0, {0, 970, 160, 24}, 100, 100, 375, 100},
  };
  for (const Case& c : cases) {
    EngineRig rig;
    rig.Window.SetBounds({100, 100, 275, 116});
    rig.Win().Docked = c.docked;
    rig.Win().Minimized = c.minimized;
    rig.Album().LoadState = c.loadState;
    rig.Varimo.HostWindows.MainLeft = 375;
    rig.Varimo.HostWindows.MainTop = 100;
    FollowHostMove(rig.Varimo, rig.Window, {c.host, false}, kWork);
    EXPECT_EQ(rig.Window.Bounds().Left, c.expectedLeft) << c.name;
    EXPECT_EQ(rig.Window.Bounds().Top, c.expectedTop) << c.name;
    EXPECT_EQ(rig.Window.Bounds().Width, 275) << c.name;
    EXPECT_EQ(rig.Varimo.HostWindows.MainLeft, c.expectedCornerLeft) << c.name;
    EXPECT_EQ(rig.Varimo.HostWindows.MainTop, c.expectedCornerTop) << c.name;
  }
}

TEST(HostSizeChanged, SettlesTheMinimisedStateReadAtStartUp) {
  struct Case {
    const char* name;
    int32_t minimized, loadState, state;
    bool visibleChk;
    TWindowBounds host;
    int32_t expectedMinimized, expectedLoadState, expectedState, expectedShows;
    bool expectedDocked;
    std::string expectedAlbumFile;
    int32_t expectedCornerLeft;
  } cases[] = {
      {"minimised now",
       0,
       kLoadBuilt,
       1,
       false,
       {0, 970, 160, 24},
       1,
       kLoadBuilt,
       1,
       0,
       false,
       "C:\\a.zip",
       375},
      {"shown normally",
       0,
       kLoadBuilt,
       1,
       false,
       {400, 100, 275, 116},
       0,
       kLoadBuilt,
       1,
       0,
       false,
       "C:\\a.zip",
       375},
      {"restored after a minimised start",
       -1,
       kLoadBuilt,
       1,
       false,
       {400, 100, 275, 116},
       0,
       kLoadBuilt,
       1,
       1,
       false,
       "C:\\a.zip",
       400},
      {"restored after a docked start",
       -2,
       kLoadBuilt,
       1,
       false,
       {400, 100, 275, 116},
       0,
       kLoadBuilt,
       1,
       1,
       true,
       "C:\\a.zip",
       400},
      {"restored, hidden window stays hidden",
       -1,
       kLoadBuilt,
       -1,
       false,
       {400, 100, 275, 116},
       0,
       kLoadBuilt,
       -1,
       0,
       false,
       "C:\\a.zip",
       400},
      {"restored with hiding without album",
       -1,
       kLoadBuilt,
       1,
       true,
       {400, 100, 275, 116},
       0,
       kLoadFirstBuild,
       -1,
       0,
       false,
       "",
       400},
      {"restored with hiding, already hidden",
       -1,
       kLoadBuilt,
       -1,
       true,
       {400, 100, 275, 116},
       0,
       kLoadFirstBuild,
       -1,
       0,
       false,
       "C:\\a.zip",
       400},
      {"before the first build",
       -1,
       kLoadFirstBuild,
       1,
       false,
       {400, 100, 275, 116},
       -1,
       kLoadFirstBuild,
       1,
       0,
       false,
       "C:\\a.zip",
       375},
  };
  for (const Case& c : cases) {
    EngineRig rig;
    rig.Win().Minimized = c.minimized;
    rig.Win().State = c.state;
    rig.Album().LoadState = c.loadState;
    rig.Album().AlbumFile = "C:\\a.zip";
    rig.Varimo.Settings.Option.VisibleChk = c.visibleChk;
    rig.Varimo.HostWindows.MainLeft = 375;
    HostSizeChanged(rig.Varimo, rig.Window, {c.host, false}, kWork);
    EXPECT_EQ(rig.Win().Minimized, c.expectedMinimized) << c.name;
    EXPECT_EQ(rig.Album().LoadState, c.expectedLoadState) << c.name;
    EXPECT_EQ(rig.Win().State, c.expectedState) << c.name;
    EXPECT_EQ(rig.Window.Shows, c.expectedShows) << c.name;
    EXPECT_EQ(rig.Win().Docked, c.expectedDocked) << c.name;
    EXPECT_EQ(rig.Album().AlbumFile, c.expectedAlbumFile) << c.name;
    EXPECT_EQ(rig.Varimo.HostWindows.MainLeft, c.expectedCornerLeft) << c.name;
  }
}

TEST(HostSizeChanged, AHostMinimisedWhereCurrentSystemsPutItCountsAsMinimised) {
  // Current systems and Wine park a minimised window at (-32000, -32000): a docked window
  // stays where it is, and the shut-down saves the host minimised with the window docked.
  EngineRig rig;
  rig.StartUp();
  rig.Album().LoadState = kLoadBuilt;
  rig.Win().Minimized = 0;
  rig.Win().Docked = true;
  rig.Window.SetBounds({100, 100, 275, 116});
  const THostMainWindow parked{{-32000, -32000, 160, 24}, true};
  HostSizeChanged(rig.Varimo, rig.Window, parked, kWork);
  FollowHostMove(rig.Varimo, rig.Window, parked, kWork);
  EXPECT_EQ(rig.Win().Minimized, 1);
  EXPECT_EQ(rig.Window.Bounds().Left, 100);
  EXPECT_EQ(rig.Window.Bounds().Top, 100);
  rig.ShutDown();
  EXPECT_NE(rig.IniText().find("Minimized=2"), std::string::npos);
  EXPECT_NE(rig.IniText().find("Left=100"), std::string::npos);
}

}  // namespace
}  // namespace varimo
