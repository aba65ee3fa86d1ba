#pragma once
// Where the playlist window's frame pieces and text glyphs sit in the skin bitmaps. Painting
// and the built-in artwork both follow these tables, so a host skin's "Pledit.bmp" and
// "Text.bmp" fit without any per-skin knowledge.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace varimo {

// (Left, Top, Right, Bottom) with Right and Bottom exclusive.
struct TSkinRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  constexpr int Width() const { return Right - Left; }
  constexpr int Height() const { return Bottom - Top; }
};

constexpr bool operator==(const TSkinRect& a, const TSkinRect& b) {
  return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}
constexpr bool operator!=(const TSkinRect& a, const TSkinRect& b) {
  return !(a == b);
}

// The built-in frame bitmap; host skins ship taller ones with the same pieces at the top.
constexpr int kBuiltInSkinWidth = 280;
constexpr int kBuiltInSkinHeight = 111;

enum class TSkinPiece {
  kTopLeftCorner,
  kTitle,
  kTopFiller,
  kTopRightCorner,  // carries the small-window and close buttons
  kLeftSide,
  kRightSide,  // with the scroll groove
  kBottomLeft,
  kBottomFiller,
  kBottomRight,  // mini buttons, time display, position bar, scroll arrows, resize grip
  kScrollThumb,
  kTimeBackground,  // lies inside kBottomRight
  kSmallLeft,
  kSmallFiller,
  kSmallRight,     // the small window's buttons
  kPositionThumb,  // own layout only ("Varimo.bmp" and the built-in bitmap)
};

// Rect is the active (or unpressed) variant, Alternate the inactive (or pressed) one; the
// two are equal for pieces that look the same either way.
struct TSkinPieceRects {
  TSkinPiece Piece;
  TSkinRect Rect;
  TSkinRect Alternate;
};

// In the order of TSkinPiece.
inline constexpr std::array<TSkinPieceRects, 15> kSkinPieces = {{
    {TSkinPiece::kTopLeftCorner, {0, 0, 25, 20}, {0, 21, 25, 41}},
    {TSkinPiece::kTitle, {26, 0, 126, 20}, {26, 21, 126, 41}},
    {TSkinPiece::kTopFiller, {127, 0, 152, 20}, {127, 21, 152, 41}},
    {TSkinPiece::kTopRightCorner, {153, 0, 178, 20}, {153, 21, 178, 41}},
    {TSkinPiece::kLeftSide, {0, 42, 25, 71}, {0, 42, 25, 71}},
    {TSkinPiece::kRightSide, {26, 42, 51, 71}, {26, 42, 51, 71}},
    {TSkinPiece::kBottomLeft, {0, 72, 125, 110}, {0, 72, 125, 110}},
    {TSkinPiece::kBottomFiller, {179, 0, 204, 38}, {179, 0, 204, 38}},
    {TSkinPiece::kBottomRight, {126, 72, 276, 110}, {126, 72, 276, 110}},
    {TSkinPiece::kScrollThumb, {52, 53, 60, 71}, {61, 53, 69, 71}},
    {TSkinPiece::kTimeBackground, {194, 95, 222, 101}, {194, 95, 222, 101}},
    {TSkinPiece::kSmallLeft, {72, 42, 97, 56}, {72, 42, 97, 56}},
    {TSkinPiece::kSmallFiller, {72, 57, 97, 71}, {72, 57, 97, 71}},
    {TSkinPiece::kSmallRight, {99, 42, 149, 56}, {99, 57, 149, 71}},
    {TSkinPiece::kPositionThumb, {150, 57, 158, 71}, {159, 57, 167, 71}},
}};

// Where to copy a piece from; alternate picks the inactive title-bar variant or the pressed
// thumb.
constexpr TSkinRect SkinPieceRect(TSkinPiece piece, bool alternate = false) {
  const TSkinPieceRects& entry = kSkinPieces[static_cast<size_t>(piece)];
  return alternate ? entry.Alternate : entry.Rect;
}

// The position-bar thumb as an upper and a lower part, stacked to 8 x 14. The own layout
// has a thumb of its own; other skins lend the upper and lower seven rows of the scroll
// thumb, leaving out the four between.
struct TPositionThumbSource {
  TSkinRect Upper;
  TSkinRect Lower;
};
TPositionThumbSource PositionThumbSource(bool ownLayout, bool pressed);

// The part of the bottom-right piece that lies under the position thumb at offset d on the
// bar (window/geometry.h places both); d is held to the bar's travel so the copy never leaves
// the piece.
TSkinRect PositionBarBackground(int d);

// Text glyphs: 31 columns x 3 rows of 5 x 6 cells.
constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 6;
constexpr int kGlyphColumns = 31;
constexpr int kGlyphRows = 3;
constexpr int kGlyphBitmapWidth = kGlyphColumns * kGlyphWidth;
constexpr int kGlyphBitmapHeight = kGlyphRows * kGlyphHeight;

struct TGlyphCell {
  int Row = 0;
  int Column = 0;
};

constexpr bool operator==(const TGlyphCell& a, const TGlyphCell& b) {
  return a.Row == b.Row && a.Column == b.Column;
}

constexpr TGlyphCell kGlyphEllipsis{1, 10};
constexpr TGlyphCell kGlyphColon{1, 12};
constexpr TGlyphCell kGlyphMinus{1, 15};
constexpr TGlyphCell kGlyphQuestion{2, 3};
// Clears a glyph position; no character maps to it.
constexpr TGlyphCell kGlyphBlank{2, 20};

constexpr TGlyphCell GlyphDigit(int digit) {
  return {1, digit};
}
constexpr TGlyphCell GlyphLetter(int indexFromA) {
  return {0, indexFromA};
}

// Punctuation in code order: space to ")", "+" to "/", "[" to "_".
inline constexpr std::array<TGlyphCell, 10> kGlyphsSpaceToParen = {
    {{0, 30}, {1, 17}, {0, 26}, {1, 30}, {1, 29}, {1, 26}, {1, 25}, {1, 16}, {1, 13}, {1, 14}}};
inline constexpr std::array<TGlyphCell, 5> kGlyphsPlusToSlash = {
    {{1, 19}, {1, 27}, {1, 15}, {1, 11}, {1, 21}}};
inline constexpr std::array<TGlyphCell, 5> kGlyphsBracketToUnderscore = {
    {{1, 22}, {1, 20}, {1, 23}, {1, 24}, {1, 18}}};

// The glyph of a single-byte character; letters of either case share one. None for
// characters that are drawn with the font.
std::optional<TGlyphCell> GlyphOf(uint8_t ch);

// The cell's rectangle in the glyph bitmap.
constexpr TSkinRect GlyphCellRect(TGlyphCell cell) {
  return {cell.Column * kGlyphWidth, cell.Row * kGlyphHeight, (cell.Column + 1) * kGlyphWidth,
          (cell.Row + 1) * kGlyphHeight};
}

// Names of the built-in resources.
inline constexpr char kPleditBitmapResource[] = "PLEDITBMP";
inline constexpr char kTextBitmapResource[] = "TEXTBMP";

// The built-in cursors under the numbers of the window's cursor table.
struct TCursorResource {
  int Number;
  const char* Name;
};
inline constexpr std::array<TCursorResource, 6> kBuiltInCursors = {{
    {1, "NORMALCUR"},
    {2, "TITLECUR"},
    {3, "CLOSECUR"},
    {4, "RESIZECUR"},
    {5, "VSCRLCUR"},
    {6, "POSBARCUR"},
}};

}  // namespace varimo
