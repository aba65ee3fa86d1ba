#include "window/win32_screen.h"

#include <windows.h>

namespace varimo {

TWindowBounds Win32WindowBounds(THostHandle window) {
  RECT rect;
  if (!GetWindowRect(reinterpret_cast<HWND>(window), &rect)) return {};
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

TWorkArea Win32WorkArea() {
  RECT rect;
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &rect, 0)) {
    // Without a task bar to leave out, the work area is the whole screen.
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  return {rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace varimo
