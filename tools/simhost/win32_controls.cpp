#include "win32_controls.h"

#include <commctrl.h>

#include "scenario.h"
#include "win32_text.h"

namespace varimo {
namespace {

// Rows and entries a control listing writes out; enough to see what a list holds.
constexpr int kListedRows = 40;

BOOL CALLBACK CollectChild(HWND window, LPARAM data) {
  reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  return TRUE;
}

std::vector<HWND> Descendants(HWND dialog) {
  std::vector<HWND> children;
  EnumChildWindows(dialog, CollectChild, reinterpret_cast<LPARAM>(&children));
  return children;
}

bool ParseOrdinal(const std::string& word, int& n) {
  std::optional<int64_t> value = ParseInteger(word);
  if (!value || *value < 1 || *value > 100000) return false;
  n = static_cast<int>(*value);
  return true;
}

std::string YesNo(bool value) {
  return value ? "yes" : "no";
}

std::string Quoted(const std::wstring& text) {
  return "\"" + Utf8FromWide(text) + "\"";
}

std::string RectWords(const RECT& rect) {
  return std::to_string(rect.left) + "," + std::to_string(rect.top) + " " +
         std::to_string(rect.right - rect.left) + "x" + std::to_string(rect.bottom - rect.top);
}

int ListColumnCount(HWND list) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  int count =
      header != nullptr ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
  return count > 0 ? count : 1;
}

std::string ListSelection(HWND list) {
  std::string rows;
  int row = -1;
  while ((row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, row, LVNI_SELECTED))) >= 0) {
    rows += (rows.empty() ? "" : ",") + std::to_string(row);
  }
  return rows.empty() ? "none" : rows;
}

bool IsButtonWithCheck(HWND control) {
  if (!IsClass(control, "Button")) return false;
  LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
         type == BS_AUTO3STATE || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

std::string CheckState(HWND control) {
  LRESULT state = SendMessageW(control, BM_GETCHECK, 0, 0);
  return state == BST_CHECKED ? "yes" : state == BST_INDETERMINATE ? "mixed" : "no";
}

// What a list-like control has selected, as the script compares it.
std::wstring SelectedEntry(HWND control, int& index) {
  index = -1;
  if (IsClass(control, "ComboBox")) {
    index = static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
    std::vector<std::wstring> entries = ComboEntries(control);
    return index >= 0 && index < static_cast<int>(entries.size()) ? entries[index] : L"";
  }
  if (IsClass(control, "ListBox")) {
    index = static_cast<int>(SendMessageW(control, LB_GETCURSEL, 0, 0));
    std::vector<std::wstring> entries = ComboEntries(control);
    return index >= 0 && index < static_cast<int>(entries.size()) ? entries[index] : L"";
  }
  if (IsClass(control, WC_TABCONTROLA)) {
    index = static_cast<int>(SendMessageW(control, TCM_GETCURSEL, 0, 0));
    std::vector<std::wstring> captions = TabCaptions(control);
    return index >= 0 && index < static_cast<int>(captions.size()) ? captions[index] : L"";
  }
  return L"";
}

int ItemCount(HWND control) {
  if (IsClass(control, "ComboBox"))
    return static_cast<int>(SendMessageW(control, CB_GETCOUNT, 0, 0));
  if (IsClass(control, "ListBox"))
    return static_cast<int>(SendMessageW(control, LB_GETCOUNT, 0, 0));
  if (IsClass(control, WC_LISTVIEWA)) return ListRowCount(control);
  if (IsClass(control, WC_TABCONTROLA)) {
    return static_cast<int>(SendMessageW(control, TCM_GETITEMCOUNT, 0, 0));
  }
  return -1;
}

}  // namespace

bool IsClass(HWND window, const char* name) {
  return _stricmp(ClassNameOf(window).c_str(), name) == 0;
}

RECT ScreenRect(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect;
}

