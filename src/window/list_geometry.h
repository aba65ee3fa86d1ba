#pragma once
// The list geometry kept in the window's state: recomputed from the window's size and the
// list font's widths whenever the window is resized or the font measured.

#include <cstdint>

#include "engine/varimo_context.h"
#include "platform/ports.h"
#include "window/layout.h"

namespace varimo {

// Takes the list font's widths and, in the normal window, the time column and the rows that
// fit; the small window keeps the normal window's values. rowHeight is the font size.
void FormResize(TWindowState& window, const TWindowBounds& bounds, int32_t rowHeight,
                const TFontMetrics& metrics);

// The list font's widths as the last resize kept them.
TFontMetrics FontMetricsOf(const TWindowState& window);

}  // namespace varimo
