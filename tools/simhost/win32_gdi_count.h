#pragma once
// How many GDI and USER objects and how much private memory the process holds, for the
// scenarios' leak checks.

#include <windows.h>

#include <cstdint>
#include <string>

namespace varimo {

struct TGuiObjectCount {
  DWORD Gdi = 0;
  DWORD User = 0;
  bool GdiKnown = false;
  bool UserKnown = false;
  // Committed private pages of the address space: what Windows calls private bytes.
  uint64_t PrivateBytes = 0;
  // Under Wine, the GDI objects by kind ("DC 12, bitmap 30, ..."), to tell a leak's kind.
  std::string GdiKinds;
};

// The system's own counts where it keeps them. Under Wine, which counts nothing there, the
// GDI count comes from the process's GDI handle table, and the USER count is the process's
// windows plus the menus, icons and cursors found in its own part of the USER handle table.
TGuiObjectCount CountGuiObjects();

}  // namespace varimo
