#include "dialogs/win32_dialog_window.h"

#include <windows.h>
// The common controls and shell headers build on the one above.
#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <iterator>

#include "platform/win32_text.h"

namespace varimo {
namespace {

constexpr int32_t kDialogFontHeight = 12;
// The drop-down part of a combo box below its closed height.
constexpr int32_t kDropDownHeight = 200;

HWND ToWindow(TWindowHandle handle) {
  return static_cast<HWND>(handle);
}

// The module the dialog procedures live in: this library, not the host's program.
HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

// Messages whose answer a dialog procedure returns itself rather than through DWLP_MSGRESULT.
bool AnswersDirectly(UINT message) {
  switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_INITDIALOG:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON: return true;
    default: return false;
  }
}

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
  auto* dialog = reinterpret_cast<TWin32Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (dialog == nullptr) return FALSE;
  intptr_t result = 0;
  bool handled = false;
  // Nothing may unwind through the system's dialog manager.
  try {
    handled = dialog->Dispatch(hwnd, message, wParam, lParam, result);
  } catch (...) {
  }
  if (!handled) return FALSE;
  if (AnswersDirectly(message)) return static_cast<INT_PTR>(result);
  SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
  return TRUE;
}

// An empty dialog template: the views lay their controls out in pixels themselves.
struct TEmptyTemplate {
  DLGTEMPLATE Template;
  WORD Menu = 0;
  WORD Class = 0;
  WORD Title = 0;
  WORD Padding = 0;
};

TEmptyTemplate MakeTemplate(DWORD style, DWORD exStyle) {
  TEmptyTemplate t = {};
  t.Template.style = style;
  t.Template.dwExtendedStyle = exStyle;
  return t;
}

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kDialogExStyle = WS_EX_DLGMODALFRAME;

BOOL CALLBACK FaceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return FALSE;
}

bool HasFace(const std::wstring& face) {
  // Looking faces up costs a walk of the system's fonts; a dialog asks for few.
  static std::map<std::wstring, bool> known;
  auto cached = known.find(face);
  if (cached != known.end()) return cached->second;
  LOGFONTW query = {};
  query.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(query.lfFaceName, face.c_str(), LF_FACESIZE);
  bool found = false;
  HDC dc = GetDC(nullptr);
  EnumFontFamiliesExW(dc, &query, FaceFound, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, dc);
  known[face] = found;
  return found;
}

// How a control of each kind is made: its window class, its styles beyond WS_CHILD |
// WS_VISIBLE, and how far a drop-down reaches below its closed height. Pages are child
// dialogs (CreatePage) instead.
struct TControlClass {
  TControlKind Kind;
  const wchar_t* ClassName;
  DWORD Style;
  DWORD ExStyle;
  int32_t DropDownHeight;
};
constexpr DWORD kReadOnlyEditStyle = ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kMemoStyle = ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | ES_AUTOVSCROLL;
constexpr DWORD kListViewStyle =
    LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP | WS_CLIPSIBLINGS;
constexpr DWORD kDropDownStyle =
    CBS_DROPDOWN | CBS_AUTOHSCROLL | CBS_SORT | WS_VSCROLL | WS_TABSTOP;
