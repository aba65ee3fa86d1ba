#include "dialogs/win32_options_dialog.h"

#include <windows.h>
// The common controls and shell headers build on the one above.
#include <commctrl.h>
#include <richedit.h>
#include <shellapi.h>

#include <array>
#include <iterator>
#include <set>

#include "common/captions.h"
#include "dialogs/options_layout.h"
#include "dialogs/win32_list_editor_view.h"
#include "dialogs/win32_options_pages.h"
#include "platform/win32_text.h"

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

const TListEditorSpec kHotKeyListSpec = {kListViewHotKey,
                                         {TCaption::kHotKeyColumnCommand, TCaption::kHotKeyColumnKey1,
                                          TCaption::kHotKeyColumnKey2},
                                         {kComboBoxHotKey0, kComboBoxHotKey1, kComboBoxHotKey2},
                                         {1, 1, 1}};
const TListEditorSpec kFormatListSpec = {
    kListViewForm, {TCaption::kNone, TCaption::kFormatColumnItem, TCaption::kFormatColumnText}, {0, kComboBoxForm, kEditForm}, {0, 0, 1}};

constexpr uint32_t kLinkHoverColor = 0x00FF0000;
constexpr uint32_t kLinkColor = 0x00000000;

// The controls bound to the working copy, as the up-downs are: the flag a check box shows
// and the model's rule for a click on it (none: the flag takes the check, which makes Apply
// available); the list position a key list shows and its entries; the ANSI text an edit or
// a drop-down with free text shows.
struct TCheckBoxControl {
  int32_t Id;
  bool TOptionsModel::*Flag;
  void (TOptionsModel::*Click)(bool checked);
};
constexpr TCheckBoxControl kCheckBoxes[] = {
    {kCheckBoxVisible, &TOptionsModel::Visible, nullptr},
    {kCheckBoxPlayTime, &TOptionsModel::PlayTime, nullptr},
    {kCheckBoxCorrect, &TOptionsModel::Correct, &TOptionsModel::CheckBoxCorrectClick},
    {kCheckBoxHotKey, &TOptionsModel::HotKeyEnabled, &TOptionsModel::CheckBoxHotKeyClick},
    {kCheckBoxMP3on3, &TOptionsModel::MP3on3Stop, nullptr},
    {kCheckBoxTransparence, &TOptionsModel::Transparence,
     &TOptionsModel::CheckBoxTransparenceClick},
    {kCheckBoxAlbumMemory, &TOptionsModel::AlbumMemory, &TOptionsModel::CheckBoxAlbumMemoryClick},
    {kCheckBoxAlbumResume, &TOptionsModel::AlbumResume, &TOptionsModel::CheckBoxAlbumResumeClick},
};
// A fixed list shows its entries' texts, or the captions of its entries in the language in
// force when the dialog opens.
struct TKeyListControl {
  int32_t Id;
  int32_t TOptionsModel::*Position;
  const std::vector<std::string>* Entries;
  const TCaption* Captions = nullptr;
  size_t CaptionCount = 0;
};
// In the order of the setting's values: the position is the value.
constexpr TCaption kLanguageEntries[] = {TCaption::kLanguageFollowSystem,
                                         TCaption::kLanguageNameJapanese,
                                         TCaption::kLanguageNameEnglish};
const TKeyListControl kKeyLists[] = {
    {kComboBoxPrevKey, &TOptionsModel::PrevKey, &kTrackKeyEntries},
    {kComboBoxNextKey, &TOptionsModel::NextKey, &kTrackKeyEntries},
    {kComboBoxVisibleKey, &TOptionsModel::VisibleKey, &kVisibleKeyEntries},
    {kComboBoxLanguage, &TOptionsModel::Language, nullptr, kLanguageEntries,
     std::size(kLanguageEntries)},
};
struct TTextControl {
  int32_t Id;
  std::string TOptionsModel::*Text;
};
constexpr TTextControl kTexts[] = {
    {kEditMP3on3, &TOptionsModel::MP3on3Path},
    {kComboBoxFontName, &TOptionsModel::FontName},
};
struct TUpDownControl {
  int32_t Edit;
  TUpDown TOptionsModel::*Value;
};
constexpr TUpDownControl kUpDowns[] = {
    {kEditTimer, &TOptionsModel::Timer},
    {kEditBreak, &TOptionsModel::Break},
    {kEditCorrect, &TOptionsModel::CorrectMS},
    {kEditFontSize, &TOptionsModel::FontSize},
    {kEditFontPitch, &TOptionsModel::FontPitch},
    {kEditTransparence, &TOptionsModel::TransparenceValue},
};

