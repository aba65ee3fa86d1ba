#include "window/input.h"

#include <gtest/gtest.h>

#include <set>

#include "fakes/engine_rig.h"

namespace varimo {
namespace {

using Strings = std::vector<std::string>;

// A normal window of 275 x 116 with five rows of 10 pixels, showing an album of count tracks
// of 10 s each, the host playing in the first one.
void SetUpWindow(EngineRig& rig, int32_t count, const std::set<int32_t>& excluded = {}) {
  rig.UseTenSecondAlbum(count, excluded);
  rig.Album().AlbumFile = "C:\\album.zip";
  rig.Album().LoadState = kLoadPlaying;
  rig.Window.SetBounds({100, 100, 275, 116});
  rig.Win().State = kStateNormal;
  rig.Win().VisibleRows = 5;
  rig.Varimo.Settings.Option.FontSize = 10;
}

TEST(HoverCursor, FollowsTheWindowsPartsInTheirOrder) {
  struct Case {
    int32_t state, height, x, y;
    CursorNumber expected;
  } cases[] = {
      {1, 116, 0, 0, kCursorTitle},       {1, 116, 249, 19, kCursorTitle},
      {1, 116, 250, 5, kCursorNormal},    {1, 116, 100, 20, kCursorNormal},
      {1, 116, 256, 97, kCursorResize},   {1, 116, 255, 97, kCursorNormal},
      {1, 116, 274, 115, kCursorResize},  {1, 116, 260, 22, kCursorVScroll},
      {1, 116, 268, 77, kCursorVScroll},  {1, 116, 260, 78, kCursorNormal},
      {1, 116, 265, 3, kCursorClose},     {1, 116, 273, 11, kCursorClose},
      {1, 116, 131, 86, kCursorPosBar},   {1, 116, 222, 96, kCursorPosBar},
      {1, 116, 223, 96, kCursorNormal},   {1, 116, 130, 90, kCursorNormal},
      {1, 174, 260, 135, kCursorVScroll}, {1, 174, 260, 136, kCursorNormal},
      {2, 14, 245, 3, kCursorPosBar},     {2, 14, 253, 11, kCursorPosBar},
      {2, 14, 254, 5, kCursorNormal},     {2, 14, 265, 5, kCursorClose},
      {2, 14, 0, 0, kCursorNormal},       {-1, 116, 0, 0, kCursorNormal},
      {-2, 14, 265, 5, kCursorNormal},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HoverCursor(c.state, 275, c.height, c.x, c.y), c.expected)
        << c.state << " (" << c.x << ", " << c.y << ") of height " << c.height;
  }
}

TEST(FormMouseDown, SelectsTheRowUnderThePointerInTheList) {
  struct Case {
    const char* name;
    int32_t state, topIndex, x, y;
    int32_t expectedSelection;
    bool expectRepaint;
  } cases[] = {
      {"first row, top edge", 1, 0, 15, 22, 0, true},
      {"first row, bottom edge", 1, 0, 100, 31, 0, true},
      {"second row", 1, 0, 255, 32, 1, true},
      {"scrolled list", 1, 3, 100, 42, 5, true},
      {"below the last track", 1, 3, 100, 72, -1, true},
      {"lowest list line", 1, 0, 100, 77, 5, true},
      {"left of the list", 1, 0, 14, 40, 7, false},
      {"right of the list", 1, 0, 256, 40, 7, false},
      {"under the list", 1, 0, 100, 78, 7, false},
      {"title bar", 1, 0, 100, 10, 7, false},
      {"small window", 2, 0, 100, 5, 7, false},
      {"hidden window", -1, 0, 100, 40, 7, false},
  };
  for (const Case& c : cases) {
    EngineRig rig;
    SetUpWindow(rig, 8);
    rig.Win().State = c.state;
    rig.Win().TopIndex = c.topIndex;
    rig.Win().SelectedIndex = 7;
    FormMouseDown(rig.Varimo, rig.Ports, c.x, c.y);
    EXPECT_EQ(rig.Win().SelectedIndex, c.expectedSelection) << c.name;
    EXPECT_EQ(rig.View.Count(ViewCall::kRepaint), c.expectRepaint ? 1u : 0u) << c.name;
  }
}

TEST(FormDblClick, PlaysTheTrackOnTheRow) {
  struct Case {
    const char* name;
    int32_t mode, x, y;
    int32_t expectedCurrent;
    Strings expectedSteering;
    int32_t expectedMark;  // of track 2
  } cases[] = {
      {"third row", kModeNormal, 100, 45, 2, {"ipc:106:20000"}, 0},
      {"shuffle album counts the track as played",
       kModeShuffleAlbum,
       100,
       45,
       2,
       {"ipc:106:20000"},
       1},
      {"below the last track", kModeNormal, 100, 75, 0, {}, 0},
      {"title bar", kModeNormal, 100, 10, 0, {}, 0},
  };
  for (const Case& c : cases) {
    EngineRig rig;
    SetUpWindow(rig, 4);
    rig.Win().TopIndex = 0;
    rig.Play().Mode = c.mode;
    const size_t mark = rig.Host.LogMark();
    FormDblClick(rig.Varimo, rig.Ports, c.x, c.y);
    EXPECT_EQ(rig.Current(), c.expectedCurrent) << c.name;
    EXPECT_EQ(rig.Steering(mark), c.expectedSteering) << c.name;
    EXPECT_EQ(rig.Album().Tracks[2].Mark, c.expectedMark) << c.name;
  }
}

TEST(FormDblClick, DoesNothingOnAnEmptyList) {
  EngineRig rig;
  SetUpWindow(rig, 0);
  rig.Album().CurrentIndex = 0;
  const size_t mark = rig.Host.LogMark();
  FormDblClick(rig.Varimo, rig.Ports, 100, 25);
  EXPECT_TRUE(rig.Steering(mark).empty());
}

TEST(FormMouseWheel, ScrollsThreeRowsANotchWithinTheList) {
  struct Case {
    const char* name;
    int32_t state, tracks, topIndex, delta;
    bool expectedHandled;
    int32_t expectedTop;
    bool expectRepaint;
  } cases[] = {
      {"down, clamped to the last page", 1, 20, 14, -120, true, 15, true},
      {"down from the top", 1, 20, 0, -120, true, 3, true},
      {"up", 1, 20, 14, 120, true, 11, true},
      {"up, clamped to the top", 1, 20, 2, 120, true, 0, true},
      {"up at the top", 1, 20, 0, 120, true, 0, false},
      {"down at the last page", 1, 20, 15, -120, true, 15, false},
      {"a small turn", 1, 20, 5, -39, true, 5, true},
      {"no turn", 1, 20, 5, 0, true, 5, false},
      {"the list fits", 1, 5, 0, -120, true, 0, false},
      {"small window", 2, 20, 5, -120, false, 5, false},
      {"hidden window", -1, 20, 5, -120, false, 5, false},
  };
  for (const Case& c : cases) {
    EngineRig rig;
    SetUpWindow(rig, c.tracks);
    rig.Win().State = c.state;
    rig.Win().TopIndex = c.topIndex;
    EXPECT_EQ(FormMouseWheel(rig.Varimo, rig.Ports, c.delta), c.expectedHandled) << c.name;
    EXPECT_EQ(rig.Win().TopIndex, c.expectedTop) << c.name;
    EXPECT_EQ(rig.View.Count(ViewCall::kRepaint), c.expectRepaint ? 1u : 0u) << c.name;
  }
}

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
    SetUpWindow(rig, 10);
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
    SetUpWindow(rig, 3, c.excluded);
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
    SetUpWindow(rig, 3);
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
    SetUpWindow(rig, 5);
    rig.Varimo.Settings.Option.PrevKey = c.prevKey;
    rig.Varimo.Settings.Option.NextKey = c.nextKey;
    rig.Win().State = c.state;
    rig.Album().CurrentIndex = 1;
    rig.Win().SelectedIndex = 3;
    FormKeyPress(rig.Varimo, rig.Ports, c.typed, c.fromWindow);
    EXPECT_EQ(rig.Current(), c.expectedCurrent) << c.name;
  }
}

}  // namespace
}  // namespace varimo
