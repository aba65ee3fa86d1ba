#include "win32_caption_fit.h"

#include <commctrl.h>

#include <algorithm>

#include "win32_controls.h"
#include "win32_text.h"

namespace varimo {
namespace {

// The pixels a control keeps for itself beside its text, as the system's controls draw.
constexpr int kCheckGap = 4;           // between a check box's glyph and its text
constexpr int kFocusMargin = 1;        // the focus rectangle around a check box's text
constexpr int kButtonMargin = 3;       // a push button's edge and focus rectangle, each side
constexpr int kGroupHeadingInset = 9;  // a group box's heading from its edge, and the gap after it
constexpr int kTabEdge = 2;  // a tab item's raised edge each side, which its text is clipped to
constexpr int kHeaderMargin = 6;  // a column heading's margin each side
constexpr int kCellMargin = 6;    // a list cell's text from its edges, both sides together
constexpr int kComboMargin = 2;   // a closed drop-down list's text from its item box
// A heading check box lies over its group box's top line, within this many pixels of it.
constexpr int kHeadingReach = 8;

BOOL CALLBACK CollectChild(HWND window, LPARAM data) {
  reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  return TRUE;
}

bool ShownByOwnStyle(HWND window) {
  return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

HFONT FontOf(HWND window) {
  auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  return font != nullptr ? font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

// The text's height when wrapped at width, as a static control with word wrap draws it.
int WrappedHeight(HWND window, HFONT font, const std::wstring& text, int width) {
  RECT r = {0, 0, width, 0};
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, font);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
            DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return r.bottom - r.top;
}

int ClientWidth(HWND window) {
  RECT r = {};
  GetClientRect(window, &r);
  return r.right - r.left;
}

int ClientHeight(HWND window) {
  RECT r = {};
  GetClientRect(window, &r);
  return r.bottom - r.top;
}

std::string Name(HWND window) {
  return ClassNameOf(window) + " id=" + std::to_string(GetDlgCtrlID(window));
}

std::string RectWords(const RECT& r) {
  return " (" + std::to_string(r.left) + "," + std::to_string(r.top) + " " +
         std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) + ")";
}

struct TFinder {
  std::vector<std::string> Lines;
  void Check(HWND window, const std::string& where, const std::wstring& text, int width, int room) {
    if (text.empty() || width <= room) return;
    Lines.push_back(Name(window) + where + " \"" + Utf8FromWide(text) + "\": " +
                    std::to_string(width) + " px of text in " + std::to_string(room) + " px");
  }
};

bool IsGroupBox(HWND window) {
  return IsClass(window, "Button") &&
         (GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

bool HasCheckGlyph(LONG type) {
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
         type == BS_AUTO3STATE || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

void CheckButton(HWND button, TFinder& found) {
  const std::wstring text = WindowText(button);
  const LONG type = GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK;
  const int width = TextExtent(button, FontOf(button), text).Width;
  int room = ClientWidth(button);
  if (type == BS_GROUPBOX) {
    room -= 2 * kGroupHeadingInset;
  } else if (HasCheckGlyph(type)) {
    room -= GetSystemMetrics(SM_CXMENUCHECK) + kCheckGap + 2 * kFocusMargin;
  } else {
    room -= 2 * kButtonMargin;
  }
  found.Check(button, "", text, width, room);
}

void CheckStatic(HWND label, TFinder& found) {
  const LONG style = GetWindowLongW(label, GWL_STYLE);
  // Paths and addresses shortened with an ellipsis are shortened by design.
  if ((style & (SS_PATHELLIPSIS | SS_ENDELLIPSIS | SS_WORDELLIPSIS)) != 0) return;
  const LONG type = style & SS_TYPEMASK;
  if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP &&
      type != SS_SIMPLE) {
    return;
  }
  const std::wstring text = WindowText(label);
  HFONT font = FontOf(label);
  const TTextExtent extent = TextExtent(label, font, text);
  const int width = extent.Width;
  const int room = ClientWidth(label);
  // One line of text needs the font's whole height, its descenders included.
  if (!text.empty() && width <= room && extent.Height > ClientHeight(label)) {
    found.Lines.push_back(Name(label) + " \"" + Utf8FromWide(text) + "\": " +
                          std::to_string(extent.Height) + " px high in " +
                          std::to_string(ClientHeight(label)) + " px");
  }
  // A wrapping label may take more lines where it has the height for them.
  if (width > room && type != SS_LEFTNOWORDWRAP && type != SS_SIMPLE &&
      WrappedHeight(label, font, text, room) <= ClientHeight(label)) {
    return;
  }
  found.Check(label, "", text, width, room);
}

void CheckTabs(HWND tabs, TFinder& found) {
  const std::vector<std::wstring> captions = TabCaptions(tabs);
  HFONT font = FontOf(tabs);
  for (size_t i = 0; i < captions.size(); ++i) {
    RECT item = {};
    SendMessageW(tabs, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item));
    found.Check(tabs, " tab " + std::to_string(i), captions[i], TextExtent(tabs, font, captions[i]).Width,
                item.right - item.left - 2 * kTabEdge);
  }
}

void CheckList(HWND list, TFinder& found) {
  if ((GetWindowLongW(list, GWL_STYLE) & LVS_TYPEMASK) != LVS_REPORT) return;
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  const int columns =
      header != nullptr ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
  HFONT font = FontOf(list);
  for (int column = 0; column < columns; ++column) {
    const int room = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0));
    wchar_t heading[256] = {};
    HDITEMW item = {};
    item.mask = HDI_TEXT;
    item.pszText = heading;
    item.cchTextMax = 255;
    SendMessageW(header, HDM_GETITEMW, column, reinterpret_cast<LPARAM>(&item));
    found.Check(list, " column " + std::to_string(column) + " heading", heading,
                TextExtent(header, FontOf(header), heading).Width, room - 2 * kHeaderMargin);
    for (int row = 0; row < ListRowCount(list); ++row) {
      const std::wstring cell = ListCellText(list, row, column);
      found.Check(list, " cell " + std::to_string(row) + "," + std::to_string(column), cell,
                  TextExtent(list, font, cell).Width, room - kCellMargin);
    }
  }
}

void CheckFixedList(HWND combo, TFinder& found) {
  // Only a fixed list's entries are the program's; a list with free text holds the user's.
  if ((GetWindowLongW(combo, GWL_STYLE) & 3) != CBS_DROPDOWNLIST) return;
  COMBOBOXINFO info = {};
  info.cbSize = sizeof(info);
  if (!GetComboBoxInfo(combo, &info)) return;
  const int room = info.rcItem.right - info.rcItem.left - 2 * kComboMargin;
  HFONT font = FontOf(combo);
  const std::vector<std::wstring> entries = ComboEntries(combo);
  for (size_t i = 0; i < entries.size(); ++i) {
    found.Check(combo, " entry " + std::to_string(i), entries[i],
                TextExtent(combo, font, entries[i]).Width, room);
  }
}

RECT RectIn(HWND window, HWND parent) {
  RECT r = {};
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool Contains(const RECT& outer, const RECT& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// A control with a caption stays inside its parent, off the other controls beside it (a tab
// control excepted: its pages lie over it), and either inside a group box or outside it (a
// check box over the heading line excepted).
void CheckPlace(HWND control, const std::vector<HWND>& all, TFinder& found) {
  HWND parent = GetParent(control);
  const RECT own = RectIn(control, parent);
  RECT client = {};
  GetClientRect(parent, &client);
  if (!Contains(client, own)) {
    found.Lines.push_back(Name(control) + " \"" + Utf8FromWide(WindowText(control)) +
                          "\" reaches out of its parent");
  }
  for (HWND other : all) {
    if (other == control || GetParent(other) != parent || !ShownByOwnStyle(other)) continue;
    const RECT theirs = RectIn(other, parent);
    RECT common = {};
    if (!IntersectRect(&common, &own, &theirs)) continue;
    // A tab control's pages lie over it.
    if (IsClass(other, WC_TABCONTROLA)) continue;
    if (IsGroupBox(other)) {
      const bool heading = own.left >= theirs.left && own.right <= theirs.right &&
                           own.top < theirs.top + kHeadingReach;
      if (Contains(theirs, own) || heading) continue;
      found.Lines.push_back(
          Name(control) + " \"" + Utf8FromWide(WindowText(control)) +
          "\" crosses the frame of group box id=" + std::to_string(GetDlgCtrlID(other)));
      continue;
    }
    found.Lines.push_back(Name(control) + " \"" + Utf8FromWide(WindowText(control)) + "\"" +
                          RectWords(own) + " overlaps " + Name(other) + RectWords(theirs));
  }
}

}  // namespace

std::vector<std::string> CaptionsNotFitting(HWND dialog) {
  std::vector<HWND> all;
  EnumChildWindows(dialog, CollectChild, reinterpret_cast<LPARAM>(&all));
  TFinder found;
  for (HWND control : all) {
    if (!ShownByOwnStyle(control)) continue;
    const bool captioned = !WindowText(control).empty();
    if (IsClass(control, "Button")) {
      CheckButton(control, found);
    } else if (IsClass(control, "Static")) {
      CheckStatic(control, found);
    } else if (IsClass(control, WC_TABCONTROLA)) {
      CheckTabs(control, found);
    } else if (IsClass(control, WC_LISTVIEWA)) {
      CheckList(control, found);
    } else if (IsClass(control, "ComboBox")) {
      CheckFixedList(control, found);
    }
    const bool placed =
        IsClass(control, "Static") || (IsClass(control, "Button") && !IsGroupBox(control));
    if (captioned && placed) CheckPlace(control, all, found);
  }
  return found.Lines;
}

}  // namespace varimo
