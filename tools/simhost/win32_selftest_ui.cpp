#include "win32_selftest_ui.h"

#include <commctrl.h>
#include <commdlg.h>
#include <richedit.h>
#include <shlobj.h>

#include <vector>

#include "platform/win32_window_object.h"
#include "win32_controls.h"
#include "win32_text.h"

namespace varimo {
namespace {

enum : UINT {
  kOpenPopup = WM_APP + 1,
  kOpenDialog,
  kOpenFolderBrowser,
  kOpenFileDialog,
  kEndEditor,  // to the dialog: wParam 1 commits the in-place editor, 0 cancels it
};

// The self-test popup menu's ids.
enum : UINT {
  kPlay = 5001,
  kPause = 5002,
  kNormal = 5011,
  kRepeatAlbum = 5012,
  kExpand = 5021,
  kZip = 5031,
  kLha = 5032,
  kAddedLate = 5041,
  kAnsiItem = 5051,
  kClose = 5099,
};

// The self-test dialog's controls.
enum : int {
  kCheck = 101,
  kIntervalEdit = 102,
  kIntervalUpDown = 103,
  kNameEdit = 104,
  kModeCombo = 105,
  kSample = 106,
  kDisabledButton = 107,
  kIntervalLabel = 110,
  kNameLabel = 111,
  kFormList = 201,
  kTabs = 300,
};

constexpr int kPageOne[] = {kCheck,  kIntervalEdit,   kIntervalUpDown, kNameEdit, kModeCombo,
                            kSample, kDisabledButton, kIntervalLabel,  kNameLabel};
constexpr int kPageTwo[] = {kFormList};
constexpr int kDialogWidth = 440;
constexpr int kDialogHeight = 360;
constexpr int kEntriesInCombo = 20;

std::wstring W(const std::string& utf8) {
  return WideFromWord(utf8);
}

// A dialog template with no controls; they are created at WM_INITDIALOG.
std::vector<WORD> EmptyDialogTemplate(const std::wstring& caption) {
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  auto* header = reinterpret_cast<DLGTEMPLATE*>(words.data());
  header->style = DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  header->cx = 200;
  header->cy = 100;
  words.push_back(0);  // no menu
  words.push_back(0);  // the standard dialog class
  for (wchar_t c : caption) words.push_back(static_cast<WORD>(c));
  words.push_back(0);
  return words;
}

HWND Child(HINSTANCE instance, HWND parent, const wchar_t* className, const std::wstring& text,
           DWORD style, int id, int x, int y, int width, int height, HFONT font) {
  HWND control = CreateWindowExW(
      0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

void AddRow(HWND list, int row, const std::wstring& text, const std::wstring& code) {
  LVITEMW item = {};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  item.iSubItem = 1;
  item.pszText = const_cast<wchar_t*>(code.c_str());
  SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

std::string Quoted(const std::wstring& text) {
  return "\"" + Utf8FromWide(text) + "\"";
}

std::string ButtonResult(int result) {
  switch (result) {
    case IDOK: return "ok";
    case IDCANCEL: return "cancel";
    case IDYES: return "yes";
    case IDNO: return "no";
    default: return std::to_string(result);
  }
}

}  // namespace

SelfTestUi::~SelfTestUi() {
  if (window_ != nullptr) DestroyWindow(window_);
  if (font_ != nullptr) DeleteObject(font_);
  if (richEdit_ != nullptr) FreeLibrary(richEdit_);
}

bool SelfTestUi::Create(HINSTANCE instance) {
  instance_ = instance;
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.lpszClassName = L"simhost self test";
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  // Hidden, not message-only: a popup menu needs an owner the user could have clicked.
  window_ = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"simhost self test", WS_POPUP, 0,
                            0, 1, 1, nullptr, nullptr, instance, this);
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                                                         ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  richEdit_ = LoadLibraryW(L"riched20.dll");
  font_ = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                      L"MS UI Gothic");
  return window_ != nullptr;
}

void SelfTestUi::OpenPopup(POINT screen) {
  popupAt_ = screen;
  PostMessageW(window_, kOpenPopup, 0, 0);
}

void SelfTestUi::OpenDialog() {
  PostMessageW(window_, kOpenDialog, 0, 0);
}

void SelfTestUi::OpenFolderBrowser() {
  PostMessageW(window_, kOpenFolderBrowser, 0, 0);
}

void SelfTestUi::OpenFileDialog(const std::string& folder) {
  fileFolder_ = folder;
  PostMessageW(window_, kOpenFileDialog, 0, 0);
}

LRESULT CALLBACK SelfTestUi::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* ui = WindowObject<SelfTestUi>(window, message, lParam);
  if (ui == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case kOpenPopup: ui->ShowPopup(); return 0;
    case kOpenDialog: ui->ShowDialog(); return 0;
    case kOpenFolderBrowser: ui->ShowFolderBrowser(); return 0;
    case kOpenFileDialog: ui->ShowFileDialog(); return 0;
    case WM_INITMENUPOPUP: {
      // A submenu filled only as it opens, as some menus are: a reader must open it.
      HMENU menu = reinterpret_cast<HMENU>(wParam);
      if (GetMenuItemCount(menu) == 0) {
        AppendMenuW(menu, MF_STRING, kAddedLate, W("後で追加").c_str());
        ui->note_("selftest popup: late submenu filled");
      }
      return 0;
    }
    default: break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void SelfTestUi::ShowPopup() {
  HMENU kinds = CreatePopupMenu();
  AppendMenuW(kinds, MF_STRING | MF_CHECKED, kZip, L"ZIP");
  AppendMenuW(kinds, MF_STRING | MF_DISABLED, kLha, L"LHA");
  HMENU album = CreatePopupMenu();
  AppendMenuW(album, MF_STRING, kExpand, W("展開\tCtrl+E").c_str());
  AppendMenuW(album, MF_POPUP, reinterpret_cast<UINT_PTR>(kinds), W("種類").c_str());
  HMENU late = CreatePopupMenu();
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, kPlay, W("再生\tEnter").c_str());
  AppendMenuW(menu, MF_STRING | MF_GRAYED, kPause, W("一時停止\tX").c_str());
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kNormal, W("ﾉｰﾏﾙ").c_str());
  AppendMenuW(menu, MF_STRING, kRepeatAlbum, W("ﾘﾋﾟｰﾄ (ｱﾙﾊﾞﾑ)\tR").c_str());
  // A radio group as menus built item by item mark it: every item drawn as a radio item.
  for (UINT id : {kNormal, kRepeatAlbum}) {
    MENUITEMINFOW radio = {};
    radio.cbSize = sizeof(radio);
    radio.fMask = MIIM_FTYPE | MIIM_STATE;
    radio.fType = MFT_STRING | MFT_RADIOCHECK;
    radio.fState = id == kNormal ? MFS_CHECKED : MFS_UNCHECKED;
    SetMenuItemInfoW(menu, id, FALSE, &radio);
  }
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(album), W("ｱﾙﾊﾞﾑ情報").c_str());
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(late), W("後で").c_str());
  // An item made with the ANSI call from Shift-JIS bytes.
  AppendMenuA(menu, MF_STRING, kAnsiItem, AnsiFromWord("ANSI項目").c_str());
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kClose, W("閉じる").c_str());
  note_("selftest popup: opening");
  SetForegroundWindow(owner_);
  int picked = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, popupAt_.x, popupAt_.y, 0,
                              window_, nullptr);
  PostMessageW(window_, WM_NULL, 0, 0);
  DestroyMenu(menu);
  note_("selftest popup: returned " + std::to_string(picked));
}

