#pragma once
// The object behind a window procedure: the last parameter of CreateWindowEx, kept in the
// window's user data from WM_NCCREATE on. One thunk for the plug-in's window and the
// simulated host's windows. Also the walk up a window's owners.

#include <windows.h>

namespace varimo {

// The object a window was created for; null for the messages before WM_NCCREATE.
template <typename T>
T* WindowObject(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    // The creation parameter stands first in CREATESTRUCTA and CREATESTRUCTW alike.
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  return reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Whether wanted is first or one of the windows owning first in turn. Owner chains are
// short; a longer one is not followed to its end.
inline bool OwnerChainHolds(HWND first, HWND wanted) {
  constexpr int kMaxOwners = 16;
  HWND owner = first;
  for (int n = 0; owner != nullptr && n < kMaxOwners; ++n, owner = GetWindow(owner, GW_OWNER)) {
    if (owner == wanted) return true;
  }
  return false;
}

}  // namespace varimo
