#include "engine/monitor.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>

#include "engine/play_commands.h"
#include "fakes/engine_rig.h"
#include "frame/varimo.h"

namespace varimo {
namespace {

using Strings = std::vector<std::string>;

const std::vector<int32_t> kSixTracks(6, 10000);

// Starts the rig on one album with these INI contents, playing in track `current`.
void StartPlaying(EngineRig& rig, const std::vector<int32_t>& tracks, const std::string& ini,
                  int32_t current = 0) {
  rig.AddZipAlbum("C:\\music\\album.zip", tracks);
  rig.AddPlainFile("C:\\music\\single.mp3", 30000);
  rig.PutIni(ini);
  rig.StartUp();
  int32_t start = 0;
  for (int32_t i = 0; i < current; ++i) start += tracks[i];
  rig.Host.Place(0, start + 1000, kHostPlaying);
  rig.Tick();
}

TEST(CorrectedPositionMS, AddsTheDriftPerMinuteSinceTheLastSeek) {
  struct Case {
    int32_t position, seekBase, correct, expected;
  } cases[] = {
      {600000, 0, 300, 603000},
      {30000, 0, -1000, 29500},
      {60000, 120000, 300, 59700},  // behind the last seek: the correction turns negative
      {0, 60000, -1000, 1000},      // a whole correction stays whole
      {100, 0, -1000, 98},          // truncated toward zero
      {1000, 600000, 1000, 0},      // never negative
      {std::numeric_limits<int32_t>::max(), 0, 1000, std::numeric_limits<int32_t>::max()},
      {45000, 45000, 1000, 45000},  // nothing played since the seek
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CorrectedPositionMS(c.position, c.seekBase, c.correct), c.expected)
        << c.position << " " << c.seekBase << " " << c.correct;
  }
}

TEST(LocateTrack, FindsTheFirstTrackEndingAfterThePosition) {
  TTrackList tracks(3);
  for (int32_t i = 0; i < 3; ++i) {
    tracks[i].StartMS = i * 60000;
    tracks[i].LengthMS = 60000;
  }
  tracks[1].Mark = -1;
  struct Case {
    int32_t position, index;
    bool near;
  } cases[] = {
      {0, 0, false},     {59750, 0, false}, {59760, 0, true},  {59999, 0, true},
      {60000, 1, false}, {119900, 1, true}, {179999, 2, true}, {180000, -1, false},
  };
  for (const Case& c : cases) {
    TTrackAt at = LocateTrack(tracks, c.position, 250);
    EXPECT_EQ(at.Index, c.index) << c.position;
    EXPECT_EQ(at.Near, c.near) << c.position;
  }
}

TEST(TimeDigitsFor, ShowsElapsedOrRemainingMinutesAndSeconds) {
  TTrackItem track;
  track.StartMS = 10000;
  track.LengthMS = 200000;
  struct Case {
    int32_t position;
    bool remain;
    TTimeDigits expected;
  } cases[] = {
      {10000, false, {0, 0, 0, 0}},          {22345, false, {0, 0, 1, 2}},
      {10000 + 125999, false, {0, 2, 0, 5}}, {22345, true, {0, 3, 0, 7}},  // 187 655 ms left
      {209999, true, {0, 0, 0, 0}},  // counts down to 0:00 at the end
      {5000, false, {0, 0, 0, 0}},   // before the track: no negative digits
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TimeDigitsFor(track, c.position, c.remain), c.expected) << c.position;
  }
  // Beyond 99 minutes the display keeps two minute digits.
  track.StartMS = 0;
  track.LengthMS = 10000000;
  EXPECT_EQ(TimeDigitsFor(track, 123 * 60000 + 4000, false), (TTimeDigits{2, 3, 0, 4}));
}

TEST(PositionFractionFor, StaysWithinTheBarEvenForEmptyTracks) {
  TTrackItem track;
  track.StartMS = 1000;
  track.LengthMS = 4000;
  EXPECT_DOUBLE_EQ(PositionFractionFor(track, 2000), 0.25);
  EXPECT_DOUBLE_EQ(PositionFractionFor(track, 500), 0.0);
  EXPECT_DOUBLE_EQ(PositionFractionFor(track, 9000), 1.0);
  track.LengthMS = 0;
  EXPECT_DOUBLE_EQ(PositionFractionFor(track, 1000), 0.0);
}

