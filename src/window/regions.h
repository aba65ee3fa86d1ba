#pragma once
// The playlist window's parts as one table of rectangles anchored to the window's edges: what
// a press on each part does is decided in the order of the table, the hover cursor comes from
// the same rows, and each row names the painted area its part lies in. The fixed skin pieces
// are placed by the same kind of rectangle.

#include <array>
#include <climits>
#include <cstdint>

#include "window/skin_tables.h"

namespace varimo {

// Numbers of the window's cursor table.
enum CursorNumber : int32_t {
  kCursorNormal = 1,
  kCursorTitle = 2,
  kCursorClose = 3,
  kCursorResize = 4,
  kCursorVScroll = 5,
  kCursorPosBar = 6,
};

// A coordinate counted from the window's left or top edge, or back from its right or bottom
// edge when FromFar is set.
struct TEdgeOffset {
  bool FromFar = false;
  int32_t Offset = 0;
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

namespace regions {
constexpr TEdgeOffset Near(int32_t offset) {
  return {false, offset};
}
constexpr TEdgeOffset Far(int32_t offset) {
  return {true, offset};
}
constexpr TEdgeOffset kNoLow = {false, INT_MIN};
constexpr TEdgeOffset kNoHigh = {false, INT_MAX};

// Painted areas: the title bar left of its right corner, the right corner with its buttons,
// the right side tiles with the scroll groove, the list, the bottom-right piece, the small bar
// and its right end.
constexpr TEdgeRect kTitleArea = {Near(0), Near(0), Far(25), Near(20)};
constexpr TEdgeRect kTopRightCorner = {Far(25), Near(0), Far(0), Near(20)};
constexpr TEdgeRect kRightSides = {Far(25), Near(20), Far(0), Far(38)};
constexpr TEdgeRect kListArea = {Near(12), Near(20), Far(19), Far(38)};
constexpr TEdgeRect kBottomRight = {Far(150), Far(38), Far(0), Far(0)};
constexpr TEdgeRect kSmallBarArea = {Near(0), Near(0), Far(0), Near(14)};
constexpr TEdgeRect kSmallRight = {Far(50), Near(0), Far(0), Near(14)};
}  // namespace regions

// The normal window's parts in the order a press is tested; the first that holds it wins.
// clang-format off
inline constexpr std::array<TRegionRow, 16> kNormalRegions = {{
    {TRegion::kTitleBar,    {{regions::kNoLow, regions::Far(26)},    {regions::kNoLow, regions::Near(19)}}, kCursorTitle,   regions::kTitleArea},
    {TRegion::kResizeGrip,  {{regions::Far(19), regions::kNoHigh},   {regions::Far(19), regions::kNoHigh}}, kCursorResize,  regions::kBottomRight},
    {TRegion::kScrollUp,    {{regions::Far(15), regions::Far(8)},    {regions::Far(36), regions::Far(33)}}, kCursorNormal,  regions::kBottomRight},
    {TRegion::kScrollDown,  {{regions::Far(15), regions::Far(8)},    {regions::Far(30), regions::Far(27)}}, kCursorNormal,  regions::kBottomRight},
    {TRegion::kScrollBar,   {{regions::Far(15), regions::Far(7)},    {regions::Near(22), regions::Far(39)}}, kCursorVScroll, regions::kRightSides},
    {TRegion::kPositionBar, {{regions::Far(144), regions::Far(53)},  {regions::Far(30), regions::Far(20)}}, kCursorPosBar,  regions::kBottomRight},
    {TRegion::kList,        {{regions::Near(15), regions::Far(20)},  {regions::Near(22), regions::Far(39)}}, kCursorNormal,  regions::kListArea},
    {TRegion::kSmallButton, {{regions::Far(20), regions::Far(12)},   {regions::Near(3), regions::Near(11)}}, kCursorNormal,  regions::kTopRightCorner},
    {TRegion::kCloseButton, {{regions::Far(10), regions::Far(2)},    {regions::Near(3), regions::Near(11)}}, kCursorClose,   regions::kTopRightCorner},
    {TRegion::kPrevious,    {{regions::Far(144), regions::Far(138)}, {regions::Far(15), regions::Far(9)}},  kCursorNormal,  regions::kBottomRight},
    {TRegion::kPlay,        {{regions::Far(136), regions::Far(128)}, {regions::Far(15), regions::Far(9)}},  kCursorNormal,  regions::kBottomRight},
    {TRegion::kPause,       {{regions::Far(126), regions::Far(118)}, {regions::Far(15), regions::Far(9)}},  kCursorNormal,  regions::kBottomRight},
    {TRegion::kStop,        {{regions::Far(116), regions::Far(109)}, {regions::Far(15), regions::Far(9)}},  kCursorNormal,  regions::kBottomRight},
    {TRegion::kNext,        {{regions::Far(107), regions::Far(101)}, {regions::Far(15), regions::Far(9)}},  kCursorNormal,  regions::kBottomRight},
    {TRegion::kEject,       {{regions::Far(98), regions::Far(91)},   {regions::Far(15), regions::Far(9)}},  kCursorNormal,  regions::kBottomRight},
    {TRegion::kTimeDisplay, {{regions::Far(87), regions::Far(53)},   {regions::Far(15), regions::Far(9)}},  kCursorNormal,  regions::kBottomRight},
}};

// The small window's parts, in the same way.
inline constexpr std::array<TRegionRow, 4> kSmallRegions = {{
    {TRegion::kSmallBar,         {{regions::kNoLow, regions::Far(31)},  {regions::kNoLow, regions::Near(19)}}, kCursorNormal, regions::kSmallBarArea},
    {TRegion::kSmallWidthGrip,   {{regions::Far(30), regions::Far(22)}, {regions::Near(3), regions::Near(11)}}, kCursorPosBar, regions::kSmallRight},
    {TRegion::kNormalButton,     {{regions::Far(20), regions::Far(12)}, {regions::Near(3), regions::Near(11)}}, kCursorNormal, regions::kSmallRight},
    {TRegion::kSmallCloseButton, {{regions::Far(10), regions::Far(2)},  {regions::Near(3), regions::Near(11)}}, kCursorClose,  regions::kSmallRight},
}};
// clang-format on

// Where the fixed pieces of the frame are copied to; the fillers and side tiles repeat
// between them.
struct TPiecePlacement {
  TSkinPiece Piece;
  TEdgeRect To;
};
inline constexpr std::array<TPiecePlacement, 6> kPiecePlacements = {{
    {TSkinPiece::TopLeftCorner,
     {regions::Near(0), regions::Near(0), regions::Near(25), regions::Near(20)}},
    {TSkinPiece::TopRightCorner, regions::kTopRightCorner},
    {TSkinPiece::BottomLeft,
     {regions::Near(0), regions::Far(38), regions::Near(125), regions::Far(0)}},
    {TSkinPiece::BottomRight, regions::kBottomRight},
    {TSkinPiece::SmallLeft,
     {regions::Near(0), regions::Near(0), regions::Near(25), regions::Near(14)}},
    {TSkinPiece::SmallRight, regions::kSmallRight},
}};

// The coordinate an edge offset stands for in a window size pixels wide or high.
constexpr int64_t ResolveEdge(const TEdgeOffset& edge, int32_t size) {
  return edge.FromFar ? int64_t{size} - edge.Offset : int64_t{edge.Offset};
}

TSkinRect ResolveRect(const TEdgeRect& rect, int32_t width, int32_t height);
// Where a fixed piece goes in a window of this size.
TSkinRect PiecePlacement(TSkinPiece piece, int32_t width, int32_t height);

// Whether (x, y) lies in the region of a window width x height pixels.
bool InRegion(const THitRegion& region, int32_t width, int32_t height, int32_t x, int32_t y);

// The part under (x, y) in the normal (state 1) or small (state 2) window; none elsewhere.
const TRegionRow* RegionAt(int32_t state, int32_t width, int32_t height, int32_t x, int32_t y);

// The cursor over (x, y) while no button is held.
CursorNumber HoverCursor(int32_t state, int32_t width, int32_t height, int32_t x, int32_t y);

}  // namespace varimo
