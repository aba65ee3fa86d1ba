#pragma once
// Watches this thread's windows for the modal things a scenario drives: popup menus,
// message boxes and dialogs. Each one that opens or closes gets a log line (a popup menu
// its full item list, a message box its caption and text), and message boxes are counted.

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace varimo {

struct TMessageBoxRecord {
  HWND Window = nullptr;
  std::wstring Caption;
  std::wstring Text;
};

// A visible dialog-class window that shows a message box's text control.
bool IsMessageBox(HWND window);
std::wstring MessageBoxText(HWND window);
// The visible top-level dialog-class windows of this thread, message boxes included.
std::vector<HWND> OpenDialogWindows();

class ModalWatch {
 public:
  explicit ModalWatch(std::function<void(const std::string&)> note) : note_(std::move(note)) {}

  // Looks at the windows once; cheap enough for every pass of a message loop.
  void Poll();
  size_t MessageBoxMark() const { return boxes_.size(); }
  const std::vector<TMessageBoxRecord>& MessageBoxes() const { return boxes_; }
  // Writes the open popup menu's items to the log as they are now.
  void NoteOpenMenu(const std::string& heading);

 private:
  struct TShown {
    HWND Window;
    bool Box;
    std::string Caption;  // UTF-8, for the closing line
  };

  std::function<void(const std::string&)> note_;
  std::vector<TShown> shown_;
  size_t menuWindows_ = 0;
  std::vector<TMessageBoxRecord> boxes_;
};

}  // namespace varimo
