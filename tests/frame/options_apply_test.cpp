#include "frame/options_apply.h"

#include <gtest/gtest.h>

#include "fakes/engine_rig.h"
#include "window/dialog_commands.h"

namespace varimo {
namespace {

class OptionsApplyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rig_.PutIni("[Option]\r\nTransparence=50\r\n[Window]\r\nLeft=3\r\n");
    rig_.StartUp();
    // The dialog applies as the user left it, here from inside the modal loop.
    rig_.Dialogs.OnOptions = [this] {
      TOptionsModel model = LoadOptionsModel(rig_.Varimo);
      model.FormShow();
      if (edit_) edit_(model);
      ButtonUpdateClick(rig_.Varimo, rig_.Ports, model);
      EXPECT_FALSE(model.ApplyEnabled);
    };
  }

  void OpenAndApply(std::function<void(TOptionsModel&)> edit) {
    edit_ = std::move(edit);
    PopupOptionsClick(rig_.Varimo, rig_.Ports);
  }

  EngineRig rig_;
  std::function<void(TOptionsModel&)> edit_;
};

TEST_F(OptionsApplyTest, UnchangedSettingsAreWrittenInOneReplaceAndTheListIsRebuilt) {
  const int replaces = rig_.Replacer.Replaces;
  const int relayouts = rig_.View.Relayouts;
  OpenAndApply(nullptr);
  EXPECT_EQ(rig_.Dialogs.OptionsShown, 1);
  EXPECT_EQ(rig_.Replacer.Replaces, replaces + 1);
  EXPECT_EQ(rig_.IniText(),
            "[Option]\r\nTransparence=50\r\n"
            "VisibleChk=0\r\nPlayTime=0\r\nTimerMS=200\r\nBreakMS=250\r\nCorrect=1\r\n"
            "CorrectMS=300\r\nPrevKey=,\r\nNextKey=.\r\nVisibleKey=A\r\nMP3on3Path=\r\n"
            "MP3on3Stop=1\r\nFontName=MS UI Gothic\r\nFontSize=10\r\nFontPitch=0\r\n"
            "[Window]\r\nLeft=3\r\n"
            "[ListForm]\r\nCount=3\r\nNumber=11\r\nOmit1=1\r\nItem1=1\r\nText1=\r\n"
            "Omit2=1\r\nItem2=0\r\nText2=/ - /\r\nOmit3=0\r\nItem3=2\r\nText3=\r\n"
            "[HotKey]\r\nEnabled=0\r\nCount=0\r\n");
  EXPECT_EQ(rig_.Varimo.Album.LoadState, kLoadRebuildRequested);
  EXPECT_EQ(rig_.View.Relayouts, relayouts + 1);
  EXPECT_EQ(rig_.Transparency.Opacities, (std::vector<uint8_t>{127})) << "applied once";
}

