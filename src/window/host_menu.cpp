#include "window/host_menu.h"

#include "common/captions.h"

namespace varimo {
namespace {

// Ids tried before giving up on a menu that refuses every insertion.
constexpr int32_t kIdsToTry = 1000;

// The position of the last item with the main-window command; -1 when there is none.
int32_t FindMainWindowItem(IMenus& menus, THostHandle menu) {
  for (int32_t position = menus.ItemCount(menu) - 1; position >= 0; --position) {
    if (menus.ItemId(menu, position) == kHostMainWindowCommand) return position;
  }
  return -1;
}

}  // namespace

void FormHide(TVarimo& varimo, TPorts& ports) {
  TWindowState& window = varimo.Window;
  if (window.HostMenuItemId != 0) return;
  const THostHandle menu = ports.Host.MainPopupMenu();
  if (menu == 0) return;
  const int32_t start = FindMainWindowItem(ports.Menus, menu);
  if (start < 0) return;
  // The run ends at the first submenu after it (or at the menu's end).
  const int32_t count = ports.Menus.ItemCount(menu);
  int32_t end = start;
  while (end < count && ports.Menus.ItemId(menu, end) != -1) ++end;
  for (int32_t id = kHostMenuFirstId; id < kHostMenuFirstId + kIdsToTry; ++id) {
    if (ports.Menus.InsertItem(menu, end - 1, Caption(TCaption::kHostMenuItem), id)) {
      window.HostMenuItemId = id;
      return;
    }
  }
}

void FormShow(TVarimo& varimo, TPorts& ports) {
  RemoveHostMenuItem(varimo, ports);
}

void RemoveHostMenuItem(TVarimo& varimo, TPorts& ports) {
  TWindowState& window = varimo.Window;
  if (window.HostMenuItemId == 0) return;
  const THostHandle menu = ports.Host.MainPopupMenu();
  if (menu != 0) ports.Menus.RemoveItem(menu, window.HostMenuItemId);
  window.HostMenuItemId = 0;
}

void RenewHostMenuItem(TVarimo& varimo, TPorts& ports) {
  if (varimo.Window.HostMenuItemId == 0) return;
  RemoveHostMenuItem(varimo, ports);
  FormHide(varimo, ports);
}

}  // namespace varimo
