#include "window/layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "fakes/recording_canvas.h"

namespace varimo {
namespace {

TEST(LayoutTest, TimeColumnLeavesRoomForFourDigitsAndTheColon) {
  struct Case {
    int Width;
    int Digit;
    int Colon;
    int Expected;
  };
  const Case cases[] = {
      {275, 6, 6, 221},  // equal widths: the colon gets half a digit more
      {275, 6, 3, 224},  // a narrow colon takes twice its width
      {275, 7, 7, 275 - 21 - 28 - 11},
      {400, 5, 2, 400 - 21 - 20 - 4},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TimeColumnX(c.Width, {c.Digit, c.Colon}), c.Expected)
        << c.Width << " " << c.Digit << " " << c.Colon;
  }
}

TEST(LayoutTest, VisibleRowsAreTheWholeRowsBetweenTitleBarAndBottomPanel) {
  struct Case {
    int Height;
    int FontHeight;
    int Expected;
  };
  const Case cases[] = {
      {116, 10, 5},  {145, 10, 8}, {116, 12, 4},
      {116, 50, 1},  {59, 10, 0},  // shorter than the frame
      {116, 0, 0},                 // a font height of 0 must not divide by zero
      {116, -10, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VisibleRows(c.Height, c.FontHeight), c.Expected) << c.Height << " " << c.FontHeight;
  }
}

TEST(LayoutTest, ResizeRecomputesOnlyTheNormalWindow) {
  const TListGeometry before{100, 3};
  const TFontMetrics metrics{6, 6};
  struct Case {
    int State;
    int ExpectedTimeColumnX;
    int ExpectedRows;
  };
  const Case cases[] = {{1, 221, 5}, {-1, 221, 5}, {2, 100, 3}, {-2, 100, 3}};
  for (const Case& c : cases) {
    const TListGeometry after = FormResize(before, c.State, 275, 116, 10, metrics);
    EXPECT_EQ(after.TimeColumnX, c.ExpectedTimeColumnX) << c.State;
    EXPECT_EQ(after.VisibleRows, c.ExpectedRows) << c.State;
  }
}

TEST(LayoutTest, RowsStartBelowTheTitleBarOneFontHeightApart) {
  for (int row = 0; row < 5; ++row) EXPECT_EQ(RowTop(7 + row, 7, 10), 22 + 10 * row);
}

TEST(LayoutTest, VisibleRowRangeStaysInsideTheList) {
  struct Case {
    int Top;
    int Rows;
    size_t Count;
    int First;
    int End;
  };
  const Case cases[] = {
      {0, 5, 3, 0, 3},     {0, 5, 20, 0, 5},
      {15, 5, 20, 15, 20}, {18, 5, 20, 18, 20},  // the last page is short
      {25, 5, 20, 20, 20},                       // a top left over from a longer list shows nothing
      {-2, 5, 10, 0, 3},                         // rows above the list are not indexed
      {0, 0, 10, 0, 0},    {0, 5, 0, 0, 0},
  };
  for (const Case& c : cases) {
    const TRowRange range = VisibleRowRange(c.Top, c.Rows, c.Count);
    EXPECT_EQ(range.First, c.First) << c.Top << " " << c.Rows << " " << c.Count;
    EXPECT_EQ(range.End, c.End) << c.Top << " " << c.Rows << " " << c.Count;
  }
}

TEST(LayoutTest, NumberColumnIsAsWideAsTheTrackCount) {
  struct Case {
    bool Numbers;
    size_t Count;
    int Digits;
    int LineLeft;   // with digit width 6
    int LineLimit;  // with the time column at 221
  };
  const Case cases[] = {
      {false, 120, -1, 15, 206}, {true, 0, 1, 27, 194},   {true, 9, 1, 27, 194},
      {true, 10, 2, 33, 188},    {true, 120, 3, 39, 182}, {true, 1000, 4, 45, 176},
  };
  const TFontMetrics metrics{6, 3};
  for (const Case& c : cases) {
    const int digits = NumberDigits(c.Numbers, c.Count);
    EXPECT_EQ(digits, c.Digits) << c.Count;
    EXPECT_EQ(LineLeft(digits, metrics), c.LineLeft) << c.Count;
    EXPECT_EQ(LineWidthLimit(221, digits, metrics), c.LineLimit) << c.Count;
  }
}

TEST(LayoutTest, RowNumbersAreRightAligned) {
  EXPECT_EQ(RowNumberText(1, 3), "  1");
  EXPECT_EQ(RowNumberText(12, 3), " 12");
  EXPECT_EQ(RowNumberText(120, 3), "120");
  EXPECT_EQ(RowNumberText(7, 1), "7");
}

TEST(LayoutTest, LongLinesAreCutAtWholeCharactersAndGetAnEllipsis) {
  struct Case {
    const char* Name;
    std::string Line;
    int Limit;
    std::string Expected;
  };
  // Every byte measures 6 pixels, the digit width is 6: a cut line fits in limit - 6.
  const Case cases[] = {
      {"fits exactly", "ABCDE", 30, "ABCDE"},
      {"one byte too wide", "ABCDEF", 30, "ABCD..."},
      {"double-byte character fits the cut", "AB\x82\xA0\x82\xA0", 30, "AB\x82\xA0..."},
      {"double-byte character straddles the cut", "AB\x82\xA0\x82\xA0", 24, "AB..."},
      {"second byte 0x5C is no character of its own", "\x83\x5C\x83\x5C", 18, "\x83\x5C..."},
      {"second byte in the lead-byte range", "\x82\x82\x82\xA0", 18, "\x82\x82..."},
      {"lone lead byte at the end", "ABC\x82", 18, "AB..."},
      {"no room at all", "ABC", 5, "..."},
      {"empty line", "", 0, ""},
  };
  RecordingCanvas canvas(6);
  const TTextMeasure measure = [&canvas](std::string_view text) { return canvas.TextWidth(text); };
  for (const Case& c : cases) {
    EXPECT_EQ(ShortenLine(c.Line, c.Limit, 6, measure), c.Expected) << c.Name;
  }
}

TEST(LayoutTest, AHugeLineIsShortenedWithFewMeasurements) {
  const std::string line(100000, 'A');
  int measurements = 0;
  const TTextMeasure measure = [&measurements](std::string_view text) {
    ++measurements;
    return static_cast<int>(text.size()) * 6;
  };
  EXPECT_EQ(ShortenLine(line, 60, 6, measure), "AAAAAAAAA...");
  EXPECT_LT(measurements, 40);
}

TEST(LayoutTest, TimeColumnDropsALeadingZeroAndKeepsFourDigits) {
  const TFontMetrics metrics{6, 3};
  struct Case {
    std::string Time;
    std::string Chars;
    std::vector<int> Xs;
  };
  const Case cases[] = {
      {"0345", "3:45", {206, 212, 215, 221}},
      {"1203", "12:03", {200, 206, 212, 215, 221}},
      {"10003", "10:00", {200, 206, 212, 215, 221}},  // 100 minutes: the first four digits
      {"", "", {}},
  };
  for (const Case& c : cases) {
    std::string chars;
    std::vector<int> xs;
    for (const TTimeChar& t : ListTimeChars(c.Time, 200, metrics)) {
      chars += t.Character;
      xs.push_back(t.X);
    }
    EXPECT_EQ(chars, c.Chars) << c.Time;
    EXPECT_EQ(xs, c.Xs) << c.Time;
  }
}

TEST(LayoutTest, ScrollThumbTravelsWithTheTopIndex) {
  struct Case {
    int Height;
    size_t Count;
    int Rows;
    int Top;
    int ThumbY;
    double Step;
  };
  const Case cases[] = {
      {116, 3, 5, 0, 20, 0},  // the list fits
      {116, 5, 5, 0, 20, 0},
      {116, 20, 5, 0, 20, 40.0 / 15},
      {116, 20, 5, 14, 57, 40.0 / 15},
      {116, 20, 5, 15, 60, 40.0 / 15},  // the last page puts the thumb at the bottom
      {116, 6, 5, 5, 60, 40},           // past the last page it stays at the bottom
      {145, 20, 8, 12, 89, 69.0 / 12},
  };
  for (const Case& c : cases) {
    const TScrollThumb thumb = ScrollThumb(c.Height, c.Count, c.Rows, c.Top);
    EXPECT_EQ(thumb.ThumbY, c.ThumbY) << c.Count << " " << c.Top;
    EXPECT_DOUBLE_EQ(thumb.ScrollStep, c.Step) << c.Count << " " << c.Top;
  }
  EXPECT_EQ(ScrollThumbRect(275, 60), (TSkinRect{260, 60, 268, 78}));
}

TEST(LayoutTest, PositionThumbStaysOnTheBar) {
  struct Case {
    double Fraction;
    int Left;
  };
  const Case cases[] = {
      {0, 130},
      {0.5, 172},
      {1.0, 215},
      {1.5, 215},
      {-0.2, 130},                                      // a position outside the track
      {std::numeric_limits<double>::quiet_NaN(), 130},  // a track of length 0
      {std::numeric_limits<double>::infinity(), 215},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PositionThumbRect(275, 116, c.Fraction), (TSkinRect{c.Left, 84, c.Left + 8, 98}))
        << c.Fraction;
  }
}

