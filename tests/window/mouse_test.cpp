#include "window/mouse.h"

#include <gtest/gtest.h>

#include <set>

#include "fakes/engine_rig.h"

namespace varimo {
namespace {

using Strings = std::vector<std::string>;

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
    rig.ShowTenSecondAlbum(8);
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
  };
  for (const Case& c : cases) {
    EngineRig rig;
    rig.ShowTenSecondAlbum(4);
    rig.Win().TopIndex = 0;
    rig.Play().Mode = c.mode;
    const size_t mark = rig.Host.LogMark();
    rig.Pointer.At = {100 + c.x, 100 + c.y};
    FormDblClick(rig.Varimo, rig.Ports);
    EXPECT_EQ(rig.Current(), c.expectedCurrent) << c.name;
    EXPECT_EQ(rig.Steering(mark), c.expectedSteering) << c.name;
    EXPECT_EQ(rig.Album().Tracks[2].Mark, c.expectedMark) << c.name;
  }
}

TEST(FormDblClick, DoesNothingOnAnEmptyList) {
  EngineRig rig;
  rig.ShowTenSecondAlbum(0);
  rig.Album().CurrentIndex = 0;
  const size_t mark = rig.Host.LogMark();
  rig.Pointer.At = {200, 125};
  FormDblClick(rig.Varimo, rig.Ports);
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
    rig.ShowTenSecondAlbum(c.tracks);
    rig.Win().State = c.state;
    rig.Win().TopIndex = c.topIndex;
    EXPECT_EQ(FormMouseWheel(rig.Varimo, rig.Ports, c.delta), c.expectedHandled) << c.name;
    EXPECT_EQ(rig.Win().TopIndex, c.expectedTop) << c.name;
    EXPECT_EQ(rig.View.Count(ViewCall::kRepaint), c.expectRepaint ? 1u : 0u) << c.name;
  }
}

TEST(FormMouseDown, EachPartOfTheNormalWindowDoesItsOwnThing) {
  // clang-format off
  struct Case {
    const char* name;
    int32_t x, y;
    HostPlayState host;
    Strings expectedSteering;
    int32_t expectedDrag, expectedState, expectedTop;
    bool expectedRemain;
  } cases[] = {
      {"title bar starts a move",        249, 19, kHostPlaying, {},                 kDragMove,   1, 6, false},
      {"resize grip",                    256, 97, kHostPlaying, {},                 kDragResize, 1, 6, false},
      {"scroll up by four",              260, 80, kHostPlaying, {},                 kDragNone,   1, 2, false},
      {"scroll down, held to the last page", 267, 89, kHostPlaying, {},             kDragNone,   1, 7, false},
      {"position bar while playing",     131, 86, kHostPlaying, {},                 kDragPosition, 1, 6, false},
      {"position bar while stopped",     131, 86, kHostStopped, {},                 kDragNone,   1, 6, false},
      {"small-window button",            255, 3,  kHostPlaying, {},                 kDragNone,   2, 6, false},
      {"close button, and the host's menu gets the item", 265, 11, kHostPlaying, {"ipc:281:0"}, kDragNone, -1, 6, false},
      {"previous, from the start",       131, 101, kHostPlaying, {"cmd:40045"},     kDragNone,   1, 0, false},
      {"play while playing",             139, 101, kHostPlaying, {},                kDragNone,   1, 6, false},
      {"play while stopped",             147, 107, kHostStopped, {"cmd:40045", "ipc:106:10000"}, kDragNone, 1, 6, false},
      {"pause",                          149, 101, kHostPlaying, {"cmd:40046"},     kDragNone,   1, 6, false},
      {"stop",                           166, 107, kHostPlaying, {"cmd:40047"},     kDragNone,   1, 6, false},
      {"next, scrolled into view",       168, 101, kHostPlaying, {"ipc:106:20000"}, kDragNone,   1, 0, false},
      {"time display",                   188, 101, kHostPlaying, {},                kDragNone,   1, 6, true},
      {"between the buttons",            138, 101, kHostPlaying, {},                kDragNone,   1, 6, false},
  };
  // clang-format on
  for (const Case& c : cases) {
    EngineRig rig;
    rig.ShowTenSecondAlbum(12);
    rig.Win().TopIndex = 6;
    rig.Album().CurrentIndex = 1;
    rig.Host.Place(0, 12000, c.host);
    rig.Play().HostState = c.host;
    rig.Win().Snap.ScreenLeft = 5;
    const size_t mark = rig.Host.LogMark();
    FormMouseDown(rig.Varimo, rig.Ports, c.x, c.y);
    EXPECT_EQ(rig.Steering(mark), c.expectedSteering) << c.name;
    EXPECT_EQ(rig.Win().DragMode, c.expectedDrag) << c.name;
    EXPECT_EQ(rig.Pointer.Captured, c.expectedDrag != kDragNone) << c.name;
    EXPECT_EQ(rig.Win().State, c.expectedState) << c.name;
    EXPECT_EQ(rig.Win().TopIndex, c.expectedTop) << c.name;
    EXPECT_EQ(rig.Win().Remain, c.expectedRemain) << c.name;
    // A move starts with nothing snapped.
    if (c.expectedDrag == kDragMove) {
      EXPECT_FALSE(rig.Win().Snap.ScreenLeft) << c.name;
    }
  }
}

