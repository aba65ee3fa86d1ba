// The cost of one tick of the playback monitor while an album plays: a quiet tick (nothing
// changed), and a tick that redraws the time because its seconds digit moved. The host
// answers at once and keeps no log, so the figures are the monitor's own.
#include <benchmark/benchmark.h>

#include "engine/monitor.h"
#include "fakes/engine_rig.h"

namespace varimo {
namespace {

constexpr char kAlbum[] = "C:\\music\\album.zip";

class SteadyHost : public IHost {
 public:
  THostHandle MainWindow() const override { return kRigHostWindow; }
  int32_t PlayState() override { return kHostPlaying; }
  int32_t PositionMS() override { return Position; }
  void SeekTo(int32_t ms) override { Position = ms; }
  int32_t ListPosition() override { return 0; }
  std::string EntryPath(int32_t) override { return kAlbum; }
  std::string SkinRequest(std::string& directory) override {
    directory = "C:\\Winamp\\Skins\\Base";
    return directory;
  }
  void OpenBrowser(const std::string&) override {}
  void SetShuffle(bool) override {}
  void SetRepeat(bool) override {}
  THostHandle HostWindow(HostWindowKind) override { return 0; }
  THostHandle MainPopupMenu() override { return 0; }
  void RestoreMainWindow() override {}
  void OpenMainPopup() override {}
  void Command(HostCommand) override {}

  int32_t Position = 95000;
};

// The rig's album, files and window, played by the steady host; first build done.
struct SteadyRig {
  SteadyRig() {
    rig.AddZipAlbum(kAlbum, std::vector<int32_t>(12, 20000));
    rig.StartUp();
    TimerTimer(rig.Varimo, ports);
  }
  EngineRig rig;
  SteadyHost host;
  FakeView view{host, rig.Window};
  TPorts ports{host,      rig.Files,        rig.Ini,     rig.Window,   rig.Clock,
               view,      rig.Transparency, rig.Pointer, rig.Keyboard, rig.HotKeySystem,
               rig.Hooks, rig.Menus,        rig.Dialogs,  &rig.AlbumStore};
};

// A tick that ended before following playback would measure nothing of interest.
void CheckFollowing(benchmark::State& state, SteadyRig& steady) {
  if (steady.rig.Varimo.Album.LoadState != kLoadPlaying ||
      steady.rig.Varimo.Album.CurrentIndex != 4) {
    state.SkipWithError("the monitor is not following the album");
  }
}

void BM_QuietTick(benchmark::State& state) {
  SteadyRig steady;
  for (auto _ : state) TimerTimer(steady.rig.Varimo, steady.ports);
  CheckFollowing(state, steady);
}
BENCHMARK(BM_QuietTick);

void BM_TickRedrawingTheTime(benchmark::State& state) {
  SteadyRig steady;
  size_t drawn = 0;
  for (auto _ : state) {
    // A second later each time, within the same track.
    steady.host.Position = steady.host.Position >= 98000 ? 95000 : steady.host.Position + 1000;
    TimerTimer(steady.rig.Varimo, steady.ports);
    if (steady.view.Records.size() > 100000) {
      drawn += steady.view.Count(ViewCall::kTimeDisplay);
      steady.view.Records.clear();
    }
  }
  drawn += steady.view.Count(ViewCall::kTimeDisplay);
  CheckFollowing(state, steady);
  // The first build drew the time once; every tick after it must draw it again.
  if (drawn != static_cast<size_t>(state.iterations()) + 1)
    state.SkipWithError("a tick did not draw the time");
}
BENCHMARK(BM_TickRedrawingTheTime);

}  // namespace
}  // namespace varimo
