#pragma once
// What each visible row of the track list shows: its selection bar, its colour, and the
// texts of the number column, the line and the time column with their places.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/track_item.h"
#include "settings/title_format.h"
#include "window/layout.h"
#include "window/paint_inputs.h"

namespace varimo {

struct TRowText {
  int X = 0;
  std::string Text;
};

struct TRowPaint {
  int Top = 0;
  std::optional<TSkinRect> SelectionBar;
  uint32_t TextColor = 0;
  std::vector<TRowText> Texts;  // in drawing order: number, full stop, line, time
};

// Excluded tracks vanish into the background, unless the selection bar lies behind them;
// the current track stands out.
uint32_t RowTextColor(const TTrackItem& track, bool current, const TSkinColors& colors);

// The visible rows of the list. measure gives text widths in the list font, for shortening
// lines that reach into the time column.
std::vector<TRowPaint> PrepareRows(const TPaintWindow& window, const TSkinColors& colors,
                                   const TTrackList& tracks, int currentIndex,
                                   const TListForm& form, int fontHeight,
                                   const TTextMeasure& measure);

}  // namespace varimo
