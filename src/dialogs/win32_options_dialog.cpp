#include "dialogs/win32_options_dialog.h"

#include <windows.h>
// The common controls and shell headers build on the one above.
#include <commctrl.h>
#include <commdlg.h>
#include <richedit.h>
#include <shellapi.h>

#include <array>
#include <set>

#include "common/captions.h"
#include "dialogs/options_layout.h"
#include "platform/win32_ui_ports.h"

namespace varimo {
namespace {

// The in-place editors, made hidden on their pages.
enum EditorControl : int32_t {
  kComboBoxHotKey0 = 1310,
  kComboBoxHotKey1,
  kComboBoxHotKey2,
  kComboBoxForm = 1610,
  kEditForm,
};

// Commands of the lists' popup menus.
enum ListMenuCommand : UINT {
  kMenuAdd = 1,
  kMenuDelete,
  kMenuClear,
  kMenuPreset = 10,  // + the preset's tag
};

constexpr int32_t kVisibleEntries = 25;
constexpr uint32_t kLinkHoverColor = 0x00FF0000;
constexpr uint32_t kLinkColor = 0x00000000;

HWND ToWindow(TWindowHandle handle) {
  return static_cast<HWND>(handle);
}

std::string Utf8FromWide(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), length,
                      nullptr, nullptr);
  return utf8;
}

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(std::max(length, 0)));
  return text;
}

uint32_t SystemColor(TSystemColor color) {
  switch (color) {
    case TSystemColor::kWindow: return GetSysColor(COLOR_WINDOW);
    case TSystemColor::kButtonFace: return GetSysColor(COLOR_BTNFACE);
    case TSystemColor::kWindowText: return GetSysColor(COLOR_WINDOWTEXT);
    case TSystemColor::kInactiveCaption: return GetSysColor(COLOR_INACTIVECAPTION);
  }
  return 0;
}

int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM faces) {
  // Vertical variants of the Japanese faces are no choice for a list.
  if (font->lfFaceName[0] != L'@') {
    reinterpret_cast<std::set<std::wstring>*>(faces)->insert(font->lfFaceName);
  }
  return 1;
}

std::set<std::wstring> SystemFaces() {
  std::set<std::wstring> faces;
  LOGFONTW query = {};
  query.lfCharSet = DEFAULT_CHARSET;
  HDC dc = GetDC(nullptr);
  EnumFontFamiliesExW(dc, &query, CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
  ReleaseDC(nullptr, dc);
  return faces;
}

void AddEntries(HWND combo, const std::vector<std::string>& entries) {
  for (const std::string& entry : entries) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(entry).c_str()));
  }
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

const std::vector<std::string>& KindEntries() {
  static const std::vector<std::string> kinds = FormatKindTexts();
  return kinds;
}

LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

class TOptionsView : public TWin32Dialog {
 public:
  TOptionsView(TOptionsModel& model, const TOptionsContext& context)
      : model_(model), context_(context), fonts_(DialogFace({L"MS UI Gothic"})) {}