TEST(LayoutTest, FontMetricsAreMeasuredInTheGivenFont) {
  RecordingCanvas canvas(6);
  canvas.SetByteWidth(':', 3);
  const TFontSpec font = ListFont("MS UI Gothic", 10);
  const TFontMetrics metrics = MeasureFontMetrics(canvas, font);
  EXPECT_EQ(metrics.DigitWidth, 6);
  EXPECT_EQ(metrics.ColonWidth, 3);
  ASSERT_EQ(canvas.Calls().size(), 1u);
  EXPECT_EQ(canvas.Calls()[0].Font, (TFontSpec{"MS UI Gothic", -10, false, kShiftJisCharset}));
}

TEST(LayoutTest, FontMetricsAreMeasuredOncePerFont) {
  RecordingCanvas canvas(6);
  FontMetricsCache cache;
  const TFontSpec small = ListFont("MS UI Gothic", 10);
  const TFontSpec large = ListFont("MS UI Gothic", 12);
  EXPECT_EQ(cache.Get(canvas, small).DigitWidth, 6);
  canvas.SetByteWidth('0', 7);
  EXPECT_EQ(cache.Get(canvas, small).DigitWidth, 6);  // not measured again
  EXPECT_EQ(cache.Get(canvas, large).DigitWidth, 7);
  EXPECT_EQ(canvas.CallsOf(TCanvasCallKind::kFont).size(), 2u);
}

}  // namespace
}  // namespace varimo
