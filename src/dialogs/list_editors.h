#pragma once
// The two lists of the options dialog that are edited in place: the hot keys and the title
// format. Each is a working copy of typed rows of three cells, edited by an editor laid over
// one cell at a time: a choice from a list of entries, or a free text. The dialog shows the
// rows through their captions and turns them back into settings at Apply.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/captions.h"
#include "common/subsystem_state.h"
#include "settings/title_format.h"

namespace varimo {

// A row's three cells as the list shows them. Captions are UTF-8; the text cell of a format
// row holds the format's own bytes (ANSI).
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

// Position of the entry equal to text, or -1.
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

// What the dialog does with either list: the selected row, the row a double click armed
// for editing, the open editor, and the actions of the list's mouse and popup menu.
class TEditedList {
 public:
  explicit TEditedList(const TColumnWidths& widths) : widths_(widths) {}
  virtual ~TEditedList() = default;

  int32_t Selected = -1;
  int32_t Armed = -1;
  std::optional<TOpenEditor> Editor;

  const TColumnWidths& Widths() const { return widths_; }
  virtual size_t RowCount() const = 0;
  // The cells of a row as the list shows them.
  virtual TListRow Shown(size_t row) const = 0;
  std::vector<TListRow> Shown() const;
  // True for the column whose cells are ANSI bytes rather than UTF-8 captions.
  virtual bool AnsiColumn(int32_t column) const = 0;
  // The entries the editor of a column chooses from, in order; none for a free-text editor.
  virtual const std::vector<std::string>* Choices(int32_t column) const = 0;

  // The open editor's cell: the position of its value among the choices (-1 for none), or
  // its text.
  virtual int32_t EditedChoice() const = 0;
  virtual std::string EditedText() const = 0;
  // Takes the choice (-1 for none) or the text into the open editor's cell and closes it;
  // the armed row is forgotten.
  virtual TListChange CommitChoice(int32_t choice) = 0;
  virtual TListChange CommitText(const std::string& text) = 0;
  // Closes the editor without taking its text; the armed row is forgotten.
  void Cancel();
  // The pixels from the top of the list to the open editor's row: how far the list scrolls
  // down so that an added row shows.
  int32_t EditorRowTop() const { return Editor ? Editor->Row * kListRowPitch : 0; }

  // A press at (x, y) from the selected row's left and top edges, on the armed row, opens
  // the editor of the column it is on.
  virtual TListChange Press(int32_t x, int32_t y) = 0;
  // A double click arms the selected row, or adds one when none is selected.
  void DblClick();
  virtual TListChange Add() = 0;
  virtual TListChange Delete() = 0;
  virtual TListChange Clear() = 0;
  // The ready-made contents the popup menu offers, by tag; none for most lists.
  virtual std::vector<std::string> PresetCaptions() const { return {}; }
  virtual TListChange Preset(size_t /*tag*/) { return TListChange::kNone; }
  // Whether rows are dragged into another order, and the move of the selected row onto the
  // row target.
  virtual bool Reorders() const { return false; }
  virtual TListChange Move(int32_t /*target*/) { return TListChange::kNone; }

 protected:
  // The column a press at (x, y) is on, when the selected row is armed.
  std::optional<int32_t> PressedColumn(int32_t x, int32_t y) const;
  void Open(int32_t row, int32_t column) { Editor = TOpenEditor{row, column}; }
  // Closes the open editor after its cell took a value; passes on whether it changed.
  bool CloseEditor(bool changed);
  // No row is selected or armed and no editor is open.
  void Forget();

 private:
  TColumnWidths widths_;
};

// A list of rows of one type.
template <typename Row>
class TRowList : public TEditedList {
 public:
  using TEditedList::TEditedList;
  std::vector<Row> Rows;
  size_t RowCount() const override { return Rows.size(); }

 protected:
  // True when a row was selected and is gone.
  bool EraseSelected() {
    if (Selected < 0 || Selected >= static_cast<int32_t>(Rows.size())) return false;
    Rows.erase(Rows.begin() + Selected);
    Forget();
    return true;
  }
  void ClearRows() {
    Rows.clear();
    Forget();
  }
};

// A hot-key row, by column: the command's code, the modifier bits and the virtual key; none
// for a cell not chosen yet. A value no list holds (a hand-edited file) shows as "#" and its
// number, so that Apply keeps it.
using THotKeyRow = std::array<std::optional<int32_t>, 3>;

class THotKeyList : public TRowList<THotKeyRow> {
 public:
  THotKeyList() : TRowList(kHotKeyColumnWidths) {}

  // The rows of the registered hot keys.
  static THotKeyList FromEntries(const std::vector<THotKeyEntry>& entries);
  // The entries the rows describe; a row with an empty cell is left out.
  std::vector<THotKeyEntry> Entries() const;
  // The entries of the editor of a column, in the order of their lists, in the language in
  // force or in the one given.
  static const std::vector<std::string>& EditorEntries(int32_t column);
  static const std::vector<std::string>& EditorEntries(int32_t column, TLanguage language);

  TListRow Shown(size_t row) const override;
  using TEditedList::Shown;
  bool AnsiColumn(int32_t) const override { return false; }
  const std::vector<std::string>* Choices(int32_t column) const override {
    return &EditorEntries(column);
  }
  int32_t EditedChoice() const override;
  std::string EditedText() const override { return std::string(); }
  TListChange CommitChoice(int32_t choice) override;
  // Every cell is a choice.
  TListChange CommitText(const std::string&) override { return TListChange::kNone; }

  // Opens the editor of the pressed column; no change by itself.
  TListChange Press(int32_t x, int32_t y) override;
  // Appends a row for the first command and opens its command editor; the row becomes a
  // change of the hot keys once a cell is chosen.
  TListChange Add() override;
  TListChange Delete() override;
  TListChange Clear() override;
};

// The title-format rows: group mark, kind and the text of a text item.
class TFormatList : public TRowList<TFormatRow> {
 public:
  TFormatList() : TRowList(kFormatColumnWidths) {}

  static TFormatList FromListForm(const TListForm& form);
  TListForm ToListForm() const { return BuildListForm(Rows, Numbered); }

  // CheckBoxFormNo: the track numbers are shown.
  bool Numbered = false;

  TListRow Shown(size_t row) const override;
  using TEditedList::Shown;
  bool AnsiColumn(int32_t column) const override;
  // The kind column chooses from the kinds; the text column is free text.
  const std::vector<std::string>* Choices(int32_t column) const override;
  int32_t EditedChoice() const override;
  std::string EditedText() const override;
  // A kind that changes undoes the groups and empties the row's text.
  TListChange CommitChoice(int32_t kind) override;
  TListChange CommitText(const std::string& text) override;

  // A press on the armed row's mark column groups it; on the kind column, or on the text
  // column of a text row, it opens the column's editor.
  TListChange Press(int32_t x, int32_t y) override;
  TListChange Add() override;
  TListChange Delete() override;
  TListChange Clear() override;
  std::vector<std::string> PresetCaptions() const override;
  // One of the three ready-made formats, by its menu tag.
  TListChange Preset(size_t tag) override;
  bool Reorders() const override { return true; }
  // The selected row dropped onto the row target: above it moves in front, below it moves
  // behind; groups do not survive a move.
  TListChange Move(int32_t target) override;

  // One piece of the sample line: UTF-8 captions, or the format's own bytes for a text item.
  struct TSamplePiece {
    std::string Text;
    bool Ansi = false;
    uint32_t Color = 0;  // 0x00BBGGRR
  };
  std::vector<TSamplePiece> Sample() const;

 private:
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
