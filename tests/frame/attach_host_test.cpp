#include <gtest/gtest.h>

#include "fakes/engine_rig.h"
#include "frame/varimo.h"

namespace varimo {
namespace {

TEST(AttachHostWindows, KeepsTheHostsWindowsInTheirOrderAndItsMainWindowsCorner) {
  EngineRig rig;
  rig.Host.SetHostWindow(kHostEqualizer, 0x21);
  rig.Host.SetHostWindow(kHostPlaylistEditor, 0x22);
  rig.Host.SetHostWindow(kHostVideo, 0x24);
  const size_t mark = rig.Host.LogMark();
  AttachHostWindows(rig.Varimo, rig.Host, {375, 100, 275, 116});

  const THostWindows& windows = rig.Varimo.HostWindows;
  // The host has no browser window: its slot stays empty.
  const std::array<THostHandle, 5> expected = {kRigHostWindow, 0x21, 0x22, 0, 0x24};
  EXPECT_EQ(windows.Handles, expected);
  EXPECT_EQ(windows.MainLeft, 375);
  EXPECT_EQ(windows.MainTop, 100);
  std::vector<int64_t> asked;
  for (size_t i = mark; i < rig.Host.Log().size(); ++i) {
    EXPECT_EQ(rig.Host.Log()[i].Code, kIpcHostWindow);
    asked.push_back(rig.Host.Log()[i].Argument);
  }
  EXPECT_EQ(asked, (std::vector<int64_t>{0, 1, 2, 3}));
}

}  // namespace
}  // namespace varimo
