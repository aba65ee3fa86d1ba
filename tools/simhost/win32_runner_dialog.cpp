// Scenario commands on dialogs: finding one and its controls, driving them with real
// input as a user does, reading what they show, and answering the shell's folder
// browser and open-file dialog.
// clang-format off
#include <windows.h>  // before the headers that build on it
// clang-format on
#include <commctrl.h>
#include <shlobj.h>

#include "win32_caption_fit.h"
#include "win32_controls.h"
#include "win32_desktop.h"
#include "win32_modal_watch.h"
#include "win32_runner.h"
#include "win32_text.h"

namespace varimo {
namespace {

constexpr int kMaxUpDownClicks = 2000;
constexpr int kListDragSteps = 10;
constexpr uint32_t kReselectMS = 500;
// The open-file dialog's file-name box: a combo box in newer layouts, an edit in older.
constexpr int kFileNameCombo = 0x47C;
constexpr int kFileNameEdit = 0x480;

struct TTopSearch {
  const std::string* Name;
  HWND Found = nullptr;
};

BOOL CALLBACK SearchTopWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<TTopSearch*>(data);
  if (!IsWindowVisible(window)) return TRUE;
  const std::string& name = *search->Name;
  bool byClass = name.compare(0, 6, "class=") == 0;
  if (byClass ? ClassNameOf(window) == name.substr(6) : TextMatches(StoredCaption(window), name)) {
    search->Found = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindTopWindow(const std::string& name) {
  TTopSearch search{&name};
  EnumThreadWindows(GetCurrentThreadId(), SearchTopWindow, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

BOOL CALLBACK FindTree(HWND window, LPARAM data) {
  if (!IsClass(window, WC_TREEVIEWA)) return TRUE;
  *reinterpret_cast<HWND*>(data) = window;
  return FALSE;
}

HWND TreeOf(HWND dialog) {
  HWND tree = nullptr;
  EnumChildWindows(dialog, FindTree, reinterpret_cast<LPARAM>(&tree));
  return tree;
}

HWND FolderBrowser() {
  for (HWND window : OpenDialogWindows()) {
    if (!IsMessageBox(window) && TreeOf(window) != nullptr) return window;
  }
  return nullptr;
}

HWND FileDialog() {
  for (HWND window : OpenDialogWindows()) {
    if (GetDlgItem(window, kFileNameCombo) != nullptr ||
        GetDlgItem(window, kFileNameEdit) != nullptr) {
      return window;
    }
  }
  return nullptr;
}

BOOL CALLBACK FindEdit(HWND window, LPARAM data) {
  if (!IsClass(window, "Edit")) return TRUE;
  *reinterpret_cast<HWND*>(data) = window;
  return FALSE;
}

// The edit that takes typing: the control itself or the edit inside a combo box.
HWND EditOf(HWND control) {
  if (IsClass(control, "Edit") || ClassNameOf(control).compare(0, 8, "RichEdit") == 0) {
    return control;
  }
  HWND edit = nullptr;
  EnumChildWindows(control, FindEdit, reinterpret_cast<LPARAM>(&edit));
  return edit != nullptr ? edit : control;
}

std::wstring TreeSelection(HWND tree) {
  auto item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  if (item == nullptr) return std::wstring();
  wchar_t text[MAX_PATH] = {};
  TVITEMW info = {};
  info.mask = TVIF_TEXT;
  info.hItem = item;
  info.pszText = text;
  info.cchTextMax = MAX_PATH - 1;
  SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&info));
  return text;
}

std::wstring LastPathPart(std::wstring path) {
  while (!path.empty() && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
  size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

bool ParseIndex(const std::string& word, int& value) {
  std::optional<int64_t> n = ParseInteger(word);
  if (!n || *n < 0 || *n > 1000000) return false;
  value = static_cast<int>(*n);
  return true;
}

bool ParseClickWords(const std::vector<std::string>& args, size_t first, bool& right, bool& twice,
                     std::string& error) {
  right = false;
  twice = false;
  for (size_t i = first; i < args.size(); ++i) {
    if (args[i] == "right") {
      right = true;
    } else if (args[i] == "double") {
      twice = true;
    } else {
      error = "'" + args[i] + "' is neither right nor double";
      return false;
    }
  }
  return true;
}

}  // namespace

std::string ScenarioRunner::WaitControl(const std::string& spec, HWND& control) {
  std::string error;
  control = nullptr;
  if (dialog_ == nullptr) return "no dialog is chosen: use dialog CAPTION first";
  if (WaitFor([&] {
        error.clear();
        control = FindControl(dialog_, spec, error);
        return control != nullptr;
      })) {
    return std::string();
  }
  return error;
}

std::string ScenarioRunner::CmdDialog(const Args& args) {
  HWND found = nullptr;
  if (!WaitFor([&] { return (found = FindTopWindow(args[0])) != nullptr; })) {
    return "no window \"" + args[0] + "\" opened";
  }
  dialog_ = found;
  host_.Note("dialog chosen \"" + Utf8FromWide(StoredCaption(found)) + "\" (" + ClassNameOf(found) +
             ")");
  return std::string();
}

std::string ScenarioRunner::CmdDialogList(const Args&) {
  if (dialog_ == nullptr || !IsWindow(dialog_)) return "no dialog is chosen (or it has closed)";
  host_.Note("dialog \"" + Utf8FromWide(StoredCaption(dialog_)) + "\" controls:");
  for (const std::string& line : DescribeControls(dialog_)) host_.Note("  " + line);
  return std::string();
}

std::string ScenarioRunner::CmdExpectCaptionsFit(const Args&) {
  if (dialog_ == nullptr || !IsWindow(dialog_)) return "no dialog is chosen (or it has closed)";
  const std::vector<std::string> lines = CaptionsNotFitting(dialog_);
  for (const std::string& line : lines) host_.Note("does not fit: " + line);
  if (lines.empty()) return std::string();
  return std::to_string(lines.size()) + " text(s) do not fit, the first: " + lines.front();
}

std::string ScenarioRunner::CmdDialogClick(const Args& args) {
  bool right;
  bool twice;
  std::string error;
  if (!ParseClickWords(args, 1, right, twice, error)) return error;
  HWND control;
  error = WaitControl(args[0], control);
  if (!error.empty()) return error;
  if (!IsWindowVisible(control)) return "the control is hidden";
  ClickAt(Center(ScreenRect(control)), right, twice);
  return std::string();
}

std::string ScenarioRunner::CmdDialogCheck(const Args& args) {
  std::optional<bool> on = ParseYesNo(args[1]);
  if (!on) return "say on or off";
  HWND control;
  std::string error = WaitControl(args[0], control);
  if (!error.empty()) return error;
  LRESULT want = *on ? BST_CHECKED : BST_UNCHECKED;
  if (SendMessageW(control, BM_GETCHECK, 0, 0) != want) {
    if (!IsWindowVisible(control) || !IsWindowEnabled(control)) {
      return "the check box is hidden or disabled";
    }
    ClickAt(Center(ScreenRect(control)), false, false);
  }
  if (WaitFor([&] { return SendMessageW(control, BM_GETCHECK, 0, 0) == want; })) {
    return std::string();
  }
  return "the check box did not change";
}

std::string ScenarioRunner::CmdDialogTab(const Args& args) {
  HWND tab;
  std::string error = WaitControl(args[0], tab);
  if (!error.empty()) return error;
  if (!IsClass(tab, WC_TABCONTROLA)) return "the control is no tab control";
  int index = FindEntry(TabCaptions(tab), args[1]);
  if (index < 0) return "no tab \"" + args[1] + "\"";
  if (SendMessageW(tab, TCM_GETCURSEL, 0, 0) == index) return std::string();
  RECT rect;
  if (!SendMessageW(tab, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect))) {
    return "the tab is not shown";
  }
  MapWindowPoints(tab, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  ClickAt(Center(rect), false, false);
  if (WaitFor([&] { return SendMessageW(tab, TCM_GETCURSEL, 0, 0) == index; })) {
    return std::string();
  }
  return "the click did not switch the tab";
}

std::string ScenarioRunner::CmdDialogUpDown(const Args& args) {
  HWND control;
  std::string error = WaitControl(args[0], control);
  if (!error.empty()) return error;
  HWND updown = UpDownOf(control);
  if (updown == nullptr) return "the control is neither an up-down nor its buddy";
  RECT rect = ScreenRect(updown);
  int width = rect.right - rect.left;
  int height = rect.bottom - rect.top;
  bool horizontal = (GetWindowLongW(updown, GWL_STYLE) & UDS_HORZ) != 0;
  int clicks = 0;
  // Consecutive clicks land a little apart, so that two never count as a double click.
  auto click = [&](bool up) {
    bool shift = clicks++ % 2 == 1;
    POINT point =
        horizontal
            ? POINT{rect.left + (up ? 3 : 1) * width / 4, rect.top + (shift ? 3 : 1) * height / 4}
            : POINT{rect.left + (shift ? 3 : 1) * width / 4, rect.top + (up ? 1 : 3) * height / 4};
    ClickAt(point, false, false);
  };
  if (args[1] == "up" || args[1] == "down") {
    int count = 1;
    if (args.size() == 3 && (!ParseIndex(args[2], count) || count < 1))
      return "count must be from 1";
    for (int i = 0; i < count; ++i) click(args[1] == "up");
    return std::string();
  }
  std::optional<int64_t> target = args.size() == 3 ? ParseInteger(args[2]) : std::nullopt;
  if (args[1] != "to" || !target) return "say up, down or to N";
  int low = 0;
  int high = 0;
  SendMessageW(updown, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
               reinterpret_cast<LPARAM>(&high));
  for (int i = 0; i < kMaxUpDownClicks; ++i) {
    int position = UpDownPosition(updown);
    if (position == *target) return std::string();
    // The upper arrow moves towards the range's upper end, whichever way the range runs.
    click((*target > position) == (high >= low));
    if (UpDownPosition(updown) == position) {
      return "the position stays at " + std::to_string(position) + " (range " +
             std::to_string(low) + " to " + std::to_string(high) + ")";
    }
  }
  return "the position did not reach " + args[2];
}

std::string ScenarioRunner::CmdDialogCombo(const Args& args) {
  HWND combo;
  std::string error = WaitControl(args[0], combo);
  if (!error.empty()) return error;
  if (!IsClass(combo, "ComboBox")) return "the control is no combo box";
  int index = FindEntry(ComboEntries(combo), args[1]);
  if (index < 0) return "no entry \"" + args[1] + "\" in the combo box";
  COMBOBOXINFO info = {};
  info.cbSize = sizeof(info);
  if (!GetComboBoxInfo(combo, &info) || info.hwndList == nullptr)
    return "cannot read the combo box";
  if (!IsRectEmpty(&info.rcButton) && !SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0)) {
    RECT button = info.rcButton;
    MapWindowPoints(combo, nullptr, reinterpret_cast<POINT*>(&button), 2);
    ClickAt(Center(button), false, false);
    if (!WaitFor([&] { return SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; })) {
      return "the list did not drop down";
    }
  }
  HWND list = info.hwndList;
  RECT item;
  RECT client;
  GetClientRect(list, &client);
  SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
  RECT inside;
  if (!IntersectRect(&inside, &item, &client) || !EqualRect(&inside, &item)) {
    // Scrolled into view, as the user would with the list's scroll bar.
    SendMessageW(list, LB_SETTOPINDEX, index, 0);
    SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
  }
  MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&item), 2);
  ClickAt(Center(item), false, false);
  if (WaitFor([&] {
        return SendMessageW(combo, CB_GETCURSEL, 0, 0) == index &&
               !SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0);
      })) {
    return std::string();
  }
  return "the combo box shows entry #" + std::to_string(SendMessageW(combo, CB_GETCURSEL, 0, 0));
}

