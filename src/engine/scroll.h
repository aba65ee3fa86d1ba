#pragma once
// Keeping the current track in view by half pages.

#include <cstdint>

namespace varimo {

// Moves topIndex by half pages of visibleRows until currentIndex is visible, keeping the
// last page full. Nothing moves when every track fits or no row does.
void ScrollToCurrent(int32_t& topIndex, int32_t visibleRows, int32_t currentIndex,
                     int32_t trackCount);

}  // namespace varimo
