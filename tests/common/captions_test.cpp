#include "common/captions.h"

#include <gtest/gtest.h>

#include <string>

namespace varimo {
namespace {

TEST(Captions, EveryIdHasOneRowInIdOrderAndNoCaptionIsEmpty) {
  for (size_t i = 0; i < kCaptionRows.size(); ++i) {
    const TCaptionRow& row = kCaptionRows[i];
    const auto id = static_cast<size_t>(row.Id);
    // Row i holds id i + 1: every id from the first to the last once, and no other.
    EXPECT_EQ(id, i + 1) << "row " << i;
    ASSERT_NE(row.Japanese, nullptr) << "id " << id;
    EXPECT_NE(std::string(row.Japanese), "") << "id " << id;
    EXPECT_EQ(Caption(row.Id), row.Japanese) << "id " << id;
  }
  EXPECT_EQ(kCaptionRows.size() + 1, static_cast<size_t>(TCaption::kCount));
  EXPECT_STREQ(Caption(TCaption::kNone), "");
  EXPECT_STREQ(Caption(TCaption::kCount), "");
}

}  // namespace
}  // namespace varimo
