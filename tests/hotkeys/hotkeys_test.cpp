#include "hotkeys/hotkeys.h"

#include <gtest/gtest.h>

#include "fakes/engine_rig.h"
#include "hotkeys/host_hooks.h"
#include "hotkeys/hotkey_tables.h"

namespace varimo {
namespace {

using Strings = std::vector<std::string>;

constexpr THostHandle kPlaylist = 0x2222;

// A shown window over a three-track album with one registered hot key of cmd on Ctrl+Alt+P.
void SetUpHotKey(EngineRig& rig, int32_t cmd, int32_t tracks = 3) {
  rig.ShowTenSecondAlbum(tracks);
  if (tracks == 0) rig.Album().AlbumKind = kAlbumNone;
  rig.Varimo.HostWindows.Handles[kSlotPlaylistEditor] = kPlaylist;
  rig.Album().CurrentIndex = tracks > 1 ? 1 : 0;
  rig.Varimo.HotKeys = LoadHotKeys({true, {{cmd, kModCtrl | kModAlt, 80}}});
  RegisterHotKeys(rig.Varimo.HotKeys, rig.HotKeySystem, rig.Dialogs);
  rig.Clock.Now = 10000;
}

TEST(OnHotKey, EachCommandReleasesTheCombinationAndActs) {
  // clang-format off
  struct Case {
    int32_t cmd;
    int32_t tracks;
    HostPlayState host;
    Strings expectedSteering;
    std::vector<THostHandle> expectedActivated;
  } cases[] = {
      {1,   3, kHostPlaying, {},                       {0x7777}},
      {11,  3, kHostPlaying, {"ipc:106:10000"},        {}},
      {12,  3, kHostPlaying, {"cmd:40047"},            {}},
      {12,  3, kHostStopped, {"cmd:40045", "ipc:106:10000"}, {}},
      {12,  0, kHostStopped, {"cmd:40045"},            {}},
      {15,  3, kHostPlaying, {"cmd:40045"},            {}},
      {15,  0, kHostPlaying, {"cmd:40044"},            {}},
      {16,  3, kHostPlaying, {"ipc:106:20000"},        {}},
      {16,  0, kHostPlaying, {"cmd:40048"},            {}},
      {101, 3, kHostPlaying, {},                       {kRigHostWindow}},
      {102, 3, kHostPlaying, {"popup"},                {kRigHostWindow}},
      {105, 3, kHostPlaying, {"cmd:40029"},            {kRigHostWindow}},
      {106, 3, kHostPlaying, {},                       {kPlaylist}},
      {111, 3, kHostPlaying, {"cmd:40045"},            {}},
      {112, 3, kHostPlaying, {"cmd:40047"},            {}},
      {113, 3, kHostPlaying, {"cmd:40046"},            {}},
      {115, 3, kHostPlaying, {"cmd:40044"},            {}},
      {116, 3, kHostPlaying, {"cmd:40048"},            {}},
      {121, 3, kHostPlaying, {"cmd:40023"},            {}},
      {122, 3, kHostPlaying, {"cmd:40022"},            {}},
      {125, 3, kHostPlaying, {"cmd:40036"},            {}},
      {126, 3, kHostPlaying, {"cmd:40040"},            {}},
      {50,  3, kHostPlaying, {},                       {}},
  };
  // clang-format on
  for (const Case& c : cases) {
    EngineRig rig;
    SetUpHotKey(rig, c.cmd, c.tracks);
    rig.Host.Place(0, 12000, c.host);
    rig.Play().HostState = c.host;
    const size_t mark = rig.Host.LogMark();
    OnHotKey(rig.Varimo, rig.Ports, rig.Varimo.HotKeys.HotKeys[0].Id);
    EXPECT_EQ(rig.Steering(mark), c.expectedSteering) << c.cmd << "/" << c.tracks;
    EXPECT_EQ(rig.Window.Activated, c.expectedActivated) << c.cmd;
    Strings keys = {"up:80", "up:18/scan", "up:17/scan"};
    if (c.cmd == 106) keys.push_back("press:76");
    EXPECT_EQ(rig.Keyboard.Keys, keys) << c.cmd;
  }
}

TEST(OnHotKey, RepeatingCommandsAreHeldToOneEvery91MilliSeconds) {
  EngineRig rig;
  SetUpHotKey(rig, 205);
  const int32_t id = rig.Varimo.HotKeys.HotKeys[0].Id;
  const size_t mark = rig.Host.LogMark();
  // Pressed at 10000, then at each of these.
  for (const uint32_t at : {10000u, 10050u, 10090u, 10091u, 10181u, 10182u}) {
    rig.Clock.Now = at;
    OnHotKey(rig.Varimo, rig.Ports, id);
  }
  EXPECT_EQ(rig.Steering(mark), (Strings{"cmd:40058", "cmd:40058", "cmd:40058"}));
  // Repeating commands leave the keys as they are.
  EXPECT_TRUE(rig.Keyboard.Keys.empty());

  // Rewinding while stopped sends nothing; while playing the display follows at once.
  EngineRig rewind;
  SetUpHotKey(rewind, 201);
  rewind.Host.Place(0, 12000, kHostStopped);
  rewind.Play().HostState = kHostStopped;
  size_t before = rewind.Host.LogMark();
  OnHotKey(rewind.Varimo, rewind.Ports, rewind.Varimo.HotKeys.HotKeys[0].Id);
  EXPECT_TRUE(rewind.Steering(before).empty());
  rewind.Host.Place(0, 12000, kHostPlaying);
  rewind.Play().HostState = kHostPlaying;
  rewind.Clock.Now += 200;
  before = rewind.Host.LogMark();
  OnHotKey(rewind.Varimo, rewind.Ports, rewind.Varimo.HotKeys.HotKeys[0].Id);
  EXPECT_EQ(rewind.Steering(before), Strings{"cmd:40061"});
  EXPECT_EQ(rewind.Host.CountIpc(kIpcPositionMS, before), 1u);
}

TEST(OnHotKey, ExitClosesTheHostAndUnknownIdentifiersDoNothing) {
  EngineRig rig;
  SetUpHotKey(rig, 999);
  const size_t mark = rig.Host.LogMark();
  OnHotKey(rig.Varimo, rig.Ports, 12345);
  EXPECT_TRUE(rig.Steering(mark).empty());
  OnHotKey(rig.Varimo, rig.Ports, rig.Varimo.HotKeys.HotKeys[0].Id);
  EXPECT_EQ(rig.Steering(mark), Strings{"cmd:40001"});
  EXPECT_TRUE(rig.Keyboard.Keys.empty());
}

TEST(OnHotKey, ActivatingRestoresAMinimisedHostFirstAndShowHideToggles) {
  EngineRig rig;
  SetUpHotKey(rig, 101);
  rig.Win().Minimized = 1;
  const size_t mark = rig.Host.LogMark();
  OnHotKey(rig.Varimo, rig.Ports, rig.Varimo.HotKeys.HotKeys[0].Id);
  EXPECT_EQ(rig.Steering(mark), Strings{"restore"});

  EngineRig toggle;
  SetUpHotKey(toggle, 99);
  const int32_t id = toggle.Varimo.HotKeys.HotKeys[0].Id;
  OnHotKey(toggle.Varimo, toggle.Ports, id);
  EXPECT_FALSE(toggle.Window.Visible);
  EXPECT_EQ(toggle.Win().State, -kStateNormal);
  EXPECT_NE(toggle.Win().HostMenuItemId, 0);
  OnHotKey(toggle.Varimo, toggle.Ports, id);
  EXPECT_TRUE(toggle.Window.Visible);
  EXPECT_EQ(toggle.Win().State, kStateNormal);
  EXPECT_EQ(toggle.Win().HostMenuItemId, 0);
}

TEST(OnHotKey, ThePopupMenuOpensAtThePointerOverTheActivatedWindow) {
  EngineRig rig;
  SetUpHotKey(rig, 2);
  rig.Pointer.At = {640, 480};
  OnHotKey(rig.Varimo, rig.Ports, rig.Varimo.HotKeys.HotKeys[0].Id);
  EXPECT_EQ(rig.Window.Activated, std::vector<THostHandle>{0x7777});
  EXPECT_EQ(rig.Menus.Popups, 1);
  EXPECT_EQ(rig.Menus.ShownAt.X, 640);
  EXPECT_EQ(rig.Menus.ShownAt.Y, 480);
}

TEST(HostSystemKey, AltAndTheShowKeyToggleAtMostOnceIn100MilliSeconds) {
  EngineRig rig;
  rig.ShowTenSecondAlbum(3);
  rig.Clock.Now = 5000;
  // clang-format off
  const struct { uint32_t at; uint32_t key; bool alt; bool expectedVisible; } steps[] = {
      {5000, 'A', true,  false},
      {5100, 'A', true,  false},  // within 100 ms of the last toggle
      {5101, 'A', true,  true},
      {5300, 'A', false, true},   // Alt not held
      {5400, 'B', true,  true},   // another key
      {5500, 'A' | 0x10000, true, false},  // only the low 16 bits are the key
  };
  // clang-format on
  for (const auto& step : steps) {
    rig.Clock.Now = step.at;
    HostSystemKey(rig.Varimo, rig.Ports, step.key, step.alt);
    EXPECT_EQ(rig.Window.Visible, step.expectedVisible) << step.at;
  }
}

TEST(HostMenuCommand, TheHostMenuItemShowsTheHiddenWindow) {
  EngineRig rig;
  rig.StartUp();
  const int32_t item = rig.Win().HostMenuItemId;
  ASSERT_EQ(item, 9001);
  HostMenuCommand(rig.Varimo, rig.Ports, 40258);
  EXPECT_FALSE(rig.Window.Visible);
  HostMenuCommand(rig.Varimo, rig.Ports, static_cast<uint32_t>(item));
  EXPECT_TRUE(rig.Window.Visible);
  EXPECT_EQ(rig.Win().HostMenuItemId, 0);
  // Shown, the window has no item and the old id means nothing.
  HostMenuCommand(rig.Varimo, rig.Ports, static_cast<uint32_t>(item));
  EXPECT_TRUE(rig.Window.Visible);
}

}  // namespace
}  // namespace varimo