// clang-format off
constexpr TControlClass kControlClasses[] = {
    {TControlKind::kTabs,            WC_TABCONTROLW,  WS_TABSTOP | WS_CLIPSIBLINGS | TCS_FIXEDWIDTH, 0, 0},
    {TControlKind::kButton,          L"BUTTON",       BS_PUSHBUTTON | WS_TABSTOP,                    0, 0},
    {TControlKind::kDefaultButton,   L"BUTTON",       BS_DEFPUSHBUTTON | WS_TABSTOP,                 0, 0},
    {TControlKind::kCheckBox,        L"BUTTON",       BS_AUTOCHECKBOX | WS_TABSTOP,                  0, 0},
    {TControlKind::kHeadingCheckBox, L"BUTTON",       BS_AUTOCHECKBOX | WS_TABSTOP,                  0, 0},
    // Its frame stays off the heading check box laid over it.
    {TControlKind::kGroupBox,        L"BUTTON",       BS_GROUPBOX | WS_CLIPSIBLINGS,                 0, 0},
    {TControlKind::kLabel,           L"STATIC",       SS_LEFT | SS_NOPREFIX,                         0, 0},
    {TControlKind::kLink,            L"STATIC",       SS_LEFT | SS_NOPREFIX | SS_NOTIFY | SS_PATHELLIPSIS, 0, 0},
    {TControlKind::kPanel,           L"STATIC",       SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX,      WS_EX_STATICEDGE, 0},
    {TControlKind::kSamplePanel,     L"STATIC",       SS_NOPREFIX,                                   0, 0},
    {TControlKind::kReadOnlyEdit,    L"EDIT",         kReadOnlyEditStyle,                            WS_EX_CLIENTEDGE, 0},
    {TControlKind::kLabeledEdit,     L"EDIT",         kReadOnlyEditStyle,                            WS_EX_CLIENTEDGE, 0},
    {TControlKind::kUpDownEdit,      L"EDIT",         kReadOnlyEditStyle,                            WS_EX_CLIENTEDGE, 0},
    {TControlKind::kTextEdit,        L"EDIT",         ES_AUTOHSCROLL | WS_TABSTOP,                   WS_EX_CLIENTEDGE, 0},
    {TControlKind::kDropDownList,    L"COMBOBOX",     CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,    0, kDropDownHeight},
    {TControlKind::kDropDown,        L"COMBOBOX",     kDropDownStyle,                                0, kDropDownHeight},
    {TControlKind::kListView,        WC_LISTVIEWW,    kListViewStyle,                                WS_EX_CLIENTEDGE, 0},
    {TControlKind::kRichEdit,        RICHEDIT_CLASSW, ES_READONLY | ES_AUTOHSCROLL,                  0, 0},
    {TControlKind::kMemo,            L"EDIT",         kMemoStyle,                                    0, 0},
    {TControlKind::kScrollMemo,      L"EDIT",         kMemoStyle | WS_VSCROLL | WS_TABSTOP,          WS_EX_CLIENTEDGE, 0},
};
// clang-format on

// Every kind but the page has its row.
const TControlClass& ClassOf(TControlKind kind) {
  const TControlClass* found =
      std::find_if(std::begin(kControlClasses), std::end(kControlClasses),
                   [kind](const TControlClass& c) { return c.Kind == kind; });
  return found != std::end(kControlClasses) ? *found : ClassOf(TControlKind::kLabel);
}

BOOL CALLBACK DisableIfShown(HWND window, LPARAM collect) {
  if (IsWindowVisible(window) && IsWindowEnabled(window)) {
    EnableWindow(window, FALSE);
    reinterpret_cast<std::vector<TWindowHandle>*>(collect)->push_back(window);
  }
  return TRUE;
}

}  // namespace

std::wstring DialogFace(const std::vector<std::wstring>& designed) {
  std::vector<std::wstring> faces = designed;
  for (const wchar_t* face :
       {L"MS UI Gothic", L"ＭＳ Ｐゴシック", L"MS PGothic", L"Meiryo UI", L"Yu Gothic UI",
        L"VL PGothic", L"VL Gothic", L"IPAPGothic", L"IPAGothic", L"Noto Sans CJK JP",
        L"TakaoPGothic", L"Droid Sans Japanese"}) {
    faces.push_back(face);
  }
  for (const std::wstring& face : faces) {
    if (HasFace(face)) return face;
  }
  return designed.empty() ? std::wstring(L"MS UI Gothic") : designed.front();
}

TDialogFonts::~TDialogFonts() {
  for (auto& entry : fonts_) DeleteObject(static_cast<HFONT>(entry.second));
}

