#include "common/text.h"

#include <gtest/gtest.h>

namespace varimo {
namespace {

TEST(Text, LastSeparatorSkipsSecondBytesOfDoubleByteCharacters) {
  struct Case {
    std::string text;
    size_t expected;
  } cases[] = {
      {"a\\b\\c", 3},
      {"abc", std::string::npos},
      // 0x95 0x5C is one character (a kanji whose second byte is a backslash).
      {"dir\\\x95\x5C.mp3", 3},
      {"\x95\x5C", std::string::npos},
      {"a:b/c", 3},
      // A Latin-1 letter that looks like a lead byte does not swallow the separator after it.
      {"Caf\xE9/x", 4},
  };
  for (const Case& c : cases) EXPECT_EQ(FindLastSeparator(c.text, "\\:/"), c.expected) << c.text;
  EXPECT_EQ(FindLastSeparator("Caf\xE9.mp3", "."), 4u);
}

TEST(Text, TrimsOnlyBlanksAndControls) {
  EXPECT_EQ(TrimTrailingBlanks(std::string("ab \0\t", 5)), "ab");
  EXPECT_EQ(TrimTrailingBlanks(std::string("a\0b ", 4)), std::string("a\0b", 3));
  EXPECT_EQ(TrimBlanks("  x y \r"), "x y");
}

}  // namespace
}  // namespace varimo