std::string ScenarioRunner::CmdDialogType(const Args& args) {
  bool append = args.size() == 3;
  if (append && args[2] != "append") return "'" + args[2] + "' is not append";
  HWND control;
  std::string error = WaitControl(args[0], control);
  if (!error.empty()) return error;
  HWND edit = EditOf(control);
  if (args[0] != "focus") {
    if (!IsWindowVisible(edit)) return "the control is hidden";
    ClickAt(Center(ScreenRect(edit)), false, false);
  }
  int length = GetWindowTextLengthW(edit);
  SendMessageW(edit, EM_SETSEL, append ? length : 0, append ? length : -1);
  TypeText(WideFromWord(args[1]));
  return std::string();
}

std::string ScenarioRunner::CmdDialogKey(const Args& args) {
  std::optional<WORD> key = ParseKey(args[0]);
  if (!key) return "'" + args[0] + "' is no key";
  std::vector<WORD> modifiers;
  if (!ParseModifierKeys(args, 1, modifiers)) return "modifiers are alt, ctrl or shift";
  for (WORD modifier : modifiers) SendKey(modifier, false);
  SendKey(*key, false);
  SendKey(*key, true);
  for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) SendKey(*it, true);
  SettleInput();
  return std::string();
}

std::string ScenarioRunner::CmdExpectControl(const Args& args) {
  HWND control;
  std::string error = WaitControl(args[0], control);
  if (!error.empty()) return error;
  std::string have;
  if (WaitFor([&] {
        error.clear();
        HWND now = FindControl(dialog_, args[0], error);
        if (now == nullptr) return false;
        return ControlPropertyMatches(now, args[1], args[2], have, error) || !error.empty();
      }) &&
      error.empty()) {
    return std::string();
  }
  if (!error.empty()) return error;
  return "the control's " + args[1] + " is " + have;
}