TFontHandle TDialogFonts::Get(int32_t height, bool bold, bool underline, const std::wstring& face) {
  const std::wstring name = face.empty() ? face_ : face;
  const std::wstring key =
      name + L"|" + WideFromAnsi(std::to_string(height)) + (bold ? L"b" : L"") + (underline ? L"u" : L"");
  auto found = fonts_.find(key);
  if (found != fonts_.end()) return found->second;
  // Japanese faces with the Shift-JIS character set; other faces take their own.
  const bool latin = name == L"Times New Roman";
  HFONT font =
      CreateFontW(cellHeight_ ? height : -height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE,
                  underline, FALSE, latin ? ANSI_CHARSET : SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, name.c_str());
  fonts_[key] = font;
  return font;
}

TOtherWindowsDisabled::TOtherWindowsDisabled() {
  EnumThreadWindows(GetCurrentThreadId(), DisableIfShown, reinterpret_cast<LPARAM>(&disabled_));
}

void TOtherWindowsDisabled::Restore() {
  for (TWindowHandle window : disabled_) {
    if (IsWindow(ToWindow(window))) EnableWindow(ToWindow(window), TRUE);
  }
  disabled_.clear();
}

TWin32Dialog::~TWin32Dialog() {
  for (auto& entry : brushes_) DeleteObject(static_cast<HBRUSH>(entry.second));
  if (richEditLibrary_ != nullptr) FreeLibrary(static_cast<HMODULE>(richEditLibrary_));
}

intptr_t TWin32Dialog::RunModal(TWindowHandle owner, const std::string& caption,
                                int32_t clientWidth, int32_t clientHeight) {
  caption_ = WideFromUtf8(caption);
  clientWidth_ = clientWidth;
  clientHeight_ = clientHeight;
  others_.emplace();
  TEmptyTemplate t = MakeTemplate(kDialogStyle, kDialogExStyle);
  const INT_PTR result = DialogBoxIndirectParamW(ThisModule(), &t.Template, ToWindow(owner),
                                                 DialogProc, reinterpret_cast<LPARAM>(this));
  others_.reset();
  dialog_ = nullptr;
  return static_cast<intptr_t>(result);
}

void TWin32Dialog::Close(intptr_t id) {
  if (others_) others_->Restore();
  EndDialog(ToWindow(dialog_), id);
}

bool TWin32Dialog::Dispatch(TWindowHandle window, uint32_t message, uintptr_t wParam,
                            intptr_t lParam, intptr_t& result) {
  if (message == WM_INITDIALOG && dialog_ == nullptr) {
    dialog_ = window;
    HWND hwnd = ToWindow(window);
    SetWindowTextW(hwnd, caption_.c_str());
    RECT outer = {0, 0, clientWidth_, clientHeight_};
    AdjustWindowRectEx(&outer, kDialogStyle, FALSE, kDialogExStyle);
    const TWindowBounds place = Placement(outer.right - outer.left, outer.bottom - outer.top);
    SetWindowPos(hwnd, nullptr, place.Left, place.Top, place.Width, place.Height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    result = OnInit() ? FALSE : TRUE;
    return true;
  }
  if (message == WM_INITDIALOG) {
    result = FALSE;
    return true;
  }
  if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC &&
      ColorMessage(wParam, reinterpret_cast<TWindowHandle>(lParam), result)) {
    return true;
  }
  return OnMessage(window, message, wParam, lParam, result);
}

bool TWin32Dialog::ColorMessage(uintptr_t dc, TWindowHandle control, intptr_t& result) {
  auto found = colors_.find(control);
  if (found == colors_.end()) return false;
  HDC hdc = reinterpret_cast<HDC>(dc);
  const TControlColors& colors = found->second;
  if (colors.Text) SetTextColor(hdc, *colors.Text);
  const uint32_t background = colors.Background ? *colors.Background : GetSysColor(COLOR_BTNFACE);
  SetBkColor(hdc, background);
  void*& brush = brushes_[background];
  if (brush == nullptr) brush = CreateSolidBrush(background);
  result = reinterpret_cast<intptr_t>(brush);
  return true;
}

