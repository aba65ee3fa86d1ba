#include "window/paint_from_state.h"

#include "window/paint.h"

namespace varimo {

TPaintWindow PaintWindowOf(const TWindowState& window, const TWindowBounds& bounds, int timeColumnX,
                           const TFontMetrics& metrics) {
  TPaintWindow paint;
  paint.Width = bounds.Width;
  paint.Height = bounds.Height;
  paint.State = window.State;
  paint.Active = window.Active;
  paint.TopIndex = window.TopIndex;
  paint.VisibleRows = window.VisibleRows;
  paint.SelectedIndex = window.SelectedIndex;
  paint.TimeColumnX = timeColumnX;
  paint.Metrics = metrics;
  paint.ScrollThumbPressed = window.DragMode == kDragScrollThumb;
  paint.PositionBarPressed = window.DragMode == kDragPosition;
  return paint;
}

TPaintPlay PaintPlayOf(const TVarimo& varimo) {
  TPaintPlay paint;
  paint.HostState = varimo.Play.HostState;
  paint.TimeDigits = varimo.Play.TimeDigits;
  // The window's, not the settings': a click on the time display flips it.
  paint.Remain = varimo.Window.Remain;
  paint.PositionFraction = varimo.Play.PositionFraction;
  return paint;
}

std::optional<TScrollThumb> PaintMainWindow(ICanvas& canvas, const TVarimo& varimo,
                                            const TPaintSkin& skin, const TWindowBounds& bounds,
                                            int timeColumnX, const TFontMetrics& metrics) {
  return PaintWindow(canvas, skin, PaintWindowOf(varimo.Window, bounds, timeColumnX, metrics),
                     varimo.Album, varimo.Settings.Option, varimo.Settings.ListForm,
                     PaintPlayOf(varimo));
}

}  // namespace varimo
