#include "window/layout.h"

#include <algorithm>
#include <cmath>

#include "common/text.h"

namespace varimo {
namespace {

// The small window's font is given in points, like the host's own small texts.
constexpr int kSmallFontPoints = 7;
constexpr char kEllipsis[] = "...";

}  // namespace

TFontSpec ListFont(const std::string& face, int size) {
  return {face, -size, false, kShiftJisCharset};
}

TFontSpec SmallWindowFont(const std::string& face) {
  return {face, kSmallFontPoints, true, kShiftJisCharset};
}

TFontMetrics MeasureFontMetrics(ICanvas& canvas, const TFontSpec& font) {
  canvas.SetFont(font);
  return {canvas.TextWidth("0"), canvas.TextWidth(":")};
}

const TFontMetrics& FontMetricsCache::Get(ICanvas& canvas, const TFontSpec& font) {
  if (!font_ || !(*font_ == font)) {
    metrics_ = MeasureFontMetrics(canvas, font);
    font_ = font;
  }
  return metrics_;
}

int TimeColumnX(int width, const TFontMetrics& metrics) {
  // A colon as wide as a digit would leave the minutes and seconds looking glued together
  // in a fixed-pitch font, so it gets half a digit more room.
  const int colon = metrics.ColonWidth == metrics.DigitWidth
                        ? metrics.ColonWidth + (metrics.ColonWidth + 1) / 2
                        : 2 * metrics.ColonWidth;
  return EdgeAt(geometry::kTimeColumnRight, width) - 4 * metrics.DigitWidth - colon;
}

int VisibleRows(int height, int fontHeight) {
  if (fontHeight <= 0) return 0;
  return std::max(0, (height - kListVerticalFrame) / fontHeight);
}

TListGeometry FormResize(const TListGeometry& current, int state, int width, int height,
                         int fontHeight, const TFontMetrics& metrics) {
  if (state != 1 && state != -1) return current;
  return {TimeColumnX(width, metrics), VisibleRows(height, fontHeight)};
}

int RowTop(int index, int topIndex, int fontHeight) {
  return geometry::kRowsTop.Offset + fontHeight * (index - topIndex);
}

TRowRange VisibleRowRange(int topIndex, int visibleRows, size_t trackCount) {
  const long long count = static_cast<long long>(trackCount);
  const long long first = std::clamp<long long>(topIndex, 0, count);
  const long long end = std::clamp<long long>(
      static_cast<long long>(topIndex) + std::max(visibleRows, 0), first, count);
  return {static_cast<int>(first), static_cast<int>(end)};
}

int NumberDigits(bool showNumbers, size_t trackCount) {
  if (!showNumbers) return -1;
  return static_cast<int>(std::to_string(trackCount).size());
}

std::string RowNumberText(int number, int digits) {
  std::string text = std::to_string(number);
  if (static_cast<int>(text.size()) < digits) text.insert(0, digits - text.size(), ' ');
  return text;
}

int LineLeft(int numberDigits, const TFontMetrics& metrics) {
  return geometry::kListTextLeft.Offset + (numberDigits + 1) * metrics.DigitWidth;
}

int LineWidthLimit(int timeColumnX, int numberDigits, const TFontMetrics& metrics) {
  return timeColumnX - (numberDigits + 1) * metrics.DigitWidth - geometry::kListTextLeft.Offset;
}

std::string ShortenLine(std::string_view line, int limit, int digitWidth,
                        const TTextMeasure& measure) {
  if (measure(line) <= limit) return std::string(line);
  // Where each character starts, walking from the front so that a second byte of a
  // double-byte character is never taken for a character of its own.
  std::vector<size_t> starts;
  for (size_t i = 0; i < line.size(); i += ShiftJisCharSize(line, i)) starts.push_back(i);
  starts.push_back(line.size());
  // Cutting character by character from the end stops at the longest prefix that fits; text
  // widths grow with every character, so a binary search finds it with few measurements,
  // which matters for the hostile tag that holds a kilobyte of title.
  const int target = limit - digitWidth;
  size_t low = 0;
  size_t high = starts.size() - 1;
  while (low < high) {
    const size_t middle = (low + high + 1) / 2;
    if (measure(line.substr(0, starts[middle])) <= target) {
      low = middle;
    } else {
      high = middle - 1;
    }
  }
  std::string shortened(line.substr(0, starts[low]));
  shortened += kEllipsis;
  return shortened;
}

std::vector<TTimeChar> ListTimeChars(std::string_view time, int timeColumnX,
                                     const TFontMetrics& metrics) {
  const int digit = metrics.DigitWidth;
  const int positions[] = {timeColumnX, timeColumnX + digit,
                           timeColumnX + 2 * digit + metrics.ColonWidth,
                           timeColumnX + 3 * digit + metrics.ColonWidth};
  std::vector<TTimeChar> chars;
  if (time.empty()) return chars;
  if (time[0] != '0') chars.push_back({time[0], positions[0]});
  if (time.size() > 1) chars.push_back({time[1], positions[1]});
  chars.push_back({':', timeColumnX + 2 * digit});
  for (size_t i = 2; i < std::min<size_t>(time.size(), 4); ++i) {
    chars.push_back({time[i], positions[i]});
  }
  return chars;
}

TScrollThumb ScrollThumb(int height, size_t trackCount, int visibleRows, int topIndex) {
  TScrollThumb thumb;
  if (visibleRows < 0 || static_cast<size_t>(visibleRows) >= trackCount) return thumb;
  const int highest = EdgeAt(geometry::kScrollThumbTops.Low, height);
  const int lowest = EdgeAt(geometry::kScrollThumbTops.High, height);
  thumb.ScrollStep = static_cast<double>(lowest - highest) /
                     static_cast<double>(trackCount - static_cast<size_t>(visibleRows));
  thumb.ThumbY = static_cast<int>(topIndex * thumb.ScrollStep + highest);
  thumb.ThumbY = std::min(thumb.ThumbY, lowest);
  return thumb;
}

TSkinRect ScrollThumbRect(int width, int thumbY) {
  const TSkinRect size = SkinPieceRect(TSkinPiece::kScrollThumb);
  const int left = EdgeAt(geometry::kScrollThumbLeft, width);
  return {left, thumbY, left + size.Width(), thumbY + size.Height()};
}

int PositionThumbOffset(double positionFraction) {
  // A track of length 0 makes the fraction NaN or infinite; the thumb then stays on the bar.
  if (std::isnan(positionFraction)) return 0;
  const double fraction = std::clamp(positionFraction, 0.0, 1.0);
  return static_cast<int>(fraction * geometry::kPositionThumbTravel);
}

TSkinRect PositionThumbRect(int width, int height, double positionFraction) {
  return PositionThumbAt(width, height, PositionThumbOffset(positionFraction));
}

}  // namespace varimo
