#include "engine/play_commands.h"

#include <gtest/gtest.h>

#include <set>

#include "fakes/engine_rig.h"

namespace varimo {
namespace {

using Strings = std::vector<std::string>;

// An album of tracks of 10 s each straight in the model, and a host entry as long, playing
// in the first track.
void SetUpAlbum(EngineRig& rig, int32_t count, const std::set<int32_t>& excluded = {}) {
  rig.UseTenSecondAlbum(count, excluded);
  rig.Varimo.Settings.Option.TimerMS = 200;
}

TEST(PlayCommands, PlayTrackStartsAStoppedHostThenJumps) {
  EngineRig rig;
  SetUpAlbum(rig, 3);
  rig.Host.Place(0, 0, kHostStopped);
  rig.Host.SetSlowStart(5);
  rig.Album().CurrentIndex = 2;
  rig.Play().HostState = kHostStopped;
  size_t mark = rig.Host.LogMark();
  PlayTrack(rig.Varimo, rig.Ports, false);

  EXPECT_EQ(rig.Steering(mark), (Strings{"cmd:40045", "ipc:106:20000"}));
  // Polled until the host answered playing, then 100 ms more.
  EXPECT_EQ(rig.Host.CountIpc(kIpcPlayState, mark), 6u);
  EXPECT_EQ(rig.Clock.Slept, 5u + 100u);
  EXPECT_EQ(rig.Play().HostState, kHostPlaying);
  EXPECT_EQ(rig.Host.ActualPositionMS(), 20000);
  EXPECT_EQ(rig.Album().SeekBaseMS, 20000);
  EXPECT_EQ(rig.Window.TimerStops, 1);
  EXPECT_EQ(rig.Window.TimerStarts, 1);
  EXPECT_TRUE(rig.Window.TimerRunning);
  EXPECT_EQ(rig.Window.TimerInterval, 200);
}

TEST(PlayCommands, PlayTrackGivesUpOnAHostThatNeverStarts) {
  EngineRig rig;
  SetUpAlbum(rig, 3);
  rig.Host.Place(0, 0, kHostStopped);
  rig.Host.SetSlowStart(1000000);
  rig.Album().CurrentIndex = 1;
  rig.Album().SeekBaseMS = 777;
  rig.Play().HostState = kHostStopped;
  size_t mark = rig.Host.LogMark();
  PlayTrack(rig.Varimo, rig.Ports, false);

  EXPECT_EQ(rig.Steering(mark), (Strings{"cmd:40045"}));
  EXPECT_GE(rig.Clock.Slept, kHostStartLimitMS - 1);
  EXPECT_LE(rig.Clock.Slept, kHostStartLimitMS);
  EXPECT_EQ(rig.Album().SeekBaseMS, 777);
  EXPECT_TRUE(rig.Window.TimerRunning);
}

TEST(PlayCommands, PlayTrackSendsPlayForATrackAtTheStartAndJumpsOtherwise) {
  struct Case {
    const char* name;
    int32_t track;
    bool resume;
    HostPlayState state;
    Strings expected;
    HostPlayState expectedState;
  } cases[] = {
      {"first track from its beginning", 0, false, kHostPlaying, {"cmd:40045"}, kHostPlaying},
      {"later track by a jump", 1, false, kHostPlaying, {"ipc:106:10000"}, kHostPlaying},
      {"resume jumps even to 0 and unpauses",
       0,
       true,
       kHostPaused,
       {"ipc:106:0", "cmd:40046"},
       kHostPlaying},
      {"a paused host is not started", 2, false, kHostPaused, {"ipc:106:20000"}, kHostPaused},
  };
  for (const Case& c : cases) {
    EngineRig rig;
    SetUpAlbum(rig, 3);
    rig.Host.Place(0, 15000, c.state);
    rig.Album().CurrentIndex = c.track;
    rig.Play().HostState = c.state;
    size_t mark = rig.Host.LogMark();
    PlayTrack(rig.Varimo, rig.Ports, c.resume);
    EXPECT_EQ(rig.Steering(mark), c.expected) << c.name;
    EXPECT_EQ(rig.Host.ActualState(), c.expectedState) << c.name;
    EXPECT_EQ(rig.Album().SeekBaseMS, c.track * 10000) << c.name;
  }
}

TEST(PlayCommands, PlayTrackWithoutACurrentTrackDoesNothing) {
  EngineRig rig;
  SetUpAlbum(rig, 2);
  for (int32_t index : {-1, 2, 50}) {
    rig.Album().CurrentIndex = index;
    size_t mark = rig.Host.LogMark();
    PlayTrack(rig.Varimo, rig.Ports, false);
    EXPECT_EQ(rig.Host.CountSince(mark), 0u) << index;
    EXPECT_EQ(rig.Window.TimerStops, 0) << index;
  }
}

TEST(PlayCommands, PreviousAndNextFollowThePlayMode) {
  struct Case {
    const char* name;
    int32_t mode;
    int32_t count;
    std::set<int32_t> excluded;
    int32_t current;
    bool next;
    Strings expected;
    int32_t expectedCurrent;
    int32_t expectedMode;
  } cases[] = {
      {"previous at the first track hands over to the host",
       kModeNormal,
       5,
       {},
       0,
       false,
       {"cmd:40044"},
       0,
       kModeNormal},
      {"previous skips excluded tracks",
       kModeNormal,
       5,
       {2, 3},
       4,
       false,
       {"ipc:106:10000"},
       1,
       kModeNormal},
      {"previous over excluded tracks to the host",
       kModeNormal,
       5,
       {0, 1},
       2,
       false,
       {"cmd:40044"},
       0,
       kModeNormal},
      {"repeat album wraps over excluded tracks",
       kModeRepeatAlbum,
       5,
       {0, 4},
       1,
       false,
       {"ipc:106:30000"},
       3,
       kModeRepeatAlbum},
      {"next at the last track hands over",
       kModeNormal,
       5,
       {},
       4,
       true,
       {"cmd:40048"},
       4,
       kModeNormal},
      {"next skips excluded tracks",
       kModeRepeatSingle,
       5,
       {1},
       0,
       true,
       {"ipc:106:20000"},
       2,
       kModeRepeatSingle},
      {"repeat album next wraps to the first playable",
       kModeRepeatAlbum,
       5,
       {0},
       4,
       true,
       {"ipc:106:10000"},
       1,
       kModeRepeatAlbum},
      {"shuffle album picks",
       kModeShuffleAlbum,
       5,
       {},
       0,
       true,
       {"ipc:106:10000"},
       1,
       kModeShuffleAlbum},
      {"shuffle all moves the host",
       kModeShuffleAll,
       5,
       {},
       2,
       true,
       {"ipc:252:1", "ipc:253:1", "cmd:40048", "cmd:40046"},
       2,
       kModeShuffleAllPending},
      {"a pending shuffle all moves again",
       kModeShuffleAllPending,
       5,
       {},
       2,
       false,
       {"ipc:252:1", "ipc:253:1", "cmd:40048", "cmd:40046"},
       2,
       kModeShuffleAllPending},
      {"an unknown mode plays as normal", 7, 5, {}, 2, true, {"ipc:106:30000"}, 3, 7},
      {"everything excluded: next runs to the host",
       kModeNormal,
       3,
       {0, 1, 2},
       0,
       true,
       {"cmd:40048"},
       2,
       kModeNormal},
      {"everything excluded: repeat album ends after one lap",
       kModeRepeatAlbum,
       3,
       {0, 1, 2},
       1,
       true,
       {"ipc:106:10000"},
       1,
       kModeRepeatAlbum},
      {"an index past the list steps from the first track",
       kModeNormal,
       3,
       {},
       9,
       true,
       {"ipc:106:10000"},
       1,
       kModeNormal},
  };
  for (const Case& c : cases) {
    EngineRig rig;
    SetUpAlbum(rig, c.count, c.excluded);
    rig.Play().Mode = c.mode;
    rig.Album().CurrentIndex = c.current;
    size_t mark = rig.Host.LogMark();
    size_t repaints = rig.View.Count(ViewCall::kRepaint);
    if (c.next) {
      PlayNext(rig.Varimo, rig.Ports);
    } else {
      PlayPrevious(rig.Varimo, rig.Ports);
    }
    EXPECT_EQ(rig.Steering(mark), c.expected) << c.name;
    EXPECT_EQ(rig.Current(), c.expectedCurrent) << c.name;
    EXPECT_EQ(rig.Play().Mode, c.expectedMode) << c.name;
    const bool played = c.expected.front().rfind("ipc:106", 0) == 0;
    EXPECT_EQ(rig.View.Count(ViewCall::kRepaint) - repaints, played ? 1u : 0u) << c.name;
  }
}

}  // namespace
}  // namespace varimo