TEST(Monitor, EachPlayModeActsShortlyBeforeATrackEnds) {
  struct Case {
    const char* name;
    int32_t mode;
    std::set<int32_t> excluded;
    int32_t current;
    int32_t position;
    Strings expected;
    int32_t expectedCurrent;
    int32_t expectedMode;
  } cases[] = {
      {"normal skips excluded tracks by a jump",
       kModeNormal,
       {3, 4},
       2,
       29800,
       {"ipc:106:50000"},
       5,
       kModeNormal},
      {"normal after the last track moves the host on",
       kModeNormal,
       {},
       5,
       59800,
       {"cmd:40048"},
       5,
       kModeNormal},
      {"normal lets playback run into the next track",
       kModeNormal,
       {},
       1,
       19800,
       {},
       1,
       kModeNormal},
      {"the next tick in the next track makes it current",
       kModeNormal,
       {},
       1,
       20100,
       {},
       2,
       kModeNormal},
      {"normal, only excluded tracks after: host moves on",
       kModeNormal,
       {3, 4, 5},
       2,
       29800,
       {"cmd:40048"},
       2,
       kModeNormal},
      {"repeat single restarts the track",
       kModeRepeatSingle,
       {},
       2,
       29800,
       {"ipc:106:20000"},
       2,
       kModeRepeatSingle},
      {"repeat single of the first track plays the entry",
       kModeRepeatSingle,
       {},
       0,
       9800,
       {"cmd:40045"},
       0,
       kModeRepeatSingle},
      {"repeat album after the last playable track",
       kModeRepeatAlbum,
       {0, 5},
       4,
       49800,
       {"ipc:106:10000"},
       1,
       kModeRepeatAlbum},
      {"repeat album with a playable track after plays on",
       kModeRepeatAlbum,
       {},
       2,
       29800,
       {},
       2,
       kModeRepeatAlbum},
      {"repeat album with nothing playable restarts the track",
       kModeRepeatAlbum,
       {0, 1, 2, 3, 4, 5},
       3,
       39800,
       {"ipc:106:30000"},
       3,
       kModeRepeatAlbum},
      {"shuffle album picks and jumps",
       kModeShuffleAlbum,
       {},
       0,
       9800,
       {"ipc:106:20000"},
       2,
       kModeShuffleAlbum},
      {"shuffle all moves the host to another entry",
       kModeShuffleAll,
       {},
       2,
       29800,
       {"ipc:252:1", "ipc:253:1", "cmd:40048", "cmd:40046"},
       2,
       kModeShuffleAllPending},
      {"an unknown mode plays as normal", 7, {3, 4}, 2, 29800, {"ipc:106:50000"}, 5, 7},
      {"no mode acts before the lead time",
       kModeRepeatSingle,
       {},
       2,
       29700,
       {},
       2,
       kModeRepeatSingle},
  };
  for (const Case& c : cases) {
    EngineRig rig;
    StartPlaying(rig, kSixTracks, "[Option]\r\nCorrect=0\r\n", c.current);
    ASSERT_EQ(rig.Current(), c.current) << c.name;
    PopupModeClick(rig.Play(), c.mode);
    for (int32_t i : c.excluded) rig.Album().Tracks[i].Mark = -1;
    rig.Host.Place(0, c.position, kHostPlaying);
    size_t mark = rig.Host.LogMark();
    rig.Tick();
    EXPECT_EQ(rig.Steering(mark), c.expected) << c.name;
    EXPECT_EQ(rig.Current(), c.expectedCurrent) << c.name;
    EXPECT_EQ(rig.Play().Mode, c.expectedMode) << c.name;
    EXPECT_TRUE(rig.Window.TimerRunning) << c.name;
  }
}

TEST(Monitor, ActsWithinTheLeadTimeOfTheLastTrack) {
  for (int32_t position : {59750, 59760}) {
    EngineRig rig;
    StartPlaying(rig, {60000}, "[Option]\r\nCorrect=0\r\n");
    rig.Host.Place(0, position, kHostPlaying);
    size_t mark = rig.Host.LogMark();
    rig.Tick();
    EXPECT_EQ(rig.Steering(mark), position == 59760 ? Strings{"cmd:40048"} : Strings{}) << position;
  }
}

