#include "window/popup_menu.h"

#include <gtest/gtest.h>

#include "fakes/engine_rig.h"

namespace varimo {
namespace {

using Strings = std::vector<std::string>;

// One line per item: caption, shortcut and the states it shows.
Strings Describe(const std::vector<TMenuItem>& items) {
  Strings lines;
  for (const TMenuItem& item : items) {
    switch (item.Type) {
      case TMenuItem::Kind::kSeparator: lines.push_back("-"); continue;
      case TMenuItem::Kind::kSubmenuBegin: lines.push_back(item.Caption + " >"); continue;
      case TMenuItem::Kind::kSubmenuEnd: lines.push_back("<"); continue;
      case TMenuItem::Kind::kCommand: break;
    }
    std::string line = item.Caption;
    if (!item.Shortcut.empty()) line += "\t" + item.Shortcut;
    if (item.Radio) line += item.Checked ? " (*)" : " ( )";
    if (!item.Enabled) line += " [grayed]";
    lines.push_back(line);
  }
  return lines;
}

TEST(PopupMenu, ShowsItsItemsWithShortcutsTheModeAndTheAlbumKind) {
  EngineRig rig;
  rig.ShowTenSecondAlbum(3);
  rig.Play().Mode = kModeShuffleAllPending;
  rig.Win().CheckedAlbumKind = kAlbumZip;
  rig.Win().SelectedIndex = 1;
  const TPopupEnabling enabling = PopupMenuPopup(rig.Varimo, rig.Ports);
  const Strings expected = {u8"再生\tEnter",
                            "-",
                            u8"通常再生 ( )",
                            u8"ﾘﾋﾟｰﾄ (ｼﾝｸﾞﾙ) ( )",
                            u8"ﾘﾋﾟｰﾄ (ｱﾙﾊﾞﾑ) ( )",
                            u8"ｼｬｯﾌﾙ (ｱﾙﾊﾞﾑ) ( )",
                            u8"ｼｬｯﾌﾙ (全ﾌｧｲﾙ) (*)",
                            "-",
                            u8"ｱﾙﾊﾞﾑ情報 >",
                            "Cue ( )",
                            "Pack ( )",
                            "ZIP (*)",
                            "LHA ( )",
                            "-",
                            u8"展開 ( ) [grayed]",
                            "<",
                            u8"ﾌｧｲﾙ情報\tAlt+3",
                            u8"ﾌｧｲﾙ抽出保存",
                            "-",
                            u8"設定\tCtrl+P",
                            u8"ﾍﾙﾌﾟ\tF1"};
  EXPECT_EQ(Describe(PopupMenuItems(rig.Varimo, enabling)), expected);
}

TEST(PopupMenu, EnablesTheFileCommandsForAMemberAndUnpackingForTwoFilesThatExist) {
  // clang-format off
  struct Case {
    const char* name;
    int32_t state, kind, selected, current, tracks;
    bool expectedFiles;
    int32_t expectedSelected;
  } cases[] = {
      {"a selected ZIP member",           1, kAlbumZip,  1, 0, 3, true,  1},
      {"no selection",                    1, kAlbumZip, -1, 0, 3, false, -1},
      {"a cue album",                     1, kAlbumCue,  1, 0, 3, false, 1},
      {"not an album",                    1, kAlbumNone, 1, 0, 3, false, 1},
      {"a selection past a shorter list", 1, kAlbumLha,  5, 0, 3, false, 5},
      {"small window takes the current",  2, kAlbumZip, -1, 2, 3, true,  2},
      {"small window, a Pack",            2, kAlbumPack, 0, 1, 3, true,  1},
      {"small window, a cue album",       2, kAlbumCue,  0, 1, 3, false, 0},
  };
  // clang-format on
  for (const Case& c : cases) {
    EngineRig rig;
    rig.ShowTenSecondAlbum(c.tracks);
    rig.Win().State = c.state;
    rig.Album().AlbumKind = c.kind;
    rig.Win().SelectedIndex = c.selected;
    rig.Album().CurrentIndex = c.current;
    EXPECT_EQ(PopupMenuPopup(rig.Varimo, rig.Ports).FileCommands, c.expectedFiles) << c.name;
    EXPECT_EQ(rig.Win().SelectedIndex, c.expectedSelected) << c.name;
  }
  EngineRig rig;
  rig.ShowTenSecondAlbum(3);
  rig.Disk.Add("C:\\album.zip", {1});
  EXPECT_FALSE(PopupMenuPopup(rig.Varimo, rig.Ports).UnPack);
  rig.Varimo.Settings.Option.MP3on3Path = "C:\\tools\\MP3on3.exe";
  EXPECT_FALSE(PopupMenuPopup(rig.Varimo, rig.Ports).UnPack);
  rig.Disk.Add("C:\\tools\\MP3on3.exe", {1});
  EXPECT_TRUE(PopupMenuPopup(rig.Varimo, rig.Ports).UnPack);
}

TEST(PopupMenu, APickRunsItsItemAtThePointer) {
  EngineRig rig;
  rig.ShowTenSecondAlbum(3);
  rig.Win().SelectedIndex = 2;
  rig.Menus.Pick = [](const std::vector<TMenuItem>&) { return kPopupRepeatAlbum; };
  OpenPopupMenu(rig.Varimo, rig.Ports, {400, 300});
  EXPECT_EQ(rig.Play().Mode, kModeRepeatAlbum);
  EXPECT_EQ(rig.Menus.ShownAt.X, 400);
  EXPECT_EQ(ModeItemFor(rig.Play().Mode), ModeItem::kRepeatAlbum);

  const size_t mark = rig.Host.LogMark();
  rig.Menus.Pick = [](const std::vector<TMenuItem>&) { return kPopupPlayItem; };
  OpenPopupMenu(rig.Varimo, rig.Ports, {400, 300});
  EXPECT_EQ(rig.Current(), 2);
  EXPECT_EQ(rig.Steering(mark), Strings{"ipc:106:20000"});

  // The album kinds only show; a dismissed menu does nothing.
  for (const int32_t pick : {int32_t{kPopupAlbumInfoZip}, 0}) {
    const size_t before = rig.Host.LogMark();
    rig.Menus.Pick = [pick](const std::vector<TMenuItem>&) { return pick; };
    OpenPopupMenu(rig.Varimo, rig.Ports, {0, 0});
    EXPECT_TRUE(rig.Steering(before).empty()) << pick;
  }
}

TEST(PopupMenu, HelpShowsThePageBesideTheHostProgramInTheHostsBrowser) {
  EngineRig rig;
  rig.Varimo.HostProgramPath = "C:\\Program Files\\Winamp\\winamp.exe";
  const size_t mark = rig.Host.LogMark();
  PopupHelpClick(rig.Varimo, rig.Ports);
  ASSERT_EQ(rig.Host.Log().size(), mark + 2);
  EXPECT_EQ(rig.Host.Log()[mark].Code, kIpcBrowser);
  EXPECT_EQ(rig.Host.Log()[mark].Argument, 0);
  EXPECT_EQ(rig.Host.Log()[mark + 1].Text, "C:\\Program Files\\Winamp\\Plugins\\gen_Varimo.htm");
}

}  // namespace
}  // namespace varimo
