#pragma once
// The paint inputs as the main window's state holds them, for the shell's view to hand over.

#include <optional>

#include "engine/varimo_context.h"
#include "platform/ports.h"
#include "window/layout.h"
#include "window/paint_inputs.h"

namespace varimo {

// The window's size comes from the window system, the list's time column and font widths
// from the last resize and font measurement.
TPaintWindow PaintWindowOf(const TWindowState& window, const TWindowBounds& bounds, int timeColumnX,
                           const TFontMetrics& metrics);
TPaintPlay PaintPlayOf(const TVarimo& varimo);

// The full repaint of the main window from its state; the scroll thumb as PaintWindow gives it.
std::optional<TScrollThumb> PaintMainWindow(ICanvas& canvas, const TVarimo& varimo,
                                            const TPaintSkin& skin, const TWindowBounds& bounds,
                                            int timeColumnX, const TFontMetrics& metrics);

}  // namespace varimo
