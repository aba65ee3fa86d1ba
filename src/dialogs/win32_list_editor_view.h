#pragma once
// One list of the options dialog that is edited in place, on the system: its list view, the
// editors laid over one cell at a time, the popup menu of its rows and the drag that
// reorders them. The rows and their rules are the working copy's (list_editors.h); the
// options view keeps one of these for each list and follows up what an action changed.

#include <array>
#include <cstdint>
#include <map>

#include "common/captions.h"
#include "dialogs/list_editors.h"
#include "dialogs/win32_dialog_window.h"

namespace varimo {

// The list view's control id and its columns' captions (UTF-8); by column, the control id
// of the editor laid over its cells (0 for none) and how many pixels wider than the column
// that editor is drawn. An editor is a drop-down list where the rows give the column
// choices, else a free-text edit.
struct TListEditorSpec {
  int32_t List;
  std::array<TCaption, 3> Captions;
  std::array<int32_t, 3> Editors;
  std::array<int32_t, 3> ExtraWidths;
};

// The options view's side of a list's actions.
class IListEditorOwner {
 public:
  virtual ~IListEditorOwner() = default;
  // While the dialog fills its controls, the list's change messages are its own doing.
  virtual bool Filling() const = 0;
  // An action changed the rows as said; the working copy and the controls follow up.
  virtual void ListChanged(TListChange change) = 0;
  // An action is done: the controls show the working copy again.
  virtual void ListActed() = 0;
  // An editor opened: Enter and Esc become its own.
  virtual void EditorOpened() = 0;
};

class TListEditorView {
 public:
  TListEditorView(TEditedList& rows, const TListEditorSpec& spec, IListEditorOwner& owner)
      : rows_(rows), spec_(spec), owner_(owner) {}
  TListEditorView(const TListEditorView&) = delete;
  TListEditorView& operator=(const TListEditorView&) = delete;

  // Gives the list view its columns, makes the editors hidden beside it in font and fills it.
  void Open(TWindowHandle list, TFontHandle font);

  bool IsList(TWindowHandle window) const { return window == list_; }
  bool IsEditor(int32_t id) const;
  bool Editing() const { return openEditor_ != nullptr; }
  bool Filling() const { return filling_; }
  bool Dragging() const { return dragging_; }

  // The list view shows the rows again, the selected one selected.
  void Fill();
  // The list view selects no row.
  void Unselect();
  // Takes the open editor's value into its cell; the list gets the focus when so asked.
  void Commit(bool focusList);

  // The dialog's messages that concern the list. A notification (WM_NOTIFY's lParam) from
  // the list view: true when handled.
  bool OnNotify(intptr_t header);
  // WM_CONTEXTMENU on the list view; at as the message gives it.
  void OnContextMenu(intptr_t at);
  // WM_COMMAND of one of its editors: true when the editor's losing the focus committed it.
  bool OnEditorCommand(int32_t id, int32_t code);
  // WM_MOUSEMOVE, WM_LBUTTONUP and WM_CAPTURECHANGED while a row is dragged, to the window
  // that holds the mouse: true when handled.
  bool OnDragMessage(TWindowHandle window, uint32_t message, intptr_t lParam);

  // The list view's and the editors' own messages, ahead of their window procedures.
  intptr_t Subclassed(TWindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);

 private:
  void Subclass(TWindowHandle window);
  void MakeEditors(TFontHandle font);
  void SyncSelection();
  void OnPress(int32_t x, int32_t y);
  void OnDblClick(int32_t x, int32_t y, int32_t hitRow);
  // Adds a row and opens the editor the list opened on it, scrolled into view.
  void AddRow();
  void OpenEditor();
  void Cancel();
  void EndDrag(bool drop);
  // The editor of the column is a drop-down list of its choices.
  bool IsCombo(int32_t column) const { return rows_.Choices(column) != nullptr; }

  TEditedList& rows_;
  const TListEditorSpec& spec_;
  IListEditorOwner& owner_;
  TWindowHandle list_ = nullptr;
  std::array<TWindowHandle, 3> editors_{};    // by column
  std::map<TWindowHandle, void*> originals_;  // WNDPROCs
  TWindowHandle openEditor_ = nullptr;
  int32_t openColumn_ = 0;
  bool filling_ = false;
  bool dragging_ = false;
};

}  // namespace varimo