POINT Center(const RECT& rect) {
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

HWND FindControl(HWND dialog, const std::string& spec, std::string& error) {
  if (dialog == nullptr || !IsWindow(dialog)) {
    error = "no dialog is chosen (or it has closed)";
    return nullptr;
  }
  if (spec == "focus") {
    HWND focus = GetFocus();
    if (focus == nullptr) error = "no control has the keyboard focus";
    return focus;
  }
  std::vector<HWND> controls = Descendants(dialog);
  HWND hidden = nullptr;
  auto pick = [&](HWND control) {
    if (IsWindowVisible(control)) return true;
    if (hidden == nullptr) hidden = control;
    return false;
  };
  if (spec.compare(0, 3, "id=") == 0) {
    int id;
    if (!ParseOrdinal(spec.substr(3), id)) {
      error = "'" + spec + "': the id must be a positive number";
      return nullptr;
    }
    for (HWND control : controls) {
      if (GetDlgCtrlID(control) == id && pick(control)) return control;
    }
  } else if (spec.compare(0, 6, "class=") == 0 || spec.compare(0, 4, "nth=") == 0) {
    bool byClass = spec[0] == 'c';
    std::string rest = spec.substr(byClass ? 6 : 4);
    std::string name = byClass ? rest : std::string();
    int n = 1;
    size_t colon = byClass ? rest.rfind(':') : std::string::npos;
    if (colon != std::string::npos) name = rest.substr(0, colon);
    std::string number = !byClass                     ? rest
                         : colon != std::string::npos ? rest.substr(colon + 1)
                                                      : "1";
    if (!ParseOrdinal(number, n)) {
      error = "'" + spec + "': the order must be a number from 1";
      return nullptr;
    }
    for (HWND control : controls) {
      if (!IsWindowVisible(control)) continue;
      if (byClass && !IsClass(control, name.c_str())) continue;
      if (--n == 0) return control;
    }
  } else {
    std::string caption = spec.compare(0, 5, "text=") == 0 ? spec.substr(5) : spec;
    for (HWND control : controls) {
      if (TextMatches(WindowText(control), caption) && pick(control)) return control;
    }
  }
  if (hidden != nullptr) return hidden;
  error = "no control '" + spec + "' in the dialog";
  return nullptr;
}

std::vector<std::string> DescribeControls(HWND dialog) {
  std::vector<std::string> lines;
  std::vector<HWND> controls = Descendants(dialog);
  int order = 0;
  for (HWND control : controls) {
    bool visible = IsWindowVisible(control);
    std::string line = (visible ? std::to_string(++order) : std::string("-")) + " " +
                       ClassNameOf(control) + " id=" + std::to_string(GetDlgCtrlID(control)) + " " +
                       Quoted(WindowText(control)) + (visible ? "" : " hidden") +
                       (IsWindowEnabled(control) ? "" : " disabled") + " " +
                       RectWords(ScreenRect(control));
    if (IsButtonWithCheck(control)) line += " checked=" + CheckState(control);
    if (IsClass(control, UPDOWN_CLASSA)) line += " pos=" + std::to_string(UpDownPosition(control));
    int index;
    std::wstring selected = SelectedEntry(control, index);
    if (index >= 0 || IsClass(control, "ComboBox") || IsClass(control, WC_TABCONTROLA)) {
      line += " selected=#" + std::to_string(index) + " " + Quoted(selected);
    }
    if (IsClass(control, WC_LISTVIEWA)) line += " selected=" + ListSelection(control);
    int count = ItemCount(control);
    if (count >= 0) line += " count=" + std::to_string(count);
    lines.push_back(line);
    if (IsClass(control, WC_LISTVIEWA)) {
      int columns = ListColumnCount(control);
      for (int row = 0; row < count && row < kListedRows; ++row) {
        std::string cells = "    row " + std::to_string(row) + ":";
        for (int column = 0; column < columns; ++column) {
          cells += " " + Quoted(ListCellText(control, row, column));
        }
        lines.push_back(cells);
      }
    } else if (IsClass(control, "ComboBox") || IsClass(control, WC_TABCONTROLA)) {
      std::vector<std::wstring> entries =
          IsClass(control, "ComboBox") ? ComboEntries(control) : TabCaptions(control);
      std::string text = "    entries:";
      for (size_t i = 0; i < entries.size() && i < kListedRows; ++i)
        text += " " + Quoted(entries[i]);
      lines.push_back(text);
    }
  }
  return lines;
}

bool ControlPropertyMatches(HWND control, const std::string& property, const std::string& want,
                            std::string& have, std::string& error) {
  if (property == "text") {
    std::wstring text = WindowText(control);
    have = Quoted(text);
    return TextMatches(text, want);
  }
  if (property == "checked") {
    if (want != "yes" && want != "no" && want != "mixed") {
      error = "checked takes yes, no or mixed";
      return false;
    }
    have = CheckState(control);
    return have == want;
  }
  if (property == "enabled" || property == "visible" || property == "focused") {
    std::optional<bool> expected = ParseYesNo(want);
    if (!expected) {
      error = property + " takes yes or no";
      return false;
    }
    bool value = property == "enabled"   ? IsWindowEnabled(control) != FALSE
                 : property == "visible" ? IsWindowVisible(control) != FALSE
                                         : GetFocus() == control;
    have = YesNo(value);
    return value == *expected;
  }
  if (property == "selected") {
    if (IsClass(control, WC_LISTVIEWA)) {
      have = ListSelection(control);
      return have == want;
    }
    int index;
    std::wstring entry = SelectedEntry(control, index);
    have = "#" + std::to_string(index) + " " + Quoted(entry);
    if (want.size() > 1 && want[0] == '#') return want == "#" + std::to_string(index);
    return index >= 0 && TextMatches(entry, want);
  }
  if (property == "pos" || property == "count") {
    std::optional<int64_t> expected = ParseInteger(want);
    if (!expected) {
      error = property + " takes a number";
      return false;
    }
    int value;
    if (property == "count") {
      value = ItemCount(control);
    } else if (IsClass(control, TRACKBAR_CLASSA)) {
      value = static_cast<int>(SendMessageW(control, TBM_GETPOS, 0, 0));
    } else {
      HWND updown = UpDownOf(control);
      if (updown == nullptr) {
        error = "the control is neither an up-down, its buddy nor a track bar";
        return false;
      }
      value = UpDownPosition(updown);
    }
    have = std::to_string(value);
    return value == *expected;
  }
  error = "unknown property '" + property +
          "' (text, checked, enabled, visible, focused, selected, pos, count)";
  return false;
}

int ListRowCount(HWND list) {
  return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

std::wstring ListCellText(HWND list, int row, int column) {
  wchar_t text[1024] = {};
  LVITEMW item = {};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = 1023;
  SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

bool ListCellRect(HWND list, int row, int column, RECT& screen) {
  RECT rect = {};
  rect.top = column;
  if (column == 0) {
    rect.left = LVIR_LABEL;
    if (!SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect))) return false;
  } else {
    rect.left = LVIR_BOUNDS;
    if (!SendMessageW(list, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&rect))) return false;
  }
  RECT client;
  GetClientRect(list, &client);
  RECT visible;
  if (!IntersectRect(&visible, &rect, &client)) return false;
  MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&visible), 2);
  screen = visible;
  return true;
}

