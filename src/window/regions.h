#pragma once
// What lies under a point of the playlist window: the part a press lands on, decided in the
// order of the geometry table's press regions, and the hover cursor from the same rows.

#include <cstdint>

#include "window/geometry.h"

namespace varimo {

// Whether (x, y) lies in the region of a window width x height pixels.
bool InRegion(const THitRegion& region, int32_t width, int32_t height, int32_t x, int32_t y);

// The part under (x, y) in the normal (state 1) or small (state 2) window; none elsewhere.
const TRegionRow* RegionAt(int32_t state, int32_t width, int32_t height, int32_t x, int32_t y);

// The cursor over (x, y) while no button is held.
CursorNumber HoverCursor(int32_t state, int32_t width, int32_t height, int32_t x, int32_t y);

}  // namespace varimo
