#pragma once
// How many GDI and USER objects the process holds, for the scenarios' leak checks.

#include <windows.h>

namespace varimo {

struct TGuiObjectCount {
  DWORD Gdi = 0;
  DWORD User = 0;
  bool GdiKnown = false;
  bool UserKnown = false;
};

// The system's own counts where it keeps them; under Wine, which counts nothing there, the
// GDI count comes from the process's GDI handle table and the USER count stays unknown.
TGuiObjectCount CountGuiObjects();

}  // namespace varimo
