#pragma once
// The two lists of the options dialog that are edited in place: the hot keys and the title
// format. Each is a working copy of rows of three cells, edited by an editor laid over one
// cell at a time; the dialog turns the rows back into settings at Apply.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/captions.h"
#include "common/state.h"
#include "settings/title_format.h"

namespace varimo {

// The row's caption and its two sub-items, as the list shows them. Captions are UTF-8; the
// text cell of a format row holds the format's own bytes (ANSI).
using TListRow = std::array<std::string, 3>;
using TColumnWidths = std::array<int32_t, 3>;

constexpr TColumnWidths kHotKeyColumnWidths = {108, 100, 57};
constexpr TColumnWidths kFormatColumnWidths = {25, 70, 70};
// A press opens an editor only this close below the top of the row.
constexpr int32_t kEditableRowHeight = 16;
// The rows' pitch, by which adding a hot key scrolls the list.
constexpr int32_t kListRowPitch = 17;

// The column under x, counted from the row's left edge; none right of the last or left of
// the first.
std::optional<int32_t> ColumnAt(const TColumnWidths& widths, int32_t x);

// Where an editor sits over its cell, relative to the row's left and top edges.
struct TEditorPlace {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 0;
};
// extraWidth is 1 for the editors drawn one pixel wider than their column.
TEditorPlace EditorPlace(const TColumnWidths& widths, int32_t column, int32_t extraWidth);

// Position of the entry equal to text, or -1: what an editor shows selected when it opens.
int32_t EntryIndex(const std::vector<std::string>& entries, const std::string& text);

// What a key pressed in an open editor does.
enum class TEditorKey { kNone, kCommit, kCancel };
// Enter commits and Esc cancels; a combo editor ignores keys while Shift or Alt is held or
// its list is dropped down.
TEditorKey EditorKeyAction(int32_t virtualKey, bool shiftOrAlt, bool droppedDown);

// What an action changed, for the dialog to follow up: a hot-key cell (Apply becomes
// available) or the format (the sample line is rebuilt).
enum class TListChange { kNone, kHotKeys, kFormat };

struct TOpenEditor {
  int32_t Row = 0;
  int32_t Column = 0;
};

// Rows, the selected row, the row a double click armed for editing and the open editor.
class TEditedList {
 public:
  explicit TEditedList(const TColumnWidths& widths) : widths_(widths) {}

  std::vector<TListRow> Rows;
  int32_t Selected = -1;
  int32_t Armed = -1;
  std::optional<TOpenEditor> Editor;

  const TColumnWidths& Widths() const { return widths_; }
  // The cell the open editor edits.
  const std::string& EditedCell() const;
  // Closes the editor without taking its text; the armed row is forgotten.
  void Cancel();
  void Delete();
  void Clear();

 protected:
  // The column a press at (x, y) from the selected row's left and top edges is on, when
  // the row is armed.
  std::optional<int32_t> PressedColumn(int32_t x, int32_t y) const;
  // Takes the editor's text into its cell and closes it; true when the cell changed.
  bool TakeEditorText(const std::string& text);
  void Open(int32_t row, int32_t column) { Editor = TOpenEditor{row, column}; }

 private:
  TColumnWidths widths_;
};

// The hot-key rows: command, modifier and key captions.
class THotKeyList : public TEditedList {
 public:
  THotKeyList() : TEditedList(kHotKeyColumnWidths) {}

  // The rows of the registered hot keys. A value no list holds (a hand-edited file) shows
  // as "#" and its number, so that Apply keeps it.
  static THotKeyList FromEntries(const std::vector<THotKeyEntry>& entries);
  // The entries the rows describe; a row with an empty cell is left out.
  std::vector<THotKeyEntry> Entries() const;
  // The entries of the editor of a column, in the order of their lists, in the language in
  // force or in the one given.
  static const std::vector<std::string>& EditorEntries(int32_t column);
  static const std::vector<std::string>& EditorEntries(int32_t column, TLanguage language);

  // A double click arms the selected row, or adds one when none is selected.
  void DblClick();
  void Press(int32_t x, int32_t y);
  // Appends a row for the first command and opens its command editor; the pixels the list
  // scrolls down by so the row shows.
  int32_t Add();
  TListChange Commit(const std::string& text);
};

// The title-format rows: group mark, kind caption and the text of a text item.
class TFormatList : public TEditedList {
 public:
  TFormatList() : TEditedList(kFormatColumnWidths) {}

  static TFormatList FromListForm(const TListForm& form);
  TListForm ToListForm() const { return BuildListForm(FormatRows(), Numbered); }

  // CheckBoxFormNo: the track numbers are shown.
  bool Numbered = false;

  void DblClick();
  // A press on the armed row's mark column groups it; on the kind column, or on the text
  // column of a text row, it opens the column's editor.
  TListChange Press(int32_t x, int32_t y);
  TListChange Add();
  TListChange Delete();
  TListChange Clear();
  // One of the three ready-made formats, by its menu tag.
  TListChange Preset(size_t tag);
  // The selected row dropped onto the row target: above it moves in front, below it moves
  // behind; groups do not survive a move.
  TListChange Move(int32_t target);
  TListChange Commit(const std::string& text);

  // One piece of the sample line: UTF-8 captions, or the format's own bytes for a text item.
  struct TSamplePiece {
    std::string Text;
    bool Ansi = false;
    uint32_t Color = 0;  // 0x00BBGGRR
  };
  std::vector<TSamplePiece> Sample() const;

 private:
  std::vector<TFormatRow> FormatRows() const;
  bool IsMarked(int32_t row) const;
  void ClearMarks();
};

// The sample line's colours.
constexpr uint32_t kSampleNumberColor = 0x00FFFF00;  // aqua
constexpr uint32_t kSampleGroupColor = 0x00FF00FF;   // fuchsia
constexpr uint32_t kSampleTextColor = 0x00FFFFFF;    // white
constexpr uint32_t kSampleFieldColor = 0x0000FFFF;   // yellow
// The panel behind it: teal.
constexpr uint32_t kSamplePanelColor = 0x00808000;

}  // namespace varimo
