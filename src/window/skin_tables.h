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
constexpr int BuiltInSkinWidth = 280;
constexpr int BuiltInSkinHeight = 111;

enum class TSkinPiece {
  TopLeftCorner,
  Title,
  TopFiller,
  TopRightCorner,  // carries the small-window and close buttons
  LeftSide,
  RightSide,  // with the scroll groove
  BottomLeft,
  BottomFiller,
  BottomRight,  // mini buttons, time display, position bar, scroll arrows, resize grip
  ScrollThumb,
  TimeBackground,  // lies inside BottomRight
  SmallLeft,
  SmallFiller,
  SmallRight,     // the small window's buttons
  PositionThumb,  // own layout only ("Varimo.bmp" and the built-in bitmap)
};

// Rect is the active (or unpressed) variant, Alternate the inactive (or pressed) one; the
// two are equal for pieces that look the same either way.
struct TSkinPieceRects {
  TSkinPiece Piece;
  TSkinRect Rect;
  TSkinRect Alternate;
};

// In the order of TSkinPiece.
inline constexpr std::array<TSkinPieceRects, 15> SkinPieces = {{
    {TSkinPiece::TopLeftCorner, {0, 0, 25, 20}, {0, 21, 25, 41}},
    {TSkinPiece::Title, {26, 0, 126, 20}, {26, 21, 126, 41}},
    {TSkinPiece::TopFiller, {127, 0, 152, 20}, {127, 21, 152, 41}},
    {TSkinPiece::TopRightCorner, {153, 0, 178, 20}, {153, 21, 178, 41}},
    {TSkinPiece::LeftSide, {0, 42, 25, 71}, {0, 42, 25, 71}},
    {TSkinPiece::RightSide, {26, 42, 51, 71}, {26, 42, 51, 71}},
    {TSkinPiece::BottomLeft, {0, 72, 125, 110}, {0, 72, 125, 110}},
    {TSkinPiece::BottomFiller, {179, 0, 204, 38}, {179, 0, 204, 38}},
    {TSkinPiece::BottomRight, {126, 72, 276, 110}, {126, 72, 276, 110}},
    {TSkinPiece::ScrollThumb, {52, 53, 60, 71}, {61, 53, 69, 71}},
    {TSkinPiece::TimeBackground, {194, 95, 222, 101}, {194, 95, 222, 101}},
    {TSkinPiece::SmallLeft, {72, 42, 97, 56}, {72, 42, 97, 56}},
    {TSkinPiece::SmallFiller, {72, 57, 97, 71}, {72, 57, 97, 71}},
    {TSkinPiece::SmallRight, {99, 42, 149, 56}, {99, 57, 149, 71}},
    {TSkinPiece::PositionThumb, {150, 57, 158, 71}, {159, 57, 167, 71}},
}};

// Where to copy a piece from; alternate picks the inactive title-bar variant or the pressed
// thumb.
constexpr TSkinRect SkinPieceRect(TSkinPiece piece, bool alternate = false) {
  const TSkinPieceRects& entry = SkinPieces[static_cast<size_t>(piece)];
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
constexpr int GlyphWidth = 5;
constexpr int GlyphHeight = 6;
constexpr int GlyphColumns = 31;
constexpr int GlyphRows = 3;
constexpr int GlyphBitmapWidth = GlyphColumns * GlyphWidth;
constexpr int GlyphBitmapHeight = GlyphRows * GlyphHeight;

struct TGlyphCell {
  int Row = 0;
  int Column = 0;
};

constexpr bool operator==(const TGlyphCell& a, const TGlyphCell& b) {
  return a.Row == b.Row && a.Column == b.Column;
}

constexpr TGlyphCell GlyphEllipsis{1, 10};
constexpr TGlyphCell GlyphColon{1, 12};
constexpr TGlyphCell GlyphMinus{1, 15};
constexpr TGlyphCell GlyphQuestion{2, 3};
// Clears a glyph position; no character maps to it.
constexpr TGlyphCell GlyphBlank{2, 20};

constexpr TGlyphCell GlyphDigit(int digit) {
  return {1, digit};
}
constexpr TGlyphCell GlyphLetter(int indexFromA) {
  return {0, indexFromA};
}

// Punctuation in code order: space to ")", "+" to "/", "[" to "_".
inline constexpr std::array<TGlyphCell, 10> GlyphsSpaceToParen = {
    {{0, 30}, {1, 17}, {0, 26}, {1, 30}, {1, 29}, {1, 26}, {1, 25}, {1, 16}, {1, 13}, {1, 14}}};
inline constexpr std::array<TGlyphCell, 5> GlyphsPlusToSlash = {
    {{1, 19}, {1, 27}, {1, 15}, {1, 11}, {1, 21}}};
inline constexpr std::array<TGlyphCell, 5> GlyphsBracketToUnderscore = {
    {{1, 22}, {1, 20}, {1, 23}, {1, 24}, {1, 18}}};

// The glyph of a single-byte character; letters of either case share one. None for
// characters that are drawn with the font.
std::optional<TGlyphCell> GlyphOf(uint8_t ch);

// The cell's rectangle in the glyph bitmap.
constexpr TSkinRect GlyphCellRect(TGlyphCell cell) {
  return {cell.Column * GlyphWidth, cell.Row * GlyphHeight, (cell.Column + 1) * GlyphWidth,
          (cell.Row + 1) * GlyphHeight};
}

// Names of the built-in resources.
inline constexpr char PleditBitmapResource[] = "PLEDITBMP";
inline constexpr char TextBitmapResource[] = "TEXTBMP";

// The built-in cursors under the numbers of the window's cursor table.
struct TCursorResource {
  int Number;
  const char* Name;
};
inline constexpr std::array<TCursorResource, 6> BuiltInCursors = {{
    {1, "NORMALCUR"},
    {2, "TITLECUR"},
    {3, "CLOSECUR"},
    {4, "RESIZECUR"},
    {5, "VSCRLCUR"},
    {6, "POSBARCUR"},
}};

}  // namespace varimo
