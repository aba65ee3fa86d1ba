// A full repaint of a 1,000-track album: the cost of preparing and issuing the drawing calls,
// on a canvas that records them and on one that drops them.
#include <benchmark/benchmark.h>

#include <string>

#include "fakes/recording_canvas.h"
#include "window/paint.h"

namespace varimo {
namespace {

// Drops every call; measures text as the recording canvas does.
class NullCanvas : public ICanvas {
 public:
  void CopyRect(TCanvasBitmap, const TSkinRect&, const TSkinRect&) override {}
  void FillRect(const TSkinRect&, uint32_t) override {}
  void SetFont(const TFontSpec&) override {}
  void SetTextColor(uint32_t) override {}
  void DrawString(int, int, std::string_view) override {}
  int TextWidth(std::string_view text) override { return static_cast<int>(text.size()) * 6; }
  void SetClip(const TSkinRect&) override {}
  void ClearClip() override {}
};

constexpr int kTracks = 1000;
constexpr int kFontHeight = 10;

TAlbumState ThousandTracks() {
  TAlbumState album;
  album.AlbumKind = kAlbumZip;
  for (int i = 0; i < kTracks; ++i) {
    TTrackItem track;
    track.Artist = "Artist " + std::to_string(i % 7);
    // Long enough that every row is shortened with the ellipsis.
    track.Title = "A title that runs on well past the time column, number " + std::to_string(i);
    track.Time = "0345";
    album.Tracks.push_back(track);
  }
  album.CurrentIndex = 500;
  return album;
}

// rows: 5 for the window at its smallest, 1,000 for one tall enough to show every track.
TPaintWindow Window(int rows) {
  TPaintWindow window;
  window.Height = kListVerticalFrame + rows * kFontHeight;
  window.VisibleRows = rows;
  window.TopIndex = rows == kTracks ? 0 : 498;
  window.SelectedIndex = 499;
  window.Metrics = {6, 3};
  window.TimeColumnX = TimeColumnX(window.Width, window.Metrics);
  return window;
}

TPaintPlay Playing() {
  TPaintPlay play;
  play.HostState = kHostPlaying;
  play.TimeDigits = {0, 1, 2, 3};
  play.PositionFraction = 0.25;
  return play;
}

template <typename Canvas>
void BM_Repaint(benchmark::State& state) {
  const TAlbumState album = ThousandTracks();
  const TPaintWindow window = Window(static_cast<int>(state.range(0)));
  const TOptionSettings options;
  const TListForm form = DefaultListForm();
  const TPaintSkin skin;
  const TPaintPlay play = Playing();
  size_t calls = 0;
  for (auto _ : state) {
    Canvas canvas;
    benchmark::DoNotOptimize(PaintWindow(canvas, skin, window, album, options, form, play));
    if constexpr (std::is_same_v<Canvas, RecordingCanvas>) calls = canvas.Calls().size();
  }
  if constexpr (std::is_same_v<Canvas, RecordingCanvas>) {
    state.counters["calls_per_repaint"] = static_cast<double>(calls);
  }
}
BENCHMARK_TEMPLATE(BM_Repaint, RecordingCanvas)->Arg(5)->Arg(kTracks);
BENCHMARK_TEMPLATE(BM_Repaint, NullCanvas)->Arg(5)->Arg(kTracks);

void BM_RepaintSmallWindow(benchmark::State& state) {
  const TAlbumState album = ThousandTracks();
  TPaintWindow window = Window(5);
  window.State = 2;
  window.Height = kSmallWindowHeight;
  const TOptionSettings options;
  const TListForm form = DefaultListForm();
  const TPaintSkin skin;
  const TPaintPlay play = Playing();
  for (auto _ : state) {
    NullCanvas canvas;
    benchmark::DoNotOptimize(PaintWindow(canvas, skin, window, album, options, form, play));
  }
}
BENCHMARK(BM_RepaintSmallWindow);

}  // namespace
}  // namespace varimo
