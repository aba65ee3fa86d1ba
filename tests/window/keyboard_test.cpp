#include "window/keyboard.h"

#include <gtest/gtest.h>

#include <set>

#include "fakes/engine_rig.h"

namespace varimo {
namespace {

using Strings = std::vector<std::string>;

TEST(FormKeyDown, UpAndDownMoveTheSelectionAndKeepItInView) {
  struct Case {
    const char* name;
    int32_t key, selected, topIndex;
    int32_t expectedSelected, expectedTop;
    bool expectRepaint;
  } cases[] = {
      {"up without a selection", kKeyUp, -1, 4, 0, 0, true},
      {"up at the first row", kKeyUp, 0, 0, 0, 0, false},
      {"up within the page", kKeyUp, 6, 4, 5, 4, true},
      {"up above the page", kKeyUp, 4, 4, 3, 3, true},
      {"down without a selection", kKeyDown, -1, 0, 0, 0, true},
      {"down within the page", kKeyDown, 2, 0, 3, 0, true},
      {"down below the page", kKeyDown, 4, 0, 5, 1, true},
      {"down at the last row", kKeyDown, 9, 5, 9, 5, false},
  };
  for (const Case& c : cases) {
    EngineRig rig;
    rig.ShowTenSecondAlbum(10);
    rig.Win().SelectedIndex = c.selected;
    rig.Win().TopIndex = c.topIndex;
    FormKeyDown(rig.Varimo, rig.Ports, c.key);
    EXPECT_EQ(rig.Win().SelectedIndex, c.expectedSelected) << c.name;
    EXPECT_EQ(rig.Win().TopIndex, c.expectedTop) << c.name;
    EXPECT_EQ(rig.View.Count(ViewCall::kRepaint), c.expectRepaint ? 1u : 0u) << c.name;
  }
}

TEST(FormKeyDown, DeleteExcludesTheSelectedTrackButNeverTheLastPlayableOne) {
  struct Case {
    const char* name;
    std::set<int32_t> excluded;
    int32_t state, selected;
    int32_t expectedMark;  // of the selected track, or of track 0 when none is selected
  } cases[] = {
      {"excludes", {}, 1, 1, -1},
      {"includes again", {1}, 1, 1, 0},
      {"the last playable track stays", {0, 2}, 1, 1, 0},
      {"an excluded track comes back beside the last playable one", {0, 2}, 1, 0, 0},
      {"small window", {}, 2, 1, 0},
      {"no selection", {}, 1, -1, 0},
      {"a selection beyond a shorter album", {}, 1, 3, 0},
  };
  for (const Case& c : cases) {
    EngineRig rig;
    rig.ShowTenSecondAlbum(3, c.excluded);
    rig.Win().State = c.state;
    rig.Win().SelectedIndex = c.selected;
    FormKeyDown(rig.Varimo, rig.Ports, kKeyDelete);
    const int32_t looked = c.selected >= 0 && c.selected < 3 ? c.selected : 0;
    EXPECT_EQ(rig.Album().Tracks[looked].Mark, c.expectedMark) << c.name;
  }
}

TEST(FormKeyDown, RightAndLeftSkipWhilePlayingAndTheDisplayFollowsAtOnce) {
  struct Case {
    const char* name;
    int32_t key;
    HostPlayState state;
    Strings expectedSteering;
    uint64_t expectedSlept;
  } cases[] = {
      {"forward", kKeyRight, kHostPlaying, {"cmd:40060"}, 100},
      {"back", kKeyLeft, kHostPlaying, {"cmd:40061"}, 100},
      {"paused", kKeyRight, kHostPaused, {}, 0},
  };
  for (const Case& c : cases) {
    EngineRig rig;
    rig.ShowTenSecondAlbum(3);
    rig.Host.Place(0, 12000, c.state);
    rig.Play().HostState = c.state;
    const size_t mark = rig.Host.LogMark();
    FormKeyDown(rig.Varimo, rig.Ports, c.key);
    EXPECT_EQ(rig.Steering(mark), c.expectedSteering) << c.name;
    EXPECT_EQ(rig.Clock.Slept, c.expectedSlept) << c.name;
    // The tick that follows a skip asks the host where it is.
    EXPECT_EQ(rig.Host.CountIpc(kIpcPositionMS, mark), c.expectedSlept ? 1u : 0u) << c.name;
  }
}

TEST(FormKeyPress, EnterPlaysTheSelectionAndThePreviousAndNextKeysStep) {
  struct Case {
    const char* name;
    char prevKey, nextKey;
    char typed;
    bool fromWindow;
    int32_t state;
    int32_t expectedCurrent;
  } cases[] = {
      {"enter in the window", ',', '.', '\r', true, 1, 3},
      {"enter in a host window", ',', '.', '\r', false, 1, 1},
      {"previous", ',', '.', ',', false, 1, 0},
      {"next", ',', '.', '.', true, 1, 2},
      {"a lower-case letter counts as its capital", 'B', 'N', 'n', false, 1, 2},
      {"another character", ',', '.', 'x', true, 1, 1},
      {"the character of no key", ',', '.', '\0', false, 1, 1},
      {"hidden window", ',', '.', '.', false, -1, 1},
  };
  for (const Case& c : cases) {
    EngineRig rig;
    rig.ShowTenSecondAlbum(5);
    rig.Varimo.Settings.Option.PrevKey = c.prevKey;
    rig.Varimo.Settings.Option.NextKey = c.nextKey;
    rig.Win().State = c.state;
    rig.Album().CurrentIndex = 1;
    rig.Win().SelectedIndex = 3;
    FormKeyPress(rig.Varimo, rig.Ports, c.typed, c.fromWindow);
    EXPECT_EQ(rig.Current(), c.expectedCurrent) << c.name;
  }
}

TEST(FormKeyDown, F1ShowsTheHelpAndAlt3InTheSmallWindowSelectsTheCurrentTrack) {
  EngineRig rig;
  rig.ShowTenSecondAlbum(5);
  rig.Varimo.HostProgramPath = "C:\\Winamp\\winamp.exe";
  const size_t mark = rig.Host.LogMark();
  FormKeyDown(rig.Varimo, rig.Ports, kKeyF1);
  EXPECT_EQ(rig.Host.CountIpc(kIpcBrowser, mark), 2u);
  EXPECT_EQ(rig.Host.Log().back().Text, "C:\\Winamp\\Plugins\\gen_Varimo.htm");

  rig.Album().CurrentIndex = 3;
  FormKeyDown(rig.Varimo, rig.Ports, kKey3, {true, false, false});
  EXPECT_EQ(rig.Win().SelectedIndex, -1);  // the normal window keeps its selection
  rig.Win().State = kStateSmall;
  FormKeyDown(rig.Varimo, rig.Ports, kKey3);  // without Alt: nothing
  EXPECT_EQ(rig.Win().SelectedIndex, -1);
  FormKeyDown(rig.Varimo, rig.Ports, kKey3, {true, false, false});
  EXPECT_EQ(rig.Win().SelectedIndex, 3);
}

}  // namespace
}  // namespace varimo
