#pragma once
// The canvas port: everything the window's painting asks of the platform's drawing. The
// core composes the window as calls on a canvas; the Win32 shell draws them with GDI, the
// tests record them.

#include <cstdint>
#include <string>
#include <string_view>

#include "window/skin_tables.h"

namespace varimo {

// The bitmaps a canvas copies from: the frame pieces and the text glyphs of the skin.
enum class TCanvasBitmap {
  kSkin,
  kGlyphs,
};

// The character set of Shift-JIS fonts, as the platform numbers it.
constexpr uint8_t kShiftJisCharset = 128;

struct TFontSpec {
  std::string Face;
  // Pixels; a negative height sizes the characters themselves, a positive one the whole
  // character cell, as the platform's font height does. A point size when InPoints is set.
  int Height = 0;
  // Height is a point size, turned into pixels by the resolution of the device drawn on.
  bool InPoints = false;
  uint8_t Charset = kShiftJisCharset;
};

inline bool operator==(const TFontSpec& a, const TFontSpec& b) {
  return a.Face == b.Face && a.Height == b.Height && a.InPoints == b.InPoints &&
         a.Charset == b.Charset;
}

class ICanvas {
 public:
  virtual ~ICanvas() = default;

  // Copies the rectangle from of a bitmap to the rectangle to, stretching where the sizes
  // differ.
  virtual void CopyRect(TCanvasBitmap source, const TSkinRect& from, const TSkinRect& to) = 0;
  // color is 0x00BBGGRR.
  virtual void FillRect(const TSkinRect& rect, uint32_t color) = 0;

  // The font of the texts drawn and measured from now on.
  virtual void SetFont(const TFontSpec& font) = 0;
  // The colour of the texts drawn from now on. Texts are drawn with a transparent background:
  // every text lies on the list fill, the selection bar or a glyph cell already drawn.
  virtual void SetTextColor(uint32_t color) = 0;
  // Draws the bytes (the system's ANSI code page) with the top-left corner of the first
  // character cell at (x, y).
  virtual void DrawString(int x, int y, std::string_view text) = 0;
  // Width in pixels of the bytes in the current font.
  virtual int TextWidth(std::string_view text) = 0;

  // Drawing outside rect is dropped until ClearClip.
  virtual void SetClip(const TSkinRect& rect) = 0;
  virtual void ClearClip() = 0;
};

}  // namespace varimo
