#include "window/list_geometry.h"

namespace varimo {

void FormResize(TWindowState& window, const TWindowBounds& bounds, int32_t rowHeight,
                const TFontMetrics& metrics) {
  window.DigitWidth = metrics.DigitWidth;
  window.ColonWidth = metrics.ColonWidth;
  const TListGeometry geometry = FormResize({window.TimeColumnX, window.VisibleRows}, window.State,
                                            bounds.Width, bounds.Height, rowHeight, metrics);
  window.TimeColumnX = geometry.TimeColumnX;
  window.VisibleRows = geometry.VisibleRows;
}

TFontMetrics FontMetricsOf(const TWindowState& window) {
  return {window.DigitWidth, window.ColonWidth};
}

}  // namespace varimo