HWND ToWindow(TWindowHandle handle) {
  return static_cast<HWND>(handle);
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

// The text a notification says an edit or a combo box now holds; none for other codes.
std::optional<std::wstring> ChangedText(HWND control, int32_t code) {
  if (code == EN_CHANGE || code == CBN_EDITCHANGE) return WindowText(control);
  if (code != CBN_SELCHANGE) return std::nullopt;
  // The combo box's own text follows the selection only after this notification.
  const LRESULT selected = SendMessageW(control, CB_GETCURSEL, 0, 0);
  const LRESULT length = SendMessageW(control, CB_GETLBTEXTLEN, static_cast<WPARAM>(selected), 0);
  if (selected < 0 || length < 0) return std::nullopt;
  std::wstring entry(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(control, CB_GETLBTEXT, static_cast<WPARAM>(selected),
               reinterpret_cast<LPARAM>(entry.data()));
  entry.resize(static_cast<size_t>(length));
  return entry;
}

class TOptionsView : public TWin32Dialog, private IListEditorOwner {
 public:
  TOptionsView(TOptionsModel& model, const TOptionsContext& context)
      : model_(model),
        context_(context),
        fonts_(DialogFace({L"MS UI Gothic"})),
        hotKeys_(model.HotKeyList, kHotKeyListSpec, *this),
        format_(model.FormatList, kFormatListSpec, *this) {}

 protected:
  TWindowBounds Placement(int32_t width, int32_t height) override {
    const TDialogRect r = DialogPosition(context_.Main, width, height, context_.Screen);
    return {r.Left, r.Top, width, height};
  }
  bool OnInit() override;
  bool OnMessage(TWindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam,
                 intptr_t& result) override;

 private:
  // IListEditorOwner
  bool Filling() const override { return filling_; }
  void ListChanged(TListChange change) override;
  void ListActed() override { Sync(); }
  void EditorOpened() override { SyncRoles(); }

  HWND Window(int32_t id) const { return ToWindow(Control(id)); }
  bool Checked(int32_t id) const {
    return SendMessageW(Window(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  void SetChecked(int32_t id, bool checked) {
    SendMessageW(Window(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  std::array<TListEditorView*, 2> Lists() { return {&hotKeys_, &format_}; }
  bool Editing() const { return hotKeys_.Editing() || format_.Editing(); }
  void FillControls();
  void ShowPage(int index);

  void Sync();
  void SyncUpDowns();
  void SyncLooks();
  void SyncSample();
  void SyncRoles();

  void OnCommand(int32_t id, int32_t code);
  // A bound control's notification taken into the working copy; false when none was.
  bool TakeBound(int32_t id, int32_t code);
  void OnUpDown(HWND upDown);
  bool OnNotify(const NMHDR& header, intptr_t& result);
  void ApplyNow();
  bool HoverLink(HWND over);

  TOptionsModel& model_;
  const TOptionsContext& context_;
  TDialogFonts fonts_;
  TListEditorView hotKeys_;
  TListEditorView format_;
  std::array<HWND, 7> pages_{};
  bool filling_ = false;
  HWND hoveredLink_ = nullptr;
};

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
  FillControls();

  ShowPage(0);
  filling_ = false;
  model_.FormShow();
  Sync();
  SyncSample();
  SetFocus(tabs);
  return true;
}

void TOptionsView::FillControls() {
  for (const TCheckBoxControl& c : kCheckBoxes) SetChecked(c.Id, model_.*c.Flag);
  SetChecked(kCheckBoxFormNo, model_.FormatList.Numbered);
  for (const TUpDownControl& u : kUpDowns) {
    UDACCEL step = {0, static_cast<UINT>((model_.*u.Value).Step)};
    SendMessageW(Window(u.Edit + kUpDownIdOffset), UDM_SETACCEL, 1,
                 reinterpret_cast<LPARAM>(&step));
  }
  for (const TKeyListControl& k : kKeyLists) {
    auto add = [&](const char* entry) {
      SendMessageW(Window(k.Id), CB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(WideFromUtf8(entry).c_str()));
    };
    if (k.Entries != nullptr) {
      for (const std::string& entry : *k.Entries) add(entry.c_str());
    }
    for (size_t i = 0; i < k.CaptionCount; ++i) add(Caption(k.Captions[i]));
    SendMessageW(Window(k.Id), CB_SETCURSEL, static_cast<WPARAM>(model_.*k.Position), 0);
  }
  hotKeys_.Open(Control(kListViewHotKey), fonts_.Get(12));
  format_.Open(Control(kListViewForm), fonts_.Get(12));

  for (const std::wstring& face : SystemFaces()) {
    SendMessageW(Window(kComboBoxFontName), CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(face.c_str()));
  }
  for (const TTextControl& t : kTexts) SetText(t.Id, WideFromAnsi(model_.*t.Text));

  SetColors(kPanelSample, {std::nullopt, kSamplePanelColor});
  SendMessageW(Window(kRichEditForm), EM_SETBKGNDCOLOR, 0, kSamplePanelColor);
  SetText(kLabelURL, WideFromUtf8(kProjectHomeUrl));
  SetText(kLabelLinkMP3on3, WideFromAnsi(context_.HelpPage));
  SetColors(kLabelURL, {kLinkColor, std::nullopt});
  SetColors(kLabelLinkMP3on3, {kLinkColor, std::nullopt});
}

void TOptionsView::ShowPage(int index) {
  SendMessageW(Window(kOptionsTabs), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  for (int i = 0; i < 7; ++i)
    ShowWindow(pages_[static_cast<size_t>(i)], i == index ? SW_SHOW : SW_HIDE);
}

void TOptionsView::ListChanged(TListChange change) {
  model_.Take(change);
  // Only the format list changes the format: its presets set the number check too.
  if (change != TListChange::kFormat) return;
  SetChecked(kCheckBoxFormNo, model_.FormatList.Numbered);
  SyncSample();
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
  // The resume box counts only under the memory's; it keeps its check while disabled.
  SetEnabled(kCheckBoxAlbumResume, model_.AlbumResumeLook().Enabled);
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
  const bool editing = Editing();
  SendMessageW(ToWindow(dialog_), DM_SETDEFID, editing ? 0 : IDOK, 0);
  SendMessageW(Window(kOptionsOk), BM_SETSTYLE, editing ? BS_PUSHBUTTON : BS_DEFPUSHBUTTON, TRUE);
}

bool TOptionsView::OnMessage(TWindowHandle window, uint32_t message, uintptr_t wParam,
                             intptr_t lParam, intptr_t& result) {
  HWND hwnd = ToWindow(window);
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      result = 0;
      return true;
    case WM_CLOSE: Close(IDCANCEL); return true;
    case WM_VSCROLL:
      if (lParam == 0) return false;
      OnUpDown(reinterpret_cast<HWND>(lParam));
      return true;
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result);
    case WM_CONTEXTMENU:
      for (TListEditorView* list : Lists()) {
        if (!list->IsList(reinterpret_cast<TWindowHandle>(wParam))) continue;
        list->OnContextMenu(lParam);
        return true;
      }
      return false;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      for (TListEditorView* list : Lists()) {
        if (list->Dragging()) return list->OnDragMessage(window, message, lParam);
      }
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
      PaintVersionPage(window, fonts_);
      return true;
    default: return false;
  }
}

void TOptionsView::OnCommand(int32_t id, int32_t code) {
  if (filling_ || hotKeys_.Filling() || format_.Filling()) return;
  for (TListEditorView* list : Lists()) {
    if (!list->IsEditor(id)) continue;
    if (list->OnEditorCommand(id, code)) Sync();
    return;
  }
  switch (id) {
    case kOptionsOk:
      if (Editing()) return;
      ApplyNow();
      Close(IDOK);
      return;
    case kOptionsCancel:
      // Esc belongs to an open editor.
      if (Editing()) return;
      Close(IDCANCEL);
      return;
    case kButtonUpdate: ApplyNow(); break;
    case kCheckBoxFormNo:
      model_.CheckBoxFormNoClick(Checked(id));
      SyncSample();
      break;
    case kButtonMeasure: model_.ButtonMeasureClick(context_.Host, context_.Clock); break;
    case kButtonMP3on3:
      if (std::optional<std::string> path = BrowseProgram(dialog_, model_.MP3on3Path)) {
        SetText(kEditMP3on3, WideFromAnsi(*path));
      }
      break;
    case kLabelURL:
    case kLabelLinkMP3on3:
      if (code != STN_CLICKED) return;
      ShellExecuteW(nullptr, nullptr, WindowText(Window(id)).c_str(), nullptr, nullptr,
                    SW_SHOWNORMAL);
      return;
    default:
      if (!TakeBound(id, code)) return;
      break;
  }
  Sync();
}

bool TOptionsView::TakeBound(int32_t id, int32_t code) {
  for (const TCheckBoxControl& c : kCheckBoxes) {
    if (c.Id != id) continue;
    if (c.Click != nullptr) {
      (model_.*c.Click)(Checked(id));
    } else {
      model_.*c.Flag = Checked(id);
      model_.OnUpdate();
    }
    // The hot keys' rows are unselected with the check, and the list shows it.
    if (id == kCheckBoxHotKey) hotKeys_.Unselect();
    return true;
  }
  for (const TKeyListControl& k : kKeyLists) {
    if (k.Id != id || code != CBN_SELCHANGE) continue;
    model_.*k.Position = static_cast<int32_t>(SendMessageW(Window(id), CB_GETCURSEL, 0, 0));
    model_.OnUpdate();
    return true;
  }
  for (const TTextControl& t : kTexts) {
    if (t.Id != id) continue;
    const std::optional<std::wstring> text = ChangedText(Window(id), code);
    if (!text) return false;
    model_.*t.Text = AnsiFromWide(*text);
    model_.OnUpdate();
    return true;
  }
  return false;
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
  for (TListEditorView* list : Lists()) {
    if (list->IsList(header.hwndFrom)) return list->OnNotify(reinterpret_cast<intptr_t>(&header));
  }
  return false;
}

void TOptionsView::ApplyNow() {
  for (TListEditorView* list : Lists()) list->Commit(false);
  context_.Apply(model_);
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

}  // namespace

void ShowOptionsDialog(TWindowHandle owner, TOptionsModel& model, const TOptionsContext& context) {
  TOptionsView view(model, context);
  view.RunModal(owner, Caption(TCaption::kOptionsTitle), kOptionsClientWidth, kOptionsClientHeight);
}

}  // namespace varimo
