#pragma once
// Open popup menus as the user sees them: their windows (class "#32768"), the menus
// they show (MN_GETHMENU), every item's caption, shortcut text and states, and the
// item a caption path names.

#include <windows.h>

#include <string>
#include <vector>

namespace varimo {

struct TMenuEntry {
  int Position = 0;
  UINT Id = 0;
  std::wstring Caption;   // the text before the tab
  std::wstring Shortcut;  // the text after the tab
  bool Separator = false;
  bool OwnerDrawn = false;
  bool Checked = false;
  bool Radio = false;
  bool Grayed = false;    // MF_GRAYED
  bool Disabled = false;  // MF_DISABLED (also set for grayed items)
  bool Default = false;
  HMENU Submenu = nullptr;
  std::vector<TMenuEntry> Items;  // the submenu's items
};

// The visible popup menu windows of this thread, outermost first.
std::vector<HWND> OpenMenuWindows();
HMENU MenuOfWindow(HWND window);
// The menu the user opened (not one of its submenus), or null when none is open.
HMENU OpenRootMenu();
// The window showing menu, or null when it is not shown.
HWND WindowOfMenu(HMENU menu);

std::vector<TMenuEntry> ReadMenu(HMENU menu);
// One line per item, submenus indented below their item.
std::vector<std::string> FormatMenu(const std::vector<TMenuEntry>& items, int indent = 0);
std::string DescribeEntry(const TMenuEntry& entry);

// A caption path: captions separated by "/" ("//" stands for a slash in a caption); an
// element "#N" names the N-th item (from 1, separators counted).
std::vector<std::string> SplitMenuPath(const std::string& path);
// The position of the item named by one path element, or -1.
int FindMenuItem(const std::vector<TMenuEntry>& items, const std::string& element);

}  // namespace varimo