  LRESULT Subclassed(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  TWindowBounds Placement(int32_t width, int32_t height) override {
    const TDialogRect r = DialogPosition(context_.Main, width, height, context_.Screen);
    return {r.Left, r.Top, width, height};
  }
  bool OnInit() override;
  bool OnMessage(TWindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam,
                 intptr_t& result) override;

 private:
  struct TUpDownControl {
    int32_t Edit;
    TUpDown TOptionsModel::*Value;
  };
  static constexpr std::array<TUpDownControl, 6> kUpDowns = {{
      {kEditTimer, &TOptionsModel::Timer},
      {kEditBreak, &TOptionsModel::Break},
      {kEditCorrect, &TOptionsModel::CorrectMS},
      {kEditFontSize, &TOptionsModel::FontSize},
      {kEditFontPitch, &TOptionsModel::FontPitch},
      {kEditTransparence, &TOptionsModel::TransparenceValue},
  }};

  HWND Window(int32_t id) const { return ToWindow(Control(id)); }
  bool Checked(int32_t id) const {
    return SendMessageW(Window(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  void SetChecked(int32_t id, bool checked) {
    SendMessageW(Window(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  void Subclass(HWND window);
  void MakeEditors();
  void FillKeyList(int32_t id, const std::vector<std::string>& entries, int32_t selected);
  void ShowPage(int index);

  void Sync();
  void SyncUpDowns();
  void SyncLooks();
  void SyncSample();
  void SyncRoles();
  void FillList(bool hotKeys);
  void SyncSelection(bool hotKeys);

  void OnCommand(int32_t id, int32_t code, HWND control);
  void OnUpDown(HWND upDown);
  bool OnNotify(const NMHDR& header, intptr_t& result);
  void OnContextMenu(HWND list, LPARAM at);
  void OnListPress(bool hotKeys, int x, int y);
  void OnListDblClick(bool hotKeys, int x, int y, int hitRow);
  void Take(bool hotKeys, TListChange change);
  void OpenEditor(bool hotKeys);
  void CommitEditor(bool focusList);
  void CancelEditor();
  void EndDrag(bool drop);
  void ApplyNow();
  void BrowseProgram();
  void PaintVersion(HWND page);
  bool HoverLink(HWND over);

  HWND ListWindow(bool hotKeys) const { return Window(hotKeys ? kListViewHotKey : kListViewForm); }
  TEditedList& List(bool hotKeys) {
    return hotKeys ? static_cast<TEditedList&>(model_.HotKeyList) : model_.FormatList;
  }
  int HitRow(HWND list, int x, int y) const;
  RECT RowRect(HWND list, int row) const;

  TOptionsModel& model_;
  const TOptionsContext& context_;
  TDialogFonts fonts_;
  std::array<HWND, 7> pages_{};
  std::map<HWND, WNDPROC> originals_;
  std::map<int32_t, HWND> editorWindows_;
  HWND openEditor_ = nullptr;
  bool filling_ = false;
  bool dragging_ = false;
  HWND hoveredLink_ = nullptr;
};

LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* view = reinterpret_cast<TOptionsView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return view->Subclassed(window, message, wParam, lParam);
}

void TOptionsView::Subclass(HWND window) {
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  originals_[window] = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
}

bool TOptionsView::OnInit() {
  INITCOMMONCONTROLSEX classes = {sizeof(classes),
                                  ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&classes);
  filling_ = true;
  CreateControls(kOptionsControls, fonts_);

  HWND tabs = Window(kOptionsTabs);
  // Seven captions in one row across the dialog.
  SendMessageW(tabs, TCM_SETITEMSIZE, 0, MAKELPARAM((kOptionsClientWidth - 5) / 7, 20));
  for (int i = 0; i < 7; ++i) {
    std::wstring caption = WideFromUtf8(Caption(kOptionsPageCaptions[i]));
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    pages_[static_cast<size_t>(i)] = Window(kPageGeneral + i);
    // The pages lie over the tab control, which leaves them alone when it paints.
    SetWindowPos(pages_[static_cast<size_t>(i)], HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }

  SetChecked(kCheckBoxVisible, model_.Visible);
  SetChecked(kCheckBoxPlayTime, model_.PlayTime);
  SetChecked(kCheckBoxCorrect, model_.Correct);
  for (const TUpDownControl& u : kUpDowns) {
    const TUpDown& value = model_.*u.Value;
    UDACCEL step = {0, static_cast<UINT>(value.Step)};
    SendMessageW(Window(u.Edit + kUpDownIdOffset), UDM_SETACCEL, 1,
                 reinterpret_cast<LPARAM>(&step));
  }
  FillKeyList(kComboBoxPrevKey, kTrackKeyEntries, model_.PrevKey);
  FillKeyList(kComboBoxNextKey, kTrackKeyEntries, model_.NextKey);
  FillKeyList(kComboBoxVisibleKey, kVisibleKeyEntries, model_.VisibleKey);

  SetChecked(kCheckBoxHotKey, model_.HotKeyEnabled);
  HWND hotKeys = Window(kListViewHotKey);
  AddColumn(hotKeys, 0, Caption(TCaption::kHotKeyColumnCommand), kHotKeyColumnWidths[0]);
  AddColumn(hotKeys, 1, Caption(TCaption::kHotKeyColumnKey1), kHotKeyColumnWidths[1]);
  AddColumn(hotKeys, 2, Caption(TCaption::kHotKeyColumnKey2), kHotKeyColumnWidths[2]);
  HWND format = Window(kListViewForm);
  AddColumn(format, 0, "", kFormatColumnWidths[0]);
  AddColumn(format, 1, Caption(TCaption::kFormatColumnItem), kFormatColumnWidths[1]);
  AddColumn(format, 2, Caption(TCaption::kFormatColumnText), kFormatColumnWidths[2]);
  Subclass(hotKeys);
  Subclass(format);
  MakeEditors();
  FillList(true);
  FillList(false);

  SetText(kEditMP3on3, WideFromAnsi(model_.MP3on3Path));
  SetChecked(kCheckBoxMP3on3, model_.MP3on3Stop);

  HWND fontName = Window(kComboBoxFontName);
  for (const std::wstring& face : SystemFaces()) {
    SendMessageW(fontName, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(face.c_str()));
  }
  SetText(kComboBoxFontName, WideFromAnsi(model_.FontName));
  SetChecked(kCheckBoxTransparence, model_.Transparence);

  SetChecked(kCheckBoxFormNo, model_.FormatList.Numbered);
  SetColors(kPanelSample, {std::nullopt, kSamplePanelColor});
  SendMessageW(Window(kRichEditForm), EM_SETBKGNDCOLOR, 0, kSamplePanelColor);

  SetText(kLabelURL, WideFromUtf8(kProjectHomeUrl));
  SetText(kLabelLinkMP3on3, WideFromAnsi(context_.HelpPage));
  SetColors(kLabelURL, {kLinkColor, std::nullopt});
  SetColors(kLabelLinkMP3on3, {kLinkColor, std::nullopt});

  ShowPage(0);
  filling_ = false;
  model_.FormShow();
  Sync();
  SyncSample();
  SetFocus(tabs);
  return true;
}

void TOptionsView::MakeEditors() {
  struct TEditorSpec {
    int32_t Id;
    int32_t Page;
    const std::vector<std::string>* Entries;
  };
  const TEditorSpec editors[] = {
      {kComboBoxHotKey0, kPageHotKey, &THotKeyList::EditorEntries(0)},
      {kComboBoxHotKey1, kPageHotKey, &THotKeyList::EditorEntries(1)},
      {kComboBoxHotKey2, kPageHotKey, &THotKeyList::EditorEntries(2)},
      {kComboBoxForm, kPageForm, &KindEntries()},
      {kEditForm, kPageForm, nullptr},
  };
  for (const TEditorSpec& e : editors) {
    const bool combo = e.Entries != nullptr;
    HWND editor = CreateWindowExW(
        combo ? 0 : WS_EX_CLIENTEDGE, combo ? L"COMBOBOX" : L"EDIT", L"",
        WS_CHILD | WS_TABSTOP | (combo ? CBS_DROPDOWNLIST | WS_VSCROLL : ES_AUTOHSCROLL), 0, 0, 10,
        10, Window(e.Page), reinterpret_cast<HMENU>(static_cast<INT_PTR>(e.Id)), nullptr, nullptr);
    SendMessageW(editor, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.Get(12)), FALSE);
    if (combo) AddEntries(editor, *e.Entries);
    Subclass(editor);
    editorWindows_[e.Id] = editor;
  }
}

void TOptionsView::FillKeyList(int32_t id, const std::vector<std::string>& entries,
                               int32_t selected) {
  AddEntries(Window(id), entries);
  SendMessageW(Window(id), CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

void TOptionsView::ShowPage(int index) {
  SendMessageW(Window(kOptionsTabs), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  for (int i = 0; i < 7; ++i)
    ShowWindow(pages_[static_cast<size_t>(i)], i == index ? SW_SHOW : SW_HIDE);
}

void TOptionsView::Sync() {
  SyncUpDowns();
  SyncLooks();
  SyncRoles();
  SetText(kButtonMeasure, WideFromUtf8(model_.MeasureButtonCaption()));
  HWND update = Window(kButtonUpdate);
  // A disabled button that kept the focus would leave the keyboard with nowhere to go.
  if (!model_.ApplyEnabled && GetFocus() == update) {
    SendMessageW(ToWindow(dialog_), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Window(kOptionsOk)),
                 TRUE);
  }
  SetEnabled(kButtonUpdate, model_.ApplyEnabled);
}

void TOptionsView::SyncUpDowns() {
  for (const TUpDownControl& u : kUpDowns) {
    const TUpDown& value = model_.*u.Value;
    HWND upDown = Window(u.Edit + kUpDownIdOffset);
    SendMessageW(upDown, UDM_SETRANGE32, static_cast<WPARAM>(value.Min),
                 static_cast<LPARAM>(value.Max));
    SendMessageW(upDown, UDM_SETPOS32, 0, static_cast<LPARAM>(value.Position));
    SetText(u.Edit, WideFromAnsi(std::to_string(value.Position)));
  }
}

void TOptionsView::SyncLooks() {
  struct TLooked {
    int32_t Edit;
    int32_t Label;
    TEnabledLook Look;
  };
  const TLooked looked[] = {{kEditCorrect, kLabelCorrect, model_.CorrectLook()},
                            {kEditTransparence, kLabelTransparence, model_.TransparenceLook()}};
  for (const TLooked& l : looked) {
    SetEnabled(l.Edit, l.Look.Enabled);
    SetEnabled(l.Edit + kUpDownIdOffset, l.Look.Enabled);
    SetColors(l.Edit, {std::nullopt, SystemColor(l.Look.Background)});
    SetColors(l.Label, {SystemColor(l.Look.Text), std::nullopt});
  }
  // The other read-only edits keep the window's colour.
  for (int32_t id : {kEditTimer, kEditBreak, kEditFontSize, kEditFontPitch}) {
    SetColors(id, {std::nullopt, SystemColor(TSystemColor::kWindow)});
  }
  const TEnabledLook list = model_.HotKeyListLook();
  HWND hotKeys = Window(kListViewHotKey);
  if ((IsWindowEnabled(hotKeys) != FALSE) != list.Enabled) {
    EnableWindow(hotKeys, list.Enabled);
    SendMessageW(hotKeys, LVM_SETBKCOLOR, 0, SystemColor(list.Background));
    SendMessageW(hotKeys, LVM_SETTEXTBKCOLOR, 0, SystemColor(list.Background));
    SendMessageW(hotKeys, LVM_SETTEXTCOLOR, 0, SystemColor(list.Text));
    InvalidateRect(hotKeys, nullptr, TRUE);
  }
}

void TOptionsView::SyncSample() {
  model_.Sample = model_.FormatList.Sample();
  HWND rich = Window(kRichEditForm);
  std::wstring text;
  std::vector<std::pair<LONG, LONG>> ranges;
  for (const TFormatList::TSamplePiece& piece : model_.Sample) {
    const std::wstring wide = piece.Ansi ? WideFromAnsi(piece.Text) : WideFromUtf8(piece.Text);
    ranges.emplace_back(static_cast<LONG>(text.size()),
                        static_cast<LONG>(text.size() + wide.size()));
    text += wide;
  }
  SetWindowTextW(rich, text.c_str());
  for (size_t i = 0; i < ranges.size(); ++i) {
    CHARRANGE range = {ranges[i].first, ranges[i].second};
    SendMessageW(rich, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    CHARFORMAT2W format = {};
    format.cbSize = sizeof(format);
    format.dwMask = CFM_COLOR;
    format.crTextColor = model_.Sample[i].Color;
    SendMessageW(rich, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  }
  CHARRANGE none = {0, 0};
  SendMessageW(rich, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&none));
}

void TOptionsView::SyncRoles() {
  // While an editor is open, Enter and Esc are its own.
  const bool editing = openEditor_ != nullptr;
  SendMessageW(ToWindow(dialog_), DM_SETDEFID, editing ? 0 : IDOK, 0);
  SendMessageW(Window(kOptionsOk), BM_SETSTYLE, editing ? BS_PUSHBUTTON : BS_DEFPUSHBUTTON, TRUE);
}

void TOptionsView::FillList(bool hotKeys) {
  HWND list = ListWindow(hotKeys);
  TEditedList& rows = List(hotKeys);
  // Filling inside the dialog's own filling keeps the outer guard up.
  const bool outer = filling_;
  filling_ = true;
  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  for (size_t r = 0; r < rows.Rows.size(); ++r) {
    for (int column = 0; column < 3; ++column) {
      const std::string& cell = rows.Rows[r][static_cast<size_t>(column)];
      // The text of a format item is the format's own bytes; every other cell a caption.
      std::wstring text = !hotKeys && column == 2 ? WideFromAnsi(cell) : WideFromUtf8(cell);
      LVITEMW item = {};
      item.mask = LVIF_TEXT;
      item.iItem = static_cast<int>(r);
      item.iSubItem = column;
      item.pszText = text.data();
      SendMessageW(list, column == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, column == 0 ? 0 : r,
                   reinterpret_cast<LPARAM>(&item));
    }
  }
  if (rows.Selected >= 0) {
    LVITEMW state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(rows.Selected),
                 reinterpret_cast<LPARAM>(&state));
  }
  filling_ = outer;
}

void TOptionsView::SyncSelection(bool hotKeys) {
  List(hotKeys).Selected = static_cast<int32_t>(
      SendMessageW(ListWindow(hotKeys), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

int TOptionsView::HitRow(HWND list, int x, int y) const {
  LVHITTESTINFO hit = {};
  hit.pt = {x, y};
  const int row =
      static_cast<int>(SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  return (hit.flags & LVHT_ONITEM) != 0 ? row : -1;
}

RECT TOptionsView::RowRect(HWND list, int row) const {
  RECT rect = {};
  rect.left = LVIR_BOUNDS;
  SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
  return rect;
}

bool TOptionsView::OnMessage(TWindowHandle window, uint32_t message, uintptr_t wParam,
                             intptr_t lParam, intptr_t& result) {
  HWND hwnd = ToWindow(window);
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      result = 0;
      return true;
    case WM_CLOSE: Close(IDCANCEL); return true;
    case WM_VSCROLL:
      if (lParam == 0) return false;
      OnUpDown(reinterpret_cast<HWND>(lParam));
      return true;
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result);
    case WM_CONTEXTMENU: {
      HWND target = reinterpret_cast<HWND>(wParam);
      if (target != ListWindow(true) && target != ListWindow(false)) return false;
      OnContextMenu(target, lParam);
      return true;
    }
    case WM_MOUSEMOVE:
      if (!dragging_) return false;
      {
        HWND list = ListWindow(false);
        POINT at = {static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam))};
        MapWindowPoints(hwnd, list, &at, 1);
        const int target = HitRow(list, at.x, at.y);
        LVITEMW state = {};
        state.stateMask = LVIS_DROPHILITED;
        SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(&state));
        if (target >= 0) {
          state.state = LVIS_DROPHILITED;
          SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(target),
                       reinterpret_cast<LPARAM>(&state));
        }
      }
      return true;
    case WM_LBUTTONUP:
      if (!dragging_) return false;
      EndDrag(true);
      return true;
    case WM_CAPTURECHANGED:
      if (dragging_) EndDrag(false);
      return false;
    case WM_SETCURSOR:
      if (hwnd != pages_[6]) return false;
      if (HoverLink(reinterpret_cast<HWND>(wParam))) {
        SetCursor(LoadCursor(nullptr, IDC_HAND));
        result = TRUE;
        return true;
      }
      return false;
    case WM_PAINT:
      if (hwnd != pages_[6]) return false;
      PaintVersion(hwnd);
      return true;
    default: return false;
  }
}

void TOptionsView::OnCommand(int32_t id, int32_t code, HWND control) {
  (void)control;
  if (filling_) return;
  switch (id) {
    case kOptionsOk:
      if (openEditor_ != nullptr) return;
      ApplyNow();
      Close(IDOK);
      return;
    case kOptionsCancel:
      // Esc belongs to an open editor.
      if (openEditor_ != nullptr) return;
      Close(IDCANCEL);
      return;
    case kButtonUpdate: ApplyNow(); break;
    case kCheckBoxVisible:
      model_.Visible = Checked(id);
      model_.OnUpdate();
      break;
    case kCheckBoxPlayTime:
      model_.PlayTime = Checked(id);
      model_.OnUpdate();
      break;
    case kCheckBoxMP3on3:
      model_.MP3on3Stop = Checked(id);
      model_.OnUpdate();
      break;
    case kCheckBoxCorrect: model_.CheckBoxCorrectClick(Checked(id)); break;
    case kCheckBoxTransparence: model_.CheckBoxTransparenceClick(Checked(id)); break;
    case kCheckBoxHotKey: {
      model_.CheckBoxHotKeyClick(Checked(id));
      LVITEMW state = {};
      state.stateMask = LVIS_SELECTED;
      SendMessageW(ListWindow(true), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                   reinterpret_cast<LPARAM>(&state));
      break;
    }
    case kCheckBoxFormNo:
      model_.CheckBoxFormNoClick(Checked(id));
      SyncSample();
      break;
    case kButtonMeasure: model_.ButtonMeasureClick(context_.Host, context_.Clock); break;
    case kButtonMP3on3: BrowseProgram(); break;
    case kComboBoxPrevKey:
    case kComboBoxNextKey:
    case kComboBoxVisibleKey: {
      if (code != CBN_SELCHANGE) return;
      const int32_t selected = static_cast<int32_t>(SendMessageW(Window(id), CB_GETCURSEL, 0, 0));
      (id == kComboBoxPrevKey   ? model_.PrevKey
       : id == kComboBoxNextKey ? model_.NextKey
                                : model_.VisibleKey) = selected;
      model_.OnUpdate();
      break;
    }
    case kComboBoxFontName: {
      HWND combo = Window(id);
      if (code == CBN_SELCHANGE) {
        const LRESULT selected = SendMessageW(combo, CB_GETCURSEL, 0, 0);
        const LRESULT length =
            SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(selected), 0);
        if (selected < 0 || length < 0) return;
        std::wstring face(static_cast<size_t>(length) + 1, L'\0');
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(selected),
                     reinterpret_cast<LPARAM>(face.data()));
        face.resize(static_cast<size_t>(length));
        model_.FontName = AnsiFromWide(face);
      } else if (code == CBN_EDITCHANGE) {
        model_.FontName = AnsiFromWide(WindowText(combo));
      } else {
        return;
      }
      model_.OnUpdate();
      break;
    }
    case kEditMP3on3:
      if (code != EN_CHANGE) return;
      model_.MP3on3Path = AnsiFromWide(WindowText(Window(id)));
      model_.OnUpdate();
      break;
    case kComboBoxHotKey0:
    case kComboBoxHotKey1:
    case kComboBoxHotKey2:
    case kComboBoxForm:
      if (code != CBN_KILLFOCUS) return;
      CommitEditor(false);
      break;
    case kEditForm:
      if (code != EN_KILLFOCUS) return;
      CommitEditor(false);
      break;
    case kLabelURL:
    case kLabelLinkMP3on3:
      if (code != STN_CLICKED) return;
      ShellExecuteW(nullptr, nullptr, WindowText(Window(id)).c_str(), nullptr, nullptr,
                    SW_SHOWNORMAL);
      return;
    default: return;
  }
  Sync();
}

void TOptionsView::OnUpDown(HWND upDown) {
  for (const TUpDownControl& u : kUpDowns) {
    if (Window(u.Edit + kUpDownIdOffset) != upDown) continue;
    const int32_t position = static_cast<int32_t>(SendMessageW(upDown, UDM_GETPOS32, 0, 0));
    if (u.Edit == kEditTimer) {
      model_.UpDownTimerClick(position);
    } else {
      model_.UpDownClick(model_.*u.Value, position);
    }
  }
  Sync();
}

bool TOptionsView::OnNotify(const NMHDR& header, intptr_t& result) {
  if (header.hwndFrom == Window(kOptionsTabs) && header.code == TCN_SELCHANGE) {
    ShowPage(static_cast<int>(SendMessageW(header.hwndFrom, TCM_GETCURSEL, 0, 0)));
    return true;
  }
  // The columns keep the widths the editors are laid out by.
  if (header.code == HDN_BEGINTRACKW || header.code == HDN_BEGINTRACKA ||
      header.code == HDN_DIVIDERDBLCLICKW || header.code == HDN_DIVIDERDBLCLICKA) {
    result = TRUE;
    return true;
  }
  const bool hotKeys = header.hwndFrom == ListWindow(true);
  if (!hotKeys && header.hwndFrom != ListWindow(false)) return false;
  if (header.code == LVN_ITEMCHANGED && !filling_) {
    SyncSelection(hotKeys);
    return true;
  }
  if (header.code == LVN_BEGINDRAG && !hotKeys && openEditor_ == nullptr) {
    model_.FormatList.Selected = reinterpret_cast<const NMLISTVIEW&>(header).iItem;
    dragging_ = true;
    SetCapture(pages_[5]);
    return true;
  }
  return false;
}

void TOptionsView::EndDrag(bool drop) {
  dragging_ = false;
  HWND list = ListWindow(false);
  POINT at;
  GetCursorPos(&at);
  ScreenToClient(list, &at);
  if (GetCapture() == pages_[5]) ReleaseCapture();
  const bool focused = GetFocus() == list;
  const int target = drop ? HitRow(list, at.x, at.y) : -1;
  const TListChange change = target >= 0 ? model_.FormatList.Move(target) : TListChange::kNone;
  Take(false, change);
  FillList(false);
  if (focused) SetFocus(list);
  Sync();
}

void TOptionsView::Take(bool hotKeys, TListChange change) {
  model_.Take(change);
  if (change == TListChange::kNone) return;
  if (!hotKeys) SetChecked(kCheckBoxFormNo, model_.FormatList.Numbered);
  if (change == TListChange::kFormat) SyncSample();
}

void TOptionsView::OnContextMenu(HWND list, LPARAM at) {
  const bool hotKeys = list == ListWindow(true);
  POINT point = {static_cast<int16_t>(LOWORD(at)), static_cast<int16_t>(HIWORD(at))};
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
  if (!hotKeys) {
    HMENU presets = CreatePopupMenu();
    for (size_t tag = 0; tag < FormatPresets().size(); ++tag) {
      AppendMenuW(presets, MF_STRING, kMenuPreset + tag,
                  WideFromUtf8(Caption(FormatPresets()[tag].Caption)).c_str());
    }
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(presets),
                WideFromUtf8(Caption(TCaption::kListPreset)).c_str());
  }
  const UINT command = static_cast<UINT>(TrackPopupMenu(
      menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, GetParent(list), nullptr));
  DestroyMenu(menu);
  if (command == 0) return;
  if (hotKeys) {
    THotKeyList& rows = model_.HotKeyList;
    if (command == kMenuAdd) {
      const int32_t scroll = rows.Add();
      FillList(true);
      SendMessageW(list, LVM_SCROLL, 0, scroll);
      OpenEditor(true);
    } else {
      if (command == kMenuDelete) rows.Delete();
      if (command == kMenuClear) rows.Clear();
      FillList(true);
    }
  } else {
    TFormatList& rows = model_.FormatList;
    TListChange change = TListChange::kNone;
    if (command == kMenuAdd) change = rows.Add();
    if (command == kMenuDelete) change = rows.Delete();
    if (command == kMenuClear) change = rows.Clear();
    if (command >= kMenuPreset) change = rows.Preset(command - kMenuPreset);
    Take(false, change);
    FillList(false);
  }
  Sync();
}

void TOptionsView::OnListPress(bool hotKeys, int x, int y) {
  SyncSelection(hotKeys);
  TEditedList& list = List(hotKeys);
  if (list.Selected < 0) return;
  const RECT row = RowRect(ListWindow(hotKeys), list.Selected);
  if (hotKeys) {
    model_.HotKeyList.Press(x - row.left, y - row.top);
  } else {
    const TListChange change = model_.FormatList.Press(x - row.left, y - row.top);
    Take(false, change);
    if (change != TListChange::kNone) FillList(false);
  }
  if (list.Editor) OpenEditor(hotKeys);
  Sync();
}

void TOptionsView::OnListDblClick(bool hotKeys, int x, int y, int hitRow) {
  SyncSelection(hotKeys);
  TEditedList& list = List(hotKeys);
  if (list.Selected < 0) {
    // A double click on no row adds one.
    if (hotKeys) {
      const int32_t scroll = model_.HotKeyList.Add();
      FillList(true);
      SendMessageW(ListWindow(true), LVM_SCROLL, 0, scroll);
      OpenEditor(true);
    } else {
      Take(false, model_.FormatList.Add());
      FillList(false);
    }
    Sync();
    return;
  }
  if (hotKeys) {
    model_.HotKeyList.DblClick();
  } else {
    model_.FormatList.DblClick();
  }
  // The double click's own press opens the cell it was on.
  if (hitRow >= 0) OnListPress(hotKeys, x, y);
}

void TOptionsView::OpenEditor(bool hotKeys) {
  TEditedList& list = List(hotKeys);
  if (!list.Editor) return;
  const TOpenEditor target = *list.Editor;
  HWND listView = ListWindow(hotKeys);
  int32_t id = hotKeys              ? kComboBoxHotKey0 + target.Column
               : target.Column == 1 ? kComboBoxForm
                                    : kEditForm;
  HWND editor = editorWindows_[id];
  const bool combo = id != kEditForm;
  const TEditorPlace place = EditorPlace(list.Widths(), target.Column, hotKeys || !combo ? 1 : 0);
  const RECT row = RowRect(listView, target.Row);
  POINT at = {row.left + place.Left, row.top + place.Top};
  MapWindowPoints(listView, GetParent(editor), &at, 1);
  const std::string& cell = list.EditedCell();
  int height = row.bottom - row.top;
  if (combo) {
    const std::vector<std::string>& entries =
        hotKeys ? THotKeyList::EditorEntries(target.Column) : KindEntries();
    SendMessageW(editor, CB_SETCURSEL, static_cast<WPARAM>(EntryIndex(entries, cell)), 0);
    const int itemHeight = static_cast<int>(SendMessageW(editor, CB_GETITEMHEIGHT, 0, 0));
    const int fieldHeight =
        static_cast<int>(SendMessageW(editor, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    const int visible = std::min<int>(kVisibleEntries, static_cast<int>(entries.size()));
    height = fieldHeight + 8 + visible * itemHeight;
  } else {
    SetWindowTextW(editor, WideFromAnsi(cell).c_str());
  }
  SetWindowPos(editor, HWND_TOP, at.x, at.y, place.Width, height, SWP_SHOWWINDOW);
  openEditor_ = editor;
  SetFocus(editor);
  SyncRoles();
}

void TOptionsView::CommitEditor(bool focusList) {
  HWND editor = openEditor_;
  if (editor == nullptr) return;
  openEditor_ = nullptr;
  const int id = GetDlgCtrlID(editor);
  const bool hotKeys = id != kComboBoxForm && id != kEditForm;
  const std::wstring text = WindowText(editor);
  TListChange change = TListChange::kNone;
  if (hotKeys) {
    change = model_.HotKeyList.Commit(Utf8FromWide(text));
  } else {
    change = model_.FormatList.Commit(id == kEditForm ? AnsiFromWide(text) : Utf8FromWide(text));
  }
  Take(hotKeys, change);
  ShowWindow(editor, SW_HIDE);
  FillList(hotKeys);
  if (focusList) SetFocus(ListWindow(hotKeys));
  Sync();
}

void TOptionsView::CancelEditor() {
  HWND editor = openEditor_;
  if (editor == nullptr) return;
  openEditor_ = nullptr;
  const int id = GetDlgCtrlID(editor);
  const bool hotKeys = id != kComboBoxForm && id != kEditForm;
  List(hotKeys).Cancel();
  ShowWindow(editor, SW_HIDE);
  SetFocus(ListWindow(hotKeys));
  Sync();
}

LRESULT TOptionsView::Subclassed(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC original = originals_[window];
  try {
    const bool hotKeysList = window == ListWindow(true);
    const bool formatList = window == ListWindow(false);
    if (hotKeysList || formatList) {
      const int x = static_cast<int16_t>(LOWORD(lParam));
      const int y = static_cast<int16_t>(HIWORD(lParam));
      if (message == WM_LBUTTONDOWN) {
        const LRESULT result = CallWindowProcW(original, window, message, wParam, lParam);
        if (!dragging_) OnListPress(hotKeysList, x, y);
        return result;
      }
      if (message == WM_LBUTTONDBLCLK) {
        const int hit = HitRow(window, x, y);
        const LRESULT result = CallWindowProcW(original, window, message, wParam, lParam);
        OnListDblClick(hotKeysList, x, y, hit);
        return result;
      }
    } else if (window == openEditor_) {
      const bool combo = GetDlgCtrlID(window) != kEditForm;
      if (message == WM_GETDLGCODE) {
        return CallWindowProcW(original, window, message, wParam, lParam) | DLGC_WANTALLKEYS;
      }
      if (message == WM_KEYDOWN) {
        const bool held = combo && (GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_MENU) < 0);
        const bool dropped = combo && SendMessageW(window, CB_GETDROPPEDSTATE, 0, 0) != 0;
        switch (EditorKeyAction(static_cast<int32_t>(wParam), held, dropped)) {
          case TEditorKey::kCommit: CommitEditor(true); return 0;
          case TEditorKey::kCancel: CancelEditor(); return 0;
          case TEditorKey::kNone: break;
        }
      }
      // The characters of the keys that closed the editor would only beep.
      if (message == WM_CHAR && (wParam == '\r' || wParam == 0x1B)) return 0;
    }
  } catch (...) {
  }
  return CallWindowProcW(original, window, message, wParam, lParam);
}

void TOptionsView::ApplyNow() {
  CommitEditor(false);
  context_.Apply(model_);
}

void TOptionsView::BrowseProgram() {
  const TProgramBrowseStart start = ProgramBrowseStart(model_.MP3on3Path);
  const std::wstring folder = WideFromAnsi(start.Folder);
  std::wstring file = WideFromAnsi(start.FileName);
  file.resize(32768, L'\0');
  std::wstring filter = WideFromUtf8(Caption(TCaption::kMP3on3Filter));
  for (wchar_t& c : filter) {
    if (c == L'|') c = L'\0';
  }
  filter.push_back(L'\0');
  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = ToWindow(dialog_);
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  // The host's current folder is the host's.
  dialog.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameW(&dialog)) return;
  file.resize(wcslen(file.c_str()));
  const DWORD attributes = GetFileAttributesW(file.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return;
  if (std::optional<std::string> path = AnsiPathFromWide(file)) {
    SetText(kEditMP3on3, WideFromAnsi(*path));
  }
}

bool TOptionsView::HoverLink(HWND over) {
  HWND links[] = {Window(kLabelURL), Window(kLabelLinkMP3on3)};
  HWND hovered = over == links[0] || over == links[1] ? over : nullptr;
  if (hovered != hoveredLink_) {
    hoveredLink_ = hovered;
    SetColors(kLabelURL, {hovered == links[0] ? kLinkHoverColor : kLinkColor, std::nullopt});
    SetColors(kLabelLinkMP3on3, {hovered == links[1] ? kLinkHoverColor : kLinkColor, std::nullopt});
  }
  return hovered != nullptr;
}

// Text drawn once per (offset, colour), the last on top.
void DrawLayered(HDC dc, HFONT font, const std::wstring& text, int width, int top,
                 std::initializer_list<std::pair<int, COLORREF>> layers) {
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size = {0, 0};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  const int left = (width - size.cx) / 2;
  for (const auto& [offset, color] : layers) {
    SetTextColor(dc, color);
    TextOutW(dc, left + offset, top + offset, text.c_str(), static_cast<int>(text.size()));
  }
  SelectObject(dc, old);
}

void TOptionsView::PaintVersion(HWND page) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(page, &paint);
  RECT client;
  GetClientRect(page, &client);
  SetBkMode(dc, TRANSPARENT);
  const COLORREF white = RGB(255, 255, 255);
  DrawLayered(dc, static_cast<HFONT>(fonts_.Get(27, true, false, L"Times New Roman")),
              WideFromUtf8(Caption(TCaption::kVersionTitle)), client.right, 18,
              {{-1, white}, {1, RGB(0, 0, 0)}, {0, RGB(255, 255, 0)}});
  DrawLayered(dc, static_cast<HFONT>(fonts_.Get(16, false, false, L"Times New Roman")),
              WideFromUtf8(Caption(TCaption::kVersionPlugin)), client.right, 60,
              {{1, white}, {0, RGB(0, 0, 255)}});
  DrawLayered(dc, static_cast<HFONT>(fonts_.Get(12)), WideFromUtf8(Caption(TCaption::kVersionLine)),
              client.right, 92, {{1, white}, {0, RGB(0, 0, 128)}});
  EndPaint(page, &paint);
}

}  // namespace

void ShowOptionsDialog(TWindowHandle owner, TOptionsModel& model, const TOptionsContext& context) {
  TOptionsView view(model, context);
  view.RunModal(owner, Caption(TCaption::kOptionsTitle), kOptionsClientWidth, kOptionsClientHeight);
}

}  // namespace varimo
