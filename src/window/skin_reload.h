#pragma once
// The order of a skin load, shared by the window and the test rig: ask the host, load only
// when its skin changed (or when forced), with the monitor's timer held meanwhile, then keep
// the window on the screen and repaint it.

#include <cstdint>
#include <string>

#include "platform/host.h"
#include "platform/ports.h"

namespace varimo {

// Where the skin's bitmaps and colours are loaded from a folder.
class ISkinFiles {
 public:
  virtual ~ISkinFiles() = default;
  // Replaces the bitmaps and colours with those of the skin in folder (empty: built in).
  virtual void LoadSkinFiles(const std::string& folder) = 0;
};

// skinDir is the host's answer at the last load (one per library); timerMS the interval the
// timer starts with again. True when the skin was loaded.
bool ReloadSkin(bool force, std::string& skinDir, IHost& host, ISkinFiles& files, IWindow& window,
                IView& view, int32_t timerMS);

}  // namespace varimo