TEST(Monitor, TheDriftCorrectionDecidesWhenATrackEnds) {
  // 59 700 ms played since the start: 298 ms of drift put the track's end 2 ms away.
  for (bool correct : {true, false}) {
    EngineRig rig;
    StartPlaying(rig, {60000, 60000},
                 std::string("[Option]\r\nCorrectMS=300\r\nCorrect=") + (correct ? "1" : "0"));
    PopupModeClick(rig.Play(), kModeRepeatSingle);
    rig.Host.Place(0, 59700, kHostPlaying);
    size_t mark = rig.Host.LogMark();
    rig.Tick();
    EXPECT_EQ(rig.Steering(mark), correct ? Strings{"cmd:40045"} : Strings{}) << correct;
  }
  // After a jump the drift counts from the jump's target.
  EngineRig rig;
  StartPlaying(rig, {60000, 60000}, "[Option]\r\nCorrectMS=1000\r\n");
  rig.Album().CurrentIndex = 1;
  PlayTrack(rig.Varimo, rig.Ports, false);
  EXPECT_EQ(rig.Album().SeekBaseMS, 60000);
  rig.Host.Place(0, 60000 + 59000, kHostPlaying);  // + 983 ms: 17 ms before the end
  PopupModeClick(rig.Play(), kModeRepeatSingle);
  size_t mark = rig.Host.LogMark();
  rig.Tick();
  EXPECT_EQ(rig.Steering(mark), Strings{"ipc:106:60000"});
}

TEST(Monitor, TracksShorterThanTheLeadTime) {
  const std::string ini = "[Option]\r\nCorrect=0\r\nTimerMS=100\r\n";
  // Repeat single: the short track is near from its first tick and restarts on every tick.
  {
    EngineRig rig;
    StartPlaying(rig, {10000, 150, 10000}, ini);
    PopupModeClick(rig.Play(), kModeRepeatSingle);
    rig.Win().SelectedIndex = 1;
    PopupPlayItemClick(rig.Varimo, rig.Ports);
    for (int i = 0; i < 5; ++i) {
      size_t mark = rig.Host.LogMark();
      rig.Run(100);
      EXPECT_EQ(rig.Steering(mark), Strings{"ipc:106:10000"}) << i;
      EXPECT_EQ(rig.Current(), 1);
    }
  }
  // Normal play runs on into the next track.
  EngineRig rig;
  StartPlaying(rig, {10000, 150, 10000}, ini);
  rig.Win().SelectedIndex = 1;
  PopupPlayItemClick(rig.Varimo, rig.Ports);
  size_t mark = rig.Host.LogMark();
  rig.Run(100);
  EXPECT_EQ(rig.Current(), 1);
  rig.Run(100);
  EXPECT_EQ(rig.Current(), 2);
  EXPECT_EQ(rig.Steering(mark), Strings{});
}

TEST(Monitor, AQuietTickMakesFiveHostRequestsAndTouchesNoFile) {
  EngineRig rig;
  StartPlaying(rig, kSixTracks, "");
  rig.Run(1000);
  const int files = rig.Files.Calls;
  const size_t mark = rig.Host.LogMark();
  rig.Run(200);
  ASSERT_EQ(rig.Host.CountSince(mark), 5u);
  const int32_t codes[] = {kIpcSkin, kIpcPlayState, kIpcListPosition, kIpcEntryPath,
                           kIpcPositionMS};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(rig.Host.Log()[mark + i].Kind, THostRequestKind::kIpc);
    EXPECT_EQ(rig.Host.Log()[mark + i].Code, codes[i]);
  }
  EXPECT_EQ(rig.Files.Calls, files);
  EXPECT_EQ(rig.Replacer.Replaces, 0);
}

