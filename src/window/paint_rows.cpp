#include "window/paint_rows.h"

namespace varimo {
namespace {

TRowPaint PrepareRow(const TPaintWindow& window, const TSkinColors& colors, const TTrackItem& track,
                     int index, int currentIndex, const TListForm& form, int numberDigits,
                     int fontHeight, const TTextMeasure& measure) {
  const TFontMetrics& metrics = window.Metrics;
  TRowPaint row;
  row.Top = RowTop(index, window.TopIndex, fontHeight);
  if (index == window.SelectedIndex) {
    row.SelectionBar =
        TSkinRect{EdgeAt(geometry::kListArea.Left, window.Width), row.Top,
                  EdgeAt(geometry::kSelectionRight, window.Width), row.Top + fontHeight};
  }
  row.TextColor = RowTextColor(track, index == currentIndex, colors);
  const int textLeft = EdgeAt(geometry::kListTextLeft, window.Width);
  if (numberDigits > 0) {
    // One character per digit cell, so the numbers line up whatever the font's digits are.
    const std::string number = RowNumberText(index + 1, numberDigits);
    for (size_t j = 0; j < number.size(); ++j) {
      if (number[j] == ' ') continue;
      row.Texts.push_back(
          {textLeft + static_cast<int>(j) * metrics.DigitWidth, std::string(1, number[j])});
    }
    row.Texts.push_back({textLeft + numberDigits * metrics.DigitWidth, "."});
  }
  const int limit = LineWidthLimit(window.TimeColumnX, numberDigits, metrics);
  row.Texts.push_back(
      {LineLeft(numberDigits, metrics),
       ShortenLine(FormatTrackLine(form, "", track), limit, metrics.DigitWidth, measure)});
  for (const TTimeChar& c : ListTimeChars(track.Time, window.TimeColumnX, metrics)) {
    row.Texts.push_back({c.X, std::string(1, c.Character)});
  }
  return row;
}

}  // namespace

uint32_t RowTextColor(const TTrackItem& track, bool current, const TSkinColors& colors) {
  if (IsExcluded(track)) return colors.ColorNormalBG;
  return current ? colors.ColorCurrent : colors.ColorNormal;
}

std::vector<TRowPaint> PrepareRows(const TPaintWindow& window, const TSkinColors& colors,
                                   const TTrackList& tracks, int currentIndex,
                                   const TListForm& form, int fontHeight,
                                   const TTextMeasure& measure) {
  const int numberDigits = NumberDigits(ShowsTrackNumbers(form), tracks.size());
  const TRowRange range = VisibleRowRange(window.TopIndex, window.VisibleRows, tracks.size());
  std::vector<TRowPaint> rows;
  rows.reserve(static_cast<size_t>(range.End - range.First));
  for (int i = range.First; i < range.End; ++i) {
    rows.push_back(PrepareRow(window, colors, tracks[static_cast<size_t>(i)], i, currentIndex, form,
                              numberDigits, fontHeight, measure));
  }
  return rows;
}

}  // namespace varimo
