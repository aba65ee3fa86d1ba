#pragma once
// Windows that simhost raises itself to prove its modal driving without the plug-in: a
// popup menu with every kind of item, message boxes, a dialog of standard controls (tabs,
// check box, edit with up-down, combo box, rich edit, a report list view with an in-place
// cell editor and row drag-and-drop), the folder browser and the open-file dialog. Each
// but the message box opens from a message of a hidden window of its own, as a plug-in
// opens them from a message handler, and writes what the user did to the log.

#include <windows.h>

#include <functional>
#include <string>

namespace varimo {

class SelfTestUi {
 public:
  using Note = std::function<void(const std::string&)>;
  SelfTestUi(Note note, HWND owner) : note_(std::move(note)), owner_(owner) {}
  SelfTestUi(const SelfTestUi&) = delete;
  SelfTestUi& operator=(const SelfTestUi&) = delete;
  ~SelfTestUi();

  bool Create(HINSTANCE instance);
  // Each posts the opening to the hidden window and returns at once.
  void OpenPopup(POINT screen);
  // Shows a message box at once and returns when it closes, as a call into a plug-in
  // that shows one does. buttons: MB_OK, MB_OKCANCEL, MB_YESNO or MB_YESNOCANCEL; ansi
  // shows it with the A call.
  void RunMessageBox(const std::string& text, const std::string& caption, UINT buttons, bool ansi);
  void OpenDialog();
  void OpenFolderBrowser();
  void OpenFileDialog(const std::string& folder);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK EditorProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
  void ShowPopup();
  void ShowDialog();
  void ShowFolderBrowser();
  void ShowFileDialog();
  void InitDialog(HWND dialog);
  void DialogCommand(HWND dialog, int id, int code, HWND control);
  void DialogNotify(HWND dialog, const NMHDR& header);
  void ShowPage(HWND dialog, int page);
  void OpenEditor(HWND list, int row, int column);
  void EndEditor(bool commit);
  void DropRow(HWND dialog);

  Note note_;
  HWND owner_;
  HWND window_ = nullptr;
  HINSTANCE instance_ = nullptr;
  HFONT font_ = nullptr;
  HMODULE richEdit_ = nullptr;
  POINT popupAt_ = {0, 0};
  std::string fileFolder_;
  // The dialog's in-place editor and the row being dragged.
  HWND editor_ = nullptr;
  WNDPROC editorBase_ = nullptr;
  int editRow_ = -1;
  int editColumn_ = -1;
  int dragRow_ = -1;
};

}  // namespace varimo
