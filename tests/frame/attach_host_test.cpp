#include <gtest/gtest.h>

#include "fakes/engine_rig.h"
#include "frame/varimo.h"

namespace varimo {
namespace {

TEST(AttachHostWindows, KeepsTheHostsWindowsInTheirOrderAndItsMainWindowsCorner) {
  EngineRig rig;
  rig.Host.SetHostWindow(kHostEqualizer, 0x21);
  rig.Host.SetHostWindow(kHostPlaylistEditor, 0x22);
  rig.Host.SetHostWindow(kHostVideo, 0x24);
  const size_t mark = rig.Host.LogMark();
  AttachHostWindows(rig.Varimo, rig.Host, {375, 100, 275, 116});

  const THostWindows& windows = rig.Varimo.HostWindows;
  // The host has no browser window: its slot stays empty.
  const std::array<THostHandle, 5> expected = {kRigHostWindow, 0x21, 0x22, 0, 0x24};
  EXPECT_EQ(windows.Handles, expected);
  EXPECT_EQ(windows.MainLeft, 375);
  EXPECT_EQ(windows.MainTop, 100);
  std::vector<int64_t> asked;
  for (size_t i = mark; i < rig.Host.Log().size(); ++i) {
    EXPECT_EQ(rig.Host.Log()[i].Code, kIpcHostWindow);
    asked.push_back(rig.Host.Log()[i].Argument);
  }
  EXPECT_EQ(asked, (std::vector<int64_t>{0, 1, 2, 3}));
}

std::vector<std::string> HostMenuCaptions(EngineRig& rig) {
  std::vector<std::string> captions;
  for (const FakeMenus::THostItem& item : rig.Menus.HostMenus[kRigHostMenu]) {
    captions.push_back(std::to_string(item.Id) + ":" + item.Caption);
  }
  return captions;
}

TEST(StartUp, AttachesHidesSnapsHooksAndStartsTheMonitorInItsOrder) {
  EngineRig rig;
  // Five pixels right of where the host's main window's left edge would pull it.
  rig.PutIni(
      "[Window]\r\nLeft=105\r\nTop=100\r\n[HotKey]\r\nEnabled=1\r\nCount=2\r\n"
      "Mod0=3\r\nKey0=80\r\nCmd0=111\r\nMod1=1\r\nKey1=65\r\nCmd1=99\r\n");
  rig.StartUp();

  EXPECT_EQ(rig.View.SkinLoads, 1);
  EXPECT_TRUE(rig.View.PaintBound);
  EXPECT_EQ(rig.Win().VisibleRows, 5);
  EXPECT_FALSE(rig.Window.Visible);
  // The snap settles Docked but leaves the window where the settings put it.
  EXPECT_EQ(rig.Window.Bounds().Left, 105);
  EXPECT_TRUE(rig.Win().Docked);
  EXPECT_TRUE(rig.Hooks.Installed);
  EXPECT_TRUE(rig.Window.TimerRunning);
  EXPECT_EQ(rig.Window.TimerInterval, 200);
  // The hidden window's item sits in front of the last item before the submenus.
  EXPECT_EQ(rig.Win().HostMenuItemId, 9001);
  const std::vector<std::string> expectedMenu = {"40041:About",
                                                 "0:",
                                                 "40029:Play file",
                                                 "40155:Play URL",
                                                 "0:",
                                                 "40258:Main Window",
                                                 "40040:Playlist",
                                                 "40036:Equalizer",
                                                 "9001:Varimo",
                                                 "0:",
                                                 "-1:Options",
                                                 "-1:Playback",
                                                 "0:",
                                                 "40001:Exit"};
  EXPECT_EQ(HostMenuCaptions(rig), expectedMenu);
  // Both hot keys registered, each under its own atom.
  ASSERT_EQ(rig.Varimo.HotKeys.HotKeys.size(), 2u);
  for (size_t n = 0; n < 2; ++n) {
    const int32_t id = rig.Varimo.HotKeys.HotKeys[n].Id;
    EXPECT_EQ(rig.HotKeySystem.Atoms[id], "Varimo Plugin for Winamp 2.x " + std::to_string(n));
  }
  EXPECT_EQ(rig.HotKeySystem.Registered[rig.Varimo.HotKeys.HotKeys[0].Id], std::make_pair(3, 80));
  EXPECT_TRUE(rig.Dialogs.Messages.empty());
}

TEST(StartUp, ShowingTakesTheHostMenuItemOutAndHidingPutsItBackUnderAFreeId) {
  EngineRig rig;
  rig.Menus.HostMenus[kRigHostMenu].insert(rig.Menus.HostMenus[kRigHostMenu].begin(),
                                           {9001, "someone else's"});
  rig.StartUp();
  EXPECT_EQ(rig.Win().HostMenuItemId, 9002);
  rig.Window.Show();
  EXPECT_EQ(rig.Win().HostMenuItemId, 0);
  EXPECT_EQ(HostMenuCaptions(rig).size(), 14u);
  rig.Window.Hide();
  EXPECT_EQ(rig.Win().HostMenuItemId, 9002);

  // A host whose menu has no main-window item gets nothing.
  EngineRig bare;
  bare.Menus.HostMenus[kRigHostMenu] = {{40001, "Exit"}};
  bare.StartUp();
  EXPECT_EQ(bare.Win().HostMenuItemId, 0);
  EXPECT_EQ(HostMenuCaptions(bare), std::vector<std::string>{"40001:Exit"});
}

TEST(StartUp, HotKeysThatCannotBeHadSwitchHotKeysOffWithOneMessageEach) {
  EngineRig rig;
  rig.HotKeySystem.Taken = {{2, 80}};
  rig.PutIni(
      "[HotKey]\r\nEnabled=1\r\nCount=3\r\nMod0=2\r\nKey0=80\r\nCmd0=111\r\n"
      "Mod1=1\r\nKey1=65\r\nCmd1=99\r\nMod2=1\r\nKey2=65\r\nCmd2=12\r\n");
  rig.StartUp();
  EXPECT_FALSE(rig.Varimo.HotKeys.HotKeyEnabled);
  EXPECT_EQ(rig.Dialogs.Messages,
            (std::vector<std::string>{u8"ホットキー登録不可", u8"ホットキー登録不可"}));
  // The one that registered keeps working.
  EXPECT_EQ(rig.HotKeySystem.Registered.size(), 1u);

  // Closing the window (Alt+F4) only hides it: the list and its registrations stay whole.
  FormClose(rig.Varimo, rig.Ports);
  EXPECT_LT(rig.Win().State, 0);
  EXPECT_EQ(rig.HotKeySystem.Registered.size(), 1u);
  EXPECT_EQ(rig.Varimo.HotKeys.HotKeys.size(), 3u);
  // The shut-down gives every hot key back and deletes no atom twice.
  rig.ShutDown();
  EXPECT_TRUE(rig.HotKeySystem.Registered.empty());
  EXPECT_TRUE(rig.HotKeySystem.Atoms.empty());
  EXPECT_TRUE(rig.Varimo.HotKeys.HotKeys.empty());
}

TEST(FormDestroy, TakesTheHiddenWindowsItemOutOfTheHostsMenu) {
  EngineRig rig;
  rig.StartUp();
  ASSERT_EQ(rig.Win().HostMenuItemId, 9001);
  rig.ShutDown();
  EXPECT_EQ(HostMenuCaptions(rig).size(), 13u);
  EXPECT_EQ(rig.Win().HostMenuItemId, 0);
}

TEST(FormDestroy, DeletesTheAtomsOfHotKeysStillPresent) {
  EngineRig rig;
  rig.PutIni("[HotKey]\r\nEnabled=1\r\nCount=1\r\nMod0=2\r\nKey0=80\r\nCmd0=111\r\n");
  rig.StartUp();
  ASSERT_EQ(rig.HotKeySystem.Atoms.size(), 1u);
  rig.ShutDown();
  EXPECT_TRUE(rig.HotKeySystem.Atoms.empty());
}

}  // namespace
}  // namespace varimo
