#include "window/paint_time.h"

#include <algorithm>

#include "window/geometry.h"

namespace varimo {
namespace {

TGlyphPiece GlyphAt(TGlyphCell cell, int x, int y) {
  return {cell, {x, y, x + kGlyphWidth, y + kGlyphHeight}};
}

// A glyph of the small window's row at x, counted as the geometry table counts it.
TGlyphPiece SmallGlyphAt(TGlyphCell cell, const TEdgeOffset& x, int width) {
  return GlyphAt(cell, EdgeAt(x, width), EdgeAt(geometry::kSmallGlyphTop, kSmallHeight));
}

bool ShowsTime(const TTimeDigits& digits) {
  return digits[3] != -1;
}

}  // namespace

TGlyphCell DigitGlyph(int digit) {
  return digit >= 0 && digit <= 9 ? GlyphDigit(digit) : kGlyphBlank;
}

std::vector<TGlyphPiece> TimeDisplayGlyphs(const TTimeDigits& digits, bool remain, int width,
                                           int height) {
  std::vector<TGlyphPiece> pieces;
  if (!ShowsTime(digits)) return pieces;
  const int top = EdgeAt(geometry::kTimeTop, height);
  if (remain) pieces.push_back(GlyphAt(kGlyphMinus, EdgeAt(geometry::kTimeMinusX, width), top));
  for (size_t i = 0; i < digits.size(); ++i) {
    pieces.push_back(GlyphAt(DigitGlyph(digits[i]), EdgeAt(geometry::kTimeDigitX[i], width), top));
  }
  return pieces;
}

TSkinRect TimeDisplayRect(int width, int height) {
  return ResolveRect(geometry::kTimeDisplay, width, height);
}

std::vector<TGlyphPiece> SmallTimeGlyphs(const TTimeDigits& digits, bool remain, int width) {
  using geometry::kSmallTimeX;
  std::vector<TGlyphPiece> pieces;
  if (!ShowsTime(digits)) return pieces;
  const int tens = digits[0];
  const TGlyphCell tensCell = tens == 0 ? kGlyphBlank : DigitGlyph(tens);
  if (remain && tens != 0) {
    pieces.push_back(SmallGlyphAt(kGlyphMinus, geometry::kSmallMinusX, width));
    pieces.push_back(SmallGlyphAt(tensCell, kSmallTimeX[0], width));
  } else if (remain) {
    pieces.push_back(SmallGlyphAt(kGlyphBlank, geometry::kSmallMinusX, width));
    pieces.push_back(SmallGlyphAt(kGlyphMinus, kSmallTimeX[0], width));
  } else {
    pieces.push_back(SmallGlyphAt(tensCell, kSmallTimeX[0], width));
  }
  pieces.push_back(SmallGlyphAt(DigitGlyph(digits[1]), kSmallTimeX[1], width));
  pieces.push_back(SmallGlyphAt(kGlyphColon, kSmallTimeX[2], width));
  pieces.push_back(SmallGlyphAt(DigitGlyph(digits[2]), kSmallTimeX[3], width));
  pieces.push_back(SmallGlyphAt(DigitGlyph(digits[3]), kSmallTimeX[4], width));
  return pieces;
}

std::vector<TGlyphPiece> SmallTrackTimeGlyphs(std::string_view time, int width) {
  using geometry::kSmallTimeX;
  std::vector<TGlyphPiece> pieces;
  if (time.empty()) return pieces;
  // The first four characters around the colon; a time text holds digits only.
  const auto cellOf = [](char c) { return GlyphOf(static_cast<uint8_t>(c)).value_or(kGlyphBlank); };
  const TGlyphCell first = time[0] == '0' ? kGlyphBlank : cellOf(time[0]);
  pieces.push_back(SmallGlyphAt(first, kSmallTimeX[0], width));
  if (time.size() > 1) pieces.push_back(SmallGlyphAt(cellOf(time[1]), kSmallTimeX[1], width));
  pieces.push_back(SmallGlyphAt(kGlyphColon, kSmallTimeX[2], width));
  for (size_t i = 2; i < std::min<size_t>(time.size(), 4); ++i) {
    pieces.push_back(SmallGlyphAt(cellOf(time[i]), kSmallTimeX[i + 1], width));
  }
  return pieces;
}

}  // namespace varimo
