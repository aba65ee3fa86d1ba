#include "settings/settings.h"

#include <algorithm>
#include <cstdlib>
#include <type_traits>

#include "common/captions.h"
#include "common/text.h"
#include "common/vocabulary.h"

namespace varimo {
namespace {

constexpr char kWinamp[] = "Winamp";
constexpr char kWindow[] = "Window";
constexpr char kOption[] = "Option";
constexpr char kPlay[] = "Play";
constexpr char kListForm[] = "ListForm";
constexpr char kHotKey[] = "HotKey";

// Numbers outside the ranges given here are a damaged or hand-edited file, and a timer of 0, a
// font of size 0 or a correction in the millions would break the window: a read brings them
// into the range, and the options dialog offers no other. Rows without a range take any number.
// clang-format off
constexpr std::array<TSettingRow, kSettingRowCount> kRows = {{
    {kWinamp, "Minimized",    &TWinampSettings::Minimized,   0},
    {kWindow, "Left",         &TWindowSettings::Left,        100},
    {kWindow, "Top",          &TWindowSettings::Top,         100},
    {kWindow, "Width",        &TWindowSettings::Width,       kDesignWidth},
    {kWindow, "Height",       &TWindowSettings::Height,      kNormalMinHeight},
    {kWindow, "State",        &TWindowSettings::State,       kStateNormal},
    {kWindow, "Remain",       &TWindowSettings::Remain,      false},
    {kOption, "VisibleChk",   &TOptionSettings::VisibleChk,  false},
    {kOption, "PlayTime",     &TOptionSettings::PlayTime,    false},
    {kOption, "TimerMS",      &TOptionSettings::TimerMS,     200, 100, 1000},
    {kOption, "BreakMS",      &TOptionSettings::BreakMS,     250, 100, 1500},
    {kOption, "Correct",      &TOptionSettings::Correct,     true},
    {kOption, "CorrectMS",    &TOptionSettings::CorrectMS,   300, -1000, 1000},
    {kOption, "PrevKey",      &TOptionSettings::PrevKey,     ','},
    {kOption, "NextKey",      &TOptionSettings::NextKey,     '.'},
    {kOption, "VisibleKey",   &TOptionSettings::VisibleKey,  'A'},
    {kOption, "MP3on3Path",   &TOptionSettings::MP3on3Path,  ""},
    {kOption, "MP3on3Stop",   &TOptionSettings::MP3on3Stop,  true},
    {kOption, "FontName",     &TOptionSettings::FontName,    "MS UI Gothic"},
    {kOption, "FontSize",     &TOptionSettings::FontSize,    10, 6, 50},
    {kOption, "FontPitch",    &TOptionSettings::FontPitch,   0, 0, 9},
    // Opacity in percent; -1, or any number below 0, is off.
    {kOption, "Transparence", &TOptionSettings::Transparence, -1, 0, 100, TOutOfRange::kOffBelow},
    // Later additions: a file from before them, or with them at their defaults, keeps its
    // exact text.
    {kOption, "Language",     &TOptionSettings::Language,    kLanguageSystem, kLanguageSystem,
     kLanguageEnglish, TOutOfRange::kDefault, TStored::kUnlessDefault},
    {kOption, "AlbumMemory",  &TOptionSettings::AlbumMemory, false, TStored::kUnlessDefault},
    {kOption, "AlbumResume",  &TOptionSettings::AlbumResume, false, TStored::kUnlessDefault},
    // A negative index would pass the album build's "below the track count" test.
    {kPlay,   "No",           &TPlaySettings::No,            0, 0},
    {kPlay,   "Mode",         &TPlaySettings::Mode,          kModeNormal},
    {kPlay,   "Seed",         &TPlaySettings::Seed,          0},
}};
// clang-format on

}  // namespace

// A copy of a constant: filled before any code runs, whichever file's statics start first.
const std::array<TSettingRow, kSettingRowCount> kSettingRows = kRows;

template <typename Part, typename Value>
const TSettingRow& SettingRowOf(Value Part::*member) {
  for (const TSettingRow& row : kSettingRows) {
    const auto* held = std::get_if<Value Part::*>(&row.Member);
    if (held != nullptr && *held == member) return row;
  }
  // Every member of the four parts has a row. One added without a row stops the first
  // settings ever built, and with them every test.
  std::abort();
}

template <typename Part, typename Value>
Value SettingDefault(Value Part::*member) {
  const TSettingRow& row = SettingRowOf(member);
  if constexpr (std::is_same_v<Value, std::string>) {
    return row.DefaultText;
  } else {
    return static_cast<Value>(row.Default);
  }
}

// The members the rows hold.
template const TSettingRow& SettingRowOf(int32_t TWinampSettings::*);
template const TSettingRow& SettingRowOf(int32_t TWindowSettings::*);
template const TSettingRow& SettingRowOf(bool TWindowSettings::*);
template const TSettingRow& SettingRowOf(bool TOptionSettings::*);
template const TSettingRow& SettingRowOf(int32_t TOptionSettings::*);
template const TSettingRow& SettingRowOf(char TOptionSettings::*);
template const TSettingRow& SettingRowOf(std::string TOptionSettings::*);
template const TSettingRow& SettingRowOf(int32_t TPlaySettings::*);
template int32_t SettingDefault(int32_t TWinampSettings::*);
template int32_t SettingDefault(int32_t TWindowSettings::*);
template bool SettingDefault(bool TWindowSettings::*);
template bool SettingDefault(bool TOptionSettings::*);
template int32_t SettingDefault(int32_t TOptionSettings::*);
template char SettingDefault(char TOptionSettings::*);
template std::string SettingDefault(std::string TOptionSettings::*);
template int32_t SettingDefault(int32_t TPlaySettings::*);

namespace {

// The keys outside the table: the exclusions, and those of the two list sections, whose
// entries' keys are a stem and the entry's number.
constexpr char kDeleteKey[] = "Delete";
constexpr char kCountKey[] = "Count";
constexpr char kNumberKey[] = "Number";
constexpr char kOmitStem[] = "Omit";
constexpr char kItemStem[] = "Item";
constexpr char kTextStem[] = "Text";
constexpr char kEnabledKey[] = "Enabled";
constexpr char kCmdStem[] = "Cmd";
constexpr char kModStem[] = "Mod";
constexpr char kKeyStem[] = "Key";

std::string Indexed(const char* stem, int32_t n) {
  return stem + std::to_string(n);
}

int32_t ClampTo32(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

// The value a row's member names in settings.
template <typename Settings, typename Part, typename Value>
auto& ValueOf(Settings& settings, Value Part::*member) {
  if constexpr (std::is_same_v<Part, TWinampSettings>) {
    return settings.Winamp.*member;
  } else if constexpr (std::is_same_v<Part, TWindowSettings>) {
    return settings.Window.*member;
  } else if constexpr (std::is_same_v<Part, TOptionSettings>) {
    return settings.Option.*member;
  } else {
    static_assert(std::is_same_v<Part, TPlaySettings>);
    return settings.Play.*member;
  }
}

int32_t InRange(const TSettingRow& row, int32_t value) {
  if (row.OutOfRange == TOutOfRange::kDefault) {
    return value < row.Min || value > row.Max ? row.Default : value;
  }
  if (value < row.Min) return row.OutOfRange == TOutOfRange::kOffBelow ? row.Default : row.Min;
  return std::min(value, row.Max);
}

void ReadValue(IniFile& ini, const TSettingRow& row, bool& value) {
  value = ini.ReadBool(row.Section, row.Key, row.Default != 0);
}
void ReadValue(IniFile& ini, const TSettingRow& row, int32_t& value) {
  value = InRange(row, ini.ReadInteger(row.Section, row.Key, row.Default));
}
void ReadValue(IniFile& ini, const TSettingRow& row, char& value) {
  value = ini.ReadChar(row.Section, row.Key, static_cast<char>(row.Default));
}
void ReadValue(IniFile& ini, const TSettingRow& row, std::string& value) {
  value = ini.ReadString(row.Section, row.Key, row.DefaultText);
}

void WriteValue(IniFile& ini, const TSettingRow& row, bool value) {
  ini.WriteBool(row.Section, row.Key, value);
}
void WriteValue(IniFile& ini, const TSettingRow& row, int32_t value) {
  ini.WriteInteger(row.Section, row.Key, value);
}
void WriteValue(IniFile& ini, const TSettingRow& row, char value) {
  ini.WriteChar(row.Section, row.Key, value);
}
void WriteValue(IniFile& ini, const TSettingRow& row, const std::string& value) {
  ini.WriteString(row.Section, row.Key, value);
}

template <typename Value>
bool IsDefault(const TSettingRow& row, const Value& value) {
  if constexpr (std::is_same_v<Value, std::string>) {
    return value == row.DefaultText;
  } else {
    return value == static_cast<Value>(row.Default);
  }
}

// The rows of one section, in table order.
void WriteSection(IniFile& ini, const TSettings& settings, std::string_view section) {
  for (const TSettingRow& row : kSettingRows) {
    if (row.Section != section) continue;
    std::visit(
        [&](auto member) {
          const auto& value = ValueOf(settings, member);
          if (row.Stored == TStored::kUnlessDefault && IsDefault(row, value)) {
            ini.EraseKey(row.Section, row.Key);
          } else {
            WriteValue(ini, row, value);
          }
        },
        row.Member);
  }
}

THotKeySettings ReadHotKeys(IniFile& ini) {
  THotKeySettings hotKeys;
  hotKeys.Enabled = ini.ReadBool(kHotKey, kEnabledKey, hotKeys.Enabled);
  int32_t count = std::min(ini.ReadInteger(kHotKey, kCountKey, 0), kMaxHotKeys);
  for (int32_t n = 0; n < count; ++n) {
    THotKeyEntry entry;
    entry.Cmd = ini.ReadInteger(kHotKey, Indexed(kCmdStem, n), entry.Cmd);
    entry.Mod = ini.ReadInteger(kHotKey, Indexed(kModStem, n), entry.Mod);
    entry.Key = ini.ReadInteger(kHotKey, Indexed(kKeyStem, n), entry.Key);
    hotKeys.Entries.push_back(entry);
  }
  return hotKeys;
}

void WriteHotKeys(IniFile& ini, const THotKeySettings& hotKeys) {
  ini.EraseSection(kHotKey);
  ini.WriteBool(kHotKey, kEnabledKey, hotKeys.Enabled);
  ini.WriteInteger(kHotKey, kCountKey, static_cast<int32_t>(hotKeys.Entries.size()));
  for (size_t i = 0; i < hotKeys.Entries.size(); ++i) {
    const int32_t n = static_cast<int32_t>(i);
    ini.WriteInteger(kHotKey, Indexed(kModStem, n), hotKeys.Entries[i].Mod);
    ini.WriteInteger(kHotKey, Indexed(kKeyStem, n), hotKeys.Entries[i].Key);
    ini.WriteInteger(kHotKey, Indexed(kCmdStem, n), hotKeys.Entries[i].Cmd);
  }
}

}  // namespace

std::string BesideHostProgram(std::string_view hostProgramPath, std::string_view relative) {
  size_t separator = FindLastSeparator(hostProgramPath, "\\/:");
  std::string folder(separator == std::string_view::npos
                         ? std::string_view()
                         : hostProgramPath.substr(0, separator + 1));
  return folder + std::string(relative);
}

std::string SettingsFilePath(std::string_view hostProgramPath) {
  return BesideHostProgram(hostProgramPath, "Plugins\\gen_Varimo.ini");
}

std::string AlbumStoreFilePath(std::string_view hostProgramPath) {
  return BesideHostProgram(hostProgramPath, "Plugins\\gen_Varimo.albums");
}

TListForm ReadListForm(IniFile& ini) {
  int32_t count = ini.ReadInteger(kListForm, kCountKey, 0);
  if (count == 0) return DefaultListForm();
  TListForm form;
  bool grouped = false;
  for (int32_t n = 1; n <= std::min(count, kMaxFormatItems); ++n) {
    int32_t omit = ini.ReadInteger(kListForm, Indexed(kOmitStem, n), 0);
    int32_t kind = ini.ReadInteger(kListForm, Indexed(kItemStem, n), 0);
    TFormatItem item;
    item.Code = ClampTo32(int64_t{omit} * 10 + kind);
    // Read for every kind: a text put by hand on another kind shows inside its group.
    item.Text = ini.ReadWrapped(kListForm, Indexed(kTextStem, n));
    grouped = grouped || omit == 1;
    form.Items.push_back(std::move(item));
  }
  // The stored number is the whole header as it stood at the last Apply, so adding the group
  // flag again can give 21. Only its two flags mean anything; keep the header in the form
  // Apply writes, so it reads back the same.
  int64_t header = (grouped ? 10 : 0) + int64_t{ini.ReadInteger(kListForm, kNumberKey, 1)};
  form.FormatHeader = (header > 9 ? kFormatGroupCode : 0) + (header % 10 == 1 ? 1 : 0);
  return form;
}

void WriteListForm(IniFile& ini, const TListForm& form) {
  ini.EraseSection(kListForm);
  ini.WriteInteger(kListForm, kCountKey, static_cast<int32_t>(form.Items.size()));
  ini.WriteInteger(kListForm, kNumberKey, form.FormatHeader);
  for (size_t i = 0; i < form.Items.size(); ++i) {
    const int32_t n = static_cast<int32_t>(i + 1);
    const TFormatItem& item = form.Items[i];
    ini.WriteInteger(kListForm, Indexed(kOmitStem, n), item.Code / 10);
    ini.WriteInteger(kListForm, Indexed(kItemStem, n), item.Code % 10);
    ini.WriteString(kListForm, Indexed(kTextStem, n),
                    item.Code % 10 == kFormatText ? WrapText(item.Text) : std::string());
  }
}

TSettings ReadSettings(IniFile& ini) {
  TSettings s;
  ini.BeginBatch();
  for (const TSettingRow& row : kSettingRows) {
    std::visit([&](auto member) { ReadValue(ini, row, ValueOf(s, member)); }, row.Member);
  }
  // Only 0, 1 and 2 are ever stored; the sign marks the value as not yet confirmed.
  const int32_t minimized = s.Winamp.Minimized;
  s.Winamp.Minimized = minimized >= 0 && minimized <= 2 ? -minimized : 0;
  // Any other State would leave the window neither shown nor sized for good.
  if (!IsNormalState(s.Window.State) && !IsSmallState(s.Window.State)) {
    s.Window.State = kStateNormal;
  }
  // A lead time shorter than a tick lets most track ends pass between two ticks; the options
  // dialog never stores one.
  s.Option.BreakMS = std::max(s.Option.BreakMS, s.Option.TimerMS);
  if (s.Play.Mode == kModeShuffleAllPending) s.Play.Mode = kModeShuffleAll;

  s.ListForm = ReadListForm(ini);
  s.HotKey = ReadHotKeys(ini);
  ini.Commit();
  return s;
}

std::string ReadExclusions(IniFile& ini) {
  return ini.ReadString(kWindow, kDeleteKey, "");
}

bool WriteApplySections(IniFile& ini, const TSettings& settings) {
  ini.BeginBatch();
  WriteSection(ini, settings, kOption);
  WriteListForm(ini, settings.ListForm);
  WriteHotKeys(ini, settings.HotKey);
  return ini.Commit();
}

bool WriteShutDownSections(IniFile& ini, const TShutDownState& state) {
  TSettings stored;
  stored.Winamp.Minimized = SavedMinimized(state.Minimized, state.Docked);
  stored.Window.Left = SavedLeft(state.Left, state.Width, state.ScreenWidth);
  stored.Window.Top = SavedTop(state.Top, state.Height, state.ScreenHeight);
  stored.Window.Width = state.Width;
  // A hidden normal window keeps the size it was given; only the small one stands in for the
  // normal height it will go back to.
  stored.Window.Height = IsNormalState(state.State) ? state.Height : state.SavedHeight;
  stored.Window.State = state.State;
  stored.Window.Remain = state.Remain;
  stored.Play = {state.CurrentIndex, state.Mode, state.Seed};
  ini.BeginBatch();
  WriteSection(ini, stored, kWinamp);
  WriteSection(ini, stored, kWindow);
  ini.WriteString(kWindow, kDeleteKey, state.Delete);
  WriteSection(ini, stored, kPlay);
  return ini.Commit();
}

int32_t SavedMinimized(int32_t minimized, bool docked) {
  if (minimized < 0) return -minimized;
  return docked ? minimized * 2 : minimized;
}

int32_t SavedLeft(int32_t left, int32_t width, int32_t screenWidth) {
  if (left <= -width) return 0;
  return left >= screenWidth ? screenWidth - width : left;
}

int32_t SavedTop(int32_t top, int32_t height, int32_t screenHeight) {
  if (top < -29) return 0;
  return top >= screenHeight ? screenHeight - height : top;
}

}  // namespace varimo
