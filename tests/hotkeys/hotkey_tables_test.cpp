#include "hotkeys/hotkey_tables.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace varimo {
namespace {

TEST(HotKeyTables, CommandsAreUniqueAndHostCommandsAreStarred) {
  std::set<int32_t> codes;
  std::set<std::string> captions;
  for (const THotKeyCommand& command : kHotKeyCommands) {
    const std::string caption = Caption(command.Caption);
    codes.insert(command.Code);
    captions.insert(caption);
    const bool starred = caption[0] == '*';
    EXPECT_EQ(starred, command.Code > 100) << caption;
    EXPECT_TRUE(starred || caption[0] == ' ') << caption;
  }
  EXPECT_EQ(codes.size(), 25u);
  EXPECT_EQ(captions.size(), 25u);
  // clang-format off
  const struct { size_t position; int32_t code; } listed[] = {
      {0, 1}, {2, 11}, {6, 99}, {7, 101}, {10, 106}, {19, 126}, {20, 201}, {23, 206}, {24, 999}};
  // clang-format on
  for (const auto& l : listed) {
    EXPECT_EQ(kHotKeyCommands[l.position].Code, l.code) << l.position;
    EXPECT_EQ(HotKeyCommandPosition(l.code), l.position) << l.code;
  }
  EXPECT_EQ(HotKeyCommandPosition(3), std::nullopt);
}

TEST(HotKeyTables, KeysSitWhereTheKeyListPutsThem) {
  std::set<int32_t> codes;
  std::set<std::string> captions;
  for (const THotKeyKey& key : kHotKeyKeys) {
    codes.insert(key.VirtualKey);
    captions.insert(key.Caption);
    EXPECT_GT(key.VirtualKey, 0);
    EXPECT_LT(key.VirtualKey, 256);
  }
  EXPECT_EQ(codes.size(), 70u);
  EXPECT_EQ(captions.size(), 70u);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(kHotKeyKeys[i].VirtualKey, 48 + i);
  for (int i = 0; i < 26; ++i) EXPECT_EQ(kHotKeyKeys[10 + i].VirtualKey, 65 + i);
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(kHotKeyKeys[47 + i].VirtualKey, 112 + i);
    EXPECT_EQ(kHotKeyKeys[47 + i].Caption, "F" + std::to_string(i + 1));
  }
  // clang-format off
  const struct { size_t position; int32_t key; const char* caption; } listed[] = {
      {36, 189, "-"}, {38, 220, "\\"}, {41, 187, ";"}, {42, 186, ":"}, {46, 191, "/"},
      {59, 37, u8"←"}, {60, 39, u8"→"}, {61, 38, u8"↑"}, {62, 40, u8"↓"},
      {63, 13, "Enter"}, {64, 27, "Esc"}, {65, 32, "Space"}, {66, 33, "Up"}, {67, 34, "Down"},
      {68, 36, "Home"}, {69, 35, "End"}};
  // clang-format on
  for (const auto& l : listed) {
    EXPECT_EQ(kHotKeyKeys[l.position].VirtualKey, l.key) << l.position;
    EXPECT_STREQ(kHotKeyKeys[l.position].Caption, l.caption) << l.position;
    EXPECT_EQ(HotKeyKeyPosition(l.key), l.position) << l.key;
  }
}

TEST(HotKeyTables, KeyNamesInJapaneseAreTheListsAndOnlyThePageKeysDifferInEnglish) {
  for (const THotKeyKey& key : kHotKeyKeys) {
    EXPECT_STREQ(KeyCaption(key, TLanguage::kJapanese), key.Caption) << key.VirtualKey;
    if (key.VirtualKey == 33 || key.VirtualKey == 34) continue;
    EXPECT_STREQ(KeyCaption(key, TLanguage::kEnglish), key.Caption) << key.VirtualKey;
  }
  EXPECT_STREQ(KeyCaption(kHotKeyKeys[66], TLanguage::kEnglish), "PgUp");
  EXPECT_STREQ(KeyCaption(kHotKeyKeys[67], TLanguage::kEnglish), "PgDn");
}

TEST(HotKeyTables, ModifiersAreTheirBitsLessOne) {
  EXPECT_STREQ(kHotKeyModifiers[kModAlt - 1], "Alt");
  EXPECT_STREQ(kHotKeyModifiers[kModCtrl - 1], "Ctrl");
  EXPECT_STREQ(kHotKeyModifiers[kModCtrl + kModAlt - 1], "Ctrl+Alt");
  EXPECT_STREQ(kHotKeyModifiers[kModShift - 1], "Shift");
  EXPECT_STREQ(kHotKeyModifiers[kModShift + kModCtrl + kModAlt - 1], "Ctrl+Shift+Alt");
  EXPECT_EQ(HotKeyModifierPosition(0), std::nullopt);
  EXPECT_EQ(HotKeyModifierPosition(8), std::nullopt);
  EXPECT_EQ(HotKeyModifierPosition(6), 5u);
}

}  // namespace
}  // namespace varimo
