#pragma once
// The geometry of the playlist window: where the list's rows, numbers, texts and times go,
// how many rows fit, where the scroll and position thumbs sit. Pure functions of the window's
// size and state, shared by painting and hit-testing; the places come from the geometry table.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/vocabulary.h"
#include "window/canvas.h"
#include "window/geometry.h"
#include "window/skin_tables.h"

namespace varimo {

// Everything but the rows: the rows' top and the bottom panel.
constexpr int kListVerticalFrame = geometry::kRowsTop.Offset + geometry::kPanelTop.Offset;
static_assert(geometry::kPanelTop.FromFar, "the bottom panel counts from the bottom edge");
// The small window is one bar of this height.
constexpr int kSmallWindowHeight = kSmallHeight;

// Widths of "0" and ":" in the window font, measured once per font.
struct TFontMetrics {
  int DigitWidth = 0;
  int ColonWidth = 0;
};

// The font of the list: the face of the settings with a character height of size pixels.
TFontSpec ListFont(const std::string& face, int size);
// The font of the characters the small window has no glyph for: the same face at 7 points.
TFontSpec SmallWindowFont(const std::string& face);

// Selects font on the canvas and measures it.
TFontMetrics MeasureFontMetrics(ICanvas& canvas, const TFontSpec& font);

// The widths of the font measured last: a font is measured once, not at every repaint.
class FontMetricsCache {
 public:
  const TFontMetrics& Get(ICanvas& canvas, const TFontSpec& font);

 private:
  std::optional<TFontSpec> font_;
  TFontMetrics metrics_;
};

// x of the time column: room for four digits and the colon left of the scroll bar.
int TimeColumnX(int width, const TFontMetrics& metrics);
// Rows of fontHeight pixels that fit in the list of a window height pixels high.
int VisibleRows(int height, int fontHeight);

// What the normal window's size decides; the small window keeps the normal window's values.
struct TListGeometry {
  int TimeColumnX = 0;
  int VisibleRows = 0;
};
// The resize rule: in the normal window (state 1, or -1 while hidden) both are recomputed.
TListGeometry FormResize(const TListGeometry& current, int state, int width, int height,
                         int fontHeight, const TFontMetrics& metrics);

// Top of the row shown at index when the list starts at topIndex.
int RowTop(int index, int topIndex, int fontHeight);

// The indices shown: First up to, not including, End.
struct TRowRange {
  int First = 0;
  int End = 0;
};
TRowRange VisibleRowRange(int topIndex, int visibleRows, size_t trackCount);

// Digits of the number column: the digits of the track count when numbers are shown, else -1,
// which makes the column vanish from the arithmetic below.
int NumberDigits(bool showNumbers, size_t trackCount);
// number right-aligned in a field digits characters wide.
std::string RowNumberText(int number, int digits);
// Where a row's line starts, after the number column and its full stop.
int LineLeft(int numberDigits, const TFontMetrics& metrics);
// Pixels the line may take before the time column.
int LineWidthLimit(int timeColumnX, int numberDigits, const TFontMetrics& metrics);

using TTextMeasure = std::function<int(std::string_view)>;
// The line as it fits in limit pixels: unchanged when it fits, else cut at the end, a whole
// Shift-JIS character at a time, until it fits in limit - digitWidth, and "..." appended.
std::string ShortenLine(std::string_view line, int limit, int digitWidth,
                        const TTextMeasure& measure);

// A character of a track's time text and where it goes.
struct TTimeChar {
  char Character = 0;
  int X = 0;
};
// The list's time column: "mm:ss" from the first four characters of the time text, with a
// leading "0" left out. Empty when the track has no time.
std::vector<TTimeChar> ListTimeChars(std::string_view time, int timeColumnX,
                                     const TFontMetrics& metrics);

// The scroll thumb's top and the thumb's travel per row.
struct TScrollThumb {
  int ThumbY = geometry::kScrollThumbTops.Low.Offset;
  double ScrollStep = 0;
};
TScrollThumb ScrollThumb(int height, size_t trackCount, int visibleRows, int topIndex);
TSkinRect ScrollThumbRect(int width, int thumbY);

// The thumb's offset on the position bar, 0 to the bar's travel.
int PositionThumbOffset(double positionFraction);
TSkinRect PositionThumbRect(int width, int height, double positionFraction);

}  // namespace varimo
