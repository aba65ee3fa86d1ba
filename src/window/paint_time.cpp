#include "window/paint_time.h"

#include <algorithm>

namespace varimo {
namespace {

// The bottom panel's time, relative to the bottom-right corner.
constexpr int kDisplayTopMargin = 15;
constexpr int kDisplayLeftMargin = 82;
constexpr int kDisplayRightMargin = 54;
constexpr int kDisplayMinusX = 82;
constexpr int kDisplayDigitX[] = {77, 72, 64, 59};
// The small window's time, relative to the right edge; the glyphs' row is fixed.
constexpr int kSmallGlyphTop = 4;
constexpr int kSmallMinusX = 59;
constexpr int kSmallTimeX[] = {54, 49, 44, 39, 34};  // tens of minutes, minutes, colon, ...

TGlyphPiece GlyphAt(TGlyphCell cell, int x, int y) {
  return {cell, {x, y, x + GlyphWidth, y + GlyphHeight}};
}

bool ShowsTime(const TTimeDigits& digits) {
  return digits[3] != -1;
}

}  // namespace

TGlyphCell DigitGlyph(int digit) {
  return digit >= 0 && digit <= 9 ? GlyphDigit(digit) : GlyphBlank;
}

std::vector<TGlyphPiece> TimeDisplayGlyphs(const TTimeDigits& digits, bool remain, int width,
                                           int height) {
  std::vector<TGlyphPiece> pieces;
  if (!ShowsTime(digits)) return pieces;
  const int top = height - kDisplayTopMargin;
  if (remain) pieces.push_back(GlyphAt(GlyphMinus, width - kDisplayMinusX, top));
  for (size_t i = 0; i < digits.size(); ++i) {
    pieces.push_back(GlyphAt(DigitGlyph(digits[i]), width - kDisplayDigitX[i], top));
  }
  return pieces;
}

TSkinRect TimeDisplayRect(int width, int height) {
  const int top = height - kDisplayTopMargin;
  return {width - kDisplayLeftMargin, top, width - kDisplayRightMargin, top + GlyphHeight};
}

std::vector<TGlyphPiece> SmallTimeGlyphs(const TTimeDigits& digits, bool remain, int width) {
  std::vector<TGlyphPiece> pieces;
  if (!ShowsTime(digits)) return pieces;
  const int tens = digits[0];
  const TGlyphCell tensCell = tens == 0 ? GlyphBlank : DigitGlyph(tens);
  if (remain && tens != 0) {
    pieces.push_back(GlyphAt(GlyphMinus, width - kSmallMinusX, kSmallGlyphTop));
    pieces.push_back(GlyphAt(tensCell, width - kSmallTimeX[0], kSmallGlyphTop));
  } else if (remain) {
    pieces.push_back(GlyphAt(GlyphBlank, width - kSmallMinusX, kSmallGlyphTop));
    pieces.push_back(GlyphAt(GlyphMinus, width - kSmallTimeX[0], kSmallGlyphTop));
  } else {
    pieces.push_back(GlyphAt(tensCell, width - kSmallTimeX[0], kSmallGlyphTop));
  }
  pieces.push_back(GlyphAt(DigitGlyph(digits[1]), width - kSmallTimeX[1], kSmallGlyphTop));
  pieces.push_back(GlyphAt(GlyphColon, width - kSmallTimeX[2], kSmallGlyphTop));
  pieces.push_back(GlyphAt(DigitGlyph(digits[2]), width - kSmallTimeX[3], kSmallGlyphTop));
  pieces.push_back(GlyphAt(DigitGlyph(digits[3]), width - kSmallTimeX[4], kSmallGlyphTop));
  return pieces;
}

std::vector<TGlyphPiece> SmallTrackTimeGlyphs(std::string_view time, int width) {
  std::vector<TGlyphPiece> pieces;
  if (time.empty()) return pieces;
  // The first four characters around the colon; a time text holds digits only.
  const auto cellOf = [](char c) { return GlyphOf(static_cast<uint8_t>(c)).value_or(GlyphBlank); };
  const TGlyphCell first = time[0] == '0' ? GlyphBlank : cellOf(time[0]);
  pieces.push_back(GlyphAt(first, width - kSmallTimeX[0], kSmallGlyphTop));
  if (time.size() > 1) {
    pieces.push_back(GlyphAt(cellOf(time[1]), width - kSmallTimeX[1], kSmallGlyphTop));
  }
  pieces.push_back(GlyphAt(GlyphColon, width - kSmallTimeX[2], kSmallGlyphTop));
  for (size_t i = 2; i < std::min<size_t>(time.size(), 4); ++i) {
    pieces.push_back(GlyphAt(cellOf(time[i]), width - kSmallTimeX[i + 1], kSmallGlyphTop));
  }
  return pieces;
}

}  // namespace varimo
