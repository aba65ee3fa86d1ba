#pragma once
// The playlist window's geometry in one table: every place of the normal and the small window,
// anchored to the window's edges. The frame's pieces and tiles, the list's insets, the thumbs
// and their travel, the time digits, the small window's line, and each part a press can land
// on with the painted piece it lies in. Layout, painting, hit tests, hover cursors, dragging
// and resizing read their places here; the window's sizes come from common/vocabulary.h and
// the title bar's height from common/subsystem_state.h, which the lower folders share.

#include <array>
#include <climits>
#include <cstdint>

#include "common/subsystem_state.h"
#include "common/vocabulary.h"
#include "window/skin_tables.h"

namespace varimo {

// A coordinate counted from the window's left or top edge, or back from its right or bottom
// edge when FromFar is set.
struct TEdgeOffset {
  bool FromFar = false;
  int32_t Offset = 0;
};

struct TEdgePoint {
  TEdgeOffset X;
  TEdgeOffset Y;
};

// A range of window coordinates, both ends included.
struct THitRange {
  TEdgeOffset Low;
  TEdgeOffset High;
};

struct THitRegion {
  THitRange X;
  THitRange Y;
};

// A rectangle of the window, right and bottom exclusive.
struct TEdgeRect {
  TEdgeOffset Left;
  TEdgeOffset Top;
  TEdgeOffset Right;
  TEdgeOffset Bottom;
};

// Numbers of the window's cursor table.
enum CursorNumber : int32_t {
  kCursorNormal = 1,
  kCursorTitle = 2,
  kCursorClose = 3,
  kCursorResize = 4,
  kCursorVScroll = 5,
  kCursorPosBar = 6,
};

// The parts a press can land on.
enum class TRegion {
  kTitleBar,
  kResizeGrip,
  kScrollUp,
  kScrollDown,
  kScrollBar,
  kPositionBar,
  kList,
  kSmallButton,
  kCloseButton,
  kPrevious,
  kPlay,
  kPause,
  kStop,
  kNext,
  kEject,
  kTimeDisplay,
  kSmallBar,
  kSmallWidthGrip,
  kNormalButton,
  kSmallCloseButton,
};

struct TRegionRow {
  TRegion Region;
  THitRegion Press;
  // The cursor while the pointer rests on the part; NORMALCUR for parts without one.
  CursorNumber Hover;
  // The painted area the part belongs to.
  TEdgeRect Painted;
};

// Where the fixed pieces of the frame are copied to; the fillers and side tiles repeat
// between them.
struct TPiecePlacement {
  TSkinPiece Piece;
  TEdgeRect To;
};

namespace geometry {
constexpr TEdgeOffset Near(int32_t offset) {
  return {false, offset};
}
constexpr TEdgeOffset Far(int32_t offset) {
  return {true, offset};
}
// The last coordinate before an exclusive edge, for a range that ends there.
constexpr TEdgeOffset Before(TEdgeOffset edge) {
  return {edge.FromFar, edge.FromFar ? edge.Offset + 1 : edge.Offset - 1};
}
constexpr TEdgeOffset kNoLow = {false, INT_MIN};
constexpr TEdgeOffset kNoHigh = {false, INT_MAX};

// The frame's tiles: fillers and sides repeat at these sizes, and a resize drag grows or
// shrinks the window a tile at a time; below these sizes it shrinks no more by dragging.
constexpr int32_t kTileWidth = 25;
constexpr int32_t kSideTileHeight = 29;
constexpr int32_t kShrinkWidthAbove = 283;
constexpr int32_t kShrinkHeightAbove = 143;

// The normal window's frame: the title bar, the right column of side tiles with the scroll
// groove, the bottom panel.
constexpr TEdgeOffset kTitleBottom = Near(kTitleBarHeight);
constexpr TEdgeOffset kRightTilesLeft = Far(kTileWidth);
constexpr TEdgeOffset kPanelTop = Far(38);

// Painted areas: the title bar left of its right corner, the right corner with its buttons,
// the right side tiles with the scroll groove, the list, the bottom-right piece, the small bar
// and its right end with the buttons.
constexpr TEdgeRect kTitleArea = {Near(0), Near(0), kRightTilesLeft, kTitleBottom};
constexpr TEdgeRect kTopRightCorner = {kRightTilesLeft, Near(0), Far(0), kTitleBottom};
constexpr TEdgeRect kRightSides = {kRightTilesLeft, kTitleBottom, Far(0), kPanelTop};
constexpr TEdgeRect kListArea = {Near(12), kTitleBottom, Far(19), kPanelTop};
constexpr TEdgeRect kBottomRight = {Far(150), kPanelTop, Far(0), Far(0)};
constexpr TEdgeRect kSmallBarArea = {Near(0), Near(0), Far(0), Near(kSmallHeight)};
constexpr TEdgeRect kSmallRight = {Far(50), Near(0), Far(0), Near(kSmallHeight)};

// The list: the first row's top, the left edge of its texts, the selection bar's right edge
// (it starts where the list does) and the time column's right edge, before the scroll bar.
constexpr TEdgeOffset kRowsTop = Near(22);
constexpr TEdgeOffset kListTextLeft = Near(15);
constexpr TEdgeOffset kSelectionRight = Far(20);
constexpr TEdgeOffset kTimeColumnRight = Far(21);

// The scroll thumb's column, and the tops it travels between: from the title bar down to
// resting on the bottom panel. The thumb is as large as its skin piece.
constexpr TEdgeOffset kScrollThumbLeft = Far(15);
constexpr THitRange kScrollThumbTops = {
    kTitleBottom, Far(kPanelTop.Offset + SkinPieceRect(TSkinPiece::kScrollThumb).Height())};

// The position thumb at the start of the bar, how far it travels to the right, and where a
// drag of it counts from (the pointer three pixels into the thumb). As large as its piece.
constexpr TEdgePoint kPositionThumbStart = {Far(145), Far(32)};
constexpr int32_t kPositionThumbTravel = 85;
constexpr TEdgeOffset kPositionDragStart = Far(142);

// The bottom panel's time: the minus sign, then the four digits around the skin's colon, on
// one row of glyphs; the display the skin shows with no time spans them.
constexpr TEdgeOffset kTimeTop = Far(15);
constexpr TEdgeOffset kTimeMinusX = Far(82);
constexpr std::array<TEdgeOffset, 4> kTimeDigitX = {{Far(77), Far(72), Far(64), Far(59)}};
constexpr TEdgeRect kTimeDisplay = {kTimeMinusX, kTimeTop, Far(54),
                                    Far(kTimeTop.Offset - kGlyphHeight)};

// The small window's glyph row: its time (tens of minutes, minutes, colon, tens of seconds,
// seconds, with the minus sign in front) and its line, which starts at the left, gives way to
// the ellipsis past a point and is filled with blank cells up to the buttons. A font
// character sits a little higher than a glyph, a double-byte one higher still.
constexpr TEdgeOffset kSmallGlyphTop = Near(4);
constexpr TEdgeOffset kSmallMinusX = Far(59);
constexpr std::array<TEdgeOffset, 5> kSmallTimeX = {{Far(54), Far(49), Far(44), Far(39), Far(34)}};
constexpr TEdgeOffset kSmallLineLeft = Near(5);
constexpr TEdgeOffset kSmallEllipsisFrom = Far(70);
constexpr TEdgeOffset kSmallTextTop = Near(3);
constexpr TEdgeOffset kSmallWideTextTop = Near(2);

// Press ranges several parts share: the buttons at the top right of either window, the row
// of the bottom panel's buttons and time, the list's lines.
constexpr THitRange kTopButtonsY = {Near(3), Near(11)};
constexpr THitRange kSwitchButtonX = {Far(20), Far(12)};
constexpr THitRange kCloseButtonX = {Far(10), Far(2)};
constexpr THitRange kPanelButtonsY = {Far(15), Far(9)};
constexpr THitRange kListLinesY = {kRowsTop, Before(kPanelTop)};
constexpr THitRange kScrollArrowsX = {kScrollThumbLeft, Far(8)};

// The normal window's parts in the order a press is tested; the first that holds it wins.
// clang-format off
inline constexpr std::array<TRegionRow, 16> kNormalRegions = {{
    {TRegion::kTitleBar,    {{kNoLow, Before(kRightTilesLeft)},   {kNoLow, Before(kTitleBottom)}}, kCursorTitle, kTitleArea},
    {TRegion::kResizeGrip,  {{Far(19), kNoHigh},                  {Far(19), kNoHigh}},   kCursorResize,  kBottomRight},
    {TRegion::kScrollUp,    {kScrollArrowsX,                      {Far(36), Far(33)}},   kCursorNormal,  kBottomRight},
    {TRegion::kScrollDown,  {kScrollArrowsX,                      {Far(30), Far(27)}},   kCursorNormal,  kBottomRight},
    {TRegion::kScrollBar,   {{kScrollThumbLeft, Far(7)},          kListLinesY},          kCursorVScroll, kRightSides},
    {TRegion::kPositionBar, {{Far(144), Far(53)},                 {Far(30), Far(20)}},   kCursorPosBar,  kBottomRight},
    {TRegion::kList,        {{kListTextLeft, Far(20)},            kListLinesY},          kCursorNormal,  kListArea},
    {TRegion::kSmallButton, {kSwitchButtonX,                      kTopButtonsY},         kCursorNormal,  kTopRightCorner},
    {TRegion::kCloseButton, {kCloseButtonX,                       kTopButtonsY},         kCursorClose,   kTopRightCorner},
    {TRegion::kPrevious,    {{Far(144), Far(138)},                kPanelButtonsY},       kCursorNormal,  kBottomRight},
    {TRegion::kPlay,        {{Far(136), Far(128)},                kPanelButtonsY},       kCursorNormal,  kBottomRight},
    {TRegion::kPause,       {{Far(126), Far(118)},                kPanelButtonsY},       kCursorNormal,  kBottomRight},
    {TRegion::kStop,        {{Far(116), Far(109)},                kPanelButtonsY},       kCursorNormal,  kBottomRight},
    {TRegion::kNext,        {{Far(107), Far(101)},                kPanelButtonsY},       kCursorNormal,  kBottomRight},
    {TRegion::kEject,       {{Far(98), Far(91)},                  kPanelButtonsY},       kCursorNormal,  kBottomRight},
    {TRegion::kTimeDisplay, {{Far(87), Far(53)},                  kPanelButtonsY},       kCursorNormal,  kBottomRight},
}};

// The small window's parts, in the same way.
inline constexpr std::array<TRegionRow, 4> kSmallRegions = {{
    {TRegion::kSmallBar,         {{kNoLow, Far(31)},     {kNoLow, Near(19)}}, kCursorNormal, kSmallBarArea},
    {TRegion::kSmallWidthGrip,   {{Far(30), Far(22)},    kTopButtonsY},       kCursorPosBar, kSmallRight},
    {TRegion::kNormalButton,     {kSwitchButtonX,        kTopButtonsY},       kCursorNormal, kSmallRight},
    {TRegion::kSmallCloseButton, {kCloseButtonX,         kTopButtonsY},       kCursorClose,  kSmallRight},
}};
// clang-format on

// Where the fixed pieces of the frame are copied to; the fillers and side tiles repeat
// between them.
inline constexpr std::array<TPiecePlacement, 6> kPiecePlacements = {{
    {TSkinPiece::kTopLeftCorner, {Near(0), Near(0), Near(kTileWidth), kTitleBottom}},
    {TSkinPiece::kTopRightCorner, kTopRightCorner},
    {TSkinPiece::kBottomLeft, {Near(0), kPanelTop, Near(125), Far(0)}},
    {TSkinPiece::kBottomRight, kBottomRight},
    {TSkinPiece::kSmallLeft, {Near(0), Near(0), Near(kTileWidth), Near(kSmallHeight)}},
    {TSkinPiece::kSmallRight, kSmallRight},
}};

// Code that counts these from the top or left edge without the window's size at hand.
static_assert(!kRowsTop.FromFar && !kListTextLeft.FromFar && !kScrollThumbTops.Low.FromFar,
              "counted from the near edge");
}  // namespace geometry

// The coordinate an edge offset stands for in a window size pixels wide or high.
constexpr int64_t ResolveEdge(const TEdgeOffset& edge, int32_t size) {
  return edge.FromFar ? int64_t{size} - edge.Offset : int64_t{edge.Offset};
}
// The same as a drawing coordinate, for offsets that stand for a place in the window.
constexpr int EdgeAt(const TEdgeOffset& edge, int32_t size) {
  return static_cast<int>(ResolveEdge(edge, size));
}

TSkinRect ResolveRect(const TEdgeRect& rect, int32_t width, int32_t height);
// Where a fixed piece goes in a window of this size.
TSkinRect PiecePlacement(TSkinPiece piece, int32_t width, int32_t height);
// The position thumb's rectangle offset pixels along the bar.
TSkinRect PositionThumbAt(int32_t width, int32_t height, int32_t offset);

}  // namespace varimo