void SelfTestUi::RunMessageBox(const std::string& text, const std::string& caption, UINT buttons,
                               bool ansi) {
  note_("selftest message box: opening");
  int result =
      ansi ? MessageBoxA(owner_, AnsiFromWord(text).c_str(), AnsiFromWord(caption).c_str(), buttons)
           : MessageBoxW(owner_, W(text).c_str(), W(caption).c_str(), buttons);
  note_("selftest message box: returned " + ButtonResult(result));
}

void SelfTestUi::ShowDialog() {
  std::vector<WORD> form = EmptyDialogTemplate(W("自己診断ダイアログ"));
  note_("selftest dialog: opening");
  INT_PTR result = DialogBoxIndirectParamW(instance_, reinterpret_cast<DLGTEMPLATE*>(form.data()),
                                           owner_, DialogProc, reinterpret_cast<LPARAM>(this));
  editor_ = nullptr;
  dragRow_ = -1;
  note_("selftest dialog: returned " + ButtonResult(static_cast<int>(result)));
}

INT_PTR CALLBACK SelfTestUi::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    reinterpret_cast<SelfTestUi*>(lParam)->InitDialog(dialog);
    return TRUE;
  }
  auto* ui = reinterpret_cast<SelfTestUi*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (ui == nullptr) return FALSE;
  switch (message) {
    case WM_COMMAND:
      ui->DialogCommand(dialog, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return TRUE;
    case WM_NOTIFY: ui->DialogNotify(dialog, *reinterpret_cast<NMHDR*>(lParam)); return TRUE;
    case kEndEditor: ui->EndEditor(wParam != 0); return TRUE;
    case WM_LBUTTONUP:
      if (ui->dragRow_ >= 0) ui->DropRow(dialog);
      return TRUE;
    default: return FALSE;
  }
}