TEST(FormMouseDown, TheScrollArrowsFromAListScrolledPastItsLastPage) {
  // 20 tracks, 10 rows: the last page starts at 10. The list was left at 15 while the
  // window showed 5 rows.
  // clang-format off
  struct Case { const char* name; int32_t y, expectedTop; } cases[] = {
      {"up: four rows back, not held to the last page", 80, 11},
      {"down: nothing below the last page",             89, 15},
  };
  // clang-format on
  for (const Case& c : cases) {
    EngineRig rig;
    rig.ShowTenSecondAlbum(20);
    rig.Win().VisibleRows = 10;
    rig.Win().TopIndex = 15;
    FormMouseDown(rig.Varimo, rig.Ports, 260, c.y);
    EXPECT_EQ(rig.Win().TopIndex, c.expectedTop) << c.name;
  }
}

TEST(FormMouseMove, TheHoverCursorFollowsThePointerUnlessAButtonIsHeld) {
  EngineRig rig;
  rig.ShowTenSecondAlbum(3);
  FormMouseMove(rig.Varimo, rig.Ports, 10, 10);
  EXPECT_EQ(rig.Pointer.Cursor, kCursorTitle);
  FormMouseMove(rig.Varimo, rig.Ports, 270, 110, true);
  EXPECT_EQ(rig.Pointer.Cursor, kCursorTitle);
  FormMouseMove(rig.Varimo, rig.Ports, 270, 110);
  EXPECT_EQ(rig.Pointer.Cursor, kCursorResize);
}

TEST(FormMouseDown, TheSmallWindowsPartsAndTheEjectButton) {
  EngineRig rig;
  rig.ShowTenSecondAlbum(3);
  constexpr THostHandle kPlaylist = 0x2222;
  rig.Varimo.HostWindows.Handles[kSlotPlaylistEditor] = kPlaylist;
  FormMouseDown(rig.Varimo, rig.Ports, 180, 103);
  EXPECT_EQ(rig.Window.Activated, std::vector<THostHandle>{kPlaylist});
  EXPECT_EQ(rig.Keyboard.Keys, Strings{"press:76"});

  FormMouseDown(rig.Varimo, rig.Ports, 10, 10);  // title bar: a move
  FormMouseUp(rig.Varimo, rig.Ports);
  FormMouseDown(rig.Varimo, rig.Ports, 255, 5);  // to the small window
  EXPECT_EQ(rig.Win().State, kStateSmall);
  EXPECT_EQ(rig.Win().SavedHeight, 116);
  EXPECT_EQ(rig.Window.Bounds().Height, 14);
  FormMouseDown(rig.Varimo, rig.Ports, 245, 11);  // the width grip
  EXPECT_EQ(rig.Win().DragMode, kDragResize);
  FormMouseUp(rig.Varimo, rig.Ports);
  FormMouseDown(rig.Varimo, rig.Ports, 10, 5);  // the bar: a move, with the title cursor
  EXPECT_EQ(rig.Win().DragMode, kDragMove);
  EXPECT_EQ(rig.Pointer.Cursor, kCursorTitle);
  FormMouseUp(rig.Varimo, rig.Ports);
  FormMouseDown(rig.Varimo, rig.Ports, 255, 5);  // back to the normal window
  EXPECT_EQ(rig.Win().State, kStateNormal);
  EXPECT_EQ(rig.Window.Bounds().Height, 116);
  EXPECT_EQ(rig.Window.MinHeight, 116);
  EXPECT_EQ(rig.Window.MaxHeight, 0);
}

