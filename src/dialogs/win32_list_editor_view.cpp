#include "dialogs/win32_list_editor_view.h"

#include <windows.h>
// The common controls header builds on the one above.
#include <commctrl.h>

#include <algorithm>

#include "platform/win32_text.h"

namespace varimo {
namespace {

// Commands of the lists' popup menus.
enum ListMenuCommand : UINT {
  kMenuAdd = 1,
  kMenuDelete,
  kMenuClear,
  kMenuPreset = 10,  // + the preset's tag
};

// The most entries an open drop-down shows before it scrolls.
constexpr int32_t kVisibleEntries = 25;

HWND ToWindow(TWindowHandle handle) {
  return static_cast<HWND>(handle);
}

POINT PointOf(LPARAM lParam) {
  return {static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam))};
}

void AddColumn(HWND list, int index, const char* caption, int width) {
  std::wstring text = WideFromUtf8(caption);
  LVCOLUMNW column = {};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = text.data();
  column.cx = width;
  SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(&column));
}

int HitRow(HWND list, POINT at) {
  LVHITTESTINFO hit = {};
  hit.pt = at;
  const int row =
      static_cast<int>(SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  return (hit.flags & LVHT_ONITEM) != 0 ? row : -1;
}

RECT RowRect(HWND list, int row) {
  RECT rect = {};
  rect.left = LVIR_BOUNDS;
  SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
  return rect;
}

// Sets the state bits of mask on one row, or on every row for -1.
void SetRowState(HWND list, int row, UINT mask, UINT state) {
  LVITEMW item = {};
  item.stateMask = mask;
  item.state = state;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* view = reinterpret_cast<TListEditorView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return static_cast<LRESULT>(view->Subclassed(window, message, wParam, lParam));
}

}  // namespace

void TListEditorView::Open(TWindowHandle list, TFontHandle font) {
  list_ = list;
  for (int column = 0; column < 3; ++column) {
    AddColumn(ToWindow(list_), column, Caption(spec_.Captions[static_cast<size_t>(column)]),
              rows_.Widths()[static_cast<size_t>(column)]);
  }
  Subclass(list_);
  MakeEditors(font);
  Fill();
}

bool TListEditorView::IsEditor(int32_t id) const {
  return id != 0 &&
         std::find(spec_.Editors.begin(), spec_.Editors.end(), id) != spec_.Editors.end();
}