TEST(Monitor, TheTimeIsRedrawnOnlyWhenItsSecondsDigitMoves) {
  EngineRig rig;
  StartPlaying(rig, kSixTracks, "[Option]\r\nCorrect=0\r\n");
  rig.Host.Place(0, 12345, kHostPlaying);
  size_t mark = rig.View.Mark();
  rig.Tick();
  ASSERT_EQ(rig.View.Records.size() - mark, 4u);  // a repaint for the new track, then time
  EXPECT_EQ(rig.View.Records[mark + 1].Call, ViewCall::kTimeDisplay);
  EXPECT_EQ(rig.View.Records[mark + 1].Digits, (TTimeDigits{0, 0, 0, 2}));
  EXPECT_EQ(rig.View.Records[mark + 2].Offset, -1);
  EXPECT_EQ(rig.View.Records[mark + 3].Offset, 0);
  EXPECT_DOUBLE_EQ(rig.View.Records[mark + 3].Fraction, 0.2345);

  mark = rig.View.Mark();
  rig.Host.Place(0, 12800, kHostPlaying);
  rig.Tick();
  EXPECT_EQ(rig.View.Mark(), mark);  // same second

  // Counting down, and with the position thumb held by the user.
  rig.Win().Remain = true;
  rig.Win().DragMode = kDragPosition;
  rig.Host.Place(0, 13100, kHostPlaying);
  rig.Tick();
  ASSERT_EQ(rig.View.Records.size() - mark, 1u);
  EXPECT_EQ(rig.View.Records[mark].Digits, (TTimeDigits{0, 0, 0, 6}));
  EXPECT_TRUE(rig.View.Records[mark].Remain);

  // The small window shows the time only with PlayTime on.
  rig.Win().State = kStateSmall;
  rig.Host.Place(0, 15100, kHostPlaying);
  mark = rig.View.Mark();
  rig.Tick();
  EXPECT_EQ(rig.View.Mark(), mark);
  rig.Varimo.Settings.Option.PlayTime = true;
  rig.Tick();
  ASSERT_EQ(rig.View.Records.size() - mark, 1u);
  EXPECT_EQ(rig.View.Records[mark].Call, ViewCall::kSmallTime);
}

TEST(Monitor, APausedOrStoppedHostBlanksTheTimeOnceAndIsNotSteered) {
  for (HostPlayState idle : {kHostPaused, kHostStopped}) {
    EngineRig rig;
    StartPlaying(rig, kSixTracks, "[Option]\r\nCorrect=0\r\n");
    rig.Run(1000);
    ASSERT_EQ(rig.Album().LoadState, kLoadPlaying);
    rig.Host.Place(0, 9900, idle);  // near the end, yet nothing is steered
    size_t mark = rig.Host.LogMark();
    size_t drawn = rig.View.Mark();
    rig.Tick();
    EXPECT_EQ(rig.Album().LoadState, kLoadBuilt) << idle;
    EXPECT_EQ(rig.Play().TimeDigits[3], -1) << idle;
    EXPECT_EQ(rig.View.Count(ViewCall::kBlankTime, drawn), 1u) << idle;
    EXPECT_EQ(rig.View.Count(ViewCall::kThumb, drawn), 1u) << idle;
    EXPECT_EQ(rig.Host.CountSince(mark), 2u) << idle;  // skin and play state only
    drawn = rig.View.Mark();
    rig.Run(5000);
    EXPECT_EQ(rig.View.Mark(), drawn) << idle;
    EXPECT_TRUE(rig.Steering(mark).empty()) << idle;

    // Playing again redraws the time at the first tick.
    rig.Host.Place(0, 4200, kHostPlaying);
    rig.Tick();
    EXPECT_EQ(rig.Album().LoadState, kLoadPlaying) << idle;
    EXPECT_EQ(rig.View.Count(ViewCall::kTimeDisplay, drawn), 1u) << idle;
    EXPECT_EQ(rig.Play().TimeDigits, (TTimeDigits{0, 0, 0, 4})) << idle;
  }
}