std::vector<std::wstring> ComboEntries(HWND combo) {
  bool isList = IsClass(combo, "ListBox") || IsClass(combo, "ComboLBox");
  UINT countMessage = isList ? LB_GETCOUNT : CB_GETCOUNT;
  UINT lengthMessage = isList ? LB_GETTEXTLEN : CB_GETLBTEXTLEN;
  UINT textMessage = isList ? LB_GETTEXT : CB_GETLBTEXT;
  std::vector<std::wstring> entries;
  int count = static_cast<int>(SendMessageW(combo, countMessage, 0, 0));
  for (int i = 0; i < count; ++i) {
    int length = static_cast<int>(SendMessageW(combo, lengthMessage, i, 0));
    std::wstring text(length > 0 ? length + 1 : 1, L'\0');
    int got =
        static_cast<int>(SendMessageW(combo, textMessage, i, reinterpret_cast<LPARAM>(&text[0])));
    text.resize(got > 0 ? got : 0);
    entries.push_back(text);
  }
  return entries;
}

std::vector<std::wstring> TabCaptions(HWND tab) {
  std::vector<std::wstring> captions;
  int count = static_cast<int>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 255;
    SendMessageW(tab, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
    captions.push_back(text);
  }
  return captions;
}

int FindEntry(const std::vector<std::wstring>& entries, const std::string& word) {
  if (word.size() > 1 && word[0] == '#') {
    std::optional<int64_t> n = ParseInteger(word.substr(1));
    if (!n || *n < 0 || *n >= static_cast<int64_t>(entries.size())) return -1;
    return static_cast<int>(*n);
  }
  for (size_t i = 0; i < entries.size(); ++i) {
    if (TextMatches(entries[i], word)) return static_cast<int>(i);
  }
  return -1;
}

HWND UpDownOf(HWND control) {
  if (IsClass(control, UPDOWN_CLASSA)) return control;
  HWND parent = GetParent(control);
  for (HWND sibling = GetWindow(parent, GW_CHILD); sibling != nullptr;
       sibling = GetWindow(sibling, GW_HWNDNEXT)) {
    if (IsClass(sibling, UPDOWN_CLASSA) &&
        reinterpret_cast<HWND>(SendMessageW(sibling, UDM_GETBUDDY, 0, 0)) == control) {
      return sibling;
    }
  }
  return nullptr;
}

int UpDownPosition(HWND updown) {
  return static_cast<int>(SendMessageW(updown, UDM_GETPOS32, 0, 0));
}

}  // namespace varimo