void TListEditorView::Subclass(TWindowHandle window) {
  HWND hwnd = ToWindow(window);
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  originals_[window] = reinterpret_cast<void*>(
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
}

void TListEditorView::MakeEditors(TFontHandle font) {
  HWND page = GetParent(ToWindow(list_));
  for (size_t column = 0; column < editors_.size(); ++column) {
    const int32_t id = spec_.Editors[column];
    if (id == 0) continue;
    const std::vector<std::string>* choices = rows_.Choices(static_cast<int32_t>(column));
    const bool combo = choices != nullptr;
    HWND editor = CreateWindowExW(
        combo ? 0 : WS_EX_CLIENTEDGE, combo ? L"COMBOBOX" : L"EDIT", L"",
        WS_CHILD | WS_TABSTOP | (combo ? CBS_DROPDOWNLIST | WS_VSCROLL : ES_AUTOHSCROLL), 0, 0, 10,
        10, page, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessageW(editor, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (combo) {
      for (const std::string& entry : *choices) {
        SendMessageW(editor, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(WideFromUtf8(entry).c_str()));
      }
    }
    Subclass(editor);
    editors_[column] = editor;
  }
}

void TListEditorView::Fill() {
  HWND list = ToWindow(list_);
  // Filling inside another filling keeps the outer guard up.
  const bool outer = filling_;
  filling_ = true;
  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  for (size_t r = 0; r < rows_.RowCount(); ++r) {
    const TListRow cells = rows_.Shown(r);
    for (int column = 0; column < 3; ++column) {
      const std::string& cell = cells[static_cast<size_t>(column)];
      std::wstring text = rows_.AnsiColumn(column) ? WideFromAnsi(cell) : WideFromUtf8(cell);
      LVITEMW item = {};
      item.mask = LVIF_TEXT;
      item.iItem = static_cast<int>(r);
      item.iSubItem = column;
      item.pszText = text.data();
      SendMessageW(list, column == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, column == 0 ? 0 : r,
                   reinterpret_cast<LPARAM>(&item));
    }
  }
  if (rows_.Selected >= 0) {
    SetRowState(list, rows_.Selected, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  }
  filling_ = outer;
}

void TListEditorView::Unselect() {
  SetRowState(ToWindow(list_), -1, LVIS_SELECTED, 0);
}

void TListEditorView::SyncSelection() {
  rows_.Selected = static_cast<int32_t>(
      SendMessageW(ToWindow(list_), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

bool TListEditorView::OnNotify(intptr_t header) {
  const NMHDR& notice = *reinterpret_cast<const NMHDR*>(header);
  if (notice.code == LVN_ITEMCHANGED && !filling_ && !owner_.Filling()) {
    SyncSelection();
    return true;
  }
  if (notice.code == LVN_BEGINDRAG && rows_.Reorders() && openEditor_ == nullptr) {
    rows_.Selected = reinterpret_cast<const NMLISTVIEW*>(header)->iItem;
    dragging_ = true;
    SetCapture(GetParent(ToWindow(list_)));
    return true;
  }
  return false;
}

bool TListEditorView::OnDragMessage(TWindowHandle window, uint32_t message, intptr_t lParam) {
  switch (message) {
    case WM_MOUSEMOVE: {
      HWND list = ToWindow(list_);
      POINT at = PointOf(lParam);
      MapWindowPoints(ToWindow(window), list, &at, 1);
      const int target = HitRow(list, at);
      SetRowState(list, -1, LVIS_DROPHILITED, 0);
      if (target >= 0) SetRowState(list, target, LVIS_DROPHILITED, LVIS_DROPHILITED);
      return true;
    }
    case WM_LBUTTONUP: EndDrag(true); return true;
    case WM_CAPTURECHANGED: EndDrag(false); return false;
    default: return false;
  }
}

void TListEditorView::EndDrag(bool drop) {
  dragging_ = false;
  HWND list = ToWindow(list_);
  POINT at;
  GetCursorPos(&at);
  ScreenToClient(list, &at);
  if (GetCapture() == GetParent(list)) ReleaseCapture();
  const bool focused = GetFocus() == list;
  const int target = drop ? HitRow(list, at) : -1;
  owner_.ListChanged(target >= 0 ? rows_.Move(target) : TListChange::kNone);
  Fill();
  if (focused) SetFocus(list);
  owner_.ListActed();
}

void TListEditorView::OnContextMenu(intptr_t at) {
  HWND list = ToWindow(list_);
  POINT point = PointOf(at);
  if (at == -1) {
    RECT rect;
    GetWindowRect(list, &rect);
    point = {rect.left, rect.top};
  }
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, kMenuAdd, WideFromUtf8(Caption(TCaption::kListAdd)).c_str());
  AppendMenuW(menu, MF_STRING, kMenuDelete, WideFromUtf8(Caption(TCaption::kListDelete)).c_str());
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kMenuClear, WideFromUtf8(Caption(TCaption::kListClear)).c_str());
  const std::vector<std::string> presets = rows_.PresetCaptions();
  if (!presets.empty()) {
    HMENU submenu = CreatePopupMenu();
    for (size_t tag = 0; tag < presets.size(); ++tag) {
      AppendMenuW(submenu, MF_STRING, kMenuPreset + tag, WideFromUtf8(presets[tag]).c_str());
    }
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu),
                WideFromUtf8(Caption(TCaption::kListPreset)).c_str());
  }
  const UINT command = static_cast<UINT>(TrackPopupMenu(
      menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, GetParent(list), nullptr));
  DestroyMenu(menu);
  if (command == 0) return;
  if (command == kMenuAdd) {
    AddRow();
  } else {
    TListChange change = TListChange::kNone;
    if (command == kMenuDelete) change = rows_.Delete();
    if (command == kMenuClear) change = rows_.Clear();
    if (command >= kMenuPreset) change = rows_.Preset(command - kMenuPreset);
    owner_.ListChanged(change);
    Fill();
  }
  owner_.ListActed();
}

void TListEditorView::AddRow() {
  owner_.ListChanged(rows_.Add());
  Fill();
  if (!rows_.Editor) return;
  SendMessageW(ToWindow(list_), LVM_SCROLL, 0, rows_.EditorRowTop());
  OpenEditor();
}

void TListEditorView::OnPress(int32_t x, int32_t y) {
  SyncSelection();
  if (rows_.Selected < 0) return;
  const RECT row = RowRect(ToWindow(list_), rows_.Selected);
  const TListChange change = rows_.Press(x - row.left, y - row.top);
  owner_.ListChanged(change);
  if (change != TListChange::kNone) Fill();
  if (rows_.Editor) OpenEditor();
  owner_.ListActed();
}

void TListEditorView::OnDblClick(int32_t x, int32_t y, int32_t hitRow) {
  SyncSelection();
  if (rows_.Selected < 0) {
    // A double click on no row adds one.
    AddRow();
    owner_.ListActed();
    return;
  }
  rows_.DblClick();
  // The double click's own press opens the cell it was on.
  if (hitRow >= 0) OnPress(x, y);
}

void TListEditorView::OpenEditor() {
  if (!rows_.Editor) return;
  const TOpenEditor target = *rows_.Editor;
  const size_t column = static_cast<size_t>(target.Column);
  HWND editor = ToWindow(editors_[column]);
  if (editor == nullptr) return;
  HWND list = ToWindow(list_);
  const TEditorPlace place = EditorPlace(rows_.Widths(), target.Column, spec_.ExtraWidths[column]);
  const RECT row = RowRect(list, target.Row);
  POINT at = {row.left + place.Left, row.top + place.Top};
  MapWindowPoints(list, GetParent(editor), &at, 1);
  int height = row.bottom - row.top;
  if (const std::vector<std::string>* choices = rows_.Choices(target.Column)) {
    SendMessageW(editor, CB_SETCURSEL, static_cast<WPARAM>(rows_.EditedChoice()), 0);
    const int itemHeight = static_cast<int>(SendMessageW(editor, CB_GETITEMHEIGHT, 0, 0));
    const int fieldHeight =
        static_cast<int>(SendMessageW(editor, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    const int visible = std::min<int>(kVisibleEntries, static_cast<int>(choices->size()));
    height = fieldHeight + 8 + visible * itemHeight;
  } else {
    SetWindowTextW(editor, WideFromAnsi(rows_.EditedText()).c_str());
  }
  SetWindowPos(editor, HWND_TOP, at.x, at.y, place.Width, height, SWP_SHOWWINDOW);
  openEditor_ = editor;
  openColumn_ = target.Column;
  SetFocus(editor);
  owner_.EditorOpened();
}

bool TListEditorView::OnEditorCommand(int32_t id, int32_t code) {
  for (int32_t column = 0; column < 3; ++column) {
    if (id == 0 || spec_.Editors[static_cast<size_t>(column)] != id) continue;
    if (code != (IsCombo(column) ? CBN_KILLFOCUS : EN_KILLFOCUS)) return false;
    Commit(false);
    return true;
  }
  return false;
}

void TListEditorView::Commit(bool focusList) {
  HWND editor = ToWindow(openEditor_);
  if (editor == nullptr) return;
  openEditor_ = nullptr;
  const TListChange change =
      IsCombo(openColumn_)
          ? rows_.CommitChoice(static_cast<int32_t>(SendMessageW(editor, CB_GETCURSEL, 0, 0)))
          : rows_.CommitText(AnsiFromWide(WindowText(editor)));
  owner_.ListChanged(change);
  ShowWindow(editor, SW_HIDE);
  Fill();
  if (focusList) SetFocus(ToWindow(list_));
  owner_.ListActed();
}

void TListEditorView::Cancel() {
  HWND editor = ToWindow(openEditor_);
  if (editor == nullptr) return;
  openEditor_ = nullptr;
  rows_.Cancel();
  ShowWindow(editor, SW_HIDE);
  SetFocus(ToWindow(list_));
  owner_.ListActed();
}

intptr_t TListEditorView::Subclassed(TWindowHandle window, uint32_t message, uintptr_t wParam,
                                     intptr_t lParam) {
  HWND hwnd = ToWindow(window);
  auto original = reinterpret_cast<WNDPROC>(originals_[window]);
  try {
    if (window == list_) {
      const POINT at = PointOf(lParam);
      if (message == WM_LBUTTONDOWN) {
        const LRESULT result = CallWindowProcW(original, hwnd, message, wParam, lParam);
        if (!dragging_) OnPress(at.x, at.y);
        return result;
      }
      if (message == WM_LBUTTONDBLCLK) {
        const int hit = HitRow(hwnd, at);
        const LRESULT result = CallWindowProcW(original, hwnd, message, wParam, lParam);
        OnDblClick(at.x, at.y, hit);
        return result;
      }
    } else if (window == openEditor_) {
      const bool combo = IsCombo(openColumn_);
      if (message == WM_GETDLGCODE) {
        return CallWindowProcW(original, hwnd, message, wParam, lParam) | DLGC_WANTALLKEYS;
      }
      if (message == WM_KEYDOWN) {
        const bool held = combo && (GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_MENU) < 0);
        const bool dropped = combo && SendMessageW(hwnd, CB_GETDROPPEDSTATE, 0, 0) != 0;
        switch (EditorKeyAction(static_cast<int32_t>(wParam), held, dropped)) {
          case TEditorKey::kCommit: Commit(true); return 0;
          case TEditorKey::kCancel: Cancel(); return 0;
          case TEditorKey::kNone: break;
        }
      }
      // The characters of the keys that closed the editor would only beep.
      if (message == WM_CHAR && (wParam == '\r' || wParam == 0x1B)) return 0;
    }
  } catch (...) {
  }
  return CallWindowProcW(original, hwnd, message, wParam, lParam);
}

}  // namespace varimo