TEST(Monitor, LoadStateFollowsBuildsPlaybackAndRebuildRequests) {
  EngineRig rig;
  rig.AddZipAlbum("C:\\music\\album.zip", kSixTracks);
  rig.AddPlainFile("C:\\music\\single.mp3", 30000);
  rig.StartUp();
  EXPECT_EQ(rig.Album().LoadState, kLoadFirstBuild);

  rig.Host.Place(0, 0, kHostStopped);
  rig.Tick();  // the first build happens even with the host stopped
  EXPECT_EQ(rig.Album().AlbumFile, "C:\\music\\album.zip");
  EXPECT_EQ(rig.Album().LoadState, kLoadBuilt);

  rig.Host.Place(0, 3000, kHostPlaying);
  rig.Tick();
  EXPECT_EQ(rig.Album().LoadState, kLoadPlaying);

  rig.Host.Place(0, 3000, kHostPaused);
  rig.Tick();
  EXPECT_EQ(rig.Album().LoadState, kLoadBuilt);

  // The options were applied: the next tick rebuilds, even while the host waits.
  rig.Album().LoadState = kLoadRebuildRequested;
  const int files = rig.Files.Calls;
  rig.Tick();
  EXPECT_GT(rig.Files.Calls, files);
  rig.Tick();
  EXPECT_EQ(rig.Album().LoadState, kLoadBuilt);

  // A plain file: nothing to follow, but playing or not is tracked.
  rig.Host.Place(1, 0, kHostPlaying);
  rig.Tick();
  EXPECT_EQ(rig.Album().AlbumKind, kAlbumNone);
  EXPECT_EQ(rig.Album().LoadState, kLoadPlaying);
  rig.Host.Place(1, 0, kHostStopped);
  rig.Tick();
  EXPECT_EQ(rig.Album().LoadState, kLoadBuilt);
}

TEST(Monitor, TwoEntriesWithTheSamePathShareOneBuild) {
  EngineRig rig;
  rig.AddZipAlbum("C:\\music\\album.zip", kSixTracks);
  rig.AddZipAlbum("C:\\music\\album.zip", kSixTracks);
  rig.StartUp();
  rig.Host.Place(0, 25000, kHostPlaying);
  rig.Tick();
  rig.Album().Tracks[4].Mark = -1;
  const int files = rig.Files.Calls;
  rig.Host.Place(1, 25000, kHostPlaying);
  rig.Tick();
  EXPECT_EQ(rig.Files.Calls, files);
  EXPECT_EQ(rig.Album().ListPos, 1);
  EXPECT_EQ(rig.Album().Tracks[4].Mark, -1);
  EXPECT_EQ(rig.Current(), 2);
}

TEST(Monitor, TheFirstBuildRestoresExclusionsAndTheSavedTrack) {
  struct Case {
    const char* name;
    std::string ini;
    std::vector<int32_t> expectedMarks;
    int32_t expectedCurrent;
    int32_t expectedTop;
  } cases[] = {
      {"saved track scrolled into view",
       "[Window]\r\nDelete=1011011110\r\n[Play]\r\nNo=8\r\n",
       {0, -1, 0, 0, -1, 0, 0, 0, 101, -1},
       8,
       5},
      {"a saved track that was excluded plays again",
       "[Window]\r\nDelete=10\r\n[Play]\r\nNo=1\r\n",
       {0, 101, 0, 0, 0, 0, 0, 0, 0, 0},
       1,
       0},
      {"a saved track past the list is dropped",
       "[Window]\r\nDelete=0\r\n[Play]\r\nNo=17\r\n",
       {-1, 0, 0, 0, 0, 0, 0, 0, 0, 0},
       0,
       0},
  };
  for (const Case& c : cases) {
    EngineRig rig;
    rig.AddZipAlbum("C:\\music\\ten.zip", std::vector<int32_t>(10, 5000));
    rig.AddZipAlbum("C:\\music\\other.zip", std::vector<int32_t>(10, 5000));
    rig.PutIni(c.ini);
    rig.StartUp();
    rig.Host.Place(0, 0, kHostStopped);
    rig.Tick();
    std::vector<int32_t> marks;
    for (const TTrackItem& t : rig.Album().Tracks) marks.push_back(t.Mark);
    EXPECT_EQ(marks, c.expectedMarks) << c.name;
    EXPECT_EQ(rig.Current(), c.expectedCurrent) << c.name;
    EXPECT_EQ(rig.Win().TopIndex, c.expectedTop) << c.name;

    // Later builds start at the first track and read no saved exclusions.
    rig.Host.Place(1, 0, kHostPlaying);
    rig.Tick();
    rig.Host.Place(0, 0, kHostPlaying);
    rig.Tick();
    EXPECT_EQ(rig.Current(), 0) << c.name;
    EXPECT_EQ(rig.Album().Tracks[0].Mark, 101) << c.name;
    for (size_t i = 1; i < 10; ++i) EXPECT_EQ(rig.Album().Tracks[i].Mark, 0) << c.name;
  }
}

