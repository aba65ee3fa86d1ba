#include "dialogs/list_editors.h"

#include <algorithm>
#include <cstdlib>

#include "common/captions.h"
#include "hotkeys/hotkey_tables.h"

namespace varimo {
namespace {

constexpr int32_t kVirtualKeyReturn = 13;
constexpr int32_t kVirtualKeyEscape = 27;

// A value no list holds keeps its number in the cell.
constexpr char kRawValueMark = '#';

template <typename Table, typename Caption>
std::vector<std::string> Captions(const Table& table, Caption caption) {
  std::vector<std::string> captions;
  for (const auto& row : table) captions.push_back(caption(row));
  return captions;
}

std::string CellFor(std::optional<size_t> position, const std::vector<std::string>& entries,
                    int32_t value) {
  return position ? entries[*position] : kRawValueMark + std::to_string(value);
}

TLanguage OtherLanguage(TLanguage language) {
  return language == TLanguage::kEnglish ? TLanguage::kJapanese : TLanguage::kEnglish;
}

// The value of a cell of a hot-key column: from its entry's position in the language in force
// or, for a cell filled before the language was switched, in the other one; or the number kept
// for a value no list held. None for an empty cell.
template <typename Value>
std::optional<int32_t> CellValue(const std::string& cell, int32_t column, Value value) {
  if (cell.empty()) return std::nullopt;
  const TLanguage language = CaptionLanguage();
  int32_t position = EntryIndex(THotKeyList::EditorEntries(column, language), cell);
  if (position < 0) {
    position = EntryIndex(THotKeyList::EditorEntries(column, OtherLanguage(language)), cell);
  }
  if (position >= 0) return value(static_cast<size_t>(position));
  if (cell[0] != kRawValueMark || cell.size() < 2) return std::nullopt;
  char* end = nullptr;
  long number = std::strtol(cell.c_str() + 1, &end, 10);
  if (*end != '\0') return std::nullopt;
  return static_cast<int32_t>(number);
}

constexpr int32_t kMarkColumn = 0;
constexpr int32_t kKindColumn = 1;
constexpr int32_t kTextColumn = 2;

std::string KindCaption(int32_t kind) {
  return Caption(kFormatKindCaptions[static_cast<size_t>(kind)]);
}

bool IsTextRow(const TListRow& row) {
  return IsCaptionText(TCaption::kKindText, row[kKindColumn]);
}

}  // namespace

std::optional<int32_t> ColumnAt(const TColumnWidths& widths, int32_t x) {
  int32_t left = 0;
  for (size_t column = 0; column < widths.size(); ++column) {
    if (x >= left && x < left + widths[column]) return static_cast<int32_t>(column);
    left += widths[column];
  }
  return std::nullopt;
}

TEditorPlace EditorPlace(const TColumnWidths& widths, int32_t column, int32_t extraWidth) {
  TEditorPlace place;
  for (int32_t c = 0; c < column; ++c) place.Left += widths[static_cast<size_t>(c)];
  place.Top = 1;
  place.Width = widths[static_cast<size_t>(column)] + extraWidth;
  return place;
}

int32_t EntryIndex(const std::vector<std::string>& entries, const std::string& text) {
  auto found = std::find(entries.begin(), entries.end(), text);
  return found == entries.end() ? -1 : static_cast<int32_t>(found - entries.begin());
}

TEditorKey EditorKeyAction(int32_t virtualKey, bool shiftOrAlt, bool droppedDown) {
  if (shiftOrAlt || droppedDown) return TEditorKey::kNone;
  if (virtualKey == kVirtualKeyReturn) return TEditorKey::kCommit;
  if (virtualKey == kVirtualKeyEscape) return TEditorKey::kCancel;
  return TEditorKey::kNone;
}

const std::string& TEditedList::EditedCell() const {
  return Rows[static_cast<size_t>(Editor->Row)][static_cast<size_t>(Editor->Column)];
}

void TEditedList::Cancel() {
  Editor.reset();
  Armed = -1;
}

void TEditedList::Delete() {
  if (Selected < 0 || Selected >= static_cast<int32_t>(Rows.size())) return;
  Rows.erase(Rows.begin() + Selected);
  Selected = -1;
  Armed = -1;
  Editor.reset();
}

void TEditedList::Clear() {
  Rows.clear();
  Selected = -1;
  Armed = -1;
  Editor.reset();
}

std::optional<int32_t> TEditedList::PressedColumn(int32_t x, int32_t y) const {
  if (Selected < 0 || Selected != Armed || Selected >= static_cast<int32_t>(Rows.size())) {
    return std::nullopt;
  }
  if (y < 0 || y >= kEditableRowHeight) return std::nullopt;
  return ColumnAt(widths_, x);
}

bool TEditedList::TakeEditorText(const std::string& text) {
  TListRow& row = Rows[static_cast<size_t>(Editor->Row)];
  std::string& cell = row[static_cast<size_t>(Editor->Column)];
  const bool changed = cell != text;
  cell = text;
  Editor.reset();
  Armed = -1;
  return changed;
}

THotKeyList THotKeyList::FromEntries(const std::vector<THotKeyEntry>& entries) {
  THotKeyList list;
  for (const THotKeyEntry& entry : entries) {
    list.Rows.push_back({CellFor(HotKeyCommandPosition(entry.Cmd), EditorEntries(0), entry.Cmd),
                         CellFor(HotKeyModifierPosition(entry.Mod), EditorEntries(1), entry.Mod),
                         CellFor(HotKeyKeyPosition(entry.Key), EditorEntries(2), entry.Key)});
  }
  return list;
}

std::vector<THotKeyEntry> THotKeyList::Entries() const {
  std::vector<THotKeyEntry> entries;
  for (const TListRow& row : Rows) {
    auto cmd = CellValue(row[0], 0, [](size_t p) { return HotKeyCommands[p].Code; });
    auto mod = CellValue(row[1], 1, [](size_t p) { return static_cast<int32_t>(p) + 1; });
    auto key = CellValue(row[2], 2, [](size_t p) { return HotKeyKeys[p].VirtualKey; });
    if (!cmd || !mod || !key) continue;
    entries.push_back(THotKeyEntry{*cmd, *mod, *key});
  }
  return entries;
}

const std::vector<std::string>& THotKeyList::EditorEntries(int32_t column) {
  return EditorEntries(column, CaptionLanguage());
}

const std::vector<std::string>& THotKeyList::EditorEntries(int32_t column, TLanguage language) {
  using TEntries = std::array<std::vector<std::string>, 3>;
  const auto entriesIn = [](TLanguage l) {
    return TEntries{
        Captions(HotKeyCommands,
                 [l](const THotKeyCommand& c) { return std::string(Caption(c.Caption, l)); }),
        Captions(HotKeyModifiers, [](const char* c) { return std::string(c); }),
        Captions(HotKeyKeys, [](const THotKeyKey& k) { return std::string(k.Caption); }),
    };
  };
  static const std::array<TEntries, 2> entries = {entriesIn(TLanguage::kJapanese),
                                                  entriesIn(TLanguage::kEnglish)};
  return entries[language == TLanguage::kEnglish ? 1 : 0][static_cast<size_t>(column)];
}

void THotKeyList::DblClick() {
  if (Selected < 0) {
    Add();
  } else {
    Armed = Selected;
  }
}

void THotKeyList::Press(int32_t x, int32_t y) {
  if (std::optional<int32_t> column = PressedColumn(x, y)) Open(Selected, *column);
}

int32_t THotKeyList::Add() {
  Rows.push_back({Caption(HotKeyCommands[0].Caption), "", ""});
  const int32_t row = static_cast<int32_t>(Rows.size()) - 1;
  Selected = row;
  Armed = row;
  Open(row, 0);
  return static_cast<int32_t>(Rows.size()) * kListRowPitch - kListRowPitch;
}

TListChange THotKeyList::Commit(const std::string& text) {
  if (!Editor) return TListChange::kNone;
  return TakeEditorText(text) ? TListChange::kHotKeys : TListChange::kNone;
}

TFormatList TFormatList::FromListForm(const TListForm& form) {
  TFormatList list;
  list.Numbered = ShowsTrackNumbers(form);
  for (const TFormatItem& item : form.Items) {
    // Kinds beyond the file name show the file name, as the line does; a negative code from
    // a hand-edited file counts as text.
    const int32_t kind = std::clamp(item.Code % 10, 0, static_cast<int32_t>(kFormatFileName));
    list.Rows.push_back({item.Code >= kFormatGroupCode ? std::string(kFormatGroupMark) : "",
                         KindCaption(kind), kind == kFormatText ? item.Text : ""});
  }
  return list;
}

std::vector<TFormatRow> TFormatList::FormatRows() const {
  std::vector<TFormatRow> rows;
  for (const TListRow& row : Rows) rows.push_back({row[0], row[1], row[2]});
  return rows;
}

bool TFormatList::IsMarked(int32_t row) const {
  return row >= 0 && row < static_cast<int32_t>(Rows.size()) &&
         !Rows[static_cast<size_t>(row)][kMarkColumn].empty();
}

void TFormatList::ClearMarks() {
  for (TListRow& row : Rows) row[kMarkColumn].clear();
}

void TFormatList::DblClick() {
  if (Selected < 0) {
    Add();
  } else {
    Armed = Selected;
  }
}

TListChange TFormatList::Press(int32_t x, int32_t y) {
  std::optional<int32_t> column = PressedColumn(x, y);
  if (!column) return TListChange::kNone;
  TListRow& row = Rows[static_cast<size_t>(Selected)];
  if (*column == kKindColumn || (*column == kTextColumn && IsTextRow(row))) {
    Open(Selected, *column);
    return TListChange::kNone;
  }
  if (*column != kMarkColumn) return TListChange::kNone;
  // A group starts at an artist and grows through the text rows next to it.
  Armed = -1;
  std::string& mark = row[kMarkColumn];
  if (IsCaptionText(TCaption::kKindArtist, row[kKindColumn])) {
    if (mark.empty()) {
      mark = std::string(kFormatGroupMark);
    } else {
      ClearMarks();
    }
    return TListChange::kFormat;
  }
  if (IsTextRow(row) && (IsMarked(Selected - 1) || IsMarked(Selected + 1))) {
    mark = mark.empty() ? std::string(kFormatGroupMark) : std::string();
    return TListChange::kFormat;
  }
  return TListChange::kNone;
}

TListChange TFormatList::Add() {
  Rows.push_back({"", KindCaption(kFormatText), ""});
  return TListChange::kFormat;
}

TListChange TFormatList::Delete() {
  const bool any = Selected >= 0 && Selected < static_cast<int32_t>(Rows.size());
  TEditedList::Delete();
  return any ? TListChange::kFormat : TListChange::kNone;
}

TListChange TFormatList::Clear() {
  TEditedList::Clear();
  return TListChange::kFormat;
}

TListChange TFormatList::Preset(size_t tag) {
  if (tag >= FormatPresets().size()) return TListChange::kNone;
  const TFormatPreset& preset = FormatPresets()[tag];
  TEditedList::Clear();
  Numbered = preset.ShowNumbers;
  for (const TPresetItem& item : preset.Items) {
    Rows.push_back(
        {item.InGroup ? std::string(kFormatGroupMark) : "", KindCaption(item.Kind), item.Text});
  }
  return TListChange::kFormat;
}

TListChange TFormatList::Move(int32_t target) {
  const int32_t count = static_cast<int32_t>(Rows.size());
  if (Selected < 0 || Selected >= count || target < 0 || target >= count) {
    return TListChange::kNone;
  }
  // A row dropped onto itself is a click that wandered: the groups stay.
  if (target == Selected) return TListChange::kNone;
  TListRow moved = Rows[static_cast<size_t>(Selected)];
  Rows.erase(Rows.begin() + Selected);
  // Dropped below, it lands after the target, which moved up by one with the erase.
  Rows.insert(Rows.begin() + target, std::move(moved));
  Selected = target;
  Armed = -1;
  ClearMarks();
  return TListChange::kFormat;
}

TListChange TFormatList::Commit(const std::string& text) {
  if (!Editor) return TListChange::kNone;
  const TOpenEditor editor = *Editor;
  if (!TakeEditorText(text)) return TListChange::kNone;
  if (editor.Column == kKindColumn) {
    ClearMarks();
    Rows[static_cast<size_t>(editor.Row)][kTextColumn].clear();
  }
  return TListChange::kFormat;
}

std::vector<TFormatList::TSamplePiece> TFormatList::Sample() const {
  std::vector<TSamplePiece> pieces;
  if (Numbered) pieces.push_back({Caption(TCaption::kSampleNumber), false, kSampleNumberColor});
  for (const TListRow& row : Rows) {
    const bool text = IsTextRow(row);
    const uint32_t color = !row[kMarkColumn].empty() ? kSampleGroupColor
                           : text                    ? kSampleTextColor
                                                     : kSampleFieldColor;
    pieces.push_back({text ? row[kTextColumn] : row[kKindColumn], text, color});
  }
  return pieces;
}

}  // namespace varimo