TWindowHandle TWin32Dialog::CreatePage(const TControlRect& rect) {
  TEmptyTemplate t = MakeTemplate(WS_CHILD | DS_CONTROL, WS_EX_CONTROLPARENT);
  HWND page = CreateDialogIndirectParamW(ThisModule(), &t.Template, ToWindow(dialog_), DialogProc,
                                         reinterpret_cast<LPARAM>(this));
  SetWindowPos(page, nullptr, rect.Left, rect.Top, rect.Width, rect.Height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  return page;
}

TWindowHandle TWin32Dialog::Control(int32_t id) const {
  auto found = controls_.find(id);
  return found == controls_.end() ? nullptr : found->second;
}

void TWin32Dialog::SetColors(int32_t id, const TControlColors& colors) {
  TWindowHandle control = Control(id);
  if (control == nullptr) return;
  auto known = colors_.find(control);
  if (known != colors_.end() && known->second.Text == colors.Text &&
      known->second.Background == colors.Background) {
    return;
  }
  colors_[control] = colors;
  InvalidateRect(ToWindow(control), nullptr, TRUE);
}

void TWin32Dialog::SetText(int32_t id, const std::wstring& text) {
  TWindowHandle control = Control(id);
  if (control == nullptr) return;
  // Setting the same text again would only flicker.
  if (WindowText(control) != text) SetWindowTextW(ToWindow(control), text.c_str());
}

void TWin32Dialog::SetEnabled(int32_t id, bool enabled) {
  if (TWindowHandle control = Control(id)) EnableWindow(ToWindow(control), enabled);
}

void TWin32Dialog::CreateControl(const TControlSpec& control, TControlRect rect,
                                 int32_t windowParent, TDialogFonts& fonts, int32_t room) {
  HWND parent = ToWindow(windowParent != 0 ? Control(windowParent) : dialog_);
  const std::wstring caption = WideFromUtf8(Caption(control.Caption));
  HFONT font =
      static_cast<HFONT>(fonts.Get(control.FontHeight != 0 ? control.FontHeight : kDialogFontHeight,
                                   control.Bold, control.Kind == TControlKind::kLink));
  if (control.Kind == TControlKind::kPage) {
    controls_[control.Id] = CreatePage(rect);
    return;
  }
  if (control.Kind == TControlKind::kRichEdit && richEditLibrary_ == nullptr) {
    richEditLibrary_ = LoadLibraryW(L"riched20.dll");
  }
  const TControlClass& made = ClassOf(control.Kind);
  if (control.Kind == TControlKind::kLabel && rect.Width == 0) {
    rect.Width = TextExtent(parent, font, caption).Width + 2;
    rect.Left -= std::max(0, rect.Width - room);
  }
  HWND window = CreateWindowExW(
      made.ExStyle, made.ClassName, caption.c_str(), WS_CHILD | WS_VISIBLE | made.Style, rect.Left,
      rect.Top, rect.Width, rect.Height + made.DropDownHeight, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.Id)), ThisModule(), nullptr);
  if (window == nullptr) return;
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  controls_[control.Id] = window;
  if (control.TextColor != kDefaultTextColor) colors_[window] = {control.TextColor, std::nullopt};

  switch (control.Kind) {
    case TControlKind::kHeadingCheckBox:
      // Over the line of its group box, which it stands in for as the caption.
      SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      break;
    case TControlKind::kLabeledEdit: {
      const TTextExtent size = TextExtent(parent, font, caption);
      HWND label = CreateWindowExW(
          0, L"STATIC", caption.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
          rect.Left - kLabelSpacing - size.Width, rect.Top + (rect.Height - size.Height) / 2, size.Width,
          size.Height, parent,
          reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.Id + kLabelIdOffset)), ThisModule(),
          nullptr);
      SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
      controls_[control.Id + kLabelIdOffset] = label;
      SetWindowTextW(window, L"");
      break;
    }
    case TControlKind::kUpDownEdit: {
      HWND upDown = CreateWindowExW(
          0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
          rect.Left + rect.Width, rect.Top, kUpDownWidth, rect.Height, parent,
          reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.Id + kUpDownIdOffset)), ThisModule(),
          nullptr);
      SendMessageW(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(window), 0);
      controls_[control.Id + kUpDownIdOffset] = upDown;
      break;
    }
    case TControlKind::kListView:
      SendMessageW(window, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                   LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
      break;
    default: break;
  }
}

}  // namespace varimo