TEST(Monitor, SavedExclusionsWaitForTheFirstFileThatOpens) {
  // An empty playlist first: the first tick settles the load state, and the first album
  // still gets the saved state, also once the host's main window is hidden.
  EngineRig rig;
  rig.PutIni("[Window]\r\nDelete=011\r\n[Play]\r\nNo=2\r\n");
  rig.StartUp();
  rig.Run(1000);
  EXPECT_EQ(rig.Album().LoadState, kLoadBuilt);
  rig.Window.HostMainWindowVisible = false;
  rig.AddZipAlbum("C:\\album.zip", {5000, 5000, 5000});
  rig.Host.Place(0, 0, kHostPlaying);
  rig.Tick();
  EXPECT_EQ(rig.Album().AlbumFile, "C:\\album.zip");
  EXPECT_EQ(rig.Album().Tracks[0].Mark, -1);
  EXPECT_EQ(rig.Album().Tracks[2].Mark, 101);

  // A missing file first: the exclusions still reach the first album that opens.
  EngineRig missing;
  missing.PutIni("[Window]\r\nDelete=101\r\n");
  missing.AddMissingFile("C:\\gone.zip", 30000);
  missing.AddZipAlbum("C:\\album.zip", {5000, 5000, 5000});
  missing.StartUp();
  missing.Host.Place(0, 0, kHostPlaying);
  missing.Run(1000);
  EXPECT_EQ(missing.Album().LoadState, kLoadPlaying);
  EXPECT_TRUE(missing.Album().SavedStatePending);
  missing.Host.Place(1, 0, kHostPlaying);
  missing.Tick();
  EXPECT_EQ(missing.Album().Tracks[1].Mark, -1);

  // The saved current track waits behind a missing file as the exclusions do.
  EngineRig saved;
  saved.PutIni("[Play]\r\nNo=2\r\n");
  saved.AddMissingFile("C:\\gone.zip", 30000);
  saved.AddZipAlbum("C:\\album.zip", {5000, 5000, 5000});
  saved.StartUp();
  saved.Host.Place(0, 0, kHostPlaying);
  saved.Run(1000);
  saved.Host.Place(1, 0, kHostPlaying);
  saved.Tick();
  // Restored as the current track (marked); the playback in the first track then takes over.
  EXPECT_EQ(saved.Album().Tracks[2].Mark, 101);
  EXPECT_EQ(saved.Current(), 0);
}

TEST(Monitor, AFirstBuildOfAMissingFileStillLetsTheNextAlbumLoadWhileTheHostIsHidden) {
  // The host shows only its playlist: the main window is hidden once the first build ran.
  EngineRig rig;
  rig.PutIni("[Window]\r\nDelete=101\r\n");
  rig.AddMissingFile("C:\\gone.zip", 30000);
  rig.AddZipAlbum("C:\\album.zip", {5000, 5000, 5000});
  rig.StartUp();
  rig.Host.Place(0, 0, kHostPlaying);
  rig.Tick();
  rig.Window.HostMainWindowVisible = false;
  rig.Host.Place(1, 0, kHostPlaying);
  rig.Run(1000);
  EXPECT_EQ(rig.Album().AlbumFile, "C:\\album.zip");
  ASSERT_EQ(rig.Album().Tracks.size(), 3u);
  // The saved exclusions reached the first album that opened.
  EXPECT_EQ(rig.Album().Tracks[1].Mark, -1);
  EXPECT_EQ(rig.Album().LoadState, kLoadPlaying);
  // A window closed by the user stays closed.
  FormClose(rig.Varimo, rig.Ports);
  rig.Run(1000);
  EXPECT_FALSE(rig.Window.Visible);
}

