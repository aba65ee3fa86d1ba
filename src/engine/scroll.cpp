#include "engine/scroll.h"

#include <algorithm>

namespace varimo {

void ScrollToCurrent(int32_t& topIndex, int32_t visibleRows, int32_t currentIndex,
                     int32_t trackCount) {
  const int64_t n = visibleRows;
  if (n <= 0 || n >= trackCount) return;
  const int64_t step = (n + 1) / 2;
  // An index outside the list ends where the nearest end of the list would, so it is
  // brought inside first; the half-page steps are then counted rather than walked.
  const int64_t current = std::clamp<int64_t>(currentIndex, 0, int64_t{trackCount} - 1);
  int64_t top = topIndex;
  if (current < top) top -= step * ((top - current + step - 1) / step);
  top = std::max<int64_t>(top, 0);
  if (top + n <= current) top += step * ((current - top - n) / step + 1);
  top = std::min<int64_t>(top, trackCount - n);
  topIndex = static_cast<int32_t>(top);
}

}  // namespace varimo
