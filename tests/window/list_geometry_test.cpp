#include "window/list_geometry.h"

#include <gtest/gtest.h>

namespace varimo {
namespace {

TEST(FormResize, KeepsTheListGeometryOfTheNormalWindowInTheState) {
  struct Case {
    const char* name;
    int32_t state, width, height, rowHeight;
    TFontMetrics metrics;
    int32_t expectedTimeColumnX, expectedVisibleRows;
  } cases[] = {
      {"designed size", 1, 275, 116, 10, {6, 6}, 221, 5},
      {"narrow colon", 1, 275, 116, 10, {6, 3}, 224, 5},
      {"larger window", 1, 300, 174, 12, {6, 6}, 246, 9},
      {"hidden normal window", -1, 300, 174, 10, {6, 6}, 246, 11},
      {"small window keeps the normal window's", 2, 300, 14, 10, {7, 7}, 1, 2},
      {"hidden small window keeps them too", -2, 300, 14, 10, {7, 7}, 1, 2},
  };
  for (const Case& c : cases) {
    TWindowState window;
    window.State = c.state;
    window.TimeColumnX = 1;
    window.VisibleRows = 2;
    FormResize(window, {0, 0, c.width, c.height}, c.rowHeight, c.metrics);
    EXPECT_EQ(window.TimeColumnX, c.expectedTimeColumnX) << c.name;
    EXPECT_EQ(window.VisibleRows, c.expectedVisibleRows) << c.name;
    // The font's widths are the font's, whichever size the window has.
    EXPECT_EQ(FontMetricsOf(window).DigitWidth, c.metrics.DigitWidth) << c.name;
    EXPECT_EQ(FontMetricsOf(window).ColonWidth, c.metrics.ColonWidth) << c.name;
  }
}

}  // namespace
}  // namespace varimo