TEST(ResizeStep, GrowsAndShrinksATileAtATimeOnceThePointerMovedHalfATile) {
  // clang-format off
  struct Case {
    const char* name;
    int32_t width, height, dx, dy;
    int32_t expectedWidth, expectedHeight, expectedPointerX, expectedPointerY;
  } cases[] = {
      {"12 right changes nothing",       275, 116,  12,   0, 275, 116, 112, 100},
      {"13 right adds a tile",           275, 116,  13,   0, 300, 116, 126, 100},
      {"38 right adds two",              275, 116,  38,   0, 325, 116, 176, 100},
      {"13 left from 300",               300, 116, -13,   0, 275, 116,  74, 100},
      {"no shrinking from 283",          283, 116, -40,   0, 283, 116,  60, 100},
      {"the minimum width holds",        284, 116, -40,   0, 275, 116,  20, 100},
      {"15 down adds a tile",            275, 116,   0,  15, 275, 145, 100, 130},
      {"15 up from 145",                 275, 145,   0, -15, 275, 116, 100,  70},
      {"no shrinking from 143",          275, 143,   0, -40, 275, 143, 100,  60},
      {"both at once",                   275, 116,  13,  15, 300, 145, 126, 130},
  };
  // clang-format on
  for (const Case& c : cases) {
    const TResizeStep step =
        ResizeStep(c.width, c.height, true, {100 + c.dx, 100 + c.dy}, {100, 100});
    EXPECT_EQ(step.Width, c.expectedWidth) << c.name;
    EXPECT_EQ(step.Height, c.expectedHeight) << c.name;
    EXPECT_EQ(step.Pointer.X, c.expectedPointerX) << c.name;
    EXPECT_EQ(step.Pointer.Y, c.expectedPointerY) << c.name;
    EXPECT_EQ(step.Changed, c.expectedWidth != c.width || c.expectedHeight != c.height) << c.name;
    if (step.Changed) {
      EXPECT_EQ(step.Anchor.X, step.Pointer.X) << c.name;
    }
  }
  // The small window keeps its height.
  EXPECT_EQ(ResizeStep(275, 14, false, {113, 130}, {100, 100}).Height, 14);
}

TEST(Dragging, MovesSnapsAndResizesWithoutAskingTheHostOrTheFiles) {
  EngineRig rig;
  rig.ShowTenSecondAlbum(3);
  rig.Window.SetBounds({40, 300, 275, 116});
  rig.Pointer.At = {60, 310};
  FormMouseDown(rig.Varimo, rig.Ports, 20, 10);
  const size_t hostMark = rig.Host.LogMark();
  const int fileCalls = rig.Files.Calls;
  // 30 to the left: the work area's left edge is 10 away and takes the window.
  rig.Pointer.At = {30, 310};
  FormMouseMove(rig.Varimo, rig.Ports, 0, 0);
  EXPECT_EQ(rig.Window.Bounds().Left, 0);
  // Up against the host's main window's left edge (375): its right edge is pulled to 375.
  rig.Pointer.At = {30 + 95, 210};
  FormMouseMove(rig.Varimo, rig.Ports, 0, 0);
  EXPECT_EQ(rig.Window.Bounds().Left, 100);
  EXPECT_EQ(rig.Window.Bounds().Top, 200);
  EXPECT_TRUE(rig.Win().Docked);
  FormMouseUp(rig.Varimo, rig.Ports);
  EXPECT_FALSE(rig.Pointer.Captured);

  // The grip: 13 to the right and 15 down.
  rig.Pointer.At = {370, 310};
  FormMouseDown(rig.Varimo, rig.Ports, 270, 110);
  rig.Pointer.At = {383, 325};
  FormMouseMove(rig.Varimo, rig.Ports, 0, 0);
  EXPECT_EQ(rig.Window.Bounds().Width, 300);
  EXPECT_EQ(rig.Window.Bounds().Height, 145);
  EXPECT_EQ(rig.Pointer.Moves.back().X, 396);
  EXPECT_EQ(rig.Pointer.Moves.back().Y, 340);
  FormMouseUp(rig.Varimo, rig.Ports);
  EXPECT_EQ(rig.Host.LogMark(), hostMark);
  EXPECT_EQ(rig.Files.Calls, fileCalls);
}

