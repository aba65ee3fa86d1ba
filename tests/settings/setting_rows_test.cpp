#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>
#include <utility>

#include "settings/settings.h"

namespace varimo {
namespace {

std::string Folded(const char* name) {
  std::string folded(name);
  for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return folded;
}

TEST(SettingRows, EachKeyAndEachSettingOnceAndEveryDefaultInItsRange) {
  const std::set<std::string> sections = {"Winamp", "Window", "Option", "Play"};
  std::set<std::pair<std::string, std::string>> keys;
  for (const TSettingRow& row : kSettingRows) {
    const std::string name = std::string(row.Section) + "/" + row.Key;
    EXPECT_EQ(sections.count(row.Section), 1u) << name;
    // The file's names match without regard to case.
    EXPECT_TRUE(keys.insert({Folded(row.Section), Folded(row.Key)}).second) << name << " twice";
    // A setting held by two rows would find only the first.
    std::visit([&](auto member) { EXPECT_EQ(&SettingRowOf(member), &row) << name; }, row.Member);
    EXPECT_LE(row.Min, row.Max) << name;
    if (row.OutOfRange == TOutOfRange::kOffBelow) {
      EXPECT_LT(row.Default, row.Min) << name << ": off is below the range";
    } else {
      EXPECT_TRUE(row.Default >= row.Min && row.Default <= row.Max) << name;
    }
    ASSERT_NE(row.DefaultText, nullptr) << name;
  }
}

}  // namespace
}  // namespace varimo
