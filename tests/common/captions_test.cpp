#include "common/captions.h"

#include <gtest/gtest.h>

#include <string>

namespace varimo {
namespace {

// Captions that came after the digest below was taken.
bool AddedLater(TCaption id) {
  return id >= TCaption::kLanguageLabel && id <= TCaption::kLanguageNameEnglish;
}

// FNV-1a over every Japanese text and its ending zero, in table order.
uint64_t JapaneseDigest() {
  uint64_t hash = 0xcbf29ce484222325u;
  for (const TCaptionRow& row : kCaptionRows) {
    if (AddedLater(row.Id)) continue;
    const std::string text = row.Japanese;
    for (const char c : text + '\0') {
      hash ^= static_cast<unsigned char>(c);
      hash *= 0x100000001b3u;
    }
  }
  return hash;
}

TEST(Captions, EveryIdHasOneRowInIdOrderWithBothTextsAndTheJapaneseIsUnchanged) {
  for (size_t i = 0; i < kCaptionRows.size(); ++i) {
    const TCaptionRow& row = kCaptionRows[i];
    const auto id = static_cast<size_t>(row.Id);
    // Row i holds id i + 1: every id from the first to the last once, and no other.
    EXPECT_EQ(id, i + 1) << "row " << i;
    ASSERT_NE(row.Japanese, nullptr) << "id " << id;
    ASSERT_NE(row.English, nullptr) << "id " << id;
    EXPECT_NE(std::string(row.Japanese), "") << "id " << id;
    EXPECT_NE(std::string(row.English), "") << "id " << id;
    EXPECT_EQ(Caption(row.Id, TLanguage::kJapanese), row.Japanese) << "id " << id;
    EXPECT_EQ(Caption(row.Id, TLanguage::kEnglish), row.English) << "id " << id;
  }
  EXPECT_EQ(kCaptionRows.size() + 1, static_cast<size_t>(TCaption::kCount));
  // The Japanese texts as they were before the English column came, with the two album
  // options' check boxes and the page keys' names from the key list: a changed byte in any
  // of them changes this.
  EXPECT_EQ(JapaneseDigest(), 0x49ba7094b9dc1f6eu);
  for (const TLanguage language : {TLanguage::kJapanese, TLanguage::kEnglish}) {
    EXPECT_STREQ(Caption(TCaption::kNone, language), "");
    EXPECT_STREQ(Caption(TCaption::kCount, language), "");
  }
}

TEST(Captions, EnglishKeepsTheMarksTheCodeAndTheHelpPageRelyOn) {
  for (const TCaptionRow& row : kCaptionRows) {
    const std::string japanese = row.Japanese;
    const std::string english = row.English;
    // Varimo's own commands start with a blank and the host's with "*"; the write error is
    // followed by the system's code.
    if (japanese[0] == ' ' || japanese[0] == '*') {
      EXPECT_EQ(english[0], japanese[0]) << english;
    }
  }
  EXPECT_STREQ(Caption(TCaption::kMessageWriteError, TLanguage::kEnglish), "Write Error - ");
  EXPECT_STREQ(Caption(TCaption::kMP3on3Filter, TLanguage::kEnglish),
               "Programs (*.exe)|*.exe|All files (*.*)|*.*");
}

TEST(Captions, TheSettingOrElseTheSystemChoosesTheLanguage) {
  // clang-format off
  const struct { int32_t setting; bool systemJapanese; TLanguage expected; } cases[] = {
      {kLanguageSystem,   true,  TLanguage::kJapanese},
      {kLanguageSystem,   false, TLanguage::kEnglish},
      {kLanguageJapanese, true,  TLanguage::kJapanese},
      {kLanguageJapanese, false, TLanguage::kJapanese},
      {kLanguageEnglish,  true,  TLanguage::kEnglish},
      {kLanguageEnglish,  false, TLanguage::kEnglish},
      {3,                 true,  TLanguage::kJapanese},
      {3,                 false, TLanguage::kEnglish},
      {-1,                false, TLanguage::kEnglish},
  };
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(ResolveLanguage(c.setting, c.systemJapanese), c.expected)
        << c.setting << (c.systemJapanese ? " on Japanese" : " elsewhere");
  }
}

TEST(Captions, TheLanguageInForceAnswersAndEitherTextNamesItsCaption) {
  EXPECT_EQ(CaptionLanguage(), TLanguage::kJapanese) << "the start";
  SetCaptionLanguage(TLanguage::kEnglish);
  EXPECT_STREQ(Caption(TCaption::kPopupRepeatSingle), "Repeat track");
  SetCaptionLanguage(TLanguage::kJapanese);
  EXPECT_STREQ(Caption(TCaption::kPopupRepeatSingle), u8"ﾘﾋﾟｰﾄ (ｼﾝｸﾞﾙ)");
  EXPECT_TRUE(IsCaptionText(TCaption::kKindArtist, "Artist"));
  EXPECT_TRUE(IsCaptionText(TCaption::kKindArtist, u8"ｱｰﾃｨｽﾄ"));
  EXPECT_FALSE(IsCaptionText(TCaption::kKindArtist, "Title"));
  EXPECT_FALSE(IsCaptionText(TCaption::kKindArtist, ""));
}

}  // namespace
}  // namespace varimo