TEST(Dragging, TheScrollThumbFollowsThePointerRowByRow) {
  EngineRig rig;
  rig.ShowTenSecondAlbum(20);
  rig.Win().ScrollStep = 40.0 / 15;  // as the last repaint placed it
  rig.Win().ThumbY = 20;
  // clang-format off
  const struct { int32_t pointerY, expectedTop; } steps[] = {
      // Past the last row's exact place the thumb still reaches it: 41 / (40 / 15) is 15.4.
      {100 + 20, 0}, {100 + 48, 10}, {100 + 61, 15}, {100 + 19, 0}, {100 + 30, 3},
      {100 + 62, 15}, {100 + 90, 15}};
  // clang-format on
  rig.Pointer.At = {362, steps[0].pointerY};
  FormMouseDown(rig.Varimo, rig.Ports, 262, 22);
  for (const auto& step : steps) {
    rig.Pointer.At = {362, step.pointerY};
    FormMouseMove(rig.Varimo, rig.Ports, 0, 0);
    EXPECT_EQ(rig.Win().TopIndex, step.expectedTop) << step.pointerY;
  }
  FormMouseUp(rig.Varimo, rig.Ports);
  EXPECT_EQ(rig.Win().DragMode, kDragNone);
}

TEST(Dragging, ThePositionBarSeeksWhereItIsLetGoWithTheTimerHeldAroundTheSeek) {
  EngineRig rig;
  rig.ShowTenSecondAlbum(3);
  rig.Album().CurrentIndex = 1;
  rig.Host.Place(0, 12000, kHostPlaying);
  rig.Window.StartTimer(200);
  // The bar's travel starts 142 from the right edge: x 133 + 42.5 is the middle.
  rig.Pointer.At = {100 + 133, 100 + 90};
  FormMouseDown(rig.Varimo, rig.Ports, 133, 90);
  EXPECT_EQ(rig.Play().PositionFraction, 0);
  rig.Pointer.At = {100 + 133 + 34, 100 + 90};
  FormMouseMove(rig.Varimo, rig.Ports, 0, 0);
  EXPECT_DOUBLE_EQ(rig.Play().PositionFraction, 0.4);
  rig.Pointer.At = {100 + 400, 100 + 90};  // beyond the bar: the thumb stays
  FormMouseMove(rig.Varimo, rig.Ports, 0, 0);
  EXPECT_DOUBLE_EQ(rig.Play().PositionFraction, 0.4);
  const size_t mark = rig.Host.LogMark();
  const int stops = rig.Window.TimerStops;
  FormMouseUp(rig.Varimo, rig.Ports);
  EXPECT_EQ(rig.Steering(mark), Strings{"ipc:106:14000"});
  EXPECT_EQ(rig.Album().SeekBaseMS, 14000);
  EXPECT_EQ(rig.Window.TimerStops, stops + 1);
  EXPECT_TRUE(rig.Window.TimerRunning);
}

TEST(FormDblClick, TheTitleBarAndTheSmallBarSwitchTheWindow) {
  EngineRig rig;
  rig.ShowTenSecondAlbum(12);
  rig.Album().CurrentIndex = 11;
  rig.Pointer.At = {100 + 245, 100 + 5};  // x = W - 30
  FormDblClick(rig.Varimo, rig.Ports);
  EXPECT_EQ(rig.Win().State, kStateSmall);
  FormDblClick(rig.Varimo, rig.Ports);  // not left of W - 30 on the small bar
  EXPECT_EQ(rig.Win().State, kStateSmall);
  rig.Pointer.At = {100 + 244, 100 + 5};
  FormDblClick(rig.Varimo, rig.Ports);
  EXPECT_EQ(rig.Win().State, kStateNormal);
  // Back in the normal window the current track is in view.
  EXPECT_EQ(rig.Win().TopIndex, 7);
}

TEST(FormDblClick, AnExcludedTrackPlayedInShuffleAlbumStaysExcluded) {
  EngineRig rig;
  rig.ShowTenSecondAlbum(4, {2});
  rig.Play().Mode = kModeShuffleAlbum;
  rig.Pointer.At = {100 + 100, 100 + 45};
  FormDblClick(rig.Varimo, rig.Ports);
  EXPECT_EQ(rig.Current(), 2);
  EXPECT_EQ(rig.Album().Tracks[2].Mark, -1);
}

}  // namespace
}  // namespace varimo
