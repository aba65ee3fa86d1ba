#include "engine/scroll.h"

#include <gtest/gtest.h>

namespace varimo {
namespace {

TEST(ScrollToCurrent, MovesByHalfPagesUntilTheCurrentTrackIsVisible) {
  struct Case {
    const char* name;
    int32_t top, rows, current, count;
    int32_t expectedTop;
  } cases[] = {
      {"down in half pages: 3, 6, 9", 0, 5, 12, 20, 9},
      {"already visible", 3, 5, 6, 20, 3},
      {"last visible row", 3, 5, 7, 20, 3},
      {"one below the page", 3, 5, 8, 20, 6},
      {"up in half pages", 12, 5, 4, 20, 3},
      {"up past the start stops at 0", 2, 5, 0, 20, 0},
      {"the last page stays full", 0, 5, 19, 20, 15},
      {"a list that fits never scrolls", 4, 5, 2, 5, 4},
      {"no rows, no scrolling", 7, 0, 2, 20, 7},
      {"a negative row count does nothing", 7, -3, 2, 20, 7},
      {"even page: step 3 of 6 rows", 0, 6, 6, 30, 3},
      {"a current index past the list scrolls to the end", 0, 5, 1000, 20, 15},
      {"a negative current index scrolls to the top", 9, 5, -4, 20, 0},
      {"a top far past the list comes back", 500, 5, 2, 20, 2},
  };
  for (const Case& c : cases) {
    int32_t top = c.top;
    ScrollToCurrent(top, c.rows, c.current, c.count);
    EXPECT_EQ(top, c.expectedTop) << c.name;
  }
}

}  // namespace
}  // namespace varimo
