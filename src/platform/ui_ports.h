#pragma once
// The ports the user's side of the window works through: the mouse pointer, synthetic keys,
// global hot keys, menus, the thread hooks and the messages shown to the user.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/host.h"

namespace varimo {

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
};

// The system's mouse pointer, in screen coordinates.
class IPointer {
 public:
  virtual ~IPointer() = default;
  virtual TPoint Position() const = 0;
  virtual void MoveTo(TPoint point) = 0;
  // Moves and the release reach the window even outside it while it holds the capture.
  virtual void Capture() = 0;
  virtual void ReleaseCapture() = 0;
  // One of the window's cursors by its number in the cursor table.
  virtual void SetCursor(int32_t number) = 0;
};

// Keys made up as if typed.
class IKeyboard {
 public:
  virtual ~IKeyboard() = default;
  // A release of the key; mappedScanCode gives it the scan code the system maps it to,
  // otherwise scan code 0.
  virtual void KeyUp(int32_t virtualKey, bool mappedScanCode) = 0;
  // A press and a release of the key.
  virtual void KeyPress(int32_t virtualKey) = 0;
};

// Global hot keys of the main window, named by global atoms.
class IHotKeySystem {
 public:
  virtual ~IHotKeySystem() = default;
  // The atom's identifier; 0 when the system has no atom to give.
  virtual int32_t AddGlobalAtom(const std::string& name) = 0;
  virtual void DeleteGlobalAtom(int32_t atom) = 0;
  // False when the combination cannot be had (another program holds it).
  virtual bool Register(int32_t id, int32_t modifiers, int32_t virtualKey) = 0;
  virtual void Unregister(int32_t id) = 0;
};

// The two hooks on the host's user-interface thread.
class IHooks {
 public:
  virtual ~IHooks() = default;
  virtual void Install() = 0;
  virtual void Remove() = 0;
};

// One item of a popup menu as the window builds it.
struct TMenuItem {
  enum class Kind { kCommand, kSeparator, kSubmenuBegin, kSubmenuEnd };
  Kind Type = Kind::kCommand;
  int32_t Id = 0;        // what a pick of the item answers
  std::string Caption;   // UTF-8
  std::string Shortcut;  // the key shown right of the caption; empty for none
  bool Radio = false;    // checked as one of a group
  bool Checked = false;
  bool Enabled = true;
};

class IMenus {
 public:
  virtual ~IMenus() = default;
  // Shows the menu at a screen point and waits for the user; the picked item's Id, or 0
  // when the menu was dismissed.
  virtual int32_t TrackPopup(const std::vector<TMenuItem>& items, TPoint at) = 0;
  // Another program's menu (the host's main popup menu).
  virtual int32_t ItemCount(THostHandle menu) = 0;
  // The command of the item at position; -1 for a submenu and for positions past the end.
  virtual int32_t ItemId(THostHandle menu, int32_t position) = 0;
  // A text item inserted in front of position; false when the menu refused it.
  virtual bool InsertItem(THostHandle menu, int32_t position, const std::string& caption,
                          int32_t id) = 0;
  virtual void RemoveItem(THostHandle menu, int32_t id) = 0;
};

// What the window shows the user beside itself: messages, its two dialogs, the folder
// browser, and the other programs it starts.
class IDialogs {
 public:
  virtual ~IDialogs() = default;
  // A modal error message with an OK button (both the window's messages report a failure);
  // text is UTF-8.
  virtual void ShowMessage(const std::string& text) = 0;
  // The options dialog, modal: made from the settings in force, gone when this returns.
  virtual void ShowOptions() = 0;
  // The file information of the selected track, modal, made and destroyed likewise.
  virtual void ShowFileInfo() = 0;
  // The system's folder browser with a title (UTF-8), opening at proposed when that is not
  // empty; the chosen folder (ANSI), or nothing when the user cancelled. The playback
  // monitor keeps running while it is open.
  virtual std::optional<std::string> BrowseForFolder(const std::string& title,
                                                     const std::string& proposed) = 0;
  // Starts the program at path (never searched for) with its command line (both ANSI),
  // shown, without waiting for it; whether it started is not reported.
  virtual void StartProgram(const std::string& program, const std::string& commandLine) = 0;
};

}  // namespace varimo