TEST_F(OptionsApplyTest, EveryControlReachesTheWindowTheTimerAndTheFile) {
  rig_.HotKeySystem.Taken.push_back({2, 65});
  OpenAndApply([](TOptionsModel& m) {
    m.Visible = true;
    m.UpDownTimerClick(700);
    m.CheckBoxCorrectClick(false);
    m.UpDownClick(m.CorrectMS, -40);
    m.PrevKey = 43;  // "["
    m.VisibleKey = -1;
    m.CheckBoxHotKeyClick(true);
    m.HotKeyList = THotKeyList::FromEntries({{111, 3, 80}, {12, 2, 65}});
    m.HotKeyList.Add();
    m.Take(m.HotKeyList.CommitChoice(EntryIndex(THotKeyList::EditorEntries(0), u8"*再生")));
    m.MP3on3Path = "C:\\Tools\\MP3on3.exe";
    m.FontName = "Arial";
    m.UpDownClick(m.FontSize, 14);
    m.CheckBoxTransparenceClick(false);
    m.Take(m.FormatList.Preset(2));
  });
  const TOptionSettings& o = rig_.Varimo.Settings.Option;
  EXPECT_TRUE(o.VisibleChk);
  EXPECT_EQ(std::make_pair(o.TimerMS, o.BreakMS), std::make_pair(700, 700));
  EXPECT_EQ(rig_.Window.TimerInterval, 700);
  EXPECT_FALSE(o.Correct);
  EXPECT_EQ(o.CorrectMS, -40);
  EXPECT_EQ(o.PrevKey, '[');
  EXPECT_EQ(o.VisibleKey, 'A') << "nothing chosen keeps the key in force";
  EXPECT_EQ(o.FontName, "Arial");
  EXPECT_EQ(o.FontSize, 14);
  EXPECT_EQ(o.Transparence, -1);
  EXPECT_EQ(rig_.Transparency.Opacities.back(), 255);
  EXPECT_EQ(rig_.Varimo.Settings.ListForm.Items.size(), 5u);
  EXPECT_EQ(rig_.Varimo.Settings.ListForm.FormatHeader, 10);

  // The incomplete row is dropped; Ctrl+A is held by another program.
  const std::vector<THotKeyEntry>& hotKeys = rig_.Varimo.HotKeys.HotKeys;
  ASSERT_EQ(hotKeys.size(), 2u);
  EXPECT_EQ(rig_.HotKeySystem.Registered.size(), 1u);
  EXPECT_EQ(rig_.HotKeySystem.Registered[hotKeys[0].Id], std::make_pair(3, 80));
  EXPECT_EQ(rig_.Dialogs.Messages, (std::vector<std::string>{u8"ホットキー登録不可"}));
  const std::string ini = rig_.IniText();
  EXPECT_NE(ini.find("[HotKey]\r\nEnabled=0\r\nCount=2\r\nMod0=3\r\nKey0=80\r\nCmd0=111\r\n"
                     "Mod1=2\r\nKey1=65\r\nCmd1=12\r\n"),
            std::string::npos)
      << ini;
  EXPECT_NE(ini.find("TimerMS=700\r\nBreakMS=700\r\n"), std::string::npos);
  EXPECT_NE(ini.find("Transparence=-1\r\n"), std::string::npos);
  EXPECT_NE(ini.find("PrevKey=[\r\n"), std::string::npos);
  EXPECT_NE(ini.find("[ListForm]\r\nCount=5\r\nNumber=10\r\n"), std::string::npos);

  // The next Apply lets the registered key go before building the list again.
  OpenAndApply([](TOptionsModel& m) { m.HotKeyList.Clear(); });
  EXPECT_TRUE(rig_.HotKeySystem.Registered.empty());
  EXPECT_TRUE(rig_.HotKeySystem.Atoms.empty());
}

TEST_F(OptionsApplyTest, ApplyNeverRunsInsideItselfFromBehindItsMessage) {
  // A second OK while "cannot be registered" is up must not apply again halfway through.
  rig_.HotKeySystem.Taken.push_back({2, 65});
  rig_.Dialogs.OnMessage = [this] {
    TOptionsModel again = LoadOptionsModel(rig_.Varimo);
    again.FormShow();
    ButtonUpdateClick(rig_.Varimo, rig_.Ports, again);
  };
  OpenAndApply([](TOptionsModel& m) {
    m.CheckBoxHotKeyClick(true);
    m.HotKeyList = THotKeyList::FromEntries({{111, 3, 80}, {12, 2, 65}});
  });
  EXPECT_EQ(rig_.Dialogs.Messages, std::vector<std::string>{u8"ホットキー登録不可"});
  EXPECT_FALSE(rig_.Varimo.HotKeys.HotKeyEnabled);
  EXPECT_EQ(rig_.HotKeySystem.Registered.size(), 1u) << "the key that could be had still works";
  EXPECT_EQ(rig_.HotKeySystem.Atoms.size(), 2u) << "one atom per entry, none left behind";
  EXPECT_EQ(rig_.Ini.ReadString("HotKey", "Enabled", ""), "0");
  EXPECT_FALSE(rig_.Varimo.Applying);
}

