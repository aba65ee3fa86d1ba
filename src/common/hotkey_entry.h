#pragma once
// One global hot key: as the settings file keeps it, as the options dialog edits it and as the
// hot-key code registers it with the system.

#include <cstdint>

namespace varimo {

struct THotKeyEntry {
  int32_t Cmd = 0;
  int32_t Mod = 0;  // 1 Alt, 2 Ctrl, 4 Shift
  int32_t Key = 0;  // virtual-key code
  // Its atom once a registration was tried; -1 before, and in the settings.
  int32_t Id = -1;
};

}  // namespace varimo
