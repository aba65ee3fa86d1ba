#include "window/regions.h"

#include "common/vocabulary.h"

namespace varimo {
namespace {

bool InRange(const THitRange& range, int32_t size, int32_t value) {
  return value >= ResolveEdge(range.Low, size) && value <= ResolveEdge(range.High, size);
}

template <size_t N>
const TRegionRow* FirstHolding(const std::array<TRegionRow, N>& rows, int32_t width, int32_t height,
                               int32_t x, int32_t y) {
  for (const TRegionRow& row : rows) {
    if (InRegion(row.Press, width, height, x, y)) return &row;
  }
  return nullptr;
}

}  // namespace

bool InRegion(const THitRegion& region, int32_t width, int32_t height, int32_t x, int32_t y) {
  return InRange(region.X, width, x) && InRange(region.Y, height, y);
}

const TRegionRow* RegionAt(int32_t state, int32_t width, int32_t height, int32_t x, int32_t y) {
  if (state == kStateNormal) return FirstHolding(geometry::kNormalRegions, width, height, x, y);
  if (state == kStateSmall) return FirstHolding(geometry::kSmallRegions, width, height, x, y);
  return nullptr;
}

CursorNumber HoverCursor(int32_t state, int32_t width, int32_t height, int32_t x, int32_t y) {
  const TRegionRow* row = RegionAt(state, width, height, x, y);
  return row != nullptr ? row->Hover : kCursorNormal;
}

}  // namespace varimo
