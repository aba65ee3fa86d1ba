// The window's hot paths under the pointer: one snap against the five host windows, one hit
// test, and a whole drag step, which asks neither the host nor the files anything.
#include <benchmark/benchmark.h>

#include "fakes/engine_rig.h"
#include "window/mouse.h"
#include "window/regions.h"
#include "window/snap.h"

namespace varimo {
namespace {

TSnapInput FiveHostWindows() {
  TSnapInput input;
  input.Window = {200, 200, 275, 116};
  input.Dragging = true;
  input.ScreenWidth = 1280;
  input.Work = {0, 0, 1280, 994};
  // The host's main window, equalizer and playlist stacked; the browser and the video
  // window beside them.
  input.Hosts = {TWindowBounds{375, 100, 275, 116}, TWindowBounds{375, 216, 275, 116},
                 TWindowBounds{375, 332, 275, 232}, TWindowBounds{650, 100, 400, 300},
                 TWindowBounds{650, 400, 320, 240}};
  return input;
}

void SnapAgainstFiveHostWindows(benchmark::State& state) {
  TSnapInput input = FiveHostWindows();
  TSnapMemory memory;
  TPoint anchor{300, 210};
  int32_t x = 300;
  for (auto _ : state) {
    // Back and forth along the main window's left edge: snapping, held and letting go.
    x = x >= 340 ? 300 : x + 3;
    input.Pointer = {x, 210};
    benchmark::DoNotOptimize(Snap(memory, anchor, input));
  }
}
BENCHMARK(SnapAgainstFiveHostWindows);

void HitTestTheNormalWindow(benchmark::State& state) {
  int32_t x = 0;
  int32_t y = 0;
  for (auto _ : state) {
    x = (x + 37) % 275;
    y = (y + 13) % 116;
    benchmark::DoNotOptimize(RegionAt(kStateNormal, 275, 116, x, y));
  }
}
BENCHMARK(HitTestTheNormalWindow);

// One pointer move of a title-bar drag, through the ports as the window makes it; the host
// requests and file calls it makes are counted (none is the goal).
void MoveStepWhileDragging(benchmark::State& state) {
  EngineRig rig;
  rig.ShowTenSecondAlbum(12);
  for (size_t i = 1; i < kHostWindowCount; ++i) {
    const THostHandle handle = 0x100 + i;
    rig.Varimo.HostWindows.Handles[i] = handle;
    rig.Window.PlaceOther(handle, FiveHostWindows().Hosts[i].value());
  }
  rig.Pointer.At = {150, 110};
  FormMouseDown(rig.Varimo, rig.Ports, 50, 10);
  const size_t requests = rig.Host.LogMark();
  const int files = rig.Files.Calls;
  int32_t dx = 0;
  for (auto _ : state) {
    dx = dx >= 40 ? -40 : dx + 3;
    rig.Pointer.At = {150 + dx, 110};
    FormMouseMove(rig.Varimo, rig.Ports, 0, 0);
  }
  state.counters["host_requests"] = static_cast<double>(rig.Host.LogMark() - requests);
  state.counters["file_calls"] = rig.Files.Calls - files;
}
BENCHMARK(MoveStepWhileDragging);

}  // namespace
}  // namespace varimo
