#include "dialogs/list_editors.h"

#include <algorithm>

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

// How the values of a hot-key column stand in its editor's list.
struct THotKeyColumn {
  std::optional<size_t> (*Position)(int32_t value);
  int32_t (*Value)(size_t position);
};
const std::array<THotKeyColumn, 3> kHotKeyColumns = {{
    {HotKeyCommandPosition, [](size_t p) { return kHotKeyCommands[p].Code; }},
    {HotKeyModifierPosition, [](size_t p) { return static_cast<int32_t>(p) + 1; }},
    {HotKeyKeyPosition, [](size_t p) { return kHotKeyKeys[p].VirtualKey; }},
}};

constexpr int32_t kMarkColumn = 0;
constexpr int32_t kKindColumn = 1;
constexpr int32_t kTextColumn = 2;

// The kinds' captions in the language in force (one list per language, so that a list
// handed to an editor stays valid).
const std::vector<std::string>& KindCaptions() {
  const auto captionsIn = [](TLanguage language) {
    std::vector<std::string> captions;
    for (TCaption kind : kFormatKindCaptions) captions.push_back(Caption(kind, language));
    return captions;
  };
  static const std::array<std::vector<std::string>, 2> captions = {
      captionsIn(TLanguage::kJapanese), captionsIn(TLanguage::kEnglish)};
  return captions[CaptionLanguage() == TLanguage::kEnglish ? 1 : 0];
}

bool IsTextRow(const TFormatRow& row) {
  return row.Kind == kFormatText;
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

std::vector<TListRow> TEditedList::Shown() const {
  std::vector<TListRow> rows;
  for (size_t row = 0; row < RowCount(); ++row) rows.push_back(Shown(row));
  return rows;
}

void TEditedList::Cancel() {
  Editor.reset();
  Armed = -1;
}

void TEditedList::DblClick() {
  if (Selected < 0) {
    Add();
  } else {
    Armed = Selected;
  }
}

std::optional<int32_t> TEditedList::PressedColumn(int32_t x, int32_t y) const {
  if (Selected < 0 || Selected != Armed || Selected >= static_cast<int32_t>(RowCount())) {
    return std::nullopt;
  }
  if (y < 0 || y >= kEditableRowHeight) return std::nullopt;
  return ColumnAt(widths_, x);
}

bool TEditedList::CloseEditor(bool changed) {
  Editor.reset();
  Armed = -1;
  return changed;
}

void TEditedList::Forget() {
  Selected = -1;
  Armed = -1;
  Editor.reset();
}

THotKeyList THotKeyList::FromEntries(const std::vector<THotKeyEntry>& entries) {
  THotKeyList list;
  for (const THotKeyEntry& entry : entries) list.Rows.push_back({entry.Cmd, entry.Mod, entry.Key});
  return list;
}

std::vector<THotKeyEntry> THotKeyList::Entries() const {
  std::vector<THotKeyEntry> entries;
  for (const THotKeyRow& row : Rows) {
    if (!row[0] || !row[1] || !row[2]) continue;
    entries.push_back(THotKeyEntry{*row[0], *row[1], *row[2]});
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
        Captions(kHotKeyCommands,
                 [l](const THotKeyCommand& c) { return std::string(Caption(c.Caption, l)); }),
        Captions(kHotKeyModifiers, [](const char* c) { return std::string(c); }),
        Captions(kHotKeyKeys, [l](const THotKeyKey& k) { return std::string(KeyCaption(k, l)); }),
    };
  };
  static const std::array<TEntries, 2> entries = {entriesIn(TLanguage::kJapanese),
                                                  entriesIn(TLanguage::kEnglish)};
  return entries[language == TLanguage::kEnglish ? 1 : 0][static_cast<size_t>(column)];
}