void SelfTestUi::InitDialog(HWND dialog) {
  RECT frame = {0, 0, kDialogWidth, kDialogHeight};
  AdjustWindowRectEx(&frame, GetWindowLongW(dialog, GWL_STYLE), FALSE,
                     GetWindowLongW(dialog, GWL_EXSTYLE));
  SetWindowPos(dialog, nullptr, 200, 150, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOZORDER);
  HINSTANCE in = instance_;
  HFONT f = font_;
  HWND tabs = Child(in, dialog, WC_TABCONTROLW, L"", WS_CLIPSIBLINGS | WS_TABSTOP, kTabs, 8, 8, 424,
                    290, f);
  TCITEMW tab = {};
  tab.mask = TCIF_TEXT;
  std::wstring general = W("一般");
  std::wstring list = W("リスト");
  tab.pszText = &general[0];
  SendMessageW(tabs, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&tab));
  tab.pszText = &list[0];
  SendMessageW(tabs, TCM_INSERTITEMW, 1, reinterpret_cast<LPARAM>(&tab));

  Child(in, dialog, WC_BUTTONW, W("半透明にする"), BS_AUTOCHECKBOX | WS_TABSTOP, kCheck, 24, 44,
        200, 22, f);
  Child(in, dialog, WC_STATICW, W("間隔"), 0, kIntervalLabel, 24, 80, 60, 20, f);
  HWND interval = Child(in, dialog, WC_EDITW, L"", WS_BORDER | ES_NUMBER | ES_READONLY,
                        kIntervalEdit, 90, 76, 80, 24, f);
  HWND updown = Child(in, dialog, UPDOWN_CLASSW, L"",
                      UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                      kIntervalUpDown, 0, 0, 0, 0, f);
  SendMessageW(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(interval), 0);
  SendMessageW(updown, UDM_SETRANGE32, 10, 1000);
  UDACCEL step = {0, 10};
  SendMessageW(updown, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&step));
  SendMessageW(updown, UDM_SETPOS32, 0, 200);
  Child(in, dialog, WC_STATICW, W("名前"), 0, kNameLabel, 24, 116, 60, 20, f);
  Child(in, dialog, WC_EDITW, L"", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, kNameEdit, 90, 112, 220,
        24, f);
  HWND combo = Child(in, dialog, WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                     kModeCombo, 90, 148, 220, 200, f);
  for (const char* entry : {"ﾉｰﾏﾙ", "ﾘﾋﾟｰﾄ (ｱﾙﾊﾞﾑ)", "ｼｬｯﾌﾙ"}) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(entry).c_str()));
  }
  for (int i = 4; i <= kEntriesInCombo; ++i) {
    std::wstring entry = W("項目 ") + std::to_wstring(i);
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  }
  SendMessageW(combo, CB_SETCURSEL, 0, 0);
  HWND sample = Child(in, dialog, richEdit_ != nullptr ? RICHEDIT_CLASSW : WC_EDITW, L"",
                      WS_BORDER | ES_READONLY | ES_MULTILINE, kSample, 24, 188, 390, 44, f);
  SetWindowTextW(sample, W("見本 Sample 行").c_str());
  HWND disabled =
      Child(in, dialog, WC_BUTTONW, W("無効"), BS_PUSHBUTTON, kDisabledButton, 24, 246, 90, 28, f);
  EnableWindow(disabled, FALSE);

  HWND forms = Child(in, dialog, WC_LISTVIEWW, L"",
                     WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                     kFormList, 24, 44, 390, 230, f);
  SendMessageW(forms, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  LVCOLUMNW column = {};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  std::wstring text = W("文字");
  std::wstring code = W("コード");
  column.cx = 200;
  column.pszText = &text[0];
  SendMessageW(forms, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  column.cx = 120;
  column.pszText = &code[0];
  SendMessageW(forms, LVM_INSERTCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
  AddRow(forms, 0, W("ｱｰﾃｨｽﾄ"), L"%A");
  AddRow(forms, 1, W("ﾀｲﾄﾙ"), L"%T");
  AddRow(forms, 2, W("ｱﾙﾊﾞﾑ"), L"%L");
  AddRow(forms, 3, W("年"), L"%Y");

  HWND ok = Child(in, dialog, WC_BUTTONW, L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, 250, 314, 86,
                  30, f);
  Child(in, dialog, WC_BUTTONW, W("キャンセル"), BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL, 344, 314, 86,
        30, f);
  ShowPage(dialog, 0);
  SetFocus(ok);
}

void SelfTestUi::ShowPage(HWND dialog, int page) {
  for (int id : kPageOne) ShowWindow(GetDlgItem(dialog, id), page == 0 ? SW_SHOW : SW_HIDE);
  for (int id : kPageTwo) ShowWindow(GetDlgItem(dialog, id), page == 1 ? SW_SHOW : SW_HIDE);
}

void SelfTestUi::DialogCommand(HWND dialog, int id, int code, HWND control) {
  if (id == IDOK || id == IDCANCEL) {
    // While a cell is being edited, Enter and Esc belong to the editor.
    if (editor_ != nullptr) return;
    note_("selftest dialog: closing, check " +
          std::to_string(SendDlgItemMessageW(dialog, kCheck, BM_GETCHECK, 0, 0)) + ", interval " +
          std::to_string(SendDlgItemMessageW(dialog, kIntervalUpDown, UDM_GETPOS32, 0, 0)) +
          ", combo #" +
          std::to_string(SendDlgItemMessageW(dialog, kModeCombo, CB_GETCURSEL, 0, 0)));
    EndDialog(dialog, id);
    return;
  }
  if (id == kCheck && code == BN_CLICKED) {
    note_("selftest dialog: check clicked, now " +
          std::to_string(SendMessageW(control, BM_GETCHECK, 0, 0)));
  } else if ((id == kIntervalEdit || id == kNameEdit) && code == EN_CHANGE) {
    note_("selftest dialog: EN_CHANGE " + std::to_string(id) + " " + Quoted(WindowText(control)));
  } else if (id == kModeCombo && code == CBN_SELCHANGE) {
    int index = static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
    wchar_t entry[128] = {};
    SendMessageW(control, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(entry));
    note_("selftest dialog: CBN_SELCHANGE #" + std::to_string(index) + " " + Quoted(entry));
  }
}

void SelfTestUi::DialogNotify(HWND dialog, const NMHDR& header) {
  if (header.idFrom == kTabs && header.code == TCN_SELCHANGE) {
    int page = static_cast<int>(SendMessageW(header.hwndFrom, TCM_GETCURSEL, 0, 0));
    note_("selftest dialog: TCN_SELCHANGE " + std::to_string(page));
    ShowPage(dialog, page);
  } else if (header.idFrom == kIntervalUpDown && header.code == UDN_DELTAPOS) {
    const auto& change = reinterpret_cast<const NMUPDOWN&>(header);
    note_("selftest dialog: UDN_DELTAPOS " + std::to_string(change.iPos) + " " +
          (change.iDelta > 0 ? "+" : "") + std::to_string(change.iDelta));
  } else if (header.idFrom == kFormList && header.code == NM_DBLCLK) {
    LVHITTESTINFO hit = {};
    GetCursorPos(&hit.pt);
    ScreenToClient(header.hwndFrom, &hit.pt);
    SendMessageW(header.hwndFrom, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    note_("selftest dialog: NM_DBLCLK row " + std::to_string(hit.iItem) + " column " +
          std::to_string(hit.iSubItem));
    if (hit.iItem >= 0) OpenEditor(header.hwndFrom, hit.iItem, hit.iSubItem);
  } else if (header.idFrom == kFormList && header.code == LVN_BEGINDRAG) {
    dragRow_ = reinterpret_cast<const NMLISTVIEW&>(header).iItem;
    note_("selftest dialog: LVN_BEGINDRAG row " + std::to_string(dragRow_));
    SetCapture(dialog);
  }
}

void SelfTestUi::OpenEditor(HWND list, int row, int column) {
  EndEditor(true);
  RECT cell = {};
  cell.top = column;
  cell.left = column == 0 ? LVIR_LABEL : LVIR_BOUNDS;
  SendMessageW(list, column == 0 ? LVM_GETITEMRECT : LVM_GETSUBITEMRECT, row,
               reinterpret_cast<LPARAM>(&cell));
  editor_ = CreateWindowExW(0, WC_EDITW, ListCellText(list, row, column).c_str(),
                            WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, cell.left, cell.top,
                            cell.right - cell.left, cell.bottom - cell.top, list, nullptr,
                            instance_, nullptr);
  SendMessageW(editor_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  SetWindowLongPtrW(editor_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  editorBase_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(editor_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditorProc)));
  editRow_ = row;
  editColumn_ = column;
  SendMessageW(editor_, EM_SETSEL, 0, -1);
  SetFocus(editor_);
  note_("selftest dialog: editor opened on row " + std::to_string(row) + " column " +
        std::to_string(column));
}

LRESULT CALLBACK SelfTestUi::EditorProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* ui = reinterpret_cast<SelfTestUi*>(GetWindowLongPtrW(edit, GWLP_USERDATA));
  HWND dialog = GetParent(GetParent(edit));
  switch (message) {
    case WM_GETDLGCODE: return DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
      if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
        PostMessageW(dialog, kEndEditor, wParam == VK_RETURN, 0);
        return 0;
      }
      break;
    case WM_CHAR:
      if (wParam == L'\r' || wParam == 27) return 0;
      break;
    case WM_KILLFOCUS: PostMessageW(dialog, kEndEditor, 1, 0); break;
    default: break;
  }
  return CallWindowProcW(ui->editorBase_, edit, message, wParam, lParam);
}

void SelfTestUi::EndEditor(bool commit) {
  if (editor_ == nullptr) return;
  HWND edit = editor_;
  editor_ = nullptr;
  HWND list = GetParent(edit);
  if (commit) {
    std::wstring text = WindowText(edit);
    LVITEMW item = {};
    item.iSubItem = editColumn_;
    item.pszText = &text[0];
    SendMessageW(list, LVM_SETITEMTEXTW, editRow_, reinterpret_cast<LPARAM>(&item));
    note_("selftest dialog: cell " + std::to_string(editRow_) + "," + std::to_string(editColumn_) +
          " = " + Quoted(text));
  } else {
    note_("selftest dialog: editor cancelled");
  }
  DestroyWindow(edit);
  SetFocus(list);
}

void SelfTestUi::DropRow(HWND dialog) {
  ReleaseCapture();
  HWND list = GetDlgItem(dialog, kFormList);
  LVHITTESTINFO hit = {};
  GetCursorPos(&hit.pt);
  ScreenToClient(list, &hit.pt);
  int target = static_cast<int>(SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  int from = dragRow_;
  dragRow_ = -1;
  note_("selftest dialog: row " + std::to_string(from) + " dropped on " + std::to_string(target));
  if (target < 0 || target == from) return;
  std::wstring text = ListCellText(list, from, 0);
  std::wstring code = ListCellText(list, from, 1);
  SendMessageW(list, LVM_DELETEITEM, from, 0);
  AddRow(list, target, text, code);
}

void SelfTestUi::ShowFolderBrowser() {
  std::wstring title = W("保存先のフォルダ");
  BROWSEINFOW info = {};
  info.hwndOwner = owner_;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  note_("selftest folder browser: opening");
  LPITEMIDLIST chosen = SHBrowseForFolderW(&info);
  if (chosen == nullptr) {
    note_("selftest folder browser: cancelled");
    return;
  }
  wchar_t path[MAX_PATH] = {};
  SHGetPathFromIDListW(chosen, path);
  CoTaskMemFree(chosen);
  note_("selftest folder browser: returned " + Quoted(path));
}

void SelfTestUi::ShowFileDialog() {
  wchar_t path[MAX_PATH] = {};
  std::wstring folder = W(fileFolder_);
  std::wstring filter = W("プログラム (*.exe)") + L'\0' + L"*.exe" + L'\0' +
                        W("すべてのファイル (*.*)") + L'\0' + L"*.*" + L'\0' + L'\0';
  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner_;
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = path;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  note_("selftest open-file: opening");
  if (GetOpenFileNameW(&dialog)) {
    note_("selftest open-file: returned " + Quoted(path));
  } else {
    note_("selftest open-file: cancelled");
  }
}

}  // namespace varimo
