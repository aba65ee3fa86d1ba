#include "fakes/sim_host.h"

#include <gtest/gtest.h>

#include <set>

namespace varimo {
namespace {

// Three entries of 10 s each.
void AddThreeEntries(SimHost& host) {
  host.AddEntry("C:\\a.mp3", 10000);
  host.AddEntry("C:\\b.zip", 10000);
  host.AddEntry("C:\\c.mp3", 10000);
}

TEST(SimHost, PlaybackRunsOnAcrossEntryEnds) {
  struct Case {
    const char* name;
    int32_t entry;
    int32_t position;
    bool repeat;
    int32_t advance;
    int32_t expectedEntry;
    int32_t expectedPosition;
    HostPlayState expectedState;
  } cases[] = {
      {"within the entry", 0, 1000, false, 2500, 0, 3500, kHostPlaying},
      {"into the next entry", 0, 9000, false, 1500, 1, 500, kHostPlaying},
      {"exactly at the end", 0, 9000, false, 1000, 1, 0, kHostPlaying},
      {"over several entries", 0, 0, false, 25000, 2, 5000, kHostPlaying},
      {"last entry stops", 2, 9000, false, 1500, 2, 0, kHostStopped},
      {"last entry wraps with repeat", 2, 9000, true, 1500, 0, 500, kHostPlaying},
      {"past the list end stops", 1, 0, false, 50000, 2, 0, kHostStopped},
  };
  for (const Case& c : cases) {
    SimHost host;
    AddThreeEntries(host);
    host.SetRepeat(c.repeat);
    host.Place(c.entry, c.position, kHostPlaying);
    host.Advance(c.advance);
    EXPECT_EQ(host.ActualEntry(), c.expectedEntry) << c.name;
    EXPECT_EQ(host.ActualPositionMS(), c.expectedPosition) << c.name;
    EXPECT_EQ(host.ActualState(), c.expectedState) << c.name;
  }
}

TEST(SimHost, PositionHoldsStillUnlessPlaying) {
  for (HostPlayState state : {kHostPaused, kHostStopped}) {
    SimHost host;
    AddThreeEntries(host);
    host.Place(1, 4000, state);
    host.Advance(20000);
    EXPECT_EQ(host.ActualEntry(), 1) << state;
    EXPECT_EQ(host.ActualPositionMS(), 4000) << state;
    EXPECT_EQ(host.ActualState(), state) << state;
  }
}

TEST(SimHost, ShuffleMovesToAnotherRandomEntryAndKeepsPlaying) {
  auto entriesVisited = [](uint32_t seed) {
    SimHost host(seed);
    for (int i = 0; i < 5; ++i) host.AddEntry("C:\\" + std::to_string(i) + ".mp3", 1000);
    host.SetShuffle(true);
    host.Place(0, 0, kHostPlaying);
    std::vector<int32_t> visited;
    for (int i = 0; i < 40; ++i) {
      host.Advance(1000);
      EXPECT_EQ(host.ActualState(), kHostPlaying);
      EXPECT_EQ(host.ActualPositionMS(), 0);
      visited.push_back(host.ActualEntry());
    }
    return visited;
  };
  std::vector<int32_t> visited = entriesVisited(7);
  EXPECT_EQ(visited, entriesVisited(7));
  EXPECT_NE(visited, entriesVisited(8));
  int32_t previous = 0;
  for (int32_t entry : visited) {
    EXPECT_NE(entry, previous);
    previous = entry;
  }
  EXPECT_EQ(std::set<int32_t>(visited.begin(), visited.end()).size(), 5u);
}

TEST(SimHost, SeeksAreClampedIntoTheEntry) {
  struct Case {
    HostPlayState state;
    int32_t target;
    int32_t expectedPosition;
    int32_t expectedAnswer;  // of the position request afterwards
  } cases[] = {
      {kHostPlaying, 4200, 4200, 4200},
      {kHostPlaying, -50, 0, 0},
      {kHostPlaying, 99999, 10000, 10000},
      {kHostPaused, 7000, 7000, 7000},
      // A stopped host takes the position but stays stopped and reports none.
      {kHostStopped, 3000, 3000, -1},
  };
  for (const Case& c : cases) {
    SimHost host;
    AddThreeEntries(host);
    host.Place(1, 1000, c.state);
    host.SeekTo(c.target);
    EXPECT_EQ(host.ActualPositionMS(), c.expectedPosition) << c.target;
    EXPECT_EQ(host.ActualState(), c.state) << c.target;
    EXPECT_EQ(host.PositionMS(), c.expectedAnswer) << c.target;
  }
}

TEST(SimHost, PlayPauseStopAndSkipsActOnTheCurrentEntry) {
  struct Case {
    const char* name;
    HostPlayState state;
    HostCommand command;
    HostPlayState expectedState;
    int32_t expectedPosition;
  } cases[] = {
      {"play restarts a playing entry", kHostPlaying, kCommandPlay, kHostPlaying, 0},
      {"play starts a paused entry over", kHostPaused, kCommandPlay, kHostPlaying, 0},
      {"play starts a stopped host", kHostStopped, kCommandPlay, kHostPlaying, 0},
      {"pause holds", kHostPlaying, kCommandPause, kHostPaused, 6000},
      {"pause again resumes", kHostPaused, kCommandPause, kHostPlaying, 6000},
      {"pause while stopped does nothing", kHostStopped, kCommandPause, kHostStopped, 6000},
      {"stop rewinds", kHostPlaying, kCommandStop, kHostStopped, 0},
      {"forward 5 s", kHostPlaying, kCommandForward5s, kHostPlaying, 10000},
      {"back 5 s", kHostPaused, kCommandBack5s, kHostPaused, 1000},
      {"skips ignored while stopped", kHostStopped, kCommandForward5s, kHostStopped, 6000},
  };
  for (const Case& c : cases) {
    SimHost host;
    AddThreeEntries(host);
    host.Place(1, 6000, c.state);
    host.Command(c.command);
    EXPECT_EQ(host.ActualState(), c.expectedState) << c.name;
    EXPECT_EQ(host.ActualPositionMS(), c.expectedPosition) << c.name;
    EXPECT_EQ(host.ActualEntry(), 1) << c.name;
  }
}

TEST(SimHost, PreviousAndNextFollowRepeat) {
  struct Case {
    int32_t entry;
    bool repeat;
    HostCommand command;
    int32_t expectedEntry;
    int32_t expectedPosition;
  } cases[] = {
      {1, false, kCommandNext, 2, 0},    {1, false, kCommandPrevious, 0, 0},
      {2, false, kCommandNext, 2, 4000}, {0, false, kCommandPrevious, 0, 4000},
      {2, true, kCommandNext, 0, 0},     {0, true, kCommandPrevious, 2, 0},
  };
  for (const Case& c : cases) {
    for (HostPlayState state : {kHostPlaying, kHostPaused, kHostStopped}) {
      SimHost host;
      AddThreeEntries(host);
      host.SetRepeat(c.repeat);
      host.Place(c.entry, 4000, state);
      host.Command(c.command);
      EXPECT_EQ(host.ActualEntry(), c.expectedEntry) << c.entry << " " << c.command;
      EXPECT_EQ(host.ActualPositionMS(), c.expectedPosition) << c.entry << " " << c.command;
      EXPECT_EQ(host.ActualState(), state) << c.entry << " " << c.command;
    }
  }
}

TEST(SimHost, ShuffleAndRepeatSettersAndToggles) {
  SimHost host;
  host.SetShuffle(true);
  host.ToggleRepeat();
  EXPECT_TRUE(host.ShuffleOn());
  EXPECT_TRUE(host.RepeatOn());
  host.ToggleShuffle();
  host.SetRepeat(false);
  EXPECT_FALSE(host.ShuffleOn());
  EXPECT_FALSE(host.RepeatOn());
}

TEST(SimHost, SlowStartAnswersStoppedAndHoldsThePositionUntilStarted) {
  SimHost host;
  AddThreeEntries(host);
  host.SetSlowStart(3);
  host.Play();
  for (int i = 0; i < 3; ++i) {
    host.Advance(1);
    EXPECT_EQ(host.PositionMS(), -1);
    EXPECT_EQ(host.PlayState(), kHostStopped);
  }
  EXPECT_EQ(host.PlayState(), kHostPlaying);
  host.Advance(100);
  EXPECT_EQ(host.PositionMS(), 100);
  // Restarting a host that already plays, and resuming a paused one, open nothing new.
  host.Play();
  EXPECT_EQ(host.PlayState(), kHostPlaying);
  host.Pause();
  host.Pause();
  EXPECT_EQ(host.PlayState(), kHostPlaying);
}

TEST(SimHost, LogRecordsEveryRequestWithThePositionAtThatMoment) {
  SimHost host;
  AddThreeEntries(host);
  host.Place(1, 2500, kHostPlaying);
  host.PlayState();
  size_t mark = host.LogMark();
  host.SeekTo(8000);
  host.EntryPath(1);
  host.Next();
  host.OpenBrowser("C:\\help.htm");
  host.RestoreMainWindow();
  host.OpenMainPopup();

  EXPECT_EQ(host.CountSince(mark), 7u);
  EXPECT_EQ(host.CountIpc(kIpcPlayState), 1u);
  EXPECT_EQ(host.CountIpc(kIpcPlayState, mark), 0u);
  EXPECT_EQ(host.CountIpc(kIpcBrowser, mark), 2u);
  EXPECT_EQ(host.CountCommand(kCommandNext, mark), 1u);
  EXPECT_EQ(host.Count(THostRequestKind::kRestore, mark), 1u);
  EXPECT_EQ(host.Count(THostRequestKind::kPopup, mark), 1u);

  const std::vector<THostRecord>& log = host.Log();
  ASSERT_EQ(log.size(), 8u);
  EXPECT_EQ(log[0].Answer, kHostPlaying);
  EXPECT_EQ(log[1].Code, kIpcSeekTo);
  EXPECT_EQ(log[1].Argument, 8000);
  EXPECT_EQ(log[1].PositionMS, 2500);
  EXPECT_EQ(log[2].Text, "C:\\b.zip");
  EXPECT_EQ(log[2].PositionMS, 8000);
  EXPECT_EQ(log[3].Kind, THostRequestKind::kCommand);
  EXPECT_EQ(log[3].Entry, 1);
  EXPECT_EQ(log[4].Entry, 2);
  EXPECT_EQ(log[4].Argument, 0);
  EXPECT_EQ(log[5].Text, "C:\\help.htm");
}

TEST(SimHost, EntryPathsCanChangeAndRepeat) {
  SimHost host;
  host.AddEntry("C:\\same.zip", 5000);
  host.AddEntry("C:\\same.zip", 7000);
  EXPECT_EQ(host.EntryPath(0), host.EntryPath(1));
  host.SetEntryPath(1, "C:\\other.mp3");
  EXPECT_EQ(host.EntryPath(1), "C:\\other.mp3");
  EXPECT_EQ(host.EntryPath(2), "");
  EXPECT_EQ(host.EntryPath(-1), "");
}

TEST(SimHost, AnswersSkinAndWindowRequestsAsSet) {
  SimHost host;
  host.SetSkin("C:\\Winamp\\Skins\\Blue", "Blue");
  host.SetHostWindow(kHostPlaylistEditor, 0x2040);
  host.SetMainPopupMenu(0x3000);
  std::string directory = "stale";
  EXPECT_EQ(host.SkinRequest(directory), "Blue");
  EXPECT_EQ(directory, "C:\\Winamp\\Skins\\Blue");
  EXPECT_EQ(host.HostWindow(kHostPlaylistEditor), 0x2040u);
  EXPECT_EQ(host.HostWindow(kHostVideo), 0u);
  EXPECT_EQ(host.MainPopupMenu(), 0x3000u);
}

TEST(SimHost, EmptyPlaylistNeitherPlaysNorReportsAPosition) {
  SimHost host;
  host.Play();
  host.Next();
  host.Advance(1000);
  EXPECT_EQ(host.PlayState(), kHostStopped);
  EXPECT_EQ(host.PositionMS(), -1);
  EXPECT_EQ(host.ListPosition(), 0);
  EXPECT_EQ(host.EntryPath(0), "");
}

}  // namespace
}  // namespace varimo
