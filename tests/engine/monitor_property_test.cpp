#include <gtest/gtest.h>

#include <random>

#include "engine/monitor.h"
#include "engine/play_commands.h"
#include "fakes/engine_rig.h"

namespace varimo {
namespace {

// A playlist with the awkward cases side by side: a one-track album, tracks shorter than
// the lead time, plain files, a missing file and two entries of the same album.
int32_t AddPlaylist(EngineRig& rig) {
  rig.AddZipAlbum("C:\\a.zip", {4000, 120, 6000, 3000, 200, 5000});
  rig.AddPlainFile("C:\\p.mp3", 3000);
  rig.AddZipAlbum("C:\\one.zip", {7000});
  rig.AddMissingFile("C:\\gone.mp3", 2000);
  rig.AddZipAlbum("C:\\b.zip", {2500, 2500, 2500, 2500, 2500, 2500, 2500, 2500, 2500});
  rig.AddZipAlbum("C:\\a.zip", {4000, 120, 6000, 3000, 200, 5000});
  return rig.AddPlainFile("C:\\q.mp3", 1500) + 1;
}

void CheckInvariants(EngineRig& rig, const std::string& where) {
  const TAlbumState& album = rig.Album();
  // Until the first build the index is the saved one, waiting to be checked against the list.
  if (album.LoadState == kLoadFirstBuild) return;
  // With no track the index is kept for the next album file's shuffle pick; only a list
  // with tracks must hold it.
  const int32_t count = static_cast<int32_t>(album.Tracks.size());
  if (count > 0) {
    ASSERT_GE(album.CurrentIndex, 0) << where;
    ASSERT_LT(album.CurrentIndex, count) << where;
  }
  ASSERT_FALSE(rig.Play().InTick) << where;
  ASSERT_TRUE(rig.Window.TimerRunning) << where;
  const TTimeDigits& digits = rig.Play().TimeDigits;
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(digits[i] >= 0 && digits[i] <= 9) << where;
  ASSERT_TRUE(digits[3] >= -1 && digits[3] <= 9) << where;
  ASSERT_GE(rig.Play().PositionFraction, 0.0) << where;
  ASSERT_LE(rig.Play().PositionFraction, 1.0) << where;
  ASSERT_GE(rig.Win().TopIndex, 0) << where;
  for (const TViewRecord& r : rig.View.Records) {
    ASSERT_GE(r.Fraction, 0.0) << where;
    ASSERT_LE(r.Fraction, 1.0) << where;
  }
  rig.View.Records.clear();
}

// Random ticks, seeks, entry changes, user commands and option changes: whatever the
// order, the current track stays inside the list, ticks never nest, the timer keeps
// running and nothing throws.
TEST(MonitorProperty, RandomUseKeepsEveryInvariant) {
  for (uint32_t seed = 1; seed <= 6; ++seed) {
    std::mt19937 random(seed);
    auto pick = [&](int32_t low, int32_t high) {
      return std::uniform_int_distribution<int32_t>(low, high)(random);
    };
    EngineRig rig;
    const int32_t entries = AddPlaylist(rig);
    rig.PutIni("[Option]\r\nVisibleChk=1\r\n[Play]\r\nNo=4\r\n[Window]\r\nDelete=0110\r\n");
    rig.StartUp();
    int nested = 0;
    size_t nestedRequests = 0;
    bool reenter = false;
    // A repaint that runs a tick, as a message dispatched while painting would: inside a
    // tick the nested one must do nothing; between ticks it runs as any direct call does.
    rig.View.OnRepaint = [&] {
      if (!reenter) return;
      const bool insideTick = rig.Play().InTick;
      const size_t mark = rig.Host.LogMark();
      rig.Tick();
      if (!insideTick) return;
      ++nested;
      nestedRequests += rig.Host.CountSince(mark);
    };
    rig.Host.Place(0, 0, kHostPlaying);

    for (int step = 0; step < 4000; ++step) {
      const int32_t op = pick(0, 15);
      const std::string where = "seed " + std::to_string(seed) + " step " + std::to_string(step) +
                                " op " + std::to_string(op);
      reenter = pick(0, 9) == 0;
      const int32_t count = static_cast<int32_t>(rig.Album().Tracks.size());
      auto act = [&] {
        switch (op) {
          case 0:
          case 1:
          case 2: rig.Run(pick(1, 1500)); break;
          case 3: rig.Tick(); break;
          case 4:  // the user drags the host's own position bar
            rig.Host.Place(rig.Host.ActualEntry(), pick(0, 40000), rig.Host.ActualState());
            break;
          case 5: rig.Host.Place(pick(0, entries - 1), pick(0, 3000), kHostPlaying); break;
          case 6: rig.Host.Command(pick(0, 1) ? kCommandNext : kCommandPrevious); break;
          case 7: {
            const HostCommand commands[] = {kCommandPause, kCommandStop, kCommandPlay,
                                            kCommandForward5s, kCommandBack5s};
            rig.Host.Command(commands[pick(0, 4)]);
            break;
          }
          case 8:
            pick(0, 1) ? PlayNext(rig.Varimo, rig.Ports) : PlayPrevious(rig.Varimo, rig.Ports);
            break;
          case 9:
            rig.Win().SelectedIndex = pick(-1, count + 2);
            PopupPlayItemClick(rig.Varimo, rig.Ports);
            break;
          case 10: PopupModeClick(rig.Play(), pick(0, 8) == 0 ? 7 : pick(0, 4)); break;
          case 11:
            if (count > 0) ToggleExcluded(rig.Album().Tracks[pick(0, count - 1)]);
            break;
          case 12:  // the options were applied; a first build still to come stays first
            if (rig.Album().LoadState != kLoadFirstBuild) {
              rig.Album().LoadState = kLoadRebuildRequested;
            }
            break;
          case 13: {
            const int32_t states[] = {1, 2, -1, -2};
            rig.Win().State = states[pick(0, 3)];
            rig.Win().Remain = pick(0, 1) == 1;
            rig.Win().DragMode = pick(0, 3) == 0 ? kDragPosition : 0;
            rig.Varimo.Settings.Option.PlayTime = pick(0, 1) == 1;
            break;
          }
          case 14: rig.Host.SetSlowStart(pick(0, 3) == 0 ? 100000 : pick(0, 20)); break;
          case 15:
            rig.Varimo.Settings.Option.Correct = pick(0, 1) == 1;
            rig.Varimo.Settings.Option.CorrectMS = pick(-1000, 1000);
            rig.Varimo.Settings.Option.BreakMS = pick(100, 1500);
            break;
        }
      };
      ASSERT_NO_THROW(act()) << where;
      CheckInvariants(rig, where);
      if (HasFatalFailure()) return;
    }
    EXPECT_GT(nested, 0) << seed;
    EXPECT_EQ(nestedRequests, 0u) << seed;
    EXPECT_TRUE(rig.ShutDown()) << seed;
  }
}

}  // namespace
}  // namespace varimo