TEST(Monitor, TheWindowShowsForAlbumsAndHidesForOtherFilesWhenSetTo) {
  EngineRig rig;
  rig.AddZipAlbum("C:\\music\\album.zip", kSixTracks);
  rig.AddPlainFile("C:\\music\\single.mp3", 30000);
  rig.AddMissingFile("C:\\gone.mp3", 30000);
  rig.PutIni("[Option]\r\nVisibleChk=1\r\n");
  rig.StartUp();
  EXPECT_EQ(rig.Win().State, -kStateNormal);

  struct Step {
    int32_t entry;
    bool visible;
  } steps[] = {{1, false}, {0, true}, {1, false}, {2, false}, {0, true}, {2, false}, {0, true}};
  for (const Step& step : steps) {
    rig.Host.Place(step.entry, 0, kHostPlaying);
    rig.Tick();
    EXPECT_EQ(rig.Window.Visible, step.visible) << step.entry;
    EXPECT_EQ(rig.Win().State, step.visible ? kStateNormal : -kStateNormal) << step.entry;
  }
  EXPECT_EQ(rig.Window.Shows, 3);
  EXPECT_EQ(rig.Window.Hides, 2);
}

TEST(Monitor, TheFirstTickShowsTheWindowOnceTheHostIsVisible) {
  EngineRig rig;
  rig.AddPlainFile("C:\\music\\single.mp3", 30000);
  rig.StartUp();
  rig.Host.Place(0, 0, kHostPlaying);
  rig.Window.HostMainWindowVisible = false;
  rig.Tick();
  EXPECT_EQ(rig.Window.Shows, 0);
  EXPECT_EQ(rig.Album().LoadState, kLoadFirstBuild);
  EXPECT_TRUE(rig.Album().AlbumFile.empty());
  rig.Window.HostMainWindowVisible = true;
  rig.Tick();
  EXPECT_EQ(rig.Window.Shows, 1);
  EXPECT_EQ(rig.Album().AlbumFile, "C:\\music\\single.mp3");

  // With the host minimised at start-up, the tick leaves showing to the host's restore.
  EngineRig minimised;
  minimised.AddPlainFile("C:\\music\\single.mp3", 30000);
  minimised.PutIni("[Winamp]\r\nMinimized=1\r\n");
  minimised.StartUp();
  minimised.Host.Place(0, 0, kHostPlaying);
  minimised.Tick();
  EXPECT_EQ(minimised.Window.Shows, 0);
}

TEST(Monitor, ACallDuringATickReturnsAtOnce) {
  EngineRig rig;
  StartPlaying(rig, kSixTracks, "[Option]\r\nCorrect=0\r\n");
  int nested = 0;
  rig.View.OnRepaint = [&] {
    ++nested;
    const size_t mark = rig.Host.LogMark();
    rig.Tick();
    EXPECT_EQ(rig.Host.CountSince(mark), 0u);
  };
  rig.Host.Place(0, 25000, kHostPlaying);  // into another track: the tick repaints
  rig.Tick();
  EXPECT_EQ(nested, 1);
  EXPECT_EQ(rig.Current(), 2);
  EXPECT_FALSE(rig.Play().InTick);
}

// Mode 4 through several entries, album files and plain files alike: each switch pauses
// the host on a random entry, the next tick picks a track there and resumes at its start;
// a plain file plays on with the switch still pending.
TEST(Monitor, ShuffleAllMovesAcrossThePlaylistAndPicksTracks) {
  EngineRig rig;
  rig.AddZipAlbum("C:\\a.zip", {8000, 9000, 7000});
  rig.AddPlainFile("C:\\p1.mp3", 6000);
  rig.AddZipAlbum("C:\\b.zip", {5000, 6000, 7000, 8000});
  rig.AddPlainFile("C:\\p2.mp3", 5000);
  rig.AddZipAlbum("C:\\c.zip", {9000, 4000});
  rig.PutIni("[Option]\r\nCorrect=0\r\n[Play]\r\nMode=4\r\n");
  rig.StartUp();
  rig.Host.Place(0, 0, kHostPlaying);
  rig.Tick();

  std::set<int32_t> albumsPicked;
  int picks = 0;
  int pausedTicks = 0;
  for (int tick = 0; tick < 3000; ++tick) {
    const int32_t modeBefore = rig.Play().Mode;
    rig.Run(200);
    const int32_t entry = rig.Host.ActualEntry();
    const bool plain = entry == 1 || entry == 3;
    ASSERT_TRUE(rig.Play().Mode == kModeShuffleAll || rig.Play().Mode == kModeShuffleAllPending);
    if (rig.Host.ActualState() == kHostPaused) {
      // Only the tick of the switch leaves the host paused.
      ASSERT_EQ(rig.Play().Mode, kModeShuffleAllPending) << tick;
      ++pausedTicks;
    } else {
      ASSERT_EQ(rig.Host.ActualState(), kHostPlaying) << tick;
    }
    // A plain file plays with the switch pending, until an album file comes up.
    if (plain && rig.Host.ActualState() == kHostPlaying) {
      EXPECT_EQ(rig.Album().AlbumKind, kAlbumNone) << tick;
      EXPECT_EQ(rig.Play().Mode, kModeShuffleAllPending) << tick;
    }
    if (modeBefore == kModeShuffleAllPending && rig.Play().Mode == kModeShuffleAll) {
      ++picks;
      albumsPicked.insert(entry);
      const TTrackItem& track = rig.Album().Tracks[rig.Current()];
      EXPECT_EQ(rig.Host.ActualPositionMS(), track.StartMS) << tick;
      EXPECT_FALSE(plain);
    }
  }
  EXPECT_GT(picks, 20);
  EXPECT_EQ(albumsPicked, (std::set<int32_t>{0, 2, 4}));
  EXPECT_LT(pausedTicks, picks + 30);
  EXPECT_TRUE(rig.Host.ShuffleOn());
  EXPECT_TRUE(rig.Host.RepeatOn());
}

