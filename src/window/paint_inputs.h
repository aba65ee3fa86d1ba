#pragma once
// What a repaint of the playlist window reads, gathered by the caller from the window's state.
// Painting reaches for nothing else, so the shell and the tests hand it the same values.

#include <cstdint>

#include "common/vocabulary.h"
#include "platform/ports.h"
#include "window/layout.h"
#include "window/skin.h"

namespace varimo {

struct TPaintSkin {
  bool OwnLayout = true;
  TSkinColors Colors;
};

// The window's size, mode and list position.
struct TPaintWindow {
  int Width = kDesignWidth;
  int Height = kNormalMinHeight;
  int State = 1;  // 1 normal, 2 small; nothing is painted while it is negative
  bool Active = true;
  int TopIndex = 0;
  int VisibleRows = 0;
  int SelectedIndex = -1;
  int TimeColumnX = 0;
  TFontMetrics Metrics;
  bool ScrollThumbPressed = false;  // the scroll thumb is being dragged
  bool PositionBarPressed = false;  // the position thumb is being dragged
};

// The playback as the monitor last saw it.
struct TPaintPlay {
  int32_t HostState = 0;
  TTimeDigits TimeDigits = {0, 0, 0, -1};
  bool Remain = false;
  double PositionFraction = 0;
};

}  // namespace varimo
