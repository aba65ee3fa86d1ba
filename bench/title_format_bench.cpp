#include <benchmark/benchmark.h>

#include "settings/title_format.h"

namespace varimo {
namespace {

TTrackItem SampleTrack() {
  TTrackItem track;
  track.Artist = "\x83\x41\x81\x5B\x83\x65\x83\x42\x83\x58\x83\x67";  // Shift-JIS "artist"
  track.Title = "A Rather Long Track Title (Extended Mix)";
  track.Album = "Album";
  track.Track = "12";
  track.Year = "1999";
  track.FileName = "CD1\\12 A Rather Long Track Title.mp3";
  return track;
}

// One row of the track list in the default format: what each repaint does per visible row.
void BM_FormatTrackLineDefault(benchmark::State& state) {
  const TListForm form = DefaultListForm();
  const TTrackItem track = SampleTrack();
  for (auto _ : state) benchmark::DoNotOptimize(FormatTrackLine(form, "", track));
}
BENCHMARK(BM_FormatTrackLineDefault);

// The longest preset with the file-name item added, as the small window formats it.
void BM_FormatTrackLineLongest(benchmark::State& state) {
  TListForm form = ListFormFromPreset(FormatPresets()[2]);
  form.Items.push_back({" ", kFormatText});
  form.Items.push_back({"", kFormatFileName});
  const TTrackItem track = SampleTrack();
  for (auto _ : state) benchmark::DoNotOptimize(FormatTrackLine(form, "12. ", track));
}
BENCHMARK(BM_FormatTrackLineLongest);

}  // namespace
}  // namespace varimo
