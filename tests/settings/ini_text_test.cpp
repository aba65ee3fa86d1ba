#include "settings/ini_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

namespace varimo {
namespace {

struct FindCase {
  const char* name;
  std::string file;
  std::string section;
  std::string key;
  std::optional<std::string> expected;
};

TEST(IniTextTest, FindsValuesByThePrivateProfileRules) {
  const FindCase cases[] = {
      {"names ignore case", "[Option]\r\nFontSize=12\r\n", "OPTION", "fontsize", "12"},
      {"blanks around names and value", "  [ Option ]  \n  FontSize  =  a b  \n", "Option",
       "FontSize", "a b"},
      {"value keeps inner equals signs", "[S]\r\nK=a=b\r\n", "S", "K", "a=b"},
      {"empty value is found", "[S]\r\nK=\r\n", "S", "K", ""},
      {"lone carriage returns end lines", "[S]\rA=1\rK=v", "S", "K", "v"},
      {"missing section", "[S]\r\nK=1\r\n", "T", "K", std::nullopt},
      {"missing key", "[S]\r\nK=1\r\n", "S", "L", std::nullopt},
      {"keys before any section belong to none", "K=1\r\n[S]\r\n", "S", "K", std::nullopt},
      {"a line without equals sign is no key", "[S]\r\nK\r\n", "S", "K", std::nullopt},
      {"first of two keys wins", "[S]\r\nK=1\r\nk=2\r\n", "S", "K", "1"},
      {"only the first section of a name counts", "[S]\r\nA=1\r\n[T]\r\n[s]\r\nB=2\r\n", "S", "B",
       std::nullopt},
      {"bracket as second byte of a Shift-JIS character", "[\x81\x5D]\r\nK=v\r\n", "\x81\x5D", "K",
       "v"},
      {"second byte of a Shift-JIS character keeps its case", "[S]\r\n\x82\x61=1\r\n", "S",
       "\x82\x41", std::nullopt},
      {"Shift-JIS name matches itself", "[S]\r\n\x82\x61=1\r\n", "s", "\x82\x61", "1"},
  };
  for (const FindCase& c : cases) {
    const TIniText text(c.file);  // Find's answer points into the text
    std::optional<std::string_view> found = text.Find(c.section, c.key);
    std::optional<std::string> got;
    if (found) got = std::string(*found);
    EXPECT_EQ(got, c.expected) << c.name;
  }
}

struct SetCase {
  const char* name;
  std::string before;
  std::string section;
  std::string key;
  std::string value;
  std::string after;
};

TEST(IniTextTest, WritesChangeOneLineOrAddOneAndKeepEveryOtherByte) {
  const SetCase cases[] = {
      {"replaces in place", "[S]\r\nA=1\r\nB=2\r\n", "S", "A", "9", "[S]\r\nA=9\r\nB=2\r\n"},
      {"keeps the file's spelling and indentation", "[s]\r\n  a = 1 \r\n", "S", "A", "2",
       "[s]\r\n  a = 2\r\n"},
      {"adds after the section's last line, before its trailing blank lines",
       "; top\r\n[S]\r\nA=1\r\n; note\r\n\r\n[T]\r\nX=1\r\n", "S", "B", "2",
       "; top\r\n[S]\r\nA=1\r\n; note\r\nB=2\r\n\r\n[T]\r\nX=1\r\n"},
      {"adds to a section line that ends the file", "[S]", "S", "B", "2", "[S]\r\nB=2\r\n"},
      {"adds a new section at the end", "[T]\r\nX=1", "S", "B", "2",
       "[T]\r\nX=1\r\n[S]\r\nB=2\r\n"},
      {"starts an empty file", "", "S", "B", "2", "[S]\r\nB=2\r\n"},
      {"follows the file's line breaks", "[T]\nX=1\n", "S", "B", "2", "[T]\nX=1\n[S]\nB=2\n"},
      {"writes into the first section of a name", "[S]\r\nA=1\r\n[S]\r\nA=2\r\n", "s", "A", "3",
       "[S]\r\nA=3\r\n[S]\r\nA=2\r\n"},
      {"line breaks cannot smuggle in a key", "[S]\r\nA=1\r\n", "S", "A", "a\r\nEvil=1",
       "[S]\r\nA=aEvil=1\r\n"},
  };
  for (const SetCase& c : cases) {
    TIniText text(c.before);
    EXPECT_TRUE(text.Set(c.section, c.key, c.value)) << c.name;
    EXPECT_EQ(text.Bytes(), c.after) << c.name;
    // What was written reads back, short of the line breaks no line can hold.
    std::string readBack = c.value;
    readBack.erase(std::remove(readBack.begin(), readBack.end(), '\r'), readBack.end());
    readBack.erase(std::remove(readBack.begin(), readBack.end(), '\n'), readBack.end());
    EXPECT_EQ(text.Find(c.section, c.key).value_or("<missing>"), readBack) << c.name;
  }
}

TEST(IniTextTest, WritingTheStoredValueChangesNothing) {
  TIniText text("[S]\r\nA = 1\r\n");
  EXPECT_FALSE(text.Set("S", "A", "1"));
  EXPECT_EQ(text.Bytes(), "[S]\r\nA = 1\r\n");
}

TEST(IniTextTest, ErasingASectionRemovesEverySectionOfThatNameAndNothingElse) {
  TIniText text("[A]\r\nX=1\r\n[S]\r\nY=2\r\n; c\r\n[B]\r\nZ=3\r\n[s]\r\nW=4");
  EXPECT_TRUE(text.EraseSection("S"));
  EXPECT_EQ(text.Bytes(), "[A]\r\nX=1\r\n[B]\r\nZ=3\r\n");
  EXPECT_FALSE(text.Find("S", "Y"));
  EXPECT_FALSE(text.EraseSection("S"));
  EXPECT_EQ(text.Find("B", "Z").value_or(""), "3");
}

}  // namespace
}  // namespace varimo
