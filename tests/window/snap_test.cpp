#include "window/snap.h"

#include <gtest/gtest.h>

#include <vector>

#include "fakes/engine_rig.h"

namespace varimo {
namespace {

// A drag as the window makes it: the press clears the memory and anchors the pointer, every
// move snaps and puts the window where the snap says.
class Drag {
 public:
  Drag(TWindowBounds window, TPoint press, std::vector<std::optional<TWindowBounds>> hosts = {})
      : window_(window) {
    anchor_ = press;
    input_.Dragging = true;
    input_.ScreenWidth = 1280;
    input_.Work = {0, 0, 1280, 994};
    for (size_t i = 0; i < hosts.size(); ++i) input_.Hosts[i] = hosts[i];
  }
  TSnapInput& Input() { return input_; }
  TSnapResult MoveTo(TPoint pointer) {
    input_.Window = window_;
    input_.Pointer = pointer;
    const TSnapResult result = Snap(memory_, anchor_, input_);
    window_.Left = result.Origin.Left;
    window_.Top = result.Origin.Top;
    return result;
  }

 private:
  TWindowBounds window_;
  TPoint anchor_;
  TSnapInput input_;
  TSnapMemory memory_;
};

struct Step {
  TPoint pointer;
  int32_t left, top;
  bool docked;
};

void ExpectSteps(Drag& drag, const std::vector<Step>& steps, const char* name) {
  for (size_t i = 0; i < steps.size(); ++i) {
    const TSnapResult r = drag.MoveTo(steps[i].pointer);
    EXPECT_EQ(r.Origin.Left, steps[i].left) << name << ", step " << i;
    EXPECT_EQ(r.Origin.Top, steps[i].top) << name << ", step " << i;
    EXPECT_EQ(r.Docked, steps[i].docked) << name << ", step " << i;
  }
}

TEST(Snap, TheWorkAreaEdgesHoldTheWindowUntilThePointerPullsItAway) {
  // clang-format off
  Drag left({30, 300, 275, 116}, {100, 310});
  ExpectSteps(left, {
      {{ 80, 310},   0, 300, false},  // 10 from the edge: snaps
      {{ 75, 310},   0, 300, false},  // 5 further: held
      {{ 92, 310},   0, 300, false},  // 12 from where it snapped: still held
      {{ 93, 310},  13, 300, false},  // 13: lets go and follows the pointer
      {{103, 310},  23, 300, false},  // moves freely
  }, "left edge");
  Drag top({400, 15, 275, 116}, {500, 30});
  ExpectSteps(top, {
      {{500, 24}, 400,   0, false},  // 9 from the top: snaps
      {{500, 33}, 400,   0, false},  // 9 down from the snap: held
      {{500, 34}, 400,  10, false},  // 10: follows
  }, "top edge");
  Drag right({900, 300, 275, 116}, {1000, 300});
  ExpectSteps(right, {
      {{1100, 300}, 1005, 300, false},  // right edge 1280 - 275 = 1005, 5 away
      {{1000, 300},  905, 300, false},  // pulled 100 back: free
  }, "right edge");
  // clang-format on
}

TEST(Snap, ATaskBarOnTheRightTakesItsWidthOffTheRightEdge) {
  Drag drag({900, 300, 275, 116}, {1000, 300});
  drag.Input().Work = {0, 0, 1220, 1024};
  const TSnapResult r = drag.MoveTo({1040, 300});  // 5 short of 1280 - 275 - 60
  EXPECT_EQ(r.Origin.Left, 945);
  EXPECT_FALSE(r.Docked);
}

TEST(Snap, EdgesOfAHostWindowDockOnlyBesideIt) {
  const TWindowBounds host{375, 100, 275, 116};  // right edge 650, bottom 216
  // clang-format off
  const struct {
    const char* name;
    TWindowBounds window;
    TPoint to;  // from (500, 500)
    int32_t left, top;
    bool docked;
  } cases[] = {
      {"left edge to its right edge",       {600, 150, 275, 116}, {560, 500}, 650, 150, true},
      {"right edge to its left edge",       {100, 150, 275, 116}, {505, 500}, 100, 150, true},
      {"top edge to its bottom edge",       {400, 300, 275, 116}, {500, 420}, 400, 216, true},
      {"bottom edge to its top edge",       {400, -50, 275, 116}, {500, 530}, 400, -16, true},
      {"left edge but below it",            {600, 400, 275, 116}, {560, 500}, 660, 400, false},
      {"top edge but right of it",          {700, 300, 275, 116}, {500, 420}, 700, 220, false},
  };
  // clang-format on
  for (const auto& c : cases) {
    Drag drag(c.window, {500, 500}, {host});
    const TSnapResult r = drag.MoveTo(c.to);
    EXPECT_EQ(r.Origin.Left, c.left) << c.name;
    EXPECT_EQ(r.Origin.Top, c.top) << c.name;
    EXPECT_EQ(r.Docked, c.docked) << c.name;
  }
}

TEST(Snap, ACornerSitsExactlyOnTheHostsCornerAndHoldsLikeAnEdge) {
  const TWindowBounds host{375, 500, 275, 116};  // bottom-right corner (650, 616)
  // The window's bottom-left corner 8 right of and 6 below it: it sits right of the host,
  // the bottoms aligned.
  Drag drag({658, 506, 275, 116}, {700, 550}, {host});
  // clang-format off
  ExpectSteps(drag, {
      {{700, 550}, 650, 500, true},
      {{705, 558}, 650, 500, true},   // within 12 / 9: held
      {{713, 550}, 663, 500, false},  // 13 in x: lets go
  }, "bottom-left on bottom-right");
  // clang-format on
}

TEST(SnapPosition, HiddenHostWindowsAreLeftOutOfADragButCountAtStartUp) {
  constexpr THostHandle kEqualizer = 0x5555;
  for (const bool dragging : {true, false}) {
    EngineRig rig;
    rig.Varimo.HostWindows.Handles[kSlotEqualizer] = kEqualizer;
    rig.Window.PlaceOther(kEqualizer, {375, 216, 275, 116}, false);
    rig.Window.SetBounds({655, 220, 275, 116});
    rig.Pointer.At = {700, 230};
    rig.Varimo.Window.DragAnchor = {700, 230};
    const TWindowOrigin origin = SnapPosition(rig.Varimo, rig.Ports, dragging);
    EXPECT_EQ(origin.Left, dragging ? 655 : 650) << dragging;
    EXPECT_EQ(rig.Varimo.Window.Docked, !dragging) << dragging;
  }
}

}  // namespace
}  // namespace varimo