std::string ScenarioRunner::CmdExpectCell(const Args& args) {
  int row;
  int column;
  if (!ParseIndex(args[1], row) || !ParseIndex(args[2], column))
    return "row and column are numbers from 0";
  HWND list;
  std::string error = WaitControl(args[0], list);
  if (!error.empty()) return error;
  if (!IsClass(list, WC_LISTVIEWA)) return "the control is no list view";
  std::wstring text;
  if (WaitFor([&] {
        text = ListCellText(list, row, column);
        return row < ListRowCount(list) && TextMatches(text, args[3]);
      })) {
    return std::string();
  }
  if (row >= ListRowCount(list))
    return "the list has " + std::to_string(ListRowCount(list)) + " rows";
  return "the cell holds \"" + Utf8FromWide(text) + "\"";
}

std::string ScenarioRunner::CmdListClick(const Args& args) {
  int row;
  int column;
  if (!ParseIndex(args[1], row) || !ParseIndex(args[2], column))
    return "row and column are numbers from 0";
  bool right;
  bool twice;
  std::string error;
  if (!ParseClickWords(args, 3, right, twice, error)) return error;
  HWND list;
  error = WaitControl(args[0], list);
  if (!error.empty()) return error;
  if (!IsClass(list, WC_LISTVIEWA)) return "the control is no list view";
  if (row >= ListRowCount(list))
    return "the list has " + std::to_string(ListRowCount(list)) + " rows";
  RECT cell;
  if (!ListCellRect(list, row, column, cell)) {
    SendMessageW(list, LVM_ENSUREVISIBLE, row, FALSE);
    if (!ListCellRect(list, row, column, cell)) return "the cell is not shown";
  }
  ClickAt(Center(cell), right, twice);
  return std::string();
}