// A plain file reached with the switch pending builds no track list and leaves the index
// alone: the pick in the next album file starts from the track the last album played.
TEST(Monitor, ShuffleAllThroughAPlainFilePicksFromTheLastAlbumsTrack) {
  EngineRig rig;
  rig.AddZipAlbum("C:\\a.zip", {8000, 9000, 7000});
  rig.AddPlainFile("C:\\p.mp3", 6000);
  rig.AddZipAlbum("C:\\b.zip", {5000, 6000, 7002, 8000});
  rig.PutIni("[Option]\r\nCorrect=0\r\n");
  rig.StartUp();
  rig.Host.Place(0, 18000, kHostPlaying);
  rig.Tick();
  ASSERT_EQ(rig.Current(), 2);

  rig.Play().Mode = kModeShuffleAllPending;
  rig.Host.Place(1, 0, kHostPaused);
  size_t mark = rig.Host.LogMark();
  rig.Tick();
  EXPECT_EQ(rig.Steering(mark), Strings{"cmd:40045"});
  EXPECT_EQ(rig.Current(), 2);

  rig.Host.Place(2, 0, kHostPlaying);
  mark = rig.Host.LogMark();
  rig.Tick();
  const TTrackList& tracks = rig.Album().Tracks;
  ASSERT_EQ(tracks.size(), 4u);
  // Seed 0, an empty history: (19 x 4 / 51 + length of track 2) mod 4.
  const int32_t expected = (1 + tracks[2].LengthMS) % 4;
  ASSERT_NE(expected, (1 + tracks[0].LengthMS) % 4) << "the lengths must tell the two apart";
  EXPECT_EQ(rig.Current(), expected);
  EXPECT_EQ(
      rig.Steering(mark),
      (Strings{"cmd:40046", "ipc:106:" + std::to_string(tracks[expected].StartMS), "cmd:40046"}));
  EXPECT_EQ(rig.Play().Mode, kModeShuffleAll);
}

TEST(Monitor, APendingShuffleAllSwitchNeverHoldsTheHostPaused) {
  // An entry whose position the host cannot tell yet, and an album file without tracks.
  EngineRig rig;
  rig.AddZipAlbum("C:\\a.zip", {8000, 9000});
  rig.Disk.Add("C:\\empty.zip",
               {'P', 'K', 5, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  rig.Host.AddEntry("C:\\empty.zip", 4000);
  rig.StartUp();
  rig.Host.Place(0, 0, kHostPlaying);
  rig.Tick();
  rig.Play().Mode = kModeShuffleAllPending;
  rig.Host.Place(1, 0, kHostPaused);
  rig.Tick();
  rig.Tick();
  EXPECT_EQ(rig.Host.ActualState(), kHostPlaying);
  EXPECT_EQ(rig.Play().Mode, kModeShuffleAllPending);
  EXPECT_EQ(rig.Current(), 0);
}

}  // namespace
}  // namespace varimo