TListRow THotKeyList::Shown(size_t row) const {
  TListRow cells;
  for (size_t column = 0; column < cells.size(); ++column) {
    const std::optional<int32_t> value = Rows[row][column];
    if (!value) continue;
    const std::optional<size_t> position = kHotKeyColumns[column].Position(*value);
    cells[column] = position ? EditorEntries(static_cast<int32_t>(column))[*position]
                             : kRawValueMark + std::to_string(*value);
  }
  return cells;
}

int32_t THotKeyList::EditedChoice() const {
  const size_t column = static_cast<size_t>(Editor->Column);
  const std::optional<int32_t> value = Rows[static_cast<size_t>(Editor->Row)][column];
  const std::optional<size_t> position =
      value ? kHotKeyColumns[column].Position(*value) : std::nullopt;
  return position ? static_cast<int32_t>(*position) : -1;
}

TListChange THotKeyList::CommitChoice(int32_t choice) {
  if (!Editor) return TListChange::kNone;
  const size_t column = static_cast<size_t>(Editor->Column);
  std::optional<int32_t>& cell = Rows[static_cast<size_t>(Editor->Row)][column];
  const std::optional<int32_t> value =
      choice >= 0
          ? std::optional<int32_t>(kHotKeyColumns[column].Value(static_cast<size_t>(choice)))
          : std::nullopt;
  const bool changed = cell != value;
  cell = value;
  return CloseEditor(changed) ? TListChange::kHotKeys : TListChange::kNone;
}

TListChange THotKeyList::Press(int32_t x, int32_t y) {
  if (std::optional<int32_t> column = PressedColumn(x, y)) Open(Selected, *column);
  return TListChange::kNone;
}

TListChange THotKeyList::Add() {
  Rows.push_back({kHotKeyCommands[0].Code, std::nullopt, std::nullopt});
  const int32_t row = static_cast<int32_t>(Rows.size()) - 1;
  Selected = row;
  Armed = row;
  Open(row, 0);
  return TListChange::kNone;
}

TListChange THotKeyList::Delete() {
  EraseSelected();
  return TListChange::kNone;
}

TListChange THotKeyList::Clear() {
  ClearRows();
  return TListChange::kNone;
}

TFormatList TFormatList::FromListForm(const TListForm& form) {
  TFormatList list;
  list.Numbered = ShowsTrackNumbers(form);
  for (const TFormatItem& item : form.Items) {
    // Kinds beyond the file name show the file name, as the line does; a negative code from
    // a hand-edited file counts as text.
    const int32_t kind = std::clamp(item.Code % 10, 0, static_cast<int32_t>(kFormatFileName));
    list.Rows.push_back(
        {item.Code >= kFormatGroupCode, kind, kind == kFormatText ? item.Text : std::string()});
  }
  return list;
}

TListRow TFormatList::Shown(size_t row) const {
  const TFormatRow& r = Rows[row];
  return {r.Grouped ? std::string(kFormatGroupMark) : std::string(),
          KindCaptions()[static_cast<size_t>(r.Kind)], r.Text};
}

bool TFormatList::AnsiColumn(int32_t column) const {
  return column == kTextColumn;
}

const std::vector<std::string>* TFormatList::Choices(int32_t column) const {
  return column == kKindColumn ? &KindCaptions() : nullptr;
}

int32_t TFormatList::EditedChoice() const {
  return Rows[static_cast<size_t>(Editor->Row)].Kind;
}

std::string TFormatList::EditedText() const {
  return Rows[static_cast<size_t>(Editor->Row)].Text;
}

bool TFormatList::IsMarked(int32_t row) const {
  return row >= 0 && row < static_cast<int32_t>(Rows.size()) &&
         Rows[static_cast<size_t>(row)].Grouped;
}

void TFormatList::ClearMarks() {
  for (TFormatRow& row : Rows) row.Grouped = false;
}