// The language applies at once: captions, the help page, the host-menu item put in again; the
// key is in the file only while it is not 0.
TEST_F(OptionsApplyTest, ALanguageSwitchesTheCaptionsAndTheHostMenuItemAtOnce) {
  const std::string unchanged =
      "[Option]\r\nTransparence=50\r\n"
      "VisibleChk=0\r\nPlayTime=0\r\nTimerMS=200\r\nBreakMS=250\r\nCorrect=1\r\n"
      "CorrectMS=300\r\nPrevKey=,\r\nNextKey=.\r\nVisibleKey=A\r\nMP3on3Path=\r\n"
      "MP3on3Stop=1\r\nFontName=MS UI Gothic\r\nFontSize=10\r\nFontPitch=0\r\n";
  const auto hostItems = [this] {
    std::vector<std::string> items;
    for (const auto& item : rig_.Menus.HostMenus[kRigHostMenu]) {
      if (item.Id >= 9001 && item.Id < 10000)
        items.push_back(std::to_string(item.Id) + ":" + item.Caption);
    }
    return items;
  };
  ASSERT_EQ(hostItems(), (std::vector<std::string>{"9001:Varimo"}));
  // A renewed item takes the next free id when its old one is refused.
  rig_.Menus.RefusedIds = {9001};
  OpenAndApply([](TOptionsModel& m) { m.Language = kLanguageEnglish; });
  EXPECT_EQ(CaptionLanguage(), TLanguage::kEnglish);
  EXPECT_STREQ(Caption(TCaption::kPopupHelp), "Help");
  EXPECT_EQ(rig_.Varimo.Settings.Option.Language, kLanguageEnglish);
  EXPECT_EQ(rig_.IniText().substr(0, unchanged.size() + 12), unchanged + "Language=2\r\n");
  EXPECT_EQ(hostItems(), (std::vector<std::string>{"9002:Varimo"}));
  EXPECT_EQ(LoadOptionsModel(rig_.Varimo).Language, kLanguageEnglish);
  EXPECT_EQ(HelpPagePath("C:\\Winamp\\winamp.exe"), "C:\\Winamp\\Plugins\\gen_Varimo.en.htm");

  // The same language again leaves the item alone.
  OpenAndApply([](TOptionsModel& m) { m.Language = kLanguageEnglish; });
  EXPECT_EQ(hostItems(), (std::vector<std::string>{"9002:Varimo"}));

  // Back to following the (Japanese) system: the key goes and the file is as before.
  rig_.Menus.RefusedIds = {9002};
  OpenAndApply([](TOptionsModel& m) { m.Language = kLanguageSystem; });
  EXPECT_EQ(CaptionLanguage(), TLanguage::kJapanese);
  EXPECT_EQ(rig_.IniText().substr(0, unchanged.size() + 10), unchanged + "[Window]\r\n");
  EXPECT_EQ(hostItems(), (std::vector<std::string>{"9001:Varimo"}));
  EXPECT_EQ(HelpPagePath("C:\\Winamp\\winamp.exe"), "C:\\Winamp\\Plugins\\gen_Varimo.htm");
}

TEST(StartUpLanguage, TheSettingOrTheSystemsLanguageIsInForceFromTheStart) {
  // clang-format off
  const struct { const char* ini; bool systemJapanese; TLanguage expected; } cases[] = {
      {"",                              true,  TLanguage::kJapanese},
      {"",                              false, TLanguage::kEnglish},
      {"[Option]\r\nLanguage=2\r\n",   true,  TLanguage::kEnglish},
      {"[Option]\r\nLanguage=1\r\n",   false, TLanguage::kJapanese},
      {"[Option]\r\nLanguage=7\r\n",   true,  TLanguage::kJapanese},
  };
  // clang-format on
  for (const auto& c : cases) {
    EngineRig rig;
    rig.PutIni(c.ini);
    rig.Varimo.SystemJapanese = c.systemJapanese;
    rig.StartUp();
    EXPECT_EQ(CaptionLanguage(), c.expected) << c.ini << c.systemJapanese;
  }
  SetCaptionLanguage(TLanguage::kJapanese);
}

}  // namespace
}  // namespace varimo
