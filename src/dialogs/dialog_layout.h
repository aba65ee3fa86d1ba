#pragma once
// The controls of a dialog as one constant table: what each control is, where it sits and
// which caption it shows (its text is in the caption table). The views build their windows
// from these rows; the tests check the tables whole.

#include <cstddef>
#include <cstdint>

#include "common/captions.h"

namespace varimo {

enum class TControlKind {
  kButton,
  kDefaultButton,  // takes Enter
  kCheckBox,
  kHeadingCheckBox,  // a check box laid over the top edge of the group box it switches
  kGroupBox,
  kLabel,
  kLink,          // an underlined web address with the hand cursor
  kReadOnlyEdit,  // read-only, the button-face colour until its group has something to show
  kLabeledEdit,   // a read-only edit with its caption as a label 3 pixels to its left
  kTextEdit,      // free text
  kUpDownEdit,    // a read-only edit showing the position of the up-down right of it
  kDropDownList,  // a fixed list
  kDropDown,      // a list with free text
  kListView,      // a report list with grid lines and whole-row selection
  kPanel,         // lowered bevel, the caption centred
  kSamplePanel,   // the teal panel behind the sample line
  kRichEdit,      // the one-line sample
  kMemo,          // read-only lines, no border, the parent's colour, no word wrap
  kScrollMemo,    // read-only lines with a vertical scroll bar, no word wrap
  kTabs,
  kPage,  // a page of the tab control; its controls are laid out relative to it
};

constexpr uint32_t kDefaultTextColor = 0xFFFFFFFF;

struct TControlSpec {
  int32_t Id;
  TControlKind Kind;
  int32_t Parent;  // the group box or page the position is relative to; 0 for the client area
  int32_t Left, Top, Width, Height;
  TCaption Caption;  // kNone for none
  bool Bold = false;
  uint32_t TextColor = kDefaultTextColor;  // 0x00BBGGRR
  int32_t FontHeight = 0;                  // pixels; 0 for the dialog's font
};

// The pixels between a labelled edit and its label.
constexpr int32_t kLabelSpacing = 3;
// The up-down beside its edit.
constexpr int32_t kUpDownWidth = 16;

struct TControlRect {
  int32_t Left, Top, Width, Height;
};

// The control's place in the client area: its position plus its parents'.
template <size_t N>
TControlRect ClientRect(const TControlSpec (&table)[N], const TControlSpec& control) {
  TControlRect r{control.Left, control.Top, control.Width, control.Height};
  for (int32_t parent = control.Parent; parent != 0;) {
    const TControlSpec* found = nullptr;
    for (const TControlSpec& c : table) {
      if (c.Id == parent) found = &c;
    }
    if (found == nullptr) break;
    r.Left += found->Left;
    r.Top += found->Top;
    parent = found->Parent;
  }
  return r;
}

}  // namespace varimo
