#include "dialogs/win32_dialog_window.h"

#include <windows.h>
// The common controls and shell headers build on the one above.
#include <commctrl.h>
#include <richedit.h>

#include <algorithm>

#include "platform/win32_ui_ports.h"

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

std::optional<std::string> AnsiIfExact(const std::wstring& text) {
  if (text.empty()) return std::string();
  BOOL lossy = FALSE;
  const int length =
      WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                          nullptr, 0, nullptr, &lossy);
  std::string ansi(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                      ansi.data(), length, nullptr, &lossy);
  if (lossy) return std::nullopt;
  return ansi;
}

SIZE TextSize(HWND window, HFONT font, const std::wstring& text) {
  SIZE size = {0, 0};
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, font);
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return size;
}

BOOL CALLBACK DisableIfShown(HWND window, LPARAM collect) {
  if (IsWindowVisible(window) && IsWindowEnabled(window)) {
    EnableWindow(window, FALSE);
    reinterpret_cast<std::vector<TWindowHandle>*>(collect)->push_back(window);
  }
  return TRUE;
}

}  // namespace

std::wstring WideFromAnsi(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int length =
      MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::string AnsiFromWide(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(), length,
                      nullptr, nullptr);
  return ansi;
}

std::optional<std::string> AnsiPathFromWide(const std::wstring& path) {
  if (std::optional<std::string> exact = AnsiIfExact(path)) return exact;
  std::wstring shortPath(MAX_PATH, L'\0');
  const DWORD length =
      GetShortPathNameW(path.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
  if (length == 0 || length >= shortPath.size()) return std::nullopt;
  shortPath.resize(length);
  return AnsiIfExact(shortPath);
}

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
  const int length = GetWindowTextLengthW(ToWindow(control));
  std::wstring current(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(ToWindow(control), current.data(), length + 1);
  current.resize(static_cast<size_t>(std::max(length, 0)));
  if (current != text) SetWindowTextW(ToWindow(control), text.c_str());
}

void TWin32Dialog::SetEnabled(int32_t id, bool enabled) {
  if (TWindowHandle control = Control(id)) EnableWindow(ToWindow(control), enabled);
}

void TWin32Dialog::CreateControl(const TControlSpec& control, TControlRect rect,
                                 int32_t windowParent, TDialogFonts& fonts) {
  HWND parent = ToWindow(windowParent != 0 ? Control(windowParent) : dialog_);
  const std::wstring caption = WideFromUtf8(Caption(control.Caption));
  HFONT font =
      static_cast<HFONT>(fonts.Get(control.FontHeight != 0 ? control.FontHeight : kDialogFontHeight,
                                   control.Bold, control.Kind == TControlKind::kLink));
  const wchar_t* className = L"STATIC";
  DWORD style = WS_CHILD | WS_VISIBLE;
  DWORD exStyle = 0;
  int32_t height = rect.Height;
  switch (control.Kind) {
    case TControlKind::kPage: {
      HWND page = ToWindow(CreatePage(rect));
      controls_[control.Id] = page;
      return;
    }
    case TControlKind::kTabs:
      className = WC_TABCONTROLW;
      style |= WS_TABSTOP | WS_CLIPSIBLINGS | TCS_FIXEDWIDTH;
      break;
    case TControlKind::kButton:
      className = L"BUTTON";
      style |= BS_PUSHBUTTON | WS_TABSTOP;
      break;
    case TControlKind::kDefaultButton:
      className = L"BUTTON";
      style |= BS_DEFPUSHBUTTON | WS_TABSTOP;
      break;
    case TControlKind::kCheckBox:
    case TControlKind::kHeadingCheckBox:
      className = L"BUTTON";
      style |= BS_AUTOCHECKBOX | WS_TABSTOP;
      break;
    case TControlKind::kGroupBox:
      className = L"BUTTON";
      // Its frame stays off the heading check box laid over it.
      style |= BS_GROUPBOX | WS_CLIPSIBLINGS;
      break;
    case TControlKind::kLabel: style |= SS_LEFT | SS_NOPREFIX; break;
    case TControlKind::kLink: style |= SS_LEFT | SS_NOPREFIX | SS_NOTIFY | SS_PATHELLIPSIS; break;
    case TControlKind::kPanel:
      style |= SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX;
      exStyle |= WS_EX_STATICEDGE;
      break;
    case TControlKind::kSamplePanel: style |= SS_NOPREFIX; break;
    case TControlKind::kReadOnlyEdit:
    case TControlKind::kLabeledEdit:
    case TControlKind::kUpDownEdit:
      className = L"EDIT";
      style |= ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP;
      exStyle |= WS_EX_CLIENTEDGE;
      break;
    case TControlKind::kTextEdit:
      className = L"EDIT";
      style |= ES_AUTOHSCROLL | WS_TABSTOP;
      exStyle |= WS_EX_CLIENTEDGE;
      break;
    case TControlKind::kDropDownList:
      className = L"COMBOBOX";
      style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
      height += kDropDownHeight;
      break;
    case TControlKind::kDropDown:
      className = L"COMBOBOX";
      style |= CBS_DROPDOWN | CBS_AUTOHSCROLL | CBS_SORT | WS_VSCROLL | WS_TABSTOP;
      height += kDropDownHeight;
      break;
    case TControlKind::kListView:
      className = WC_LISTVIEWW;
      style |= LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP | WS_CLIPSIBLINGS;
      exStyle |= WS_EX_CLIENTEDGE;
      break;
    case TControlKind::kRichEdit:
      if (richEditLibrary_ == nullptr) richEditLibrary_ = LoadLibraryW(L"riched20.dll");
      className = RICHEDIT_CLASSW;
      style |= ES_READONLY | ES_AUTOHSCROLL;
      break;
    case TControlKind::kMemo:
      className = L"EDIT";
      style |= ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | ES_AUTOVSCROLL;
      break;
    case TControlKind::kScrollMemo:
      className = L"EDIT";
      style |=
          ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP;
      exStyle |= WS_EX_CLIENTEDGE;
      break;
  }
  if (control.Kind == TControlKind::kLabel && rect.Width == 0) {
    rect.Width = TextSize(parent, font, caption).cx + 2;
  }
  HWND window = CreateWindowExW(
      exStyle, className, caption.c_str(), style, rect.Left, rect.Top, rect.Width, height, parent,
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
      const SIZE size = TextSize(parent, font, caption);
      HWND label = CreateWindowExW(
          0, L"STATIC", caption.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
          rect.Left - kLabelSpacing - size.cx, rect.Top + (rect.Height - size.cy) / 2, size.cx,
          size.cy, parent,
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
