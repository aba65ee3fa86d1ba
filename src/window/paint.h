#pragma once
// Painting the playlist window on a canvas: the full repaint of the normal and the small
// window, and the partial drawings of the time and the position thumb between repaints.

#include <optional>

#include "engine/album.h"
#include "platform/ports.h"
#include "settings/settings.h"
#include "settings/title_format.h"
#include "window/canvas.h"
#include "window/layout.h"
#include "window/paint_inputs.h"

namespace varimo {

// Draws the whole window, back to front. In the normal window it returns the scroll thumb it
// placed, which the scroll bar's hit-testing goes by; the small window places none.
std::optional<TScrollThumb> PaintWindow(ICanvas& canvas, const TPaintSkin& skin,
                                        const TPaintWindow& window, const TAlbumState& album,
                                        const TOptionSettings& options, const TListForm& form,
                                        const TPaintPlay& play);

// The bottom panel's time; nothing while no time is shown.
void DrawTimeDisplay(ICanvas& canvas, int width, int height, const TTimeDigits& digits,
                     bool remain);
// The bottom panel's time display as the skin shows it with no time.
void BlankTimeDisplay(ICanvas& canvas, int width, int height);
// The small window's running time; nothing while no time is shown.
void DrawSmallTime(ICanvas& canvas, int width, const TTimeDigits& digits, bool remain);
// The position-bar thumb at fraction of its travel: offset 0 draws it, a positive offset draws
// it pressed, a negative one restores the bar under it.
void DrawPositionThumb(ICanvas& canvas, int width, int height, bool ownLayout, int offset,
                       double fraction);

}  // namespace varimo