TListChange TFormatList::Press(int32_t x, int32_t y) {
  std::optional<int32_t> column = PressedColumn(x, y);
  if (!column) return TListChange::kNone;
  TFormatRow& row = Rows[static_cast<size_t>(Selected)];
  if (*column == kKindColumn || (*column == kTextColumn && IsTextRow(row))) {
    Open(Selected, *column);
    return TListChange::kNone;
  }
  if (*column != kMarkColumn) return TListChange::kNone;
  // A group starts at an artist and grows through the text rows next to it.
  Armed = -1;
  if (row.Kind == kFormatArtist) {
    if (row.Grouped) {
      ClearMarks();
    } else {
      row.Grouped = true;
    }
    return TListChange::kFormat;
  }
  if (IsTextRow(row) && (IsMarked(Selected - 1) || IsMarked(Selected + 1))) {
    row.Grouped = !row.Grouped;
    return TListChange::kFormat;
  }
  return TListChange::kNone;
}

TListChange TFormatList::Add() {
  Rows.push_back({false, kFormatText, ""});
  return TListChange::kFormat;
}

TListChange TFormatList::Delete() {
  return EraseSelected() ? TListChange::kFormat : TListChange::kNone;
}

TListChange TFormatList::Clear() {
  ClearRows();
  return TListChange::kFormat;
}

std::vector<std::string> TFormatList::PresetCaptions() const {
  return Captions(FormatPresets(), [](const TFormatPreset& p) { return Caption(p.Caption); });
}

TListChange TFormatList::Preset(size_t tag) {
  if (tag >= FormatPresets().size()) return TListChange::kNone;
  const TFormatPreset& preset = FormatPresets()[tag];
  ClearRows();
  Numbered = preset.ShowNumbers;
  for (const TPresetItem& item : preset.Items) Rows.push_back({item.InGroup, item.Kind, item.Text});
  return TListChange::kFormat;
}

TListChange TFormatList::Move(int32_t target) {
  const int32_t count = static_cast<int32_t>(Rows.size());
  if (Selected < 0 || Selected >= count || target < 0 || target >= count) {
    return TListChange::kNone;
  }
  // A row dropped onto itself is a click that wandered: the groups stay.
  if (target == Selected) return TListChange::kNone;
  TFormatRow moved = Rows[static_cast<size_t>(Selected)];
  Rows.erase(Rows.begin() + Selected);
  // Dropped below, it lands after the target, which moved up by one with the erase.
  Rows.insert(Rows.begin() + target, std::move(moved));
  Selected = target;
  Armed = -1;
  ClearMarks();
  return TListChange::kFormat;
}

TListChange TFormatList::CommitChoice(int32_t kind) {
  if (!Editor) return TListChange::kNone;
  TFormatRow& row = Rows[static_cast<size_t>(Editor->Row)];
  const bool changed = kind >= 0 && kind < kFormatKindCount && kind != row.Kind;
  if (!CloseEditor(changed)) return TListChange::kNone;
  row.Kind = kind;
  ClearMarks();
  row.Text.clear();
  return TListChange::kFormat;
}

TListChange TFormatList::CommitText(const std::string& text) {
  if (!Editor) return TListChange::kNone;
  std::string& cell = Rows[static_cast<size_t>(Editor->Row)].Text;
  const bool changed = cell != text;
  cell = text;
  return CloseEditor(changed) ? TListChange::kFormat : TListChange::kNone;
}

std::vector<TFormatList::TSamplePiece> TFormatList::Sample() const {
  std::vector<TSamplePiece> pieces;
  if (Numbered) pieces.push_back({Caption(TCaption::kSampleNumber), false, kSampleNumberColor});
  for (const TFormatRow& row : Rows) {
    const bool text = IsTextRow(row);
    const uint32_t color = row.Grouped ? kSampleGroupColor
                           : text      ? kSampleTextColor
                                       : kSampleFieldColor;
    pieces.push_back(
        {text ? row.Text : KindCaptions()[static_cast<size_t>(row.Kind)], text, color});
  }
  return pieces;
}

}  // namespace varimo