std::string ScenarioRunner::CmdListDrag(const Args& args) {
  int from;
  int to;
  if (!ParseIndex(args[1], from) || !ParseIndex(args[2], to)) return "rows are numbers from 0";
  HWND list;
  std::string error = WaitControl(args[0], list);
  if (!error.empty()) return error;
  if (!IsClass(list, WC_LISTVIEWA)) return "the control is no list view";
  RECT start;
  RECT end;
  if (!ListCellRect(list, from, 0, start) || !ListCellRect(list, to, 0, end)) {
    return "both rows must be shown";
  }
  POINT a = Center(start);
  POINT b = Center(end);
  MoveCursorTo(a);
  SettleInput();
  SendMouseButton(false, true);
  SettleInput();
  for (int step = 1; step <= kListDragSteps; ++step) {
    MoveCursorTo(
        {a.x + (b.x - a.x) * step / kListDragSteps, a.y + (b.y - a.y) * step / kListDragSteps});
    SettleInput();
  }
  SendMouseButton(false, false);
  SettleInput();
  return std::string();
}

std::string ScenarioRunner::CmdBrowseFolder(const Args& args) {
  HWND browser = nullptr;
  if (!WaitFor([&] { return (browser = FolderBrowser()) != nullptr; })) {
    return "no folder browser opened";
  }
  int button = IDCANCEL;
  if (args[0] != "cancel") {
    std::wstring path = WideFromWord(args[0]);
    HWND tree = TreeOf(browser);
    std::wstring want = LastPathPart(path);
    std::wstring selected;
    bool root = want.size() == 2 && want[1] == L':';
    uint32_t sent = 0;
    bool first = true;
    // The message a browser's own callback sends to preselect a folder. A browser that
    // has just opened may still be filling its tree and lose it: it is sent again.
    auto select = [&] {
      if (first || GetTickCount() - sent >= kReselectMS) {
        OnHost([browser, path] {
          SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
          return std::string();
        });
        sent = GetTickCount();
        first = false;
      }
      selected = TreeSelection(tree);
      return root || lstrcmpiW(selected.c_str(), want.c_str()) == 0;
    };
    if (!WaitFor(select)) {
      return "the folder browser selects \"" + Utf8FromWide(selected) +
             "\", not the folder asked for";
    }
    host_.Note("folder browser: selected \"" + Utf8FromWide(TreeSelection(tree)) + "\"");
    button = IDOK;
  }
  HWND control = GetDlgItem(browser, button);
  if (control == nullptr) return "the folder browser has no such button";
  if (!IsWindowEnabled(control)) return "the folder browser's button is disabled";
  ClickAt(Center(ScreenRect(control)), false, false);
  if (WaitFor([&] { return !IsWindow(browser) || !IsWindowVisible(browser); }))
    return std::string();
  return "the folder browser stayed open";
}

std::string ScenarioRunner::CmdOpenFile(const Args& args) {
  HWND dialog = nullptr;
  if (!WaitFor([&] { return (dialog = FileDialog()) != nullptr; }))
    return "no open-file dialog opened";
  int button = IDCANCEL;
  if (args[0] != "cancel") {
    HWND box = GetDlgItem(dialog, kFileNameCombo);
    if (box == nullptr) box = GetDlgItem(dialog, kFileNameEdit);
    HWND edit = EditOf(box);
    ClickAt(Center(ScreenRect(edit)), false, false);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    TypeText(WideFromWord(args[0]));
    button = IDOK;
  }
  HWND control = GetDlgItem(dialog, button);
  if (control == nullptr) return "the open-file dialog has no such button";
  ClickAt(Center(ScreenRect(control)), false, false);
  if (WaitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); })) return std::string();
  return "the open-file dialog stayed open; open now: " +
         std::string(CurrentMessageBox() != nullptr
                         ? "a message box \"" + Utf8FromWide(MessageBoxText(CurrentMessageBox())) +
                               "\""
                         : "the dialog");
}

}  // namespace varimo
